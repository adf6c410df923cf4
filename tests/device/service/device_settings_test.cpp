// The device manager's settings on a fresh settings folder: every fixed setting has its
// default, what is stored is read back, and the list sections are named as stored.
#include "device/service/device_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

struct IntegerDefault {
  SettingKey key;
  int64_t expected;
};

struct TextDefault {
  SettingKey key;
  const char* expected;
};

const IntegerDefault kIntegerDefaults[] = {
    {{"", "WindowState"}, 5},
    {{"TCS730", "TIMEOUT_RECV"}, 30000},
    {{"TCS730", "TIMEOUT_SEND"}, 20000},
    {{"TCS730", "TIMEOUT_FORMAT"}, 300000},
    {{"Trelliq", "RawDataAddr"}, 0},
    {{"Trelliq", "RawDataCount"}, 1},
    {{"Trelliq", "ROMSelect"}, 0},
    {{"ADPCM", "Convert"}, 0},
    {{"TVF", "Convert"}, 0},
};

const TextDefault kTextDefaults[] = {
    {{"", "FileListFilter"}, "*.*"},      {{"Trelliq", "BootCodeName"}, ""},
    {{"Trelliq", "CodecCodeName"}, ""},   {{"Trelliq", "FontName"}, ""},
    {{"Trelliq", "RawDataFileName"}, ""}, {{"Trelliq", "RawDataViewer"}, ""},
};

class SettingsTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string ini = (dir.path() / "Norva" / "Trelliq.conf").string();
};

TEST_F(SettingsTest, AFreshFolderGivesEveryDefault) {
  DeviceSettings settings(ini);
  for (const IntegerDefault& d : kIntegerDefaults)
    EXPECT_EQ(settings.integerOrDefault(d.key), d.expected) << d.key.section << "/" << d.key.name;
  for (const TextDefault& d : kTextDefaults)
    EXPECT_EQ(settings.textOrDefault(d.key), d.expected) << d.key.section << "/" << d.key.name;
  EXPECT_EQ(settings.textOrDefault({"Desktop", "LastDirectory"}),
            std::filesystem::current_path().string());
}

TEST_F(SettingsTest, StoredValuesWinOverTheDefaultsAfterReopening) {
  {
    DeviceSettings settings(ini);
    settings.setInteger({"Trelliq", "RawDataCount"}, 9);
    settings.setText({"", "FileListFilter"}, "*.mp3");
    settings.setText({"Desktop", "LastDirectory"}, "/music");
    settings.sync();
  }
  DeviceSettings reopened(ini);
  EXPECT_EQ(reopened.integerOrDefault({"Trelliq", "RawDataCount"}), 9);
  EXPECT_EQ(reopened.textOrDefault({"", "FileListFilter"}), "*.mp3");
  EXPECT_EQ(reopened.textOrDefault({"Desktop", "LastDirectory"}), "/music");
}

TEST_F(SettingsTest, ListSectionsAndColumnWidthNames) {
  EXPECT_EQ(memoryListSection(0), "Mp3Mem_0");
  EXPECT_EQ(memoryListSection(1), "Mp3Mem_1");
  EXPECT_EQ(columnWidthName(0), "SubItemWidth_0");
  EXPECT_EQ(columnWidthName(3), "SubItemWidth_3");
  DeviceSettings settings(ini);
  const std::string section = memoryListSection(1);
  const std::string width = columnWidthName(2);
  EXPECT_EQ(settings.integer({section.c_str(), kSortKeyName}, kSortKeyDefault), 0);
  EXPECT_EQ(settings.integer({section.c_str(), kSortAscendentName}, kSortAscendentDefault), 1);
  EXPECT_EQ(settings.integer({kDesktopListSection, width.c_str()}, kColumnWidthDefault), 100);
}

TEST_F(SettingsTest, AKeyWithoutADefaultIsAMistakeOfTheCaller) {
  DeviceSettings settings(ini);
  EXPECT_THROW(settings.integerOrDefault({"Trelliq", "FontName"}), std::invalid_argument);
  EXPECT_THROW(settings.textOrDefault({"TCS730", "TIMEOUT_RECV"}), std::invalid_argument);
}

}  // namespace
}  // namespace norva::device
