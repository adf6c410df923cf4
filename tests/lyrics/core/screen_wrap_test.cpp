#include "lyrics/screen_wrap.h"

#include <gtest/gtest.h>

#include "lyrics/gbk_literals.h"

namespace norva::lyr {
namespace {

using norva::testing::gbk;

TEST(ScreenWrap, MovesAWordThatWouldBeCutToTheNextLine) {
  WrappedScreen w = wrapScreenText("A quick brown fox jumps");
  EXPECT_EQ(w.text, "A quick brown \rfox jumps");
  EXPECT_EQ(w.lines, 2);
}

TEST(ScreenWrap, CutsRunsOfSixteenLettersOrMoreAfterExactlySixteenBytes) {
  EXPECT_EQ(wrapScreenText("abcdefghijklmnop").text, "abcdefghijklmnop");
  EXPECT_EQ(wrapScreenText("abcdefghijklmnopq").text, "abcdefghijklmnop\rq");
  EXPECT_EQ(wrapScreenText("internationalization").text, "internationaliza\rtion");
  // A fifteen-letter word that would be cut moves whole; a longer one is cut where it must be.
  EXPECT_EQ(wrapScreenText("x abcdefghijklmno").text, "x \rabcdefghijklmno");
  EXPECT_EQ(wrapScreenText(" abcdefghijklmnopq").text, " \rabcdefghijklmnop\rq");
}

TEST(ScreenWrap, NeverSplitsATwoByteCharacter) {
  const std::string nine = gbk("一二三四五六七八九");
  EXPECT_EQ(wrapScreenText(nine).text, gbk("一二三四五六七八\r九"));
  const std::string mixed = "x" + gbk("一二三四五六七八");
  EXPECT_EQ(wrapScreenText(mixed).text, "x" + gbk("一二三四五六七\r八"));
  EXPECT_EQ(wrapScreenText(mixed).lines, 2);
}

TEST(ScreenWrap, TrailBytesBelow0x80BelongToTheirCharacter) {
  // 0x81 0x40 and 0x81 0x61 are characters whose second bytes look like '@' and 'a'.
  const std::string chars = "\x81\x61\x81\x61\x81\x61\x81\x61\x81\x61\x81\x61\x81\x61";  // 14 bytes
  // "ab" + seven characters: the seventh ends at byte 16, nothing is cut.
  EXPECT_EQ(wrapScreenText("ab" + chars + "cd").text, "ab" + chars + "\rcd");
  // One more letter in front: the seventh character no longer fits and moves whole.
  EXPECT_EQ(wrapScreenText("abc" + chars).text,
            "abc" + chars.substr(0, 12) + "\r" + chars.substr(12));
  // A trail 'a' is not the start of a word run that would pull letters to the next line.
  const std::string seven = "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x61";
  EXPECT_EQ(wrapScreenText("zz" + seven + "yy").text, "zz" + seven + "\ryy");
}

TEST(ScreenWrap, ASixteenByteLineBeforeACrGetsAnEmptyLine) {
  WrappedScreen w = wrapScreenText("abcdefghijklmnop\rq");
  EXPECT_EQ(w.text, "abcdefghijklmnop\r\rq");
  EXPECT_EQ(w.lines, 3);
  // Shorter lines keep their own CR.
  EXPECT_EQ(wrapScreenText("Hello\rWorld").text, "Hello\rWorld");
  EXPECT_EQ(wrapScreenText("Hello\rWorld").lines, 2);
}

TEST(ScreenWrap, DropsALeadByteWithoutItsSecondByteAtTheEnd) {
  EXPECT_EQ(wrapScreenText("ab\xD6").text, "ab");
  EXPECT_EQ(wrapScreenText("\xD6\xD0").text, "\xD6\xD0");
  EXPECT_EQ(wrapScreenText("").lines, 0);
  EXPECT_EQ(wrapScreenText("\r").lines, 1);
}

}  // namespace
}  // namespace norva::lyr
