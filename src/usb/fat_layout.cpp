#include "usb/fat_layout.h"

#include <algorithm>
#include <cstring>

#include "base/byte_order.h"

namespace norva::usb {
namespace {

constexpr uint8_t kFixedDiskMedia = 0xF8;
constexpr uint32_t kSectorsPerTrack = 32;
constexpr uint32_t kHeads = 64;
constexpr uint8_t kExtendedBootSignature = 0x29;

bool isPowerOfTwo(uint32_t value) {
  return value != 0 && (value & (value - 1)) == 0;
}

// Sectors one allocation table needs to hold entries for every cluster (two reserved ones too).
uint32_t fatSectorsFor(uint32_t clusters, uint32_t bytesPerSector) {
  const uint32_t bytes = ((clusters + 2) * 3 + 1) / 2;
  return (bytes + bytesPerSector - 1) / bytesPerSector;
}

}  // namespace

std::optional<FatLayout> playerLayout(uint32_t mebibytes) {
  if (mebibytes < 1 || mebibytes > kMaxCardMiB) return std::nullopt;
  FatLayout layout;
  layout.bytesPerSector = kSectorSize;
  layout.sectorsPerCluster = kClusterSize / kSectorSize;
  layout.reservedSectors = 1;
  layout.fatCount = 2;
  layout.rootEntryCount = kRootEntryCount;
  layout.totalSectors = mebibytes * (kMiB / kSectorSize);
  layout.mediaDescriptor = kFixedDiskMedia;
  // The table size and the cluster count depend on each other: grow the table until it covers
  // every cluster the remaining space holds.
  layout.sectorsPerFat = 1;
  while (fatSectorsFor(layout.clusterCount(), kSectorSize) > layout.sectorsPerFat)
    ++layout.sectorsPerFat;
  return layout;
}

std::optional<FatLayout> parseBootSector(std::span<const uint8_t> boot, uint64_t imageBytes) {
  if (boot.size() < kSectorSize) return std::nullopt;
  if (boot[510] != 0x55 || boot[511] != 0xAA) return std::nullopt;
  FatLayout layout;
  layout.bytesPerSector = readLe16(boot, 11);
  layout.sectorsPerCluster = boot[13];
  layout.reservedSectors = readLe16(boot, 14);
  layout.fatCount = boot[16];
  layout.rootEntryCount = readLe16(boot, 17);
  layout.totalSectors = readLe16(boot, 19);
  if (layout.totalSectors == 0) layout.totalSectors = readLe32(boot, 32);
  layout.mediaDescriptor = boot[21];
  layout.sectorsPerFat = readLe16(boot, 22);

  const uint32_t bps = layout.bytesPerSector;
  if (!isPowerOfTwo(bps) || bps < 512 || bps > 4096) return std::nullopt;
  if (!isPowerOfTwo(layout.sectorsPerCluster) || layout.sectorsPerCluster > 128)
    return std::nullopt;
  if (layout.reservedSectors < 1 || layout.fatCount < 1 || layout.fatCount > 2) return std::nullopt;
  if (layout.rootEntryCount == 0 || (layout.rootEntryCount * kDirectorySlotSize) % bps != 0)
    return std::nullopt;
  if (layout.sectorsPerFat == 0) return std::nullopt;
  // All figures are at most 16 bits here except the total, so the sums below cannot wrap.
  if (layout.dataStartSector() >= layout.totalSectors) return std::nullopt;
  if (layout.imageBytes() > imageBytes) return std::nullopt;
  const uint32_t clusters = layout.clusterCount();
  if (clusters < 1 || clusters > kMaxFat12Clusters) return std::nullopt;
  if (uint64_t{layout.sectorsPerFat} * bps * 2 / 3 < clusters + 2) return std::nullopt;
  return layout;
}

std::vector<uint8_t> freshSystemArea(const FatLayout& layout, uint32_t volumeId) {
  std::vector<uint8_t> area(size_t{layout.dataStartSector()} * layout.bytesPerSector, 0);
  std::span<uint8_t> boot(area.data(), layout.bytesPerSector);
  const uint8_t jump[] = {0xEB, 0x3C, 0x90};
  std::memcpy(boot.data(), jump, sizeof jump);
  std::memcpy(boot.data() + 3, "NORVA1.0", 8);
  writeLe16(boot, 11, static_cast<uint16_t>(layout.bytesPerSector));
  boot[13] = static_cast<uint8_t>(layout.sectorsPerCluster);
  writeLe16(boot, 14, static_cast<uint16_t>(layout.reservedSectors));
  boot[16] = static_cast<uint8_t>(layout.fatCount);
  writeLe16(boot, 17, static_cast<uint16_t>(layout.rootEntryCount));
  if (layout.totalSectors <= 0xFFFF)
    writeLe16(boot, 19, static_cast<uint16_t>(layout.totalSectors));
  else
    writeLe32(boot, 32, layout.totalSectors);
  boot[21] = layout.mediaDescriptor;
  writeLe16(boot, 22, static_cast<uint16_t>(layout.sectorsPerFat));
  writeLe16(boot, 24, static_cast<uint16_t>(kSectorsPerTrack));
  writeLe16(boot, 26, static_cast<uint16_t>(kHeads));
  boot[36] = 0x80;  // fixed disk
  boot[38] = kExtendedBootSignature;
  writeLe32(boot, 39, volumeId);
  std::memcpy(boot.data() + 43, "NO NAME    ", 11);
  std::memcpy(boot.data() + 54, "FAT12   ", 8);
  boot[62] = 0xF4;  // hlt: the volume is not bootable
  boot[510] = 0x55;
  boot[511] = 0xAA;

  // Entries 0 and 1 of each table: the media descriptor and an end-of-chain mark.
  for (uint32_t copy = 0; copy < layout.fatCount; ++copy) {
    const size_t start = (size_t{layout.fatStartSector()} + size_t{copy} * layout.sectorsPerFat) *
                         layout.bytesPerSector;
    area[start] = layout.mediaDescriptor;
    area[start + 1] = 0xFF;
    area[start + 2] = 0xFF;
  }
  return area;
}

}  // namespace norva::usb
