// The explorer's texts and sort rules: size columns, memory view headers, the filter box.
#include <gtest/gtest.h>

#include "device/device_records.h"
#include "device/explorer_rules.h"

namespace norva::device {
namespace {

TEST(DesktopSizeText, KilobytesRoundedUpGroupedOnlyForLetterExtensions) {
  struct Row {
    uint64_t bytes;
    const char* name;
    const char* text;
  };
  const Row rows[] = {
      {0, "a.mp3", "0KB"},
      {1, "a.mp3", "1KB"},
      {1023, "a.mp3", "1KB"},
      {1024, "a.mp3", "1KB"},
      {1025, "a.mp3", "2KB"},
      {1022976, "a.MP3", "999KB"},    // 999 x 1024
      {1022977, "a.MP3", "1,000KB"},  // one byte more: four digits, grouped
      {1048576000, "b.mpr", "1,024,000KB"},
      {5000000000, "big.wav", "4,882,813KB"},  // beyond 32 bits, shown as it is
      {2048, "README", ""},                    // no extension
      {2048, "take.1st", ""},                  // extension begins with a digit
      {2048, "archive.", ""},
      {2048, "dir.x/name", ""},  // the dot belongs to a folder
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(desktopSizeText(row.bytes, row.name), row.text) << row.bytes;
  }
}

TEST(MemorySizeText, KilobytesRoundedUp) {
  EXPECT_EQ(memorySizeText(0), "0KB");
  EXPECT_EQ(memorySizeText(1024), "1KB");
  EXPECT_EQ(memorySizeText(1025), "2KB");
  EXPECT_EQ(memorySizeText(4294967295u), "4194304KB");
}

TEST(MemoryHeaderText, StateAndTotalInTheLargerUnit) {
  constexpr uint32_t kPresent = kMediumPresent;
  constexpr uint32_t kFormatted = kMediumPresent | kMediumFormatted;
  constexpr uint32_t kAll = kMediumPresent | kMediumFormatted | kMediumWritable;
  struct Row {
    bool writable;
    uint32_t flags;
    uint64_t total;
    const char* text;
  };
  const Row rows[] = {
      {false, 0, 1048576, " 播放器已经连接，现可以更新字库或固件升级!"},
      {false, kMediumFormatted | kMediumWritable, 1048576,
       " 播放器已经连接，现可以更新字库或固件升级!"},
      {false, kPresent, 1048576, " 存储空间 - Not Formated, Total 1MB"},
      {false, kFormatted, 1048576, " 存储空间 - Read Only - Total 1MB"},
      {true, kAll, 1048575, " 存储空间 - 总共1024KB"},
      {true, kAll, 1048576, " 存储空间 - 总共1MB"},
      {true, kAll, 1048577, " 存储空间 - 总共2MB"},
      {true, kAll, 1023, " 存储空间 - 总共1KB"},
      {true, kAll, 1025, " 存储空间 - 总共2KB"},
      {true, kAll, 0, " 存储空间 - 总共0KB"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(memoryHeaderText({row.writable, row.flags, "存储空间", row.total}), row.text);
  }
}

TEST(MemoryListMode, OnlyAPresentFormattedDriveIsListed) {
  EXPECT_EQ(memoryListMode(false, kMediumPresent | kMediumFormatted | kMediumWritable),
            MemoryListMode::Hidden);
  EXPECT_EQ(memoryListMode(true, kMediumFormatted | kMediumWritable), MemoryListMode::Hidden);
  EXPECT_EQ(memoryListMode(true, kMediumPresent | kMediumWritable), MemoryListMode::Hidden);
  EXPECT_EQ(memoryListMode(true, kMediumPresent | kMediumFormatted), MemoryListMode::ReadOnly);
  EXPECT_EQ(memoryListMode(true, kMediumPresent | kMediumFormatted | kMediumWritable),
            MemoryListMode::Writable);
}

TEST(FilterBox, StoredPatternPicksItsItemWithoutRegardToCase) {
  EXPECT_EQ(filterItemOf("*.mp3"), 0);
  EXPECT_EQ(filterItemOf("*.MPR"), 1);
  EXPECT_EQ(filterItemOf("*.*"), 2);
  EXPECT_EQ(filterItemOf("*.wav"), 2);
  EXPECT_EQ(filterItemOf(""), 2);
  EXPECT_EQ(filterPattern(1), "*.mpr");
}

TEST(SortState, TheCurrentColumnReversesAnotherSortsAscending) {
  SortState sort;
  sort.clicked(0);
  EXPECT_EQ(sort.key, 0);
  EXPECT_FALSE(sort.ascending);
  sort.clicked(2);
  EXPECT_EQ(sort.key, 2);
  EXPECT_TRUE(sort.ascending);
}

TEST(CompareDesktopItems, FolderFirstThenTheColumnAndDescendingNegatesAll) {
  DesktopSortItem folder{true, 0, 0, {"z", "", "", ""}};
  DesktopSortItem big{false, 9000, 10, {"a", "9KB", "", ""}};
  DesktopSortItem small{false, 100, 20, {"b", "1KB", "", ""}};
  EXPECT_LT(compareDesktopItems(folder, big, {0, true}), 0);
  EXPECT_GT(compareDesktopItems(folder, big, {0, false}), 0);
  EXPECT_GT(compareDesktopItems(big, small, {1, true}), 0);  // by size, not by its text
  EXPECT_LT(compareDesktopItems(big, small, {3, true}), 0);
  EXPECT_LT(compareDesktopItems(big, small, {0, true}), 0);
  DesktopSortItem upper{false, 0, 0, {"B", "", "", ""}};
  EXPECT_LT(compareDesktopItems(upper, small, {0, true}), 0);  // case-sensitive
}

}  // namespace
}  // namespace norva::device
