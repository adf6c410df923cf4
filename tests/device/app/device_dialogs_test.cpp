// The Configuration dialog's pages and the Disk Medium Information dialog against the
// simulated player.
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "device/app/configuration_dialog.h"
#include "device/app/medium_info_dialog.h"
#include "device_app_fixture.h"

namespace norva::device {
namespace {

using ConfigurationTest = DeviceAppTest;

struct PageCase {
  const char* name;
  ConfigurationDialog::Page page;
  std::function<void(ConfigurationDialog&)> show;
  std::function<void(DeviceLink&, DeviceSettings&)> expectStored;
};

const PageCase kPages[] = {
    {"Setting Timeout", ConfigurationDialog::TimeoutPage,
     [](ConfigurationDialog& d) {
       d.receiveTimeout()->setText("1500");
       d.sendTimeout()->setText("2500");
       d.formatTimeout()->setText("600000");
     },
     [](DeviceLink& link, DeviceSettings&) {
       EXPECT_EQ(link.timeouts().receive, 1500u);
       EXPECT_EQ(link.timeouts().send, 2500u);
       EXPECT_EQ(link.timeouts().format, 600000u);
     }},
    {"ROM Selection", ConfigurationDialog::RomPage,
     [](ConfigurationDialog& d) { d.romInMds()->setChecked(true); },
     [](DeviceLink&, DeviceSettings& s) { EXPECT_EQ(s.integerOrDefault(kRomSelectKey), 2); }},
    {"ADPCM Configuration", ConfigurationDialog::AdpcmPage,
     [](ConfigurationDialog& d) { d.adpcmBinary()->setChecked(true); },
     [](DeviceLink&, DeviceSettings& s) {
       EXPECT_EQ(s.integerOrDefault(kAdpcmConvertKey), 1);
       EXPECT_EQ(s.integerOrDefault(kTvfConvertKey), 0);
     }},
    {"Raw Data Read Configuration", ConfigurationDialog::RawDataPage,
     [](ConfigurationDialog& d) {
       d.rawFileName()->setText("/tmp/raw.dat");
       d.rawViewer()->setText("/usr/bin/hexview");
       d.rawAddress()->setText(" \t0x10");
       d.rawCount()->setText("12blocks");
     },
     [](DeviceLink&, DeviceSettings& s) {
       EXPECT_EQ(s.textOrDefault(kRawDataFileNameKey), "/tmp/raw.dat");
       EXPECT_EQ(s.textOrDefault(kRawDataViewerKey), "/usr/bin/hexview");
       EXPECT_EQ(s.integerOrDefault(kRawDataAddrKey), 16);
       EXPECT_EQ(s.integerOrDefault(kRawDataCountKey), 12);
     }},
    {"TVF Configuration", ConfigurationDialog::TvfPage,
     [](ConfigurationDialog& d) { d.tvfBinary()->setChecked(true); },
     [](DeviceLink&, DeviceSettings& s) { EXPECT_EQ(s.integerOrDefault(kTvfConvertKey), 1); }},
};

TEST_F(ConfigurationTest, EachPageStoresWhatItShowsOnOk) {
  for (const PageCase& c : kPages) {
    SCOPED_TRACE(c.name);
    onDialog = [&](QDialog& dialog) {
      auto& config = dynamic_cast<ConfigurationDialog&>(dialog);
      EXPECT_EQ(config.currentPage(), ConfigurationDialog::TimeoutPage);
      config.pageTree()->setCurrentItem(config.pageTree()->topLevelItem(c.page));
      EXPECT_EQ(config.currentPage(), c.page);
      EXPECT_EQ(config.frameTitle(), QStringLiteral(" %1 ").arg(QString::fromUtf8(c.name)));
      c.show(config);
      config.accept();
    };
    EXPECT_EQ(commands->run(command::kConfiguration, nullptr), DeviceCommandOutcome::Done);
    c.expectStored(*link, *settings);
  }
  // What was stored is what the next opening shows, from a fresh read of the settings folder.
  DeviceSettings reread(settingsFile().string());
  ConfigurationDialog again(*link, reread, dialogs);
  EXPECT_EQ(again.receiveTimeout()->text(), "1500");
  EXPECT_TRUE(again.romInMds()->isChecked());
  EXPECT_TRUE(again.adpcmBinary()->isChecked());
  EXPECT_TRUE(again.tvfBinary()->isChecked());
  EXPECT_EQ(again.rawAddress()->text(), "16");
  EXPECT_EQ(again.rawCount()->text(), "12");
  EXPECT_EQ(again.rawViewer()->text(), "/usr/bin/hexview");
}

TEST_F(ConfigurationTest, OpeningShowsTheDefaultsAndCancelStoresNothing) {
  const auto configFile = settingsFile();
  settings->sync();
  const std::string before = fileContents(configFile);
  onDialog = [](QDialog& dialog) {
    auto& config = dynamic_cast<ConfigurationDialog&>(dialog);
    EXPECT_EQ(config.receiveTimeout()->text(), "30000");
    EXPECT_EQ(config.sendTimeout()->text(), "20000");
    EXPECT_EQ(config.formatTimeout()->text(), "300000");
    EXPECT_TRUE(config.romStandAlone()->isChecked());
    EXPECT_TRUE(config.adpcmToWav()->isChecked());
    EXPECT_TRUE(config.tvfToWav()->isChecked());
    EXPECT_EQ(config.rawFileName()->text(), "");
    EXPECT_EQ(config.rawAddress()->text(), "0");
    EXPECT_EQ(config.rawCount()->text(), "1");
    config.romInMds()->setChecked(true);
    config.receiveTimeout()->setText("1");
    config.reject();
  };
  EXPECT_EQ(commands->run(command::kConfiguration, nullptr), DeviceCommandOutcome::Cancelled);
  settings->sync();
  EXPECT_EQ(fileContents(configFile), before);
  EXPECT_EQ(link->timeouts().receive, 30000u);
}

TEST_F(ConfigurationTest, BrowseButtonsPutTheChosenNameInTheirField) {
  ConfigurationDialog config(*link, *settings, dialogs);
  config.rawFileName()->setText("/data/old.dat");
  dialogs.save.answers.push_back(QStringLiteral("/data/new.dat"));
  config.browseRawFile();
  EXPECT_EQ(config.rawFileName()->text(), "/data/new.dat");
  EXPECT_EQ(dialogs.save.starts.back(), "/data/old.dat");
  EXPECT_EQ(dialogs.save.setups.back().filter, "Data File(*.dat);;All Files(*.*)");
  dialogs.open.answers.push_back(std::nullopt);
  config.rawViewer()->setText("/bin/viewer");
  config.browseViewer();
  EXPECT_EQ(config.rawViewer()->text(), "/bin/viewer");
  EXPECT_EQ(dialogs.open.setups.back().filter, "Executable File(*.exe);;All Files(*.*)");
}

class MediumTest : public DeviceAppTest {
 protected:
  std::optional<uint32_t> cardMiB() const override { return 16; }

  std::map<std::string, QString> fields(int drive) {
    std::map<std::string, QString> texts;
    onDialog = [&](QDialog& dialog) {
      auto& info = dynamic_cast<MediumInfoDialog&>(dialog);
      for (const char* label :
           {"Device I/O Status :", "FAT Status :", "Medium Type :", "Total Block Count :",
            "Used Block Count :", "Physical Block Count :", "Bad Block Count :", "FAT Type :",
            "FAT Start Sector :", "FAT Sector Count :", "Root Start Sector :", "Root Entry Count :",
            "Total File Count :"})
        texts[label] = info.field(label);
      const QStringList geometry = info.geometry();
      for (qsizetype i = 0; i < geometry.size(); ++i)
        texts["geometry " + std::to_string(i)] = geometry[i];
    };
    EXPECT_EQ(commands->showMediumInformation(drive, nullptr), DeviceCommandOutcome::Done);
    EXPECT_EQ(shownDialogs.back(), "Disk Medium Information");
    return texts;
  }
};

// The simulated memories are FAT12 images with 512-byte sectors, 16 KiB clusters (one per
// block), one reserved sector, two FATs and 512 root entries. Internal 32 MiB: 65536 sectors,
// FATs of 6 sectors, root at 1 + 2 * 6 = 13, data from 13 + 32 = 45, (65536 - 45) / 32 = 2046
// blocks. Card 16 MiB: 32768 sectors, FATs of 3 sectors, root at 7, (32768 - 39) / 32 = 1022.
TEST_F(MediumTest, InternalAndExternalDrives) {
  const std::map<std::string, QString> internal = {
      {"Device I/O Status :", "Good"},
      {"FAT Status :", "Good"},
      {"Medium Type :", "NAND/SMC (512 bytes/page)"},
      {"Total Block Count :", "2046 (32 MB)"},
      {"Used Block Count :", "0 (0 KB)"},
      {"Physical Block Count :", "2048 (32 MB)"},
      {"Bad Block Count :", "0 (0 KB)"},
      {"FAT Type :", "FAT12"},
      {"FAT Start Sector :", "0x0001"},
      {"FAT Sector Count :", "6"},
      {"Root Start Sector :", "0x000D"},
      {"Root Entry Count :", "512"},
      {"Total File Count :", "0"},
      {"geometry 0", "512 (bytes/sector)"},
      {"geometry 1", "32 (sectors/cluster)"},
      {"geometry 2", "1 (clusters/block)"},
  };
  EXPECT_EQ(fields(0), internal);
  std::map<std::string, QString> external = internal;
  external["Medium Type :"] = "MMC/SD";
  external["Total Block Count :"] = "1022 (16 MB)";
  external["Physical Block Count :"] = "1024 (16 MB)";
  external["FAT Sector Count :"] = "3";
  external["Root Start Sector :"] = "0x0007";
  EXPECT_EQ(fields(1), external);
}

TEST_F(MediumTest, FilesOnTheDriveAreCounted) {
  const auto song = dir.path() / "song.mp3";
  std::ofstream(song, std::ios::binary) << std::string(20000, 'x');
  TransferList files;
  files.add({song.string(), -1, 0, {}});
  ASSERT_EQ(link->DownloadFiles(nullptr, 0, files), kCodeOk);
  const auto texts = fields(0);
  EXPECT_EQ(texts.at("Total File Count :"), "1");
  EXPECT_EQ(texts.at("Used Block Count :"), "2 (32 KB)");
}

TEST_F(MediumTest, WithoutAConnectionEveryFieldIsEmptyAndNothingIsShown) {
  link->Close();
  for (const auto& [label, text] : fields(0)) EXPECT_EQ(text, "") << label;
  EXPECT_TRUE(recorded.messages.empty());
}

}  // namespace
}  // namespace norva::device
