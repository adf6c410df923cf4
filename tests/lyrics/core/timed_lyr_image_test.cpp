#include "lyrics/timed_lyr_image.h"

#include <gtest/gtest.h>

#include "base/byte_order.h"
#include "lyrics/distinct_characters.h"

namespace norva::lyr {
namespace {

using norva::testing::distinctCharacters;

TEST(TimedLyrImage, EmptyListWithLargeFontHasClassOneAndTheReserveAtTheTextEnd) {
  const TimedLyrLayout large = checkTimedLyrSize({}, FontMode::Large);
  ASSERT_EQ(large.check, LyrSizeCheck::Fits);
  EXPECT_EQ(large.fontClass, 1);
  EXPECT_EQ(large.reserveOffset, 24);
  const TimedLyrLayout small = checkTimedLyrSize({}, FontMode::Small);
  EXPECT_EQ(small.fontClass, 0);
  EXPECT_EQ(small.reserveOffset, 0);
  EXPECT_EQ(small.reserveBlocks, 1);
}

TEST(TimedLyrImage, WritesIndexTextsAndReserveFields) {
  const std::vector<TimedScreen> screens{{5, "Hi"},
                                         {65536 + 7,
                                          "\xD6\xD0"
                                          "a"},
                                         {70000, ""}};
  auto layout = checkTimedLyrSize(screens, FontMode::Small);
  ASSERT_EQ(layout.check, LyrSizeCheck::Fits);
  // T = 24 + 12 + 3 + 4 + 1 = 44; one distinct character: R = 64; (44 + 64) / 512 -> 1 block.
  EXPECT_EQ(layout.textEnd, 44);
  EXPECT_EQ(layout.fontClass, 1);
  EXPECT_EQ(layout.reserveBlocks, 1);
  EXPECT_EQ(layout.reserveOffset, 44);  // two-byte and single-byte text
  const auto file = buildTimedLyrFile(screens, layout);
  ASSERT_EQ(file.size(), 1024u);
  EXPECT_EQ(file[13], 1);
  EXPECT_EQ(readBe16(file, 14), 1);
  EXPECT_EQ(readBe16(file, 512 + 18), 44);
  EXPECT_EQ(readBe16(file, 512 + 24), 5);
  EXPECT_EQ(readBe16(file, 512 + 26), 36);
  EXPECT_EQ(readBe16(file, 512 + 28), 7);  // 65543 modulo 65536
  EXPECT_EQ(readBe16(file, 512 + 30), 39);
  EXPECT_EQ(readBe16(file, 512 + 32), 70000 - 65536);
  EXPECT_EQ(readBe16(file, 512 + 34), 43);
  EXPECT_EQ(std::string(file.begin() + 548, file.begin() + 556), std::string("Hi\0\xD6\xD0"
                                                                             "a\0\0",
                                                                             8));
}

TEST(TimedLyrImage, ReserveOffsetIsZeroForOnlyTwoByteTextAndForSmallSingleByteText) {
  auto chinese =
      checkTimedLyrSize(std::vector<TimedScreen>{{0, "\xD6\xD0\r\xCE\xC4"}}, FontMode::Small);
  ASSERT_EQ(chinese.check, LyrSizeCheck::Fits);
  EXPECT_EQ(chinese.reserveOffset, 0);
  EXPECT_EQ(chinese.distinctCharacters, 2u);
  auto ascii = checkTimedLyrSize(std::vector<TimedScreen>{{0, "abc"}}, FontMode::Small);
  ASSERT_EQ(ascii.check, LyrSizeCheck::Fits);
  EXPECT_EQ(ascii.fontClass, 2);
  EXPECT_EQ(ascii.reserveOffset, 0);
  auto asciiLarge = checkTimedLyrSize(std::vector<TimedScreen>{{0, "abc"}}, FontMode::Large);
  EXPECT_EQ(asciiLarge.fontClass, 1);
  EXPECT_EQ(asciiLarge.reserveOffset, 32);
}

TEST(TimedLyrImage, ATextEndOnABlockBoundaryNeedsNoFill) {
  // 24 + 4 + (483 + 1) = 512.
  const std::vector<TimedScreen> screens{{1, std::string(483, 'x')}};
  auto layout = checkTimedLyrSize(screens, FontMode::Small);
  ASSERT_EQ(layout.check, LyrSizeCheck::Fits);
  EXPECT_EQ(layout.textEnd, 512);
  const auto file = buildTimedLyrFile(screens, layout);
  ASSERT_EQ(file.size(), 1024u);
  EXPECT_EQ(file[1022], 'x');
  EXPECT_EQ(file[1023], 0);
}

TEST(TimedLyrImage, MoreThanFiftySixReserveBlocksIsTooLong) {
  // 200 screens of 130 single-byte characters: T + 32 > 56 blocks.
  std::vector<TimedScreen> screens(220, TimedScreen{0, std::string(130, 'a')});
  EXPECT_EQ(checkTimedLyrSize(screens, FontMode::Small).check, LyrSizeCheck::TooManyBlocks);
  screens.resize(210);  // 24 + 840 + 210 * 131 + 32 = 28406 bytes: 56 blocks
  auto layout = checkTimedLyrSize(screens, FontMode::Small);
  ASSERT_EQ(layout.check, LyrSizeCheck::Fits);
  EXPECT_EQ(layout.reserveBlocks, 56);
}

TEST(TimedLyrImage, SevenHundredDistinctCharactersPassSevenHundredAndOneDoNot) {
  EXPECT_EQ(checkTimedLyrSize(distinctCharacters(700), FontMode::Large).check, LyrSizeCheck::Fits);
  EXPECT_EQ(checkTimedLyrSize(distinctCharacters(701), FontMode::Large).check,
            LyrSizeCheck::TooManyCharacters);
}

}  // namespace
}  // namespace norva::lyr
