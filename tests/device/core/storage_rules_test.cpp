// Rules of the storage operations: upload naming, names from the player, raw ranges, index
// renumbering on delete, Up/Down.
#include "device/storage_rules.h"

#include <gtest/gtest.h>

#include "device/transfer_list.h"

namespace norva::device {
namespace {

struct UploadCase {
  const char* name;
  int adpcm;
  int tvf;
  UploadConversion conversion;
  const char* target;
};

class UploadNaming : public ::testing::TestWithParam<UploadCase> {};

TEST_P(UploadNaming, ConvertsTcwAndTvfWhenSet) {
  const auto& c = GetParam();
  const UploadPlan plan = planUpload(c.name, c.adpcm, c.tvf);
  EXPECT_EQ(plan.conversion, c.conversion) << toString(plan.conversion);
  EXPECT_EQ(plan.targetName, c.target);
}

INSTANTIATE_TEST_SUITE_P(
    Names, UploadNaming,
    ::testing::Values(UploadCase{"SONG.tcw", 0, 0, UploadConversion::AdpcmToWav, "SONG.WAV"},
                      UploadCase{"SONG.TCW", 0, 1, UploadConversion::AdpcmToWav, "SONG.WAV"},
                      UploadCase{"SONG.tcw", 1, 0, UploadConversion::None, "SONG.tcw"},
                      UploadCase{"clip.Tvf", 0, 0, UploadConversion::TvfToWav, "clip.WAV"},
                      UploadCase{"clip.tvf", 0, 1, UploadConversion::None, "clip.tvf"},
                      UploadCase{"a.b.tcw", 0, 0, UploadConversion::AdpcmToWav, "a.b.WAV"},
                      UploadCase{".tcw", 0, 0, UploadConversion::None, ".tcw"},
                      UploadCase{"song.mp3", 0, 0, UploadConversion::None, "song.mp3"},
                      UploadCase{"tcw", 0, 0, UploadConversion::None, "tcw"}));

TEST(PlayerNames, SeparatorsAndDotDotAreRefused) {
  for (const char* good : {"song.mp3", "我的歌.mp3", "a b.fot", ".hidden"})
    EXPECT_TRUE(isSafePlayerName(good)) << good;
  for (const char* bad : {"", "..", "../x.fot", "a/b.mp3", "a\\b.mp3", "C:x.fot", "x..fot"})
    EXPECT_FALSE(isSafePlayerName(bad)) << bad;
}

TEST(UploadTarget, JoinsWithOneSeparator) {
  EXPECT_EQ(joinTarget("/tmp/out", "a.mp3"), "/tmp/out/a.mp3");
  EXPECT_EQ(joinTarget("/tmp/out/", "a.mp3"), "/tmp/out/a.mp3");
  EXPECT_EQ(joinTarget("C:\\out\\", "a.mp3"), "C:\\out\\a.mp3");
}

TEST(HexExtension, OnlyTheFileNamePartCounts) {
  EXPECT_TRUE(hasHexExtension("/x/fw.HEX"));
  EXPECT_TRUE(hasHexExtension("fw.hex"));
  EXPECT_FALSE(hasHexExtension("/x.hex/fw.bin"));
  EXPECT_FALSE(hasHexExtension("/x/fwhex"));
}

// Path length limit: 259, 260 and 261 characters; two-byte characters count once.
TEST(PathLength, CountsCharactersNotBytes) {
  EXPECT_EQ(pathCharacters(std::string(259, 'a')), 259u);
  EXPECT_EQ(pathCharacters(std::string(260, 'a')), 260u);
  EXPECT_EQ(pathCharacters(std::string(261, 'a')), 261u);
  EXPECT_EQ(pathCharacters("/歌/a"), 4u);
}

struct RangeCase {
  int64_t first;
  int64_t count;
  uint64_t total;
  RawRangeCheck check;
};

class RawRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RawRange, CheckedInSixtyFourBits) {
  const auto& c = GetParam();
  EXPECT_EQ(checkRawRange(c.first, c.count, c.total), c.check) << toString(c.check);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, RawRange,
    ::testing::Values(
        // End of a 2048-block drive: first + count at 2047, 2048, 2049.
        RangeCase{2040, 7, 2048, RawRangeCheck::Valid},
        RangeCase{2040, 8, 2048, RawRangeCheck::Valid},
        RangeCase{2040, 9, 2048, RawRangeCheck::BeyondDrive},
        RangeCase{2047, 1, 2048, RawRangeCheck::Valid},
        RangeCase{2048, 1, 2048, RawRangeCheck::BeyondDrive},
        // A first block that would wrap a 32-bit sum.
        RangeCase{0xFFFFFFFF, 1, 2048, RawRangeCheck::BeyondDrive},
        RangeCase{1, 0xFFFFFFFF, 2048, RawRangeCheck::CountTooLarge},
        // Block count 0x3FFFF, 0x40000, 0x40001 on a drive large enough for them.
        RangeCase{0, 0x3FFFF, 0x100000, RawRangeCheck::Valid},
        RangeCase{0, 0x40000, 0x100000, RawRangeCheck::CountTooLarge},
        RangeCase{0, 0x40001, 0x100000, RawRangeCheck::CountTooLarge},
        // Count 0, 1 and negative values.
        RangeCase{0, 0, 2048, RawRangeCheck::EmptyCount},
        RangeCase{0, 1, 2048, RawRangeCheck::Valid},
        RangeCase{0, -1, 2048, RawRangeCheck::EmptyCount},
        RangeCase{-1, 1, 2048, RawRangeCheck::BeyondDrive},
        RangeCase{0, 1, 0, RawRangeCheck::BeyondDrive}));

// The indices sent when every delete succeeds.
std::vector<int> sentWhenAllSucceed(std::vector<int> selected) {
  DeletionOrder order(std::move(selected));
  std::vector<int> sent;
  while (!order.done()) {
    sent.push_back(order.current());
    order.deleted();
  }
  return sent;
}

TEST(DeleteOrder, DeletingTwoAndFiveSendsTwoThenFour) {
  EXPECT_EQ(sentWhenAllSucceed({5, 2}), (std::vector<int>{2, 4}));
}

TEST(DeleteOrder, ThreeAdjacentEntriesAllBecomeTheFirst) {
  EXPECT_EQ(sentWhenAllSucceed({3, 4, 5}), (std::vector<int>{3, 3, 3}));
}

using Swaps = std::vector<std::pair<int, int>>;

TEST(MoveUpDown, UpAtTheFirstEntryDoesNothing) {
  EXPECT_TRUE(planMoveUp({0}).empty());
  EXPECT_TRUE(planMoveUp({3, 0}).empty());
  EXPECT_EQ(planMoveUp({3, 1}), (Swaps{{1, 0}, {3, 2}}));
}

TEST(MoveUpDown, DownAtTheLastEntryDoesNothing) {
  EXPECT_TRUE(planMoveDown({4}, 5).empty());
  EXPECT_TRUE(planMoveDown({1, 4}, 5).empty());
  EXPECT_EQ(planMoveDown({1, 3}, 5), (Swaps{{3, 4}, {1, 2}}));
}

TEST(TransferListNames, ContainsFileNameComparesNamePartsWithoutCase) {
  TransferList list;
  list.add({"/home/u/Music/Song.MP3", -1, 0, {}});
  list.add({"C:\\tmp\\b.mpr", -1, 0, {}});
  EXPECT_TRUE(list.ContainsFileName("song.mp3"));
  EXPECT_TRUE(list.ContainsFileName("/other/SONG.mp3"));
  EXPECT_TRUE(list.ContainsFileName("B.MPR"));
  EXPECT_FALSE(list.ContainsFileName("song.mp"));
  EXPECT_FALSE(list.ContainsFileName("Music"));
}

}  // namespace
}  // namespace norva::device
