// DeviceLink's firmware upgrade and font library operations.
#include <cstring>

#include "device/device_messages.h"
#include "device/service/device_link.h"
#include "device/service/hex_file.h"
#include "base/service/private_temp_file.h"
#include "device/storage_rules.h"

namespace norva::device {
namespace {

constexpr const char* kFirmwareTempPrefix = "$730";

}  // namespace

DeviceCode DeviceLink::UpgradeFirmware(void* owner, FirmwareKind kind) {
  if (handle_ == nullptr) return noConnection(owner);
  const bool boot = kind == FirmwareKind::BootCode;
  const std::string title = boot ? kBootCodeUpgradeTitle : kFirmwareUpgradeTitle;
  const SettingKey remembered = boot ? kBootCodeNameKey : kCodecCodeNameKey;
  if (chooser_ == nullptr) return kCodeCancelled;
  const auto chosen =
      chooser_->chooseFileToOpen(owner, title, kIntelHexFilter, settings_.text(remembered));
  if (!chosen) return kCodeCancelled;

  std::string imagePath = *chosen;
  const bool hex = hasHexExtension(*chosen);
  std::optional<PrivateTempFile> image =
      hex ? PrivateTempFile::create(kFirmwareTempPrefix) : std::nullopt;
  if (hex) {
    // A file that does not convert cleanly is never sent: the user hears why, and the upgrade
    // ends as if cancelled, since the player was not touched.
    HexConversion conversion =
        readIntelHexFile(*chosen, boot ? kBootImageOffset : kCodecImageOffset);
    if (conversion.outcome == HexOutcome::Converted) {
      if (!image || !image->write(conversion.image))
        conversion.outcome = HexOutcome::CannotWriteOutput;
    }
    if (conversion.outcome != HexOutcome::Converted) {
      showText(hexRefusalText(conversion), title, MessageIcon::Warning);
      return kCodeCancelled;
    }
    imagePath = image->path().string();
  }
  settings_.setText(remembered, *chosen);

  const int romMode = static_cast<int>(settings_.integer(kRomSelectKey, 0));
  const DeviceCode code = withLongTimeout([&] {
    return lib_->UpgradeFirmware(owner, handle_, static_cast<int>(kind), romMode, imagePath.c_str(),
                                 chosen->c_str());
  });
  report(owner, code, true);
  for (DriveCache& cache : drives_) cache.dirty = true;
  return code;
}

DeviceCode DeviceLink::DownloadFont(void* owner) {
  if (handle_ == nullptr) return noConnection(owner);
  std::array<uint8_t, kFontRecordSize> raw{};
  if (lib_->GetFontInfo(handle_, raw.data())) {
    const FontRecord stored = FontRecord::parse(raw);
    if (askOverwrite(stored.name) != Answer::Yes) return kCodeCancelled;
  }
  if (chooser_ == nullptr) return kCodeCancelled;
  const auto chosen = chooser_->chooseFileToOpen(owner, kFontDownloadTitle, kFontFilter,
                                                 settings_.text(kFontNameKey));
  if (!chosen) return kCodeCancelled;
  settings_.setText(kFontNameKey, *chosen);
  drives_[0].dirty = true;
  const DeviceCode code =
      lib_->DownloadFont(owner, handle_, chosen->c_str()) ? kCodeOk : lastError();
  return report(owner, code);
}

DeviceCode DeviceLink::EraseFont(void* owner) {
  if (handle_ == nullptr) return noConnection(owner);
  drives_[0].dirty = true;
  if (lib_->EraseFont(handle_)) return kCodeOk;
  lib_->DispError(owner, 0, 0);
  return lastError();
}

DeviceCode DeviceLink::UploadFont(void* owner, const std::string& targetFolder) {
  if (handle_ == nullptr) return noConnection(nullptr);
  std::array<uint8_t, kFontRecordSize> raw{};
  if (!lib_->GetFontInfo(handle_, raw.data())) {
    lib_->DispError(owner, 0, 0);
    const DeviceCode code = lastError();
    return code != kCodeOk ? code : kCodeNoFont;
  }
  const FontRecord font = FontRecord::parse(raw);
  if (!isSafePlayerName(font.name)) {
    showText(kUnsafePlayerName + font.name, kPlayerErrorCaption, MessageIcon::Error);
    return kCodeBadName;
  }
  const std::string target = joinTarget(targetFolder, font.name);
  std::error_code ec;
  if (std::filesystem::exists(target, ec) && askOverwrite(target) != Answer::Yes)
    return kCodeCancelled;
  const DeviceCode code =
      lib_->UploadFont(owner, handle_, target.c_str(), 0, font.size) ? kCodeOk : lastError();
  return report(owner, code);
}

DeviceCode DeviceLink::ReadFontRecord(FontRecord& record) {
  if (handle_ == nullptr) return noConnection(nullptr);
  std::array<uint8_t, kFontRecordSize> raw{};
  if (!lib_->GetFontInfo(handle_, raw.data())) {
    lib_->DispError(nullptr, 0, 0);
    return lastError();
  }
  record = FontRecord::parse(raw);
  return kCodeOk;
}

std::optional<FontRecord> DeviceLink::storedFont() {
  if (handle_ == nullptr) return std::nullopt;
  std::array<uint8_t, kFontRecordSize> raw{};
  if (!lib_->GetFontInfo(handle_, raw.data())) return std::nullopt;
  return FontRecord::parse(raw);
}

}  // namespace norva::device
