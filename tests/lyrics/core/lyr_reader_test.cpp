#include "lyrics/lyr_reader.h"

#include <gtest/gtest.h>

#include "base/byte_order.h"
#include "lyrics/core/scripted_question.h"
#include "lyrics/gbk_literals.h"
#include "lyrics/timed_lyr_image.h"
#include "lyrics/timed_text_reader.h"

namespace norva::lyr {
namespace {

using norva::testing::gbk;

std::vector<uint8_t> written(const std::vector<TimedScreen>& screens, FontMode mode) {
  return buildTimedLyrFile(screens, checkTimedLyrSize(screens, mode));
}

TEST(LyrReader, TurnsScreensIntoTaggedParagraphs) {
  const auto file = written({{0, "a"}, {50, gbk("中文")}, {123, "x\ry"}}, FontMode::Large);
  EXPECT_EQ(lyrToTimedText(file), "<0>a\r\n<5000>" + gbk("中文") + "\r\n<12300>x<br>y\r\n");
  // Files of either font class load alike, and the highest times are not negative.
  auto small = written({{65535, "z"}}, FontMode::Small);
  EXPECT_EQ(small[13], 2);
  EXPECT_EQ(lyrToTimedText(small), "<6553500>z\r\n");
}

TEST(LyrReader, RefusesAWrongHeader) {
  auto file = written({{0, "a"}}, FontMode::Small);
  ASSERT_TRUE(hasLyrHeader(file));
  for (size_t at : {size_t{0}, size_t{1}, size_t{5}, size_t{11}, size_t{12}}) {
    auto bad = file;
    bad[at] ^= 0x01;
    EXPECT_FALSE(lyrToTimedText(bad)) << "byte " << at;
  }
  EXPECT_FALSE(lyrToTimedText(std::span(file).first(511)));
}

TEST(LyrReader, RefusesCountsOffsetsAndTextsOutsideTheFile) {
  auto file = written({{0, "a"}, {1, "b"}}, FontMode::Small);
  auto count = file;
  writeBe16(count, 512 + 22, 200);
  EXPECT_FALSE(lyrToTimedText(count));
  auto offset = file;
  writeBe16(offset, 512 + 26, 0xFF00);
  EXPECT_FALSE(lyrToTimedText(offset));
  auto noNul = file;
  std::fill(noNul.begin() + 512 + 32, noNul.end(), uint8_t{'q'});
  EXPECT_FALSE(lyrToTimedText(noNul));
  std::vector<uint8_t> huge(512 + 32768, 0);
  std::copy(file.begin(), file.end(), huge.begin());
  EXPECT_FALSE(lyrToTimedText(huge));  // more than the editor's 32767-byte data block
}

TEST(LyrReader, CompilingTheTextAgainGivesTheSameScreens) {
  ScriptedQuestion question({}, LayoutAnswer::IgnoreAll);
  const std::string text =
      "<100>A quick brown fox jumps\r\n<200>abcdefghijklmnopqrstu\r\n"
      "<300>abcdefghijklmnop<br>q\r\n<400>aaaa bbbbbbbbbbb<br>ccc\r\n<500>" +
      gbk("一二三四五六七八九") + "\r\n<600>x" + gbk("一二三四五六七八") + "<br><br>end\r\n";
  auto screens = readTimedText(text, FontMode::Large, question);
  ASSERT_TRUE(screens);
  auto again =
      readTimedText(*lyrToTimedText(written(*screens, FontMode::Large)), FontMode::Large, question);
  ASSERT_TRUE(again);
  EXPECT_EQ(*again, *screens);
}

}  // namespace
}  // namespace norva::lyr
