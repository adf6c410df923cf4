#include "lyrics/timed_text_reader.h"

#include <gtest/gtest.h>

#include "base/recording_prompter.h"
#include "lyrics/gbk_literals.h"
#include "lyrics/service/layout_warning.h"

namespace norva::lyr {
namespace {

// Reads as the editor does: its layout warning asks through `prompter`.
std::optional<std::vector<TimedScreen>> readInEditor(std::string_view text, FontMode mode,
                                                     Prompter& prompter) {
  LayoutWarning warning(prompter, LayoutWarning::Path::Editor);
  return readTimedText(text, mode, warning);
}

constexpr const char* kEditorCaption = "NORVA MP3歌词编辑软件";

std::string fourLines(int time) {
  return "<" + std::to_string(time) + ">a<br>b<BR>c<Br>d\r\n";
}
std::string sevenLines(int time) {
  return "<" + std::to_string(time) + ">1<br>2<br>3<br>4<br>5<br>6<bR>7\r\n";
}

TEST(TimedTextReader, ReadsTagsLinesAndBreaks) {
  RecordingPrompter prompter;
  const std::string text =
      "title line\r\n<1234>\r\nHello\r\n<1299>one<br>two\r\nthree\r\n<abc>skipped\r\nstill "
      "skipped\r\n"
      "<2000>last";
  auto screens = readInEditor(text, FontMode::Small, prompter);
  ASSERT_TRUE(screens);
  ASSERT_EQ(screens->size(), 3u);
  EXPECT_EQ((*screens)[0], (TimedScreen{12, "Hello"}));
  EXPECT_EQ((*screens)[1], (TimedScreen{12, "one\rtwo\rthree"}));
  EXPECT_EQ((*screens)[2], (TimedScreen{20, "last"}));
  EXPECT_TRUE(prompter.messages.empty());
}

TEST(TimedTextReader, ALineStartingWithBreakEndsTheScreenAndIsSkipped) {
  RecordingPrompter prompter;
  auto screens = readInEditor("<100>first\r\n<br>rest of line\r\nnot joined\r\n<200>x",
                              FontMode::Small, prompter);
  ASSERT_TRUE(screens);
  ASSERT_EQ(screens->size(), 2u);
  EXPECT_EQ((*screens)[0].text, "first");
  EXPECT_EQ((*screens)[1].text, "x");
}

TEST(TimedTextReader, StopsAtATagWithoutClosingBracketAndKeepsWhatWasRead) {
  RecordingPrompter prompter;
  auto screens = readInEditor("<100>a\r\n<200 b", FontMode::Small, prompter);
  ASSERT_TRUE(screens);
  ASSERT_EQ(screens->size(), 1u);
  auto none = readInEditor("no tags at all\r\n", FontMode::Small, prompter);
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
}

TEST(TimedTextReader, WarnsByFontLimitWithTheEditorTexts) {
  RecordingPrompter prompter;
  // Three lines fit the large font, four do not; six fit the small font, seven do not.
  ASSERT_TRUE(readInEditor("<0>a<br>b<br>c\r\n", FontMode::Large, prompter));
  ASSERT_TRUE(readInEditor("<0>1<br>2<br>3<br>4<br>5<br>6\r\n", FontMode::Small, prompter));
  EXPECT_TRUE(prompter.messages.empty());

  ASSERT_TRUE(readInEditor("<0>x\r\n" + fourLines(100), FontMode::Large, prompter));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(
      prompter.messages[0],
      (Message{
          "第2段文本太长或换行符太多\t\n小机将不能完全显示该行文本!\t\n\t\n是否全部忽略继续转化?"
          "\t\n\t\n是    全部忽略不再检查\t\n否    继续检查\t\n取消  退出转换",
          kEditorCaption, MessageIcon::Warning, MessageButtons::YesNoCancel}));

  ASSERT_TRUE(readInEditor(sevenLines(0), FontMode::Small, prompter));
  ASSERT_EQ(prompter.messages.size(), 2u);
  EXPECT_EQ(prompter.messages[1].text,
            "第1段文本太长或换行符太多\t\n小机将不能完全显示该行文本!\t\n\t\n是否全部忽略继续转化?"
            "\t\n\t\n是  全部忽略不再检查\t\n否  继续检查\t\n取消  退出转换");
  // Four lines pass the small font.
  ASSERT_TRUE(readInEditor(fourLines(0), FontMode::Small, prompter));
  EXPECT_EQ(prompter.messages.size(), 2u);
}

TEST(TimedTextReader, YesIgnoresAllNoKeepsCheckingCancelDiscardsEverything) {
  const std::string text = fourLines(0) + fourLines(100) + fourLines(200);
  RecordingPrompter yes({Answer::Yes});
  auto screens = readInEditor(text, FontMode::Large, yes);
  ASSERT_TRUE(screens);
  EXPECT_EQ(screens->size(), 3u);
  EXPECT_EQ(yes.messages.size(), 1u);

  RecordingPrompter no({Answer::No, Answer::No, Answer::No});
  ASSERT_TRUE(readInEditor(text, FontMode::Large, no));
  ASSERT_EQ(no.messages.size(), 3u);
  EXPECT_NE(no.messages[2].text.find("第3段"), std::string::npos);

  RecordingPrompter cancel({Answer::No, Answer::Cancel});
  EXPECT_FALSE(readInEditor(text, FontMode::Large, cancel));
  EXPECT_EQ(cancel.messages.size(), 2u);
}

}  // namespace
}  // namespace norva::lyr
