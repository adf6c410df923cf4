#include "device/service/device_settings.h"

#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace norva::device {

DeviceSettings::DeviceSettings()
    : settings_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Norva",
                                            "Trelliq")) {}

DeviceSettings::DeviceSettings(const std::string& iniPath)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniPath), QSettings::IniFormat)) {}

QString DeviceSettings::keyOf(SettingKey key) {
  const QString name = QString::fromUtf8(key.name);
  return key.section[0] == '\0' ? name : QString::fromUtf8(key.section) + '/' + name;
}

int64_t DeviceSettings::integer(SettingKey key, int64_t fallback) const {
  bool ok = false;
  const qlonglong value =
      settings_->value(keyOf(key), QVariant::fromValue<qlonglong>(fallback)).toLongLong(&ok);
  return ok ? value : fallback;
}

std::string DeviceSettings::text(SettingKey key, std::string_view fallback) const {
  return settings_
      ->value(keyOf(key),
              QString::fromUtf8(fallback.data(), static_cast<qsizetype>(fallback.size())))
      .toString()
      .toStdString();
}

namespace {

bool sameKey(SettingKey a, SettingKey b) {
  return std::strcmp(a.section, b.section) == 0 && std::strcmp(a.name, b.name) == 0;
}

}  // namespace

std::string memoryListSection(int drive) {
  return "Mp3Mem_" + std::to_string(drive);
}

std::string columnWidthName(int column) {
  return "SubItemWidth_" + std::to_string(column);
}

int64_t DeviceSettings::integerOrDefault(SettingKey key) const {
  for (const IntegerSetting& setting : kIntegerSettings)
    if (sameKey(setting.key, key)) return integer(key, setting.fallback);
  throw std::invalid_argument(std::string("not an integer setting: ") + key.name);
}

std::string DeviceSettings::textOrDefault(SettingKey key) const {
  if (sameKey(key, kLastDirectoryKey)) {
    std::error_code ec;
    return text(key, std::filesystem::current_path(ec).string());
  }
  for (const TextSetting& setting : kTextSettings)
    if (sameKey(setting.key, key)) return text(key, setting.fallback);
  throw std::invalid_argument(std::string("not a text setting: ") + key.name);
}

void DeviceSettings::setInteger(SettingKey key, int64_t value) {
  settings_->setValue(keyOf(key), QVariant::fromValue<qlonglong>(value));
}

void DeviceSettings::setText(SettingKey key, std::string_view value) {
  settings_->setValue(keyOf(key),
                      QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void DeviceSettings::sync() {
  settings_->sync();
}

}  // namespace norva::device
