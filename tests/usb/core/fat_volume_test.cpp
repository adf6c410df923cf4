#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "usb/core/fat_test_support.h"
#include "usb/fat_volume.h"

namespace norva::usb {
namespace {

constexpr size_t kRootOffset = 13 * 512;      // root directory of a fresh 32 MiB volume
constexpr size_t kSmallRootOffset = 3 * 512;  // of a fresh 1 MiB volume (tables of 1 sector)
constexpr size_t kFatOffset = 512;

std::vector<std::string> namesOf(const FatVolume& volume) {
  std::vector<std::string> names;
  for (const FileEntry& entry : volume.files()) names.push_back(entry.displayName());
  return names;
}

std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 9));
  return data;
}

uint32_t fat12Entry(const std::vector<uint8_t>& image, uint32_t cluster) {
  const size_t offset = kFatOffset + cluster * 3 / 2;
  const uint32_t pair = image[offset] | (image[offset + 1] << 8);
  return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

class VolumeTest : public testing::Test {
 protected:
  VolumeTest() : device_(freshImage(32)), volume_(FatVolume::open(device_)) {}
  MemoryBlockDevice device_;
  std::unique_ptr<FatVolume> volume_;
};

TEST_F(VolumeTest, AddedFilesListInOrderAndReadBackWhole) {
  const auto first = pattern(40000, 1);  // 3 clusters, the last one partly used
  const auto second = pattern(0, 2);
  const auto third = pattern(16384, 3);  // exactly one cluster
  ASSERT_EQ(volume_->addFile("歌曲 一.mp3", first, {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("EMPTY.TXT", second, {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("third song with a long name.mp3", third, {}), FatStatus::Ok);
  EXPECT_EQ(namesOf(*volume_), (std::vector<std::string>{"歌曲 一.mp3", "EMPTY.TXT",
                                                         "third song with a long name.mp3"}));
  EXPECT_EQ(volume_->freeClusters(), 2046u - 4u);

  // A second volume over the same bytes sees the same thing.
  const auto reread = FatVolume::open(device_);
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(namesOf(*reread), namesOf(*volume_));
  std::vector<uint8_t> data;
  ASSERT_EQ(reread->readFile(0, data), FatStatus::Ok);
  EXPECT_EQ(data, first);
  ASSERT_EQ(reread->readFile(1, data), FatStatus::Ok);
  EXPECT_TRUE(data.empty());
  ASSERT_EQ(reread->readFile(2, data), FatStatus::Ok);
  EXPECT_EQ(data, third);
  EXPECT_EQ(reread->readFile(3, data), FatStatus::NoSuchEntry);
}

TEST_F(VolumeTest, ShortOnlyNameNeedsOneSlotAndLongNameItsSlots) {
  ASSERT_EQ(volume_->addFile("SONG.MP3", {}, {}), FatStatus::Ok);
  EXPECT_EQ(volume_->usedSlots(), 1u);
  // 13 units fit one long slot, 14 need two: 1 + 2 + 1 + 3 slots.
  ASSERT_EQ(volume_->addFile("abcdefghi.mp3", {}, {}), FatStatus::Ok);
  EXPECT_EQ(volume_->usedSlots(), 3u);
  ASSERT_EQ(volume_->addFile("abcdefghij.mp3", {}, {}), FatStatus::Ok);
  EXPECT_EQ(volume_->usedSlots(), 6u);
  EXPECT_EQ(volume_->files()[2].longName, "abcdefghij.mp3");
  EXPECT_EQ(shortNameText(volume_->files()[2].shortName), "ABCDEF~2.MP3");
}

TEST_F(VolumeTest, SameNameInAnyCaseIsRefused) {
  ASSERT_EQ(volume_->addFile("Song.mp3", {}, {}), FatStatus::Ok);
  EXPECT_EQ(volume_->addFile("SONG.MP3", {}, {}), FatStatus::Exists);
  EXPECT_EQ(volume_->addFile("song.MP3", {}, {}), FatStatus::Exists);
  EXPECT_EQ(volume_->addFile("bad/name.mp3", {}, {}), FatStatus::BadName);
  EXPECT_EQ(volume_->files().size(), 1u);
}

TEST_F(VolumeTest, RemoveFreesClustersAndLaterEntriesMoveUp) {
  ASSERT_EQ(volume_->addFile("a long first name.mp3", pattern(50000, 1), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("second.mp3", pattern(100, 2), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("third.mp3", pattern(100, 3), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->removeFile(0), FatStatus::Ok);
  EXPECT_EQ(namesOf(*volume_), (std::vector<std::string>{"second.mp3", "third.mp3"}));
  EXPECT_EQ(volume_->freeClusters(), 2046u - 2u);
  // Clusters 2..5 held the first file; they are free in the table again.
  for (uint32_t cluster = 2; cluster <= 5; ++cluster)
    EXPECT_EQ(fat12Entry(device_.image(), cluster), 0u) << cluster;
  // The directory holds no deleted slots: the first slot is now second.mp3's long name.
  const auto& image = device_.image();
  EXPECT_EQ(image[kRootOffset + 11], 0x0F);
  EXPECT_EQ(image[kRootOffset], 0x41);
  std::vector<uint8_t> data;
  ASSERT_EQ(volume_->readFile(1, data), FatStatus::Ok);
  EXPECT_EQ(data, pattern(100, 3));
}

TEST_F(VolumeTest, RenameGivesNewLongAndUniqueShortNameKeepingDataAndPlace) {
  ASSERT_EQ(volume_->addFile("one.mp3", pattern(20000, 1), {0x1234, 0x5678}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("Lovely Day.mp3", {}, {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("three.mp3", {}, {}), FatStatus::Ok);
  ASSERT_EQ(volume_->renameFile(0, "Lovely Night.mp3"), FatStatus::Ok);
  EXPECT_EQ(namesOf(*volume_),
            (std::vector<std::string>{"Lovely Night.mp3", "Lovely Day.mp3", "three.mp3"}));
  EXPECT_EQ(shortNameText(volume_->files()[0].shortName), "LOVELY~2.MP3");
  EXPECT_EQ(volume_->files()[0].written.time, 0x1234);
  EXPECT_EQ(volume_->files()[0].written.date, 0x5678);
  std::vector<uint8_t> data;
  ASSERT_EQ(volume_->readFile(0, data), FatStatus::Ok);
  EXPECT_EQ(data, pattern(20000, 1));
  EXPECT_EQ(volume_->renameFile(0, "three.mp3"), FatStatus::Exists);
  EXPECT_EQ(volume_->renameFile(0, "LOVELY NIGHT.MP3"), FatStatus::Ok);  // only the case changes
  EXPECT_EQ(volume_->renameFile(5, "x.mp3"), FatStatus::NoSuchEntry);
}

TEST_F(VolumeTest, SwapMovesWholeEntryGroups) {
  ASSERT_EQ(volume_->addFile("A.MP3", pattern(10, 1), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("a much longer name for b.mp3", pattern(20, 2), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->addFile("C.MP3", pattern(30, 3), {}), FatStatus::Ok);
  ASSERT_EQ(volume_->swapFiles(0, 1), FatStatus::Ok);
  EXPECT_EQ(namesOf(*volume_),
            (std::vector<std::string>{"a much longer name for b.mp3", "A.MP3", "C.MP3"}));
  // b's three long slots come first now, then its short entry, then A's.
  const auto& image = device_.image();
  EXPECT_EQ(image[kRootOffset], 0x43);
  EXPECT_EQ(image[kRootOffset + 2 * 32], 0x01);
  EXPECT_EQ(
      std::string(image.begin() + kRootOffset + 4 * 32, image.begin() + kRootOffset + 4 * 32 + 11),
      "A       MP3");
  const auto reread = FatVolume::open(device_);
  std::vector<uint8_t> data;
  ASSERT_EQ(reread->readFile(0, data), FatStatus::Ok);
  EXPECT_EQ(data, pattern(20, 2));
  ASSERT_EQ(volume_->swapFiles(2, 0), FatStatus::Ok);
  EXPECT_EQ(namesOf(*volume_),
            (std::vector<std::string>{"C.MP3", "A.MP3", "a much longer name for b.mp3"}));
}

// Root directory limit: 512 slots, one per short-name-only file.
struct RootRow {
  size_t filesBefore;
  FatStatus last;
};

class RootDirectoryLimit : public testing::TestWithParam<RootRow> {};

TEST_P(RootDirectoryLimit, LastFileFitsOrNot) {
  MemoryBlockDevice device(freshImage(1));
  const auto volume = FatVolume::open(device);
  for (size_t i = 0; i < GetParam().filesBefore; ++i)
    ASSERT_EQ(volume->addFile("F" + std::to_string(i) + ".TXT", {}, {}), FatStatus::Ok) << i;
  const auto before = device.image();
  EXPECT_EQ(volume->addFile("LAST.TXT", {}, {}), GetParam().last);
  if (GetParam().last != FatStatus::Ok) {
    EXPECT_EQ(device.image(), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Slots, RootDirectoryLimit,
                         testing::Values(RootRow{510, FatStatus::Ok},  // 511th file
                                         RootRow{511, FatStatus::Ok},  // 512th: last slot
                                         RootRow{512, FatStatus::DirectoryFull}));  // 513th

TEST(RootDirectoryLimit, LongNameNeedingTwoSlotsWhenOneIsLeft) {
  MemoryBlockDevice device(freshImage(1));
  const auto volume = FatVolume::open(device);
  for (size_t i = 0; i < 511; ++i)
    ASSERT_EQ(volume->addFile("F" + std::to_string(i) + ".TXT", {}, {}), FatStatus::Ok);
  EXPECT_EQ(volume->addFile("long name.txt", {}, {}), FatStatus::DirectoryFull);
}

// Free space: a fresh 1 MiB volume has 62 clusters of 16384 bytes = 1015808 bytes.
struct SpaceRow {
  uint64_t size;
  FatStatus result;
};

class DriveSpaceLimit : public testing::TestWithParam<SpaceRow> {};

TEST_P(DriveSpaceLimit, FileFitsOrNothingIsWritten) {
  MemoryBlockDevice device(freshImage(1));
  const auto volume = FatVolume::open(device);
  const auto before = device.image();
  EXPECT_EQ(volume->addFile("big.bin", pattern(GetParam().size, 9), {}), GetParam().result);
  if (GetParam().result == FatStatus::Ok) {
    EXPECT_EQ(volume->freeClusters(), 0u);
  } else {
    EXPECT_EQ(device.image(), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, DriveSpaceLimit,
                         testing::Values(SpaceRow{1015807, FatStatus::Ok},
                                         SpaceRow{1015808, FatStatus::Ok},
                                         SpaceRow{1015809, FatStatus::DiskFull}));

TEST(InterruptedAdd, EveryStopLeavesOnlyLostClustersAndOtherFilesIntact) {
  // Find how many writes a whole add takes, then stop it after each possible count.
  const std::vector<uint8_t> keep = pattern(30000, 5);
  const std::vector<uint8_t> added = pattern(3 * 1024 * 1024 + 5, 6);
  std::vector<uint8_t> base;
  {
    FailingDevice device(freshImage(8), 1000);
    const auto volume = FatVolume::open(device);
    ASSERT_EQ(volume->addFile("keep.mp3", keep, {}), FatStatus::Ok);
    base = device.image();
  }
  FailingDevice counting(base, 1000);
  ASSERT_EQ(FatVolume::open(counting)->addFile("new song.mp3", added, {}), FatStatus::Ok);
  const int totalWrites = counting.writes();
  ASSERT_GE(totalWrites, 4);  // data, two tables, directory at least

  for (int allowed = 0; allowed < totalWrites; ++allowed) {
    FailingDevice device(base, allowed);
    const auto volume = FatVolume::open(device);
    EXPECT_EQ(volume->addFile("new song.mp3", added, {}), FatStatus::WriteFailed) << allowed;
    // The volume's own view was reloaded from the device.
    EXPECT_EQ(namesOf(*volume), std::vector<std::string>{"keep.mp3"}) << allowed;
    const auto reread = FatVolume::open(device);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(namesOf(*reread), std::vector<std::string>{"keep.mp3"});
    std::vector<uint8_t> data;
    ASSERT_EQ(reread->readFile(0, data), FatStatus::Ok);
    EXPECT_EQ(data, keep);
    // The directory never names clusters that are not in the table.
    constexpr size_t kRoot8MiB = 5 * 512;  // tables of 2 sectors
    EXPECT_TRUE(std::equal(device.image().begin() + kRoot8MiB,
                           device.image().begin() + kRoot8MiB + 512 * 32, base.begin() + kRoot8MiB))
        << allowed;
  }
}

TEST(InterruptedRemove, DirectoryGoesFirstSoOnlyLostClustersRemain) {
  FailingDevice device(freshImage(32), 1000);
  auto volume = FatVolume::open(device);
  ASSERT_EQ(volume->addFile("a.mp3", pattern(40000, 1), {}), FatStatus::Ok);
  ASSERT_EQ(volume->addFile("b.mp3", pattern(40000, 2), {}), FatStatus::Ok);
  device.allowWrites(device.writes() + 1);  // the directory write only
  EXPECT_EQ(volume->removeFile(0), FatStatus::WriteFailed);
  EXPECT_EQ(namesOf(*volume), std::vector<std::string>{"b.mp3"});
  // a.mp3's clusters are still marked used: lost, not free while named.
  EXPECT_EQ(volume->freeClusters(), 2046u - 6u);
}

// Hand-built root directories with damage in them.
class DamagedDirectory : public testing::Test {
 protected:
  DamagedDirectory() : image_(freshImage(1)) {}
  void slot(size_t index, const std::string& name11, uint8_t attributes, uint16_t cluster,
            uint32_t size) {
    uint8_t* s = image_.data() + kSmallRootOffset + index * 32;
    std::copy(name11.begin(), name11.end(), s);
    s[11] = attributes;
    s[26] = static_cast<uint8_t>(cluster);
    s[27] = static_cast<uint8_t>(cluster >> 8);
    for (int i = 0; i < 4; ++i) s[28 + i] = static_cast<uint8_t>(size >> (8 * i));
  }
  void fat(uint32_t cluster, uint32_t value) {
    for (size_t table : {kFatOffset, kFatOffset + 512}) {
      const size_t offset = table + cluster * 3 / 2;
      if (cluster & 1) {
        image_[offset] = static_cast<uint8_t>((image_[offset] & 0x0F) | ((value & 0x0F) << 4));
        image_[offset + 1] = static_cast<uint8_t>(value >> 4);
      } else {
        image_[offset] = static_cast<uint8_t>(value);
        image_[offset + 1] = static_cast<uint8_t>((image_[offset + 1] & 0xF0) | (value >> 8));
      }
    }
  }
  std::vector<uint8_t> image_;
};

TEST_F(DamagedDirectory, BrokenChainsMakeOnlyThatFileUnreadable) {
  slot(0, "LOOP    MP3", 0x20, 2, 100000);  // 2 -> 3 -> 2: loops
  fat(2, 3);
  fat(3, 2);
  slot(1, "OUTSIDE MP3", 0x20, 4000, 10);  // beyond the 62 clusters
  slot(2, "SHORT   MP3", 0x20, 5, 40000);  // needs 3 clusters, chain has 1
  fat(5, 0xFFF);
  slot(3, "FREE    MP3", 0x20, 6, 20000);  // chain runs into a free cluster
  fat(6, 7);
  slot(4, "GOOD    MP3", 0x20, 8, 3);
  fat(8, 0xFFF);
  slot(5, "HUGE    MP3", 0x20, 9, 0xFFFFFFFF);
  MemoryBlockDevice device(image_);
  const auto volume = FatVolume::open(device);
  ASSERT_NE(volume, nullptr);
  ASSERT_EQ(volume->files().size(), 6u);
  std::vector<uint8_t> data;
  for (size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_EQ(volume->readFile(i, data), FatStatus::BadImage);
  EXPECT_EQ(volume->readFile(4, data), FatStatus::Ok);
  // Removing the looping file ends and frees each of its clusters once.
  EXPECT_EQ(volume->removeFile(0), FatStatus::Ok);
  EXPECT_EQ(volume->files().size(), 5u);
}

TEST_F(DamagedDirectory, LongNameWithWrongChecksumIsIgnored) {
  MemoryBlockDevice device(freshImage(1));
  {
    const auto volume = FatVolume::open(device);
    ASSERT_EQ(volume->addFile("hello world.mp3", {}, {}), FatStatus::Ok);
  }
  std::vector<uint8_t> image = device.image();
  image[kSmallRootOffset + 13] ^= 0xFF;  // checksum of the only long slot (15 units: 2 slots)
  image[kSmallRootOffset + 32 + 13] ^= 0xFF;
  MemoryBlockDevice damaged(image);
  const auto volume = FatVolume::open(damaged);
  ASSERT_EQ(volume->files().size(), 1u);
  EXPECT_EQ(volume->files()[0].displayName(), "HELLOW~1.MP3");
}

TEST_F(DamagedDirectory, FoldersLabelsAndDeletedSlotsAreNotListed) {
  slot(0, "LABEL      ", 0x08, 0, 0);
  slot(1, "\xE5OLD    MP3", 0x20, 0, 0);
  slot(2, "FOLDER     ", 0x10, 0, 0);
  slot(3, "SONG    MP3", 0x20, 0, 0);
  image_[kSmallRootOffset + 3 * 32 + 12] = 0x18;  // shown in lower case
  slot(5, "AFTER   MP3", 0x20, 0, 0);             // after the end mark in slot 4
  MemoryBlockDevice device(image_);
  const auto volume = FatVolume::open(device);
  ASSERT_EQ(volume->files().size(), 1u);
  EXPECT_EQ(volume->files()[0].displayName(), "song.mp3");
}

}  // namespace
}  // namespace norva::usb
