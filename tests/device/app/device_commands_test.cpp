// The firmware, font, driver script, help and about commands against the simulated player.
#include "device/app/device_commands.h"

#include "desktop/about_dialog.h"
#include "device/app/font_info_dialog.h"
#include "device/device_messages.h"
#include "device/driver_scripts.h"
#include "device_app_fixture.h"

namespace norva::device {
namespace {

const Message kUnplugMessage{"请拔除USB!\n重新启动播放器", "重新启动播放器", MessageIcon::Warning,
                             MessageButtons::Ok};

using CommandsTest = DeviceAppTest;

TEST_F(CommandsTest, CancellingTheFileChoiceSendsNothingAndKeepsTheProgram) {
  for (int command : {command::kFirmwareUpgrade, command::kBootCodeUpgrade, command::kFontDownload}) {
    SCOPED_TRACE(command);
    const auto before = folderSnapshot(playerDir());
    dialogs.open.answers.push_back(std::nullopt);
    EXPECT_EQ(commands->run(command, nullptr), DeviceCommandOutcome::Cancelled);
    EXPECT_TRUE(recorded.messages.empty());
    EXPECT_EQ(folderSnapshot(playerDir()), before);
  }
  ASSERT_EQ(dialogs.open.setups.size(), 3u);
  EXPECT_EQ(dialogs.open.setups[0].title, "固件升级");
  EXPECT_EQ(dialogs.open.setups[0].filter, "Intel Hex File(*.hex)");
  EXPECT_EQ(dialogs.open.setups[1].title, "Boot Code Upgrade");
  EXPECT_EQ(dialogs.open.setups[2].title, "LCD UNICODE Font Download");
  EXPECT_EQ(dialogs.open.setups[2].filter, "Bitmap font(*.fot)");
  EXPECT_EQ(settings->textOrDefault(kCodecCodeNameKey), "");
  EXPECT_EQ(settings->textOrDefault(kFontNameKey), "");
}

TEST_F(CommandsTest, AFirmwareUpgradeSendsTheImageThenAsksToUnplugAndEndsTheProgram) {
  const QString hex = hexFixture("codec_fw_0x2000.hex");
  dialogs.open.answers.push_back(hex);
  EXPECT_EQ(commands->run(command::kFirmwareUpgrade, nullptr), DeviceCommandOutcome::EndProgram);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], kUnplugMessage);
  EXPECT_EQ(fileContents(playerDir() / "codec.bin"),
            fileContents(hexFixture("codec_fw_0x2000.image.bin").toStdString()));
  EXPECT_EQ(settings->textOrDefault(kCodecCodeNameKey), hex.toStdString());
  // The converted image was a private temporary file and is gone.
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    EXPECT_EQ(entry.path().filename().string().rfind("$730", 0), std::string::npos);

  // The next upgrade starts from the remembered file.
  dialogs.open.answers.push_back(std::nullopt);
  EXPECT_EQ(commands->run(command::kFirmwareUpgrade, nullptr), DeviceCommandOutcome::Cancelled);
  EXPECT_EQ(dialogs.open.starts.back(), hex);
}

TEST_F(CommandsTest, AHexFileThatDoesNotConvertIsReportedFromTheWorkerAndNothingIsSent) {
  const auto bad = dir.path() / "bad.hex";
  std::ofstream(bad) << ":10000000000102030405060708090A0B0C0D0E0F00\n:00000001FF\n";
  const auto before = folderSnapshot(playerDir());
  dialogs.open.answers.push_back(QString::fromStdString(bad.string()));
  EXPECT_EQ(commands->run(command::kFirmwareUpgrade, nullptr), DeviceCommandOutcome::Cancelled);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].caption, "固件升级");
  EXPECT_NE(recorded.messages[0].text.find("校验和错误"), std::string::npos)
      << recorded.messages[0].text;
  EXPECT_EQ(folderSnapshot(playerDir()), before);
}

TEST_F(CommandsTest, TheBootCodeGoesToItsOwnImage) {
  dialogs.open.answers.push_back(hexFixture("boot_fw_0x0000.hex"));
  EXPECT_EQ(commands->run(command::kBootCodeUpgrade, nullptr), DeviceCommandOutcome::EndProgram);
  EXPECT_EQ(fileContents(playerDir() / "boot.bin").size(), 2048u);
  EXPECT_FALSE(std::filesystem::exists(playerDir() / "codec.bin"));
  EXPECT_EQ(recorded.messages.back(), kUnplugMessage);
}

TEST_F(CommandsTest, FontInformationClosesAtOnceWithoutAStoredFont) {
  EXPECT_EQ(commands->run(command::kFontInformation, nullptr), DeviceCommandOutcome::Failed);
  ASSERT_EQ(shownDialogs.size(), 1u);
  EXPECT_EQ(shownDialogs[0], "播放器字体信息");
  EXPECT_FALSE(stillOpen);
}

TEST_F(CommandsTest, ADownloadedFontIsShownAndAskedAboutBeforeItIsReplaced) {
  const auto font = dir.path() / "HZK16.fot";
  std::ofstream(font, std::ios::binary) << std::string(1234, '\x5A');
  dialogs.open.answers.push_back(QString::fromStdString(font.string()));
  EXPECT_EQ(commands->run(command::kFontDownload, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(refreshedDrives, std::vector<int>{0});
  EXPECT_EQ(settings->textOrDefault(kFontNameKey), font.string());

  QString size;
  QString name;
  onDialog = [&](QDialog& dialog) {
    auto& info = dynamic_cast<FontInfoDialog&>(dialog);
    size = info.sizeText();
    name = info.nameText();
  };
  EXPECT_EQ(commands->run(command::kFontInformation, nullptr), DeviceCommandOutcome::Done);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(size, "1234");
  EXPECT_EQ(name, "HZK16.fot");

  // A stored font: the overwrite question comes first; No sends nothing.
  const auto before = folderSnapshot(playerDir());
  EXPECT_EQ(commands->run(command::kFontDownload, nullptr), DeviceCommandOutcome::Cancelled);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0], (Message{"文件已经存在.\n是否需要覆盖?", "HZK16.fot",
                                           MessageIcon::Question, MessageButtons::YesNoCancel}));
  EXPECT_EQ(dialogs.open.setups.size(), 1u);
  EXPECT_EQ(folderSnapshot(playerDir()), before);
}

TEST_F(CommandsTest, TheFontIsCopiedToTheDesktopFolderAndErased) {
  const auto font = dir.path() / "small.fot";
  std::ofstream(font, std::ios::binary) << "font bytes";
  dialogs.open.answers.push_back(QString::fromStdString(font.string()));
  ASSERT_EQ(commands->run(command::kFontDownload, nullptr), DeviceCommandOutcome::Done);
  std::filesystem::create_directories(dir.path() / "desktop");
  EXPECT_EQ(commands->run(command::kFontCopy, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(fileContents(dir.path() / "desktop" / "small.fot"), "font bytes");
  EXPECT_EQ(desktopRefreshes, 1);
  EXPECT_EQ(commands->run(command::kFontErase, nullptr), DeviceCommandOutcome::Done);
  EXPECT_FALSE(link->storedFont().has_value());
}

struct EnablingCase {
  PlayerPane pane;
  bool firmware;
  bool fonts;
};

TEST_F(CommandsTest, DeviceCommandsFollowThePlayerPane) {
  const EnablingCase cases[] = {
      {{0, 0}, false, false}, {{2, 0}, true, false}, {{2, 2}, true, false},
      {{2, 1}, true, true},   {{2, 3}, true, true},
  };
  for (const EnablingCase& c : cases) {
    pane = c.pane;
    SCOPED_TRACE(std::to_string(c.pane.driveCount) + "/" + std::to_string(c.pane.driveMask));
    EXPECT_EQ(commands->isEnabled(command::kFirmwareUpgrade), c.firmware);
    EXPECT_EQ(commands->isEnabled(command::kBootCodeUpgrade), c.firmware);
    for (int font : {command::kFontDownload, command::kFontInformation, command::kFontCopy, command::kFontErase})
      EXPECT_EQ(commands->isEnabled(font), c.fonts) << font;
    for (int always : {command::kConfiguration, command::kInstallDriver, command::kUninstallDriver, command::kUserManual,
                       command::kHtmlHelp, command::kAbout})
      EXPECT_TRUE(commands->isEnabled(always)) << always;
    EXPECT_FALSE(commands->isEnabled(command::kInstallWin98Disk));
  }
  EXPECT_FALSE(commands->handles(32788));
  EXPECT_EQ(commands->run(32788, nullptr), DeviceCommandOutcome::NotHandled);
}

TEST_F(CommandsTest, DriverScriptsAreWrittenAndTheUserHearsTheyAreForWindows) {
  const auto folder = programFolder() / "drivers" / "update";
  EXPECT_EQ(commands->run(command::kInstallDriver, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(commands->run(command::kUninstallDriver, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(fileContents(folder / "install.bat"),
            driverScriptText(DriverScript::Install, "C:\\WINDOWS\\", WindowsKind::XpOrLater));
  EXPECT_EQ(fileContents(folder / "uninstall.bat"),
            driverScriptText(DriverScript::Uninstall, "C:\\WINDOWS\\", WindowsKind::XpOrLater));
  ASSERT_EQ(recorded.messages.size(), 2u);
  EXPECT_EQ(recorded.messages[0].caption, "安装USB驱动");
  EXPECT_EQ(recorded.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(recorded.messages[0].text,
            "驱动脚本已写入：\n" + (folder / "install.bat").string() +
                "\n\n该脚本只能在Windows系统上运行，本系统不需要安装USB驱动。");
  EXPECT_EQ(recorded.messages[1].caption, "卸载USB驱动");
  EXPECT_TRUE(opened.empty());  // nothing is run here
}

TEST_F(CommandsTest, AScriptThatCannotBeWrittenIsReportedAndNotRun) {
  std::ofstream(programFolder() / "drivers") << "in the way";
  EXPECT_EQ(commands->run(command::kInstallDriver, nullptr), DeviceCommandOutcome::Failed);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(recorded.messages[0].text.rfind("无法写入驱动脚本，脚本没有运行：\n", 0), 0u);
  EXPECT_TRUE(opened.empty());
}

TEST_F(CommandsTest, TheManualAndTheHtmlHelpOpenFromTheProgramFolder) {
  EXPECT_EQ(commands->run(command::kUserManual, nullptr), DeviceCommandOutcome::Done);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toLocalFile().toStdString(), (programFolder() / "RD710_CHS.pdf").string());

  EXPECT_EQ(commands->run(command::kHtmlHelp, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(opened.size(), 1u);  // no help file, no viewer: nothing happens
  std::filesystem::create_directories(programFolder() / "HtmlHelp");
  std::ofstream(programFolder() / "HtmlHelp" / "Podrix.chm") << "help";
  EXPECT_EQ(commands->run(command::kHtmlHelp, nullptr), DeviceCommandOutcome::Done);
  EXPECT_EQ(opened.size(), 1u);  // a compiled help file has no viewer here
  std::ofstream(programFolder() / "HtmlHelp" / "index.html") << "<html></html>";
  EXPECT_EQ(commands->run(command::kHtmlHelp, nullptr), DeviceCommandOutcome::Done);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[1].toLocalFile().toStdString(),
            (programFolder() / "HtmlHelp" / "index.html").string());

  opens = false;
  EXPECT_EQ(commands->run(command::kUserManual, nullptr), DeviceCommandOutcome::Failed);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0].text,
            "无法打开用户手册：\n" + (programFolder() / "RD710_CHS.pdf").string());
}

TEST_F(CommandsTest, TheAboutLinkOpensTheAddressOrSaysWhyNot) {
  onDialog = [](QDialog& dialog) { dynamic_cast<desktop::AboutDialog&>(dialog).link()->click(); };
  EXPECT_EQ(commands->run(command::kAbout, nullptr), DeviceCommandOutcome::Done);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl("http://www.norva.example/"));
  EXPECT_EQ(shownDialogs.back(), "关于MP3升级程序");
  EXPECT_TRUE(recorded.messages.empty());

  opens = false;
  EXPECT_EQ(commands->run(command::kAbout, nullptr), DeviceCommandOutcome::Done);
  ASSERT_EQ(recorded.messages.size(), 1u);
  EXPECT_EQ(recorded.messages[0],
            (Message{"Unable to open hyperlink:\n\nThere is no application associated\nwith the "
                     "given filename extension.",
                     "Trelliq", MessageIcon::Warning, MessageButtons::Ok}));
}

TEST_F(CommandsTest, WithoutAPlayerTheUpgradeSaysSoAndStillAsksToUnplug) {
  ASSERT_EQ(state.detach(), PlayerStateOutcome::Done);
  link->Close();
  EXPECT_EQ(commands->run(command::kFirmwareUpgrade, nullptr), DeviceCommandOutcome::EndProgram);
  EXPECT_TRUE(dialogs.open.setups.empty());
  ASSERT_EQ(recorded.messages.size(), 2u);
  EXPECT_EQ(recorded.messages[1], kUnplugMessage);
}

}  // namespace
}  // namespace norva::device
