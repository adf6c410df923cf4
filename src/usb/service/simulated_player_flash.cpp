// The simulated player's flash beside its drives: firmware images with their version texts,
// and the font library.
#include <cerrno>
#include <fstream>
#include <sstream>

#include "base/service/file_io.h"
#include "usb/fat_names.h"
#include "usb/firmware_version.h"
#include "usb/service/simulated_player.h"
#include "usb/service/state_lock.h"
#include "usb/service/store_file.h"

namespace norva::usb {
namespace fs = std::filesystem;
namespace {

constexpr uint64_t kMaxFlashFile = 16u * 1024 * 1024;
constexpr std::string_view kFontFile = "font.fot";
constexpr std::string_view kFontNameFile = "font_name.txt";

std::optional<std::string> readText(const fs::path& file) {
  const ReadResult read = readWholeFile(file, kMaxFlashFile);
  if (read.status != ReadResult::Status::Ok) return std::nullopt;
  return std::string(read.bytes.begin(), read.bytes.end());
}

// Reads a PC file for the flash: missing files are File/ENOENT, empty or oversized ones
// BadImage.
PlayerResult readFlashSource(const fs::path& file, std::vector<uint8_t>& bytes) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return failed(PlayerError::File, ENOENT);
  errno = 0;
  ReadResult read = readWholeFile(file, kMaxFlashFile);
  if (read.status == ReadResult::Status::TooLarge) return failed(PlayerError::BadImage);
  if (read.status != ReadResult::Status::Ok)
    return failed(PlayerError::File, errno != 0 ? errno : EACCES);
  if (read.bytes.empty()) return failed(PlayerError::BadImage);
  bytes = std::move(read.bytes);
  return {};
}

}  // namespace

PlayerResult SimulatedPlayer::upgradeFirmware(int kind, const fs::path& image,
                                              std::string_view chosenName) {
  return locked([&] {
    if (kind != 0 && kind != 1) return failed(PlayerError::General, EINVAL);
    std::vector<uint8_t> bytes;
    if (const auto result = readFlashSource(image, bytes); !result.ok()) return result;
    const std::string stem = kind == 0 ? "codec" : "boot";
    if (const auto result = storeFile(path(stem + ".bin"), bytes); !result.ok()) return result;
    const std::string version = firmwareVersionText(bytes, chosenName);
    return storeFile(
        path(stem + "_version.txt"),
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(version.data()), version.size()));
  });
}

std::optional<std::string> SimulatedPlayer::firmwareVersion() const {
  if (!isAttached()) return std::nullopt;
  return readText(folder_ / "codec_version.txt").value_or(std::string{});
}

PlayerResult SimulatedPlayer::downloadFont(const fs::path& fontFile) {
  return locked([&] {
    std::vector<uint8_t> bytes;
    if (const auto result = readFlashSource(fontFile, bytes); !result.ok()) return result;
    const std::string name = fontFile.filename().string();
    if (!fontRecordOf(name, static_cast<uint32_t>(bytes.size())) || !isSafeForPc(name))
      return failed(PlayerError::BadName);
    if (const auto result = storeFile(path(kFontFile), bytes); !result.ok()) return result;
    return storeFile(
        path(kFontNameFile),
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(name.data()), name.size()));
  });
}

PlayerResult SimulatedPlayer::fontRecord(FontRecord& record) {
  return locked([&] {
    const auto name = readText(path(kFontNameFile));
    std::error_code ec;
    const uint64_t size = fs::file_size(path(kFontFile), ec);
    if (!name || ec) return failed(PlayerError::NoFont);
    const auto filled = fontRecordOf(*name, static_cast<uint32_t>(size));
    if (!filled) return failed(PlayerError::BadName);
    record = *filled;
    return PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::eraseFont() {
  return locked([&] {
    std::error_code ec;
    fs::remove(path(kFontNameFile), ec);
    if (!ec) fs::remove(path(kFontFile), ec);
    return ec ? failed(PlayerError::File, ec.value()) : PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::uploadFont(const fs::path& target, uint32_t expectedSize) {
  return locked([&] {
    const auto name = readText(path(kFontNameFile));
    const ReadResult font = readWholeFile(path(kFontFile), kMaxFlashFile);
    if (!name || font.status != ReadResult::Status::Ok) return failed(PlayerError::NoFont);
    if (!isSafeForPc(*name)) return failed(PlayerError::BadName);
    if (font.bytes.size() != expectedSize) return failed(PlayerError::StaleEntry);
    return storeFile(target, font.bytes);
  });
}

PlayerResult SimulatedPlayer::status(PlayerStatus& status) {
  status = PlayerStatus{};
  std::error_code ec;
  if (!fs::is_directory(folder_, ec)) return failed(PlayerError::NoConnection);
  const StateLock lock(folder_, lockTimeout_);
  if (lock.outcome() != StateLock::Outcome::Locked) return failed(PlayerError::Busy);
  status.exists = exists();
  status.attached = isAttached();
  status.hasCard = fs::is_regular_file(path("external.img"), ec);
  status.firmwareVersion = readText(path("codec_version.txt")).value_or(std::string{});
  status.fontName = readText(path(kFontNameFile));
  if (status.fontName) status.fontSize = static_cast<uint32_t>(fs::file_size(path(kFontFile), ec));
  return status.exists ? PlayerResult{} : failed(PlayerError::NoConnection);
}

}  // namespace norva::usb
