#pragma once
// The device manager's settings: QSettings of application "Trelliq" in organisation "Norva"
// (an INI file under the user's config folder; XDG_CONFIG_HOME is honoured). A section is a
// group; the empty section is the application's top level.
#include <QSettings>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace norva::device {

struct SettingKey {
  const char* section;
  const char* name;
};

inline constexpr SettingKey kWindowStateKey{"", "WindowState"};
inline constexpr SettingKey kFileListFilterKey{"", "FileListFilter"};
inline constexpr SettingKey kLastDirectoryKey{"Desktop", "LastDirectory"};
inline constexpr SettingKey kTimeoutReceiveKey{"TCS730", "TIMEOUT_RECV"};
inline constexpr SettingKey kTimeoutSendKey{"TCS730", "TIMEOUT_SEND"};
inline constexpr SettingKey kTimeoutFormatKey{"TCS730", "TIMEOUT_FORMAT"};
inline constexpr SettingKey kBootCodeNameKey{"Trelliq", "BootCodeName"};
inline constexpr SettingKey kCodecCodeNameKey{"Trelliq", "CodecCodeName"};
inline constexpr SettingKey kFontNameKey{"Trelliq", "FontName"};
inline constexpr SettingKey kRawDataFileNameKey{"Trelliq", "RawDataFileName"};
inline constexpr SettingKey kRawDataViewerKey{"Trelliq", "RawDataViewer"};
inline constexpr SettingKey kRawDataAddrKey{"Trelliq", "RawDataAddr"};
inline constexpr SettingKey kRawDataCountKey{"Trelliq", "RawDataCount"};
inline constexpr SettingKey kRomSelectKey{"Trelliq", "ROMSelect"};
inline constexpr SettingKey kAdpcmConvertKey{"ADPCM", "Convert"};
inline constexpr SettingKey kTvfConvertKey{"TVF", "Convert"};

// Every fixed setting with the value it has before it was ever stored. "LastDirectory" has
// none here: it is the current folder at start (see DeviceSettings::textOrDefault).
struct IntegerSetting {
  SettingKey key;
  int64_t fallback;
};
struct TextSetting {
  SettingKey key;
  const char* fallback;
};
inline constexpr IntegerSetting kIntegerSettings[] = {
    {kWindowStateKey, 5},        {kTimeoutReceiveKey, 30000}, {kTimeoutSendKey, 20000},
    {kTimeoutFormatKey, 300000}, {kRawDataAddrKey, 0},        {kRawDataCountKey, 1},
    {kRomSelectKey, 0},          {kAdpcmConvertKey, 0},       {kTvfConvertKey, 0},
};
inline constexpr TextSetting kTextSettings[] = {
    {kFileListFilterKey, "*.*"}, {kBootCodeNameKey, ""},    {kCodecCodeNameKey, ""},
    {kFontNameKey, ""},          {kRawDataFileNameKey, ""}, {kRawDataViewerKey, ""},
};

// The settings of a file list: section "Desktop" for the desktop pane, "Mp3Mem_<drive>" for a
// memory view; a column's width is "SubItemWidth_<column>".
inline constexpr const char* kDesktopListSection = "Desktop";
inline constexpr const char* kSortKeyName = "SortKey";
inline constexpr const char* kSortAscendentName = "SortAscendent";
inline constexpr int64_t kSortKeyDefault = 0;
inline constexpr int64_t kSortAscendentDefault = 1;
inline constexpr int64_t kColumnWidthDefault = 100;
std::string memoryListSection(int drive);
std::string columnWidthName(int column);

class DeviceSettings {
 public:
  // The user's settings of the device manager.
  DeviceSettings();
  // Settings kept in the INI file at `iniPath` (tests, tools).
  explicit DeviceSettings(const std::string& iniPath);

  int64_t integer(SettingKey key, int64_t fallback) const;
  std::string text(SettingKey key, std::string_view fallback = {}) const;
  // A fixed setting of the tables above, or its default when it was never stored.
  int64_t integerOrDefault(SettingKey key) const;
  std::string textOrDefault(SettingKey key) const;
  void setInteger(SettingKey key, int64_t value);
  void setText(SettingKey key, std::string_view value);
  void sync();

 private:
  static QString keyOf(SettingKey key);
  std::unique_ptr<QSettings> settings_;
};

}  // namespace norva::device
