#include "lyrics/sami_to_timed_text.h"

#include <gtest/gtest.h>

#include "lyrics/core/scripted_question.h"
#include "lyrics/timed_text_reader.h"

namespace norva::lyr {
namespace {

TEST(SamiToTimedText, CaptionsBecomeTaggedParagraphsWithBreaksKept) {
  const std::string sami =
      "<SAMI><HEAD><TITLE>t</TITLE></HEAD>\r\n<Body>\r\n"
      "<SYNC Start=1000><P Class=ZHCC>Hello<BR>World\r\n"
      "<sync start = 2500 ><p class=zhcc>Two\r\nlines <b>bold</b>\r\n"
      "<SYNC Start=4000><P Class=ZHCC>&nbsp;\r\n</BODY></SAMI>";
  SamiConversion result = samiToTimedText(sami);
  EXPECT_TRUE(result.foundBody);
  EXPECT_EQ(result.timedText, "<1000>Hello<br>World\r\n<2500>Twolines bold\r\n<4000>&nbsp;\r\n");
  EXPECT_LE(result.timedText.size(), sami.size());

  ScriptedQuestion question;
  auto screens = readTimedText(result.timedText, FontMode::Small, question);
  ASSERT_TRUE(screens);
  EXPECT_EQ((*screens)[0], (TimedScreen{10, "Hello\rWorld"}));
}

TEST(SamiToTimedText, NoBodyGivesNothingAndABadStartEndsTheConversion) {
  EXPECT_FALSE(samiToTimedText("<SYNC Start=1><P>x").foundBody);
  EXPECT_FALSE(samiToTimedText("<BODY><SYNC Start=1>x").foundBody);
  EXPECT_EQ(samiToTimedText("<BODY><SYNC Start=1>a<SYNC Start=x>b<SYNC Start=3>c</BODY>").timedText,
            "<1>a\r\n");
  // A SYNC tag found only after </BODY> does not count.
  EXPECT_EQ(samiToTimedText("<BODY><SYNC Start=5>a</BODY><SYNC Start=6>b").timedText, "<5>a\r\n");
  EXPECT_EQ(samiToTimedText("<BODY></BODY>").timedText, "");
}

}  // namespace
}  // namespace norva::lyr
