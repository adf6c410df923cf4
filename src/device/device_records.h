#pragma once
// The fixed-layout records the player's library fills: directory entries of the per-drive
// cache, the medium record, the font record, and the drive summary words. All little-endian
// and packed; text is UTF-8, zero-terminated inside its field.
#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace norva::device {

inline constexpr size_t kDirectoryEntrySize = 300;
inline constexpr size_t kMediumRecordSize = 28;
inline constexpr size_t kFontRecordSize = 268;
inline constexpr size_t kSummaryWords = 6;
inline constexpr uint32_t kBlockSize = 16384;
inline constexpr int kCacheEntries = 512;
inline constexpr int kDriveCount = 2;

// Medium flags of the summary.
inline constexpr uint32_t kMediumPresent = 2;
inline constexpr uint32_t kMediumFormatted = 4;
inline constexpr uint32_t kMediumWritable = 8;

// One directory entry: short name at 0 (8 characters, blank padded, terminator at 8),
// extension at 9 (3 characters, terminator at 12), size at 32, long name at 36
// (zero-terminated; empty means the short name is used). Bytes 16-19 carry the FAT write time
// and date of the file (0 when the library does not know them).
class DirectoryEntry {
 public:
  DirectoryEntry() = default;
  explicit DirectoryEntry(std::span<const uint8_t, kDirectoryEntrySize> bytes);

  // Cuts the trailing blanks of the short name and extension, as the cache keeps them.
  void trimShortName();

  std::string shortName() const;  // trailing blanks removed
  std::string extension() const;  // trailing blanks removed
  std::string longName() const;
  uint32_t size() const;
  uint16_t fatTime() const;
  uint16_t fatDate() const;
  // The long name when present, else short name "." extension (no "." for no extension).
  std::string displayName() const;

  const std::array<uint8_t, kDirectoryEntrySize>& bytes() const { return bytes_; }
  std::array<uint8_t, kDirectoryEntrySize>& bytes() { return bytes_; }

 private:
  std::array<uint8_t, kDirectoryEntrySize> bytes_{};
};

// The six summary words of a drive.
struct MediumSummary {
  uint32_t fileCount = 0;
  uint32_t totalBlocks = 0;
  uint32_t usedBlocks = 0;
  uint32_t flags = 0;
  uint32_t reserved[2] = {0, 0};

  uint64_t totalBytes() const { return uint64_t{totalBlocks} * kBlockSize; }
  uint64_t freeBytes() const {
    return usedBlocks >= totalBlocks ? 0 : uint64_t{totalBlocks - usedBlocks} * kBlockSize;
  }
  static MediumSummary fromWords(std::span<const uint32_t, kSummaryWords> words);
};

// The 28-byte medium record.
struct MediumRecord {
  uint16_t fileCount = 0;
  uint16_t totalBlocks = 0;
  uint16_t usedBlocks = 0;
  uint16_t physicalBlocks = 0;
  uint16_t badBlocks = 0;
  uint8_t deviceStatus = 0;  // 0 bad, else good
  uint8_t fatStatus = 0;     // 0 bad, else good
  uint8_t mediumType = 0;    // 1 NAND/SMC, 2 MMC/SD
  uint16_t fatStartSector = 0;
  uint16_t fatSectorCount = 0;
  uint16_t rootStartSector = 0;
  uint8_t pageSizeCode = 0;  // 0 = 512 bytes, 1 = 1024 bytes
  uint16_t bytesPerSector = 0;
  uint8_t sectorsPerCluster = 0;
  uint8_t clustersPerBlock = 0;
  uint16_t rootEntryCount = 0;
  uint8_t fatType = 0;  // 1 or 2 = FAT12

  static MediumRecord parse(std::span<const uint8_t, kMediumRecordSize> bytes);
};

// The 268-byte font record: name (264 bytes, zero-terminated) and size at 264.
struct FontRecord {
  std::string name;  // at most 259 characters, as the device manager copies it
  uint32_t size = 0;

  static FontRecord parse(std::span<const uint8_t, kFontRecordSize> bytes);
};

// FAT date and time fields as "YYYY-MM-DD HH:MM:SS" (the player's clock is local time);
// "-" when the date is 0.
std::string formatFatTimestamp(uint16_t date, uint16_t time);

}  // namespace norva::device
