#include "usb/service/simulated_player.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "base/service/file_io.h"
#include "usb/fat_layout.h"
#include "usb/fat_volume.h"
#include "usb/ima_adpcm.h"
#include "usb/service/image_file.h"
#include "usb/service/state_lock.h"
#include "usb/service/store_file.h"

namespace norva::usb {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kAttachedFlag = "attached";
constexpr std::string_view kInternalImage = "internal.img";
constexpr std::string_view kExternalImage = "external.img";

int lastErrnoOr(int fallback) {
  return errno != 0 ? errno : fallback;
}

// Today's local date and time in the directory's packed form (years before 1980 cannot be
// stored and become 1980).
DosTimestamp dosNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  DosTimestamp stamp;
  const int year = std::max(local.tm_year + 1900, 1980) - 1980;
  stamp.date =
      static_cast<uint16_t>((std::min(year, 127) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
  stamp.time =
      static_cast<uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
  return stamp;
}

std::optional<FatLayout> layoutForImage(uint64_t imageBytes) {
  if (imageBytes % kMiB != 0) return std::nullopt;
  return playerLayout(static_cast<uint32_t>(std::min<uint64_t>(imageBytes / kMiB, UINT32_MAX)));
}

// A fresh, formatted image file of `mebibytes` MiB (sparse: the data area reads as zeros).
PlayerResult createImage(const fs::path& path, uint32_t mebibytes) {
  const auto layout = playerLayout(mebibytes);
  if (!layout) return failed(PlayerError::BadRange);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return failed(PlayerError::File, errno);
  const std::vector<uint8_t> area =
      freshSystemArea(*layout, static_cast<uint32_t>(std::time(nullptr)));
  bool ok = ::ftruncate(fd, static_cast<off_t>(layout->imageBytes())) == 0;
  size_t done = 0;
  while (ok && done < area.size()) {
    const ssize_t put = ::write(fd, area.data() + done, area.size() - done);
    ok = put > 0;
    if (ok) done += static_cast<size_t>(put);
  }
  const int error = errno;
  ::close(fd);
  return ok ? PlayerResult{} : failed(PlayerError::File, error);
}

PlayerResult fromFat(FatStatus status, const ImageFile& image) {
  switch (status) {
    case FatStatus::Ok:
      return {};
    case FatStatus::BadImage:
      return failed(PlayerError::BadImage);
    case FatStatus::WriteFailed:
      return image.gateClosed() ? failed(PlayerError::NotAttached)
                                : failed(PlayerError::General, image.lastError());
    case FatStatus::DiskFull:
      return failed(PlayerError::DiskFull);
    case FatStatus::DirectoryFull:
      return failed(PlayerError::DirectoryFull);
    case FatStatus::NoSuchEntry:
      return failed(PlayerError::BadIndex);
    case FatStatus::BadName:
      return failed(PlayerError::BadName);
    case FatStatus::Exists:
      return failed(PlayerError::Exists);
  }
  return failed(PlayerError::General);
}

bool validIndex(int index, const FatVolume& volume) {
  return index >= 0 && static_cast<size_t>(index) < volume.files().size();
}

}  // namespace

fs::path SimulatedPlayer::defaultFolder() {
  if (const char* dir = std::getenv("NORVA_PLAYER_DIR"); dir && *dir) return dir;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return fs::path(data) / "norva" / "player";
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : ".") / ".local" / "share" / "norva" / "player";
}

SimulatedPlayer::SimulatedPlayer(fs::path folder) : folder_(std::move(folder)) {}
SimulatedPlayer::~SimulatedPlayer() = default;

bool SimulatedPlayer::exists() const {
  std::error_code ec;
  return fs::is_regular_file(path(kInternalImage), ec);
}

bool SimulatedPlayer::isAttached() const {
  std::error_code ec;
  return exists() && fs::exists(path(kAttachedFlag), ec);
}

fs::path SimulatedPlayer::imagePath(int drive) const {
  return path(drive == 0 ? kInternalImage : kExternalImage);
}

PlayerResult SimulatedPlayer::create(uint32_t cardMiB) {
  if (cardMiB != 0 && !playerLayout(cardMiB)) return failed(PlayerError::BadRange);
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) return failed(PlayerError::File, ec.value());
  const StateLock lock(folder_, lockTimeout_);
  if (lock.outcome() != StateLock::Outcome::Locked) return failed(PlayerError::Busy);
  if (exists()) return failed(PlayerError::Exists);
  fs::remove(path(kExternalImage), ec);
  if (cardMiB != 0)
    if (const auto result = createImage(path(kExternalImage), cardMiB); !result.ok()) return result;
  // The internal image last: its presence is what makes the folder a player.
  if (const auto result = createImage(path(kInternalImage), kInternalMiB); !result.ok())
    return result;
  return attach();
}

PlayerResult SimulatedPlayer::attach() {
  if (!exists()) return failed(PlayerError::NoConnection);
  std::ofstream flag(path(kAttachedFlag));
  if (!flag) return failed(PlayerError::File, lastErrnoOr(EIO));
  return {};
}

PlayerResult SimulatedPlayer::detach() {
  // Like pulling the cable: no waiting for an operation in progress.
  if (!exists()) return failed(PlayerError::NoConnection);
  std::error_code ec;
  fs::remove(path(kAttachedFlag), ec);
  if (ec) return failed(PlayerError::File, ec.value());
  return {};
}

PlayerResult SimulatedPlayer::locked(const std::function<PlayerResult()>& body) const {
  std::error_code ec;
  if (!fs::is_directory(folder_, ec)) return failed(PlayerError::NoConnection);
  const StateLock lock(folder_, lockTimeout_);
  if (lock.outcome() == StateLock::Outcome::NoFolder) return failed(PlayerError::NoConnection);
  if (lock.outcome() == StateLock::Outcome::TimedOut) return failed(PlayerError::Busy);
  if (!exists()) return failed(PlayerError::NoConnection);
  if (!isAttached()) return failed(PlayerError::NotAttached);
  return body();
}

PlayerResult SimulatedPlayer::withImage(int drive,
                                        const std::function<PlayerResult(ImageFile&)>& body) const {
  return locked([&] {
    std::error_code ec;
    if ((drive != 0 && drive != 1) || !fs::is_regular_file(imagePath(drive), ec))
      return failed(PlayerError::BadDrive);
    ImageFile image(imagePath(drive), [this] {
      if (writeHook_) writeHook_();
      return isAttached();
    });
    if (!image.isOpen()) return failed(PlayerError::File, image.lastError());
    return body(image);
  });
}

PlayerResult SimulatedPlayer::withVolume(
    int drive, const std::function<PlayerResult(FatVolume&, ImageFile&)>& body) const {
  return withImage(drive, [&](ImageFile& image) {
    const auto volume = FatVolume::open(image);
    if (!volume) return failed(PlayerError::Unformatted);
    return body(*volume, image);
  });
}

PlayerResult SimulatedPlayer::writeFailure(const ImageFile& image) const {
  return image.gateClosed() ? failed(PlayerError::NotAttached)
                            : failed(PlayerError::General, image.lastError());
}

PlayerResult SimulatedPlayer::listDrive(int drive, DriveListing& listing) {
  listing = DriveListing{};
  return withImage(drive, [&](ImageFile& image) {
    const auto volume = FatVolume::open(image);
    if (!volume) {
      listing.summary = unformattedSummary(image.writable());
      return failed(PlayerError::Unformatted);
    }
    listing.entries.reserve(volume->files().size());
    for (const FileEntry& entry : volume->files())
      listing.entries.push_back(directoryEntryRecordOf(entry));
    listing.summary = summaryOf(*volume, image.writable());
    return PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::mediumRecord(int drive, MediumRecord& record) {
  const MediumType type = drive == 0 ? MediumType::Nand : MediumType::MmcSd;
  return withImage(drive, [&](ImageFile& image) {
    const auto volume = FatVolume::open(image);
    record = volume ? mediumRecordOf(*volume, type, image.size())
                    : unformattedMediumRecord(type, image.size());
    return PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::download(int drive, const fs::path& pcFile) {
  return withVolume(drive, [&](FatVolume& volume, ImageFile& image) {
    std::error_code ec;
    const auto status = fs::status(pcFile, ec);
    if (!fs::exists(status)) return failed(PlayerError::File, ENOENT);
    if (fs::is_directory(status)) return failed(PlayerError::File, EISDIR);
    const std::string name = pcFile.filename().string();
    if (!isValidLongName(name)) return failed(PlayerError::BadName);
    // A file that cannot fit is refused before anything is read or written.
    const uint64_t size = fs::file_size(pcFile, ec);
    if (ec) return failed(PlayerError::File, ec.value());
    if (size > volume.freeBytes()) return failed(PlayerError::DiskFull);
    errno = 0;
    const ReadResult read = readWholeFile(pcFile, volume.freeBytes());
    if (read.status == ReadResult::Status::TooLarge) return failed(PlayerError::DiskFull);
    if (read.status != ReadResult::Status::Ok) return failed(PlayerError::File, lastErrnoOr(EIO));
    return fromFat(volume.addFile(name, read.bytes, dosNow()), image);
  });
}

PlayerResult SimulatedPlayer::upload(int drive, int index, const fs::path& target,
                                     std::optional<std::string_view> playerName,
                                     uint32_t expectedSize, Conversion conversion) {
  return withVolume(drive, [&](FatVolume& volume, ImageFile& image) {
    if (!validIndex(index, volume)) return failed(PlayerError::BadIndex);
    const FileEntry& entry = volume.files()[static_cast<size_t>(index)];
    if (entry.size != expectedSize) return failed(PlayerError::StaleEntry);
    if (!isSafeForPc(entry.displayName()) || (playerName && !isSafeForPc(*playerName)))
      return failed(PlayerError::BadName);
    std::vector<uint8_t> data;
    if (const auto result = fromFat(volume.readFile(static_cast<size_t>(index), data), image);
        !result.ok())
      return result;
    if (conversion == Conversion::None) return storeFile(target, data);
    const auto wave = decodeImaAdpcmWave(data);
    if (!wave) return failed(PlayerError::BadImage);
    return storeFile(target, *wave);
  });
}

PlayerResult SimulatedPlayer::remove(int drive, int index, std::string_view expectedName) {
  return withVolume(drive, [&](FatVolume& volume, ImageFile& image) {
    if (!validIndex(index, volume)) return failed(PlayerError::BadIndex);
    if (!volume.files()[static_cast<size_t>(index)].isNamed(expectedName))
      return failed(PlayerError::StaleEntry);
    return fromFat(volume.removeFile(static_cast<size_t>(index)), image);
  });
}

PlayerResult SimulatedPlayer::rename(int drive, int index, std::string_view newName,
                                     std::string_view expectedName) {
  return withVolume(drive, [&](FatVolume& volume, ImageFile& image) {
    if (!validIndex(index, volume)) return failed(PlayerError::BadIndex);
    if (!volume.files()[static_cast<size_t>(index)].isNamed(expectedName))
      return failed(PlayerError::StaleEntry);
    return fromFat(volume.renameFile(static_cast<size_t>(index), newName), image);
  });
}

PlayerResult SimulatedPlayer::swap(
    int drive, int index, int neighbour,
    std::optional<std::pair<std::string_view, std::string_view>> expectedNames) {
  return withVolume(drive, [&](FatVolume& volume, ImageFile& image) {
    if (!validIndex(index, volume) || !validIndex(neighbour, volume))
      return failed(PlayerError::BadIndex);
    const auto& files = volume.files();
    if (expectedNames && (!files[static_cast<size_t>(index)].isNamed(expectedNames->first) ||
                          !files[static_cast<size_t>(neighbour)].isNamed(expectedNames->second)))
      return failed(PlayerError::StaleEntry);
    return fromFat(volume.swapFiles(static_cast<size_t>(index), static_cast<size_t>(neighbour)),
                   image);
  });
}

PlayerResult SimulatedPlayer::format(int drive) {
  return withImage(drive, [&](ImageFile& image) {
    const auto layout = layoutForImage(image.size());
    if (!layout) return failed(PlayerError::BadImage);
    if (!image.write(0, freshSystemArea(*layout, static_cast<uint32_t>(std::time(nullptr)))))
      return writeFailure(image);
    return PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::formatLow(int drive) {
  return withImage(drive, [&](ImageFile& image) {
    const auto layout = layoutForImage(image.size());
    if (!layout) return failed(PlayerError::BadImage);
    if (!image.erase() ||
        !image.write(0, freshSystemArea(*layout, static_cast<uint32_t>(std::time(nullptr)))))
      return writeFailure(image);
    return PlayerResult{};
  });
}

PlayerResult SimulatedPlayer::readRaw(int drive, uint32_t firstBlock, uint32_t blockCount,
                                      const fs::path& target, uint32_t byteCount) {
  return withImage(drive, [&](ImageFile& image) {
    // The drive's total blocks are those its summary reports (the whole image when it holds no
    // volume); every sum below is taken in 64 bits so that no range can wrap into an accepted one.
    const auto volume = FatVolume::open(image);
    const uint64_t total = volume ? summaryOf(*volume, true)[1] : image.size() / kBlockSize;
    const uint64_t first = firstBlock;
    const uint64_t count = blockCount;
    if (count < 1 || first >= total || count > total - first) return failed(PlayerError::BadRange);
    if (uint64_t{byteCount} != count * kBlockSize) return failed(PlayerError::BadRange);
    if ((first + count) * kBlockSize > image.size()) return failed(PlayerError::BadRange);
    std::vector<uint8_t> bytes(static_cast<size_t>(count * kBlockSize));
    if (!image.read(first * kBlockSize, bytes))
      return failed(PlayerError::General, image.lastError());
    return storeFile(target, bytes);
  });
}

}  // namespace norva::usb
