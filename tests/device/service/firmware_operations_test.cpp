// Firmware upgrade and font operations of DeviceLink against the fake library.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "device/device_messages.h"
#include "device_link_fixture.h"

namespace norva::device {
namespace {

using Timeout = std::pair<uint32_t, uint32_t>;

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string dataFile(const char* name) {
  return std::string(NORVA_TEST_DATA_DIR) + "/hex/" + name;
}

// Firmware tests keep the temporary folder inside the test's folder to see what is left there.
class FirmwareTest : public DeviceLinkTest {
 protected:
  void SetUp() override {
    tmp = dir.path() / "tmp";
    std::filesystem::create_directory(tmp);
    if (const char* old = std::getenv("TMPDIR")) oldTmp = old;
    ::setenv("TMPDIR", tmp.c_str(), 1);
    connect();
    fake.timeouts.clear();
  }
  void TearDown() override {
    if (oldTmp.empty())
      ::unsetenv("TMPDIR");
    else
      ::setenv("TMPDIR", oldTmp.c_str(), 1);
  }
  bool tmpIsEmpty() const { return std::filesystem::is_empty(tmp); }
  bool upgradeSent() const {
    return std::find(fake.calls.begin(), fake.calls.end(), "UpgradeFirmware") != fake.calls.end();
  }

  std::filesystem::path tmp;
  std::string oldTmp;
};

TEST_F(FirmwareTest, CancellingTheDialogSendsNothing) {
  chooser.answer.reset();
  const DeviceCode code = link.UpgradeFirmware(nullptr, FirmwareKind::CodecCode);
  EXPECT_EQ(code, kCodeCancelled);
  EXPECT_FALSE(upgradeSent());
  EXPECT_FALSE(showUnplugNotice(prompter, code));
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_EQ(chooser.titles, (std::vector<std::string>{"固件升级"}));
  EXPECT_EQ(chooser.filters, (std::vector<std::string>{"Intel Hex File(*.hex)\n*.hex\n"}));
}

TEST_F(FirmwareTest, ARefusedHexFileNeitherSendsNorCloses) {
  const auto bad = dir.path() / "bad.hex";
  std::ofstream(bad) << ":020000001122CB\n:02000200334484\n";  // second checksum wrong
  chooser.answer = bad.string();
  const DeviceCode code = link.UpgradeFirmware(nullptr, FirmwareKind::BootCode);
  EXPECT_EQ(code, kCodeCancelled);
  EXPECT_FALSE(upgradeSent());
  EXPECT_TRUE(fake.timeouts.empty());
  EXPECT_TRUE(tmpIsEmpty());
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            (Message{"固件文件无法转换，没有发送到播放器：第2行的校验和错误", "Boot Code Upgrade",
                     MessageIcon::Warning, MessageButtons::Ok}));
  EXPECT_FALSE(showUnplugNotice(prompter, code));
  EXPECT_EQ(prompter.messages.size(), 1u);
}

TEST_F(FirmwareTest, HexFileIsSentAsItsImageThroughAPrivateTemporaryFile) {
  settings.setInteger(kRomSelectKey, 2);
  chooser.answer = dataFile("codec_fw_0x2000.hex");
  EXPECT_EQ(link.UpgradeFirmware(nullptr, FirmwareKind::CodecCode), 0u);
  EXPECT_EQ(fake.firmwareImage, readFile(dataFile("codec_fw_0x2000.image.bin")));
  EXPECT_EQ(std::filesystem::path(fake.imagePath).parent_path(), tmp);
  EXPECT_TRUE(std::filesystem::path(fake.imagePath).filename().string().starts_with("$730"));
  EXPECT_EQ(fake.chosenPath, dataFile("codec_fw_0x2000.hex"));
  EXPECT_EQ(fake.firmwareKind, 0);
  EXPECT_EQ(fake.romMode, 2);
  EXPECT_TRUE(tmpIsEmpty());
  EXPECT_EQ(settings.text(kCodecCodeNameKey), dataFile("codec_fw_0x2000.hex"));
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{300000, 20000}, {30000, 20000}}));
}

TEST_F(FirmwareTest, BinaryFileIsSentUnchanged) {
  chooser.answer = dataFile("codec_fw_0x2000.image.bin");
  EXPECT_EQ(link.UpgradeFirmware(nullptr, FirmwareKind::BootCode), 0u);
  EXPECT_EQ(fake.imagePath, dataFile("codec_fw_0x2000.image.bin"));
  EXPECT_EQ(fake.firmwareKind, 1);
  EXPECT_EQ(settings.text(kBootCodeNameKey), dataFile("codec_fw_0x2000.image.bin"));
}

TEST_F(FirmwareTest, AFailedUpgradeRestoresTheReceiveTimeoutAndRemovesTheImage) {
  chooser.answer = dataFile("boot_fw_0x0000.hex");
  fake.failNextWith = TCC730_ERR_GENERAL;
  const DeviceCode code = link.UpgradeFirmware(nullptr, FirmwareKind::BootCode);
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(fake.firmwareImage.size(), 2048u);
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{300000, 20000}, {30000, 20000}}));
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{1}));
  EXPECT_TRUE(tmpIsEmpty());
  EXPECT_TRUE(showUnplugNotice(prompter, code));
  EXPECT_EQ(prompter.messages.back(), (Message{"请拔除USB!\n重新启动播放器", "重新启动播放器",
                                               MessageIcon::Warning, MessageButtons::Ok}));
}

TEST_F(FirmwareTest, TheRememberedFileIsOffered) {
  settings.setText(kBootCodeNameKey, "/fw/boot.hex");
  chooser.answer.reset();
  link.UpgradeFirmware(nullptr, FirmwareKind::BootCode);
  EXPECT_EQ(chooser.initialPaths, (std::vector<std::string>{"/fw/boot.hex"}));
  EXPECT_EQ(chooser.titles, (std::vector<std::string>{"Boot Code Upgrade"}));
}

TEST_F(FirmwareTest, UpgradeMarksBothDrivesDirty) {
  putFiles(0, {"A"});
  TransferList before;
  ASSERT_TRUE(link.ListDrive(0, before, false));
  fake.files[0].clear();
  chooser.answer = dataFile("codec_fw_0x2000.image.bin");
  link.UpgradeFirmware(nullptr, FirmwareKind::CodecCode);
  TransferList after;
  ASSERT_TRUE(link.ListDrive(0, after, false));
  EXPECT_TRUE(after.empty());
}

TEST_F(DeviceLinkTest, FontDownloadAsksBeforeReplacingTheStoredFont) {
  connect();
  fake.font = {"OLD.fot", 99};
  answer({Answer::No});
  chooser.answer = (dir.path() / "new.fot").string();
  EXPECT_EQ(link.DownloadFont(nullptr), kCodeCancelled);
  EXPECT_EQ(prompter.messages.at(0), (Message{"文件已经存在.\n是否需要覆盖?", "OLD.fot",
                                              MessageIcon::Question, MessageButtons::YesNoCancel}));
  EXPECT_TRUE(chooser.titles.empty());
  EXPECT_EQ(fake.font->first, "OLD.fot");
}

TEST_F(DeviceLinkTest, FontDownloadRemembersTheFile) {
  connect();
  chooser.answer = (dir.path() / "new.fot").string();
  EXPECT_EQ(link.DownloadFont(nullptr), 0u);
  EXPECT_EQ(chooser.titles, (std::vector<std::string>{"LCD UNICODE Font Download"}));
  EXPECT_EQ(chooser.filters, (std::vector<std::string>{"Bitmap font(*.fot)\n*.fot\n\n"}));
  EXPECT_EQ(settings.text(kFontNameKey), (dir.path() / "new.fot").string());
  EXPECT_EQ(fake.font->first, "new.fot");
}

TEST_F(DeviceLinkTest, FontUploadWritesIntoTheFolder) {
  connect();
  fake.font = {"GB.fot", 1234};
  EXPECT_EQ(link.UploadFont(nullptr, dir.path().string()), 0u);
  EXPECT_EQ(fake.calls.back(), "UploadFont " + (dir.path() / "GB.fot").string() + " 1234");
}

TEST_F(DeviceLinkTest, FontUploadRefusesANameThatLeavesTheFolder) {
  connect();
  std::filesystem::create_directory(dir.path() / "fonts");
  for (const char* name : {"../evil.fot", "sub/evil.fot", ".."}) {
    fake.font = {name, 10};
    EXPECT_EQ(link.UploadFont(nullptr, (dir.path() / "fonts").string()), kCodeBadName) << name;
  }
  for (const auto& call : fake.calls) EXPECT_FALSE(call.starts_with("UploadFont")) << call;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "evil.fot"));
}

TEST_F(DeviceLinkTest, FontUploadWithoutAFontIsAFailure) {
  connect();
  EXPECT_EQ(link.UploadFont(nullptr, dir.path().string()),
            static_cast<DeviceCode>(TCC730_ERR_NO_FONT));
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{0}));
}

TEST_F(DeviceLinkTest, FontUploadAsksBeforeOverwriting) {
  connect();
  fake.font = {"GB.fot", 1234};
  std::ofstream(dir.path() / "GB.fot") << "mine";
  answer({Answer::No});
  EXPECT_EQ(link.UploadFont(nullptr, dir.path().string()), kCodeCancelled);
  for (const auto& call : fake.calls) EXPECT_FALSE(call.starts_with("UploadFont"));
}

TEST_F(DeviceLinkTest, ReadFontRecordAndErase) {
  connect();
  FontRecord record;
  EXPECT_EQ(link.ReadFontRecord(record), static_cast<DeviceCode>(TCC730_ERR_NO_FONT));
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{0}));
  fake.font = {"GB.fot", 4660};
  EXPECT_EQ(link.ReadFontRecord(record), 0u);
  EXPECT_EQ(record.name, "GB.fot");
  EXPECT_EQ(record.size, 4660u);
  EXPECT_EQ(link.EraseFont(nullptr), 0u);
  EXPECT_FALSE(fake.font);
  EXPECT_FALSE(link.storedFont());
}

}  // namespace
}  // namespace norva::device
