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

class DeviceSettings {
 public:
  // The user's settings of the device manager.
  DeviceSettings();
  // Settings kept in the INI file at `iniPath` (tests, tools).
  explicit DeviceSettings(const std::string& iniPath);

  int64_t integer(SettingKey key, int64_t fallback) const;
  std::string text(SettingKey key, std::string_view fallback = {}) const;
  void setInteger(SettingKey key, int64_t value);
  void setText(SettingKey key, std::string_view value);
  void sync();

 private:
  static QString keyOf(SettingKey key);
  std::unique_ptr<QSettings> settings_;
};

}  // namespace norva::device
