#pragma once
// Where things lie in a FAT12 volume: the boot sector's figures, checked when an image is read,
// and chosen when a fresh volume is made for the player (512-byte sectors, 16 KiB clusters, two
// allocation tables, 512 root entries).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace norva::usb {

inline constexpr uint32_t kSectorSize = 512;
inline constexpr uint32_t kClusterSize = 16384;
inline constexpr uint32_t kRootEntryCount = 512;
inline constexpr uint32_t kDirectorySlotSize = 32;
inline constexpr uint32_t kMiB = 1024 * 1024;
inline constexpr uint32_t kInternalMiB = 32;
// Above 63 MiB a volume with 16 KiB clusters has more than 4084 clusters and is no FAT12.
inline constexpr uint32_t kMaxCardMiB = 63;
// FAT12 holds at most this many data clusters.
inline constexpr uint32_t kMaxFat12Clusters = 4084;

struct FatLayout {
  uint32_t bytesPerSector = 0;
  uint32_t sectorsPerCluster = 0;
  uint32_t reservedSectors = 0;
  uint32_t fatCount = 0;
  uint32_t rootEntryCount = 0;
  uint32_t totalSectors = 0;
  uint32_t sectorsPerFat = 0;
  uint8_t mediaDescriptor = 0;

  uint32_t clusterBytes() const { return bytesPerSector * sectorsPerCluster; }
  uint32_t fatStartSector() const { return reservedSectors; }
  uint32_t rootStartSector() const { return reservedSectors + fatCount * sectorsPerFat; }
  uint32_t rootSectors() const {
    return (rootEntryCount * kDirectorySlotSize + bytesPerSector - 1) / bytesPerSector;
  }
  uint32_t dataStartSector() const { return rootStartSector() + rootSectors(); }
  uint32_t clusterCount() const { return (totalSectors - dataStartSector()) / sectorsPerCluster; }
  uint64_t imageBytes() const { return uint64_t{totalSectors} * bytesPerSector; }
  uint64_t clusterOffset(uint32_t cluster) const {
    return (uint64_t{dataStartSector()} + uint64_t{cluster - 2} * sectorsPerCluster) *
           bytesPerSector;
  }
};

// The layout of a fresh player volume of `mebibytes` MiB (1 to kMaxCardMiB); nothing outside.
std::optional<FatLayout> playerLayout(uint32_t mebibytes);

// Reads and checks the boot sector of an image of `imageBytes` bytes: sane figures, FAT12 by
// cluster count, tables large enough for every cluster, and everything inside the image.
std::optional<FatLayout> parseBootSector(std::span<const uint8_t> bootSector, uint64_t imageBytes);

// The boot sector, the empty allocation tables and the empty root directory of a fresh volume:
// the first dataStartSector() sectors of the image. `volumeId` is the serial number stored in
// the boot sector.
std::vector<uint8_t> freshSystemArea(const FatLayout& layout, uint32_t volumeId);

}  // namespace norva::usb
