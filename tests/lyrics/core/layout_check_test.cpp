#include "lyrics/layout_check.h"

#include <gtest/gtest.h>

#include "lyrics/core/scripted_question.h"
#include "lyrics/lyr_format.h"
#include "lyrics/lyric_compile.h"

namespace norva::lyr {
namespace {

using Asked = ScriptedQuestion::Asked;

// Screens 1..5 of 7 small-font lines each.
std::vector<Asked> checkFiveLongScreens(ScriptedQuestion& question, LayoutCheck& check) {
  for (int screen = 1; screen <= 5; ++screen) check.check(screen, 7, false);
  return question.asked;
}

TEST(LayoutCheck, AnswersDecideWhetherLaterScreensAreAsked) {
  ScriptedQuestion ignoring({LayoutAnswer::KeepChecking, LayoutAnswer::IgnoreAll});
  LayoutCheck ignoreAll(ignoring);
  EXPECT_EQ(checkFiveLongScreens(ignoring, ignoreAll),
            (std::vector<Asked>{{1, false}, {2, false}}));
  EXPECT_TRUE(ignoreAll.ignoreAll());
  EXPECT_FALSE(ignoreAll.cancelled());

  ScriptedQuestion keeping;
  LayoutCheck keepChecking(keeping);
  EXPECT_EQ(checkFiveLongScreens(keeping, keepChecking).size(), 5u);
  EXPECT_FALSE(keepChecking.cancelled());

  ScriptedQuestion cancelling(
      {LayoutAnswer::KeepChecking, LayoutAnswer::KeepChecking, LayoutAnswer::Cancel});
  LayoutCheck cancel(cancelling);
  EXPECT_EQ(checkFiveLongScreens(cancelling, cancel),
            (std::vector<Asked>{{1, false}, {2, false}, {3, false}}));
  EXPECT_TRUE(cancel.cancelled());
}

TEST(LayoutCheck, CompileAfterCancelLaysOutTheRestSilentlyAndMakesNothing) {
  // Three screens of seven lines; Cancel at the first.
  std::string lrc = "t\r\n";
  for (int i = 0; i < 3; ++i)
    lrc += "[00:0" + std::to_string(i) + ".00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n";
  ScriptedQuestion question({LayoutAnswer::Cancel});
  LayoutCheck check(question);
  LyrImage image;
  const CompileResult result = compileLyric(lrc, LyricSyntax::Lrc, kFontClassSmall, check, image);
  EXPECT_EQ(result.status, CompileStatus::Cancelled);
  EXPECT_EQ(result.indexCount, 0u);
  EXPECT_EQ(image.size, 0u);
  EXPECT_EQ(question.asked, (std::vector<Asked>{{1, false}}));

  // Large font preset: the same screens are asked about as large-font screens.
  ScriptedQuestion large;
  LayoutCheck largeCheck(large);
  const CompileResult compiled =
      compileLyric(lrc, LyricSyntax::Lrc, kFontClassLarge, largeCheck, image);
  EXPECT_EQ(compiled.status, CompileStatus::Ok);
  EXPECT_EQ(compiled.indexCount, 3u);
  EXPECT_EQ(large.asked, (std::vector<Asked>{{1, true}, {2, true}, {3, true}}));
}

}  // namespace
}  // namespace norva::lyr
