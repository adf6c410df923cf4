#include <gtest/gtest.h>

#include "usb/core/fat_test_support.h"
#include "usb/fat_layout.h"
#include "usb/fat_volume.h"
#include "usb/player_records.h"

namespace norva::usb {
namespace {

// Sizes of fresh player volumes, worked out by hand: sectors = MiB * 2048; one reserved
// sector, two tables, 32 root sectors; clusters = (sectors - 1 - 2 * F - 32) / 32 with F the
// smallest table size holding (clusters + 2) 12-bit entries.
struct LayoutRow {
  uint32_t mebibytes;
  bool accepted;
  uint32_t sectorsPerFat;
  uint32_t clusters;
};

class PlayerLayoutTable : public testing::TestWithParam<LayoutRow> {};

TEST_P(PlayerLayoutTable, SizesAndLimit) {
  const LayoutRow row = GetParam();
  const auto layout = playerLayout(row.mebibytes);
  ASSERT_EQ(layout.has_value(), row.accepted);
  if (!row.accepted) return;
  EXPECT_EQ(layout->sectorsPerFat, row.sectorsPerFat);
  EXPECT_EQ(layout->clusterCount(), row.clusters);
  EXPECT_EQ(layout->imageBytes(), uint64_t{row.mebibytes} * 1048576);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, PlayerLayoutTable,
    testing::Values(LayoutRow{0, false, 0, 0},      // below the smallest card
                    LayoutRow{1, true, 1, 62},      // 2048 - 35 = 2013 sectors -> 62 clusters
                    LayoutRow{32, true, 6, 2046},   // internal: 65536 - 45 = 65491 -> 2046
                    LayoutRow{62, true, 12, 3966},  // 126976 - 57 = 126919 -> 3966
                    LayoutRow{63, true, 12, 4030},  // 129024 - 57 = 128967 -> 4030
                    LayoutRow{64, false, 0, 0}));   // 4094 clusters: no longer FAT12

TEST(FreshVolume, ReadsBackEmptyWithEveryClusterFree) {
  MemoryBlockDevice device(freshImage(32));
  const auto volume = FatVolume::open(device);
  ASSERT_NE(volume, nullptr);
  EXPECT_TRUE(volume->files().empty());
  EXPECT_EQ(volume->freeClusters(), 2046u);
  EXPECT_EQ(volume->freeBytes(), 2046u * 16384u);
  EXPECT_EQ(volume->layout().rootEntryCount, 512u);
}

TEST(FreshVolume, BootSectorFieldsAtTheirOffsets) {
  const std::vector<uint8_t> image = freshImage(32);
  // Bytes per sector 512, 32 sectors per cluster, 1 reserved, 2 tables, 512 root entries,
  // 16-bit total 0 (65536 does not fit), media F8, 6 sectors per table, 32-bit total 65536.
  EXPECT_EQ(image[11], 0x00);
  EXPECT_EQ(image[12], 0x02);
  EXPECT_EQ(image[13], 32);
  EXPECT_EQ(image[14], 1);
  EXPECT_EQ(image[16], 2);
  EXPECT_EQ(image[17], 0x00);
  EXPECT_EQ(image[18], 0x02);
  EXPECT_EQ(image[19], 0);
  EXPECT_EQ(image[20], 0);
  EXPECT_EQ(image[21], 0xF8);
  EXPECT_EQ(image[22], 6);
  EXPECT_EQ(image[32], 0x00);
  EXPECT_EQ(image[33], 0x00);
  EXPECT_EQ(image[34], 0x01);
  EXPECT_EQ(image[35], 0x00);
  EXPECT_EQ(image[510], 0x55);
  EXPECT_EQ(image[511], 0xAA);
  // Both tables start with the media byte and an end mark: sectors 1 and 7.
  for (size_t table : {512u, 7u * 512u}) {
    EXPECT_EQ(image[table], 0xF8);
    EXPECT_EQ(image[table + 1], 0xFF);
    EXPECT_EQ(image[table + 2], 0xFF);
  }
}

TEST(FreshVolume, MediumRecordOfTheInternalMemory) {
  MemoryBlockDevice device(freshImage(32));
  const auto volume = FatVolume::open(device);
  ASSERT_NE(volume, nullptr);
  const MediumRecord record = mediumRecordOf(*volume, MediumType::Nand, 32u * 1048576);
  // 0 files; 2046 total blocks (0x07FE); 0 used; 2048 physical (0x0800); 0 bad; I/O good;
  // FAT good; NAND; FAT at sector 1, 6 sectors; root at 13 (0x0D); 512-byte pages; 512 bytes
  // per sector; 32 sectors per cluster; 1 cluster per block; 512 root entries; FAT12.
  const MediumRecord expected = {0x00, 0x00, 0xFE, 0x07, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00,
                                 0x01, 0x01, 0x01, 0x01, 0x00, 0x06, 0x00, 0x0D, 0x00, 0x00,
                                 0x00, 0x02, 0x20, 0x01, 0x00, 0x02, 0x01, 0x00};
  EXPECT_EQ(record, expected);
}

TEST(FreshVolume, CardRecordSaysMmcSd) {
  MemoryBlockDevice device(freshImage(8));
  const auto volume = FatVolume::open(device);
  ASSERT_NE(volume, nullptr);
  const MediumRecord record = mediumRecordOf(*volume, MediumType::MmcSd, 8u * 1048576);
  EXPECT_EQ(record[12], 2);
  EXPECT_EQ(record[6] | (record[7] << 8), 512);  // 8 MiB / 16 KiB
}

// Damaged boot sectors are refused, never trusted.
struct BootDamage {
  const char* what;
  size_t offset;
  uint8_t value;
};

class DamagedBootSector : public testing::TestWithParam<BootDamage> {};

TEST_P(DamagedBootSector, IsRefused) {
  std::vector<uint8_t> image = freshImage(1);
  image[GetParam().offset] = GetParam().value;
  MemoryBlockDevice device(image);
  EXPECT_EQ(FatVolume::open(device), nullptr) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Fields, DamagedBootSector,
                         testing::Values(BootDamage{"no signature", 510, 0x00},
                                         BootDamage{"sector size 768", 12, 0x03},
                                         BootDamage{"zero sectors per cluster", 13, 0},
                                         BootDamage{"3 sectors per cluster", 13, 3},
                                         BootDamage{"no reserved sector", 14, 0},
                                         BootDamage{"no tables", 16, 0},
                                         BootDamage{"zero table size", 22, 0},
                                         BootDamage{"total larger than the image", 20, 0x10},
                                         BootDamage{"no root entries", 18, 0}));

TEST(DamagedImage, TruncatedImageIsRefused) {
  std::vector<uint8_t> image = freshImage(1);
  image.resize(image.size() - 512);
  MemoryBlockDevice device(image);
  EXPECT_EQ(FatVolume::open(device), nullptr);
}

TEST(DamagedImage, TooManyClustersForFat12IsRefused) {
  // 64 MiB with 16 KiB clusters: 4094 clusters, more than FAT12's 4084.
  std::vector<uint8_t> image = freshImage(63);
  image.resize(64u * 1048576, 0);
  image[32] = 0x00;  // total sectors 131072 = 0x00020000
  image[33] = 0x00;
  image[34] = 0x02;
  image[22] = 12;
  MemoryBlockDevice device(image);
  EXPECT_EQ(FatVolume::open(device), nullptr);
}

}  // namespace
}  // namespace norva::usb
