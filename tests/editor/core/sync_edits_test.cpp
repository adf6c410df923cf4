#include "editor/sync_edits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace norva::editor {
namespace {

TEST(SyncEdits, TagTimeIsCutToWholeTenths) {
  struct Row {
    double seconds;
    std::optional<int64_t> ms;
  };
  const std::vector<Row> rows{
      {12.399, 12300},
      {0.05, 0},
      {0.0999, 0},
      {0.1, 100},
      {12.4, 12400},
      {-0.0, 0},
      {-0.001, std::nullopt},
      {std::nan(""), std::nullopt},
      // The largest time a tag holds is 2,147,483,647 ms.
      {2147483.646, 2147483600},
      {2147483.647, 2147483600},
      {2147483.648, std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(syncTagMilliseconds(row.seconds), row.ms) << row.seconds;
}

TEST(SyncEdits, FourSyncsOverThreeParagraphsTagThreeAndCountThree) {
  std::string text = "one\r\ntwo\r\nthree";
  int count = 0;
  const std::vector<std::string> after{
      "<1000>one\r\ntwo\r\nthree", "<1000>one\r\n<2000>two\r\nthree",
      "<1000>one\r\n<2000>two\r\n<3000>three", "<1000>one\r\n<2000>two\r\n<3000>three"};
  for (int i = 0; i < 4; ++i) {
    const SyncEdit edit = syncParagraph(text, count, 1.0 + i);
    EXPECT_EQ(edit.outcome, i < 3 ? SyncEditOutcome::Tagged : SyncEditOutcome::NoParagraph) << i;
    EXPECT_EQ(edit.text, after[static_cast<size_t>(i)]);
    EXPECT_EQ(edit.syncCountBefore, count);
    EXPECT_EQ(edit.syncCountAfter, i < 3 ? count + 1 : count);
    text = edit.text;
    count = edit.syncCountAfter;
  }
  EXPECT_EQ(count, 3);
}

TEST(SyncEdits, SyncReportsTheInsertedTag) {
  const SyncEdit edit = syncParagraph("a\r\nb\r\nc", 1, 12.399);
  EXPECT_EQ(edit.text, "a\r\n<12300>b\r\nc");
  EXPECT_EQ(edit.tagStart, 3u);
  EXPECT_EQ(edit.tagEnd, 10u);
  EXPECT_TRUE(edit.changedText());
  // A text ending in a line break has an empty last paragraph, which a Sync tags like any other.
  EXPECT_EQ(syncParagraph("a\r\n", 1, 0.05).text, "a\r\n<0>");
  const SyncEdit negative = syncParagraph("a", 0, -0.5);
  EXPECT_EQ(negative.outcome, SyncEditOutcome::NoTime);
  EXPECT_EQ(negative.text, "a");
  EXPECT_EQ(negative.syncCountAfter, 0);
}

TEST(SyncEdits, StopThenSyncPutsASecondTagInFront) {
  // Stop sets the count back to 0; the existing tag is neither checked nor replaced.
  const SyncEdit edit = syncParagraph("<1000>a\r\nb", 0, 0.5);
  EXPECT_EQ(edit.text, "<500><1000>a\r\nb");
  EXPECT_EQ(edit.syncCountAfter, 1);
}

TEST(SyncEdits, StepBackRemovesTheLastTagAndRewindsToIt) {
  const std::string text = "<1000>a\r\n<4000>b\r\n<7600>c\r\nd";
  const SyncEdit back = stepBack(text, 3);
  EXPECT_EQ(back.outcome, SyncEditOutcome::Untagged);
  EXPECT_EQ(back.text, "<1000>a\r\n<4000>b\r\nc\r\nd");
  ASSERT_TRUE(back.rewindSeconds);
  EXPECT_DOUBLE_EQ(*back.rewindSeconds, 7.6);
  EXPECT_EQ(back.tagStart, 18u);
  EXPECT_EQ(back.tagEnd, 24u);
  EXPECT_EQ(back.syncCountBefore, 3);
  EXPECT_EQ(back.syncCountAfter, 2);
  // The next Sync tags the same paragraph again.
  EXPECT_EQ(syncParagraph(back.text, back.syncCountAfter, 7.95).text,
            "<1000>a\r\n<4000>b\r\n<7900>c\r\nd");
}

TEST(SyncEdits, StepBackAtCountZeroOnlyRewinds) {
  const SyncEdit edit = stepBack("<1000>a", 0);
  EXPECT_EQ(edit.outcome, SyncEditOutcome::RewoundToStart);
  EXPECT_EQ(edit.text, "<1000>a");
  EXPECT_EQ(edit.rewindSeconds, 0.0);
  EXPECT_EQ(edit.syncCountAfter, 0);
  EXPECT_FALSE(edit.changedText());
}

// Step back touches only a valid time tag at the very start of the paragraph it targets.
TEST(SyncEdits, StepBackLeavesAnythingButATimeTagAlone) {
  struct Row {
    std::string second;  // paragraph 1, the one a count of 2 steps back on
    std::optional<double> rewind;
    std::string after;
  };
  const std::vector<Row> rows{
      {"<br>x", std::nullopt, "<br>x"},
      {"<12\r\n34>x", std::nullopt, "<12\r\n34>x"},
      {"<>x", std::nullopt, "<>x"},
      {"<12a>x", std::nullopt, "<12a>x"},
      {" <100>x", std::nullopt, " <100>x"},
      {"x<100>", std::nullopt, "x<100>"},
      {"<100", std::nullopt, "<100"},
      {"<007>x", 0.007, "x"},
      {"<1000><500>x", 1.0, "<500>x"},
      // The largest value a tag holds, and one more.
      {"<2147483646>x", 2147483.646, "x"},
      {"<2147483647>x", 2147483.647, "x"},
      {"<2147483648>x", std::nullopt, "<2147483648>x"},
  };
  for (const Row& row : rows) {
    const std::string text = "<0>first\r\n" + row.second + "\r\n<br>third";
    const SyncEdit edit = stepBack(text, 2);
    EXPECT_EQ(edit.text, "<0>first\r\n" + row.after + "\r\n<br>third") << row.second;
    EXPECT_EQ(edit.rewindSeconds.has_value(), row.rewind.has_value()) << row.second;
    if (row.rewind && edit.rewindSeconds) {
      EXPECT_DOUBLE_EQ(*edit.rewindSeconds, *row.rewind);
    }
    EXPECT_EQ(edit.outcome,
              row.rewind ? SyncEditOutcome::Untagged : SyncEditOutcome::NoTagAtParagraph)
        << row.second;
    EXPECT_EQ(edit.syncCountAfter, row.rewind ? 1 : 2) << row.second;
  }
  EXPECT_EQ(stepBack("a\r\nb", 5).outcome, SyncEditOutcome::NoParagraph);
}

TEST(SyncEdits, SyncFromCursorParagraph) {
  const std::string text = "p0\r\np1\r\np2\r\np3\r\np4\r\np5\r\np6";
  // The caret in paragraph 5 (a selection is taken at its lower end).
  const int count = syncCountAtCursor(text, 22, 21);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(syncParagraph(text, count, 3.0).text, "p0\r\np1\r\np2\r\np3\r\np4\r\n<3000>p5\r\np6");
  struct Row {
    size_t at;
    int count;
  };
  // "ab\r\ncd": the LF at 3, paragraph 1 from 4.
  for (const Row row : {Row{2, 0}, Row{3, 0}, Row{4, 1}, Row{5, 1}, Row{99, 1}})
    EXPECT_EQ(syncCountAtCursor("ab\r\ncd", row.at, row.at), row.count) << row.at;
}

TEST(SyncEdits, PositionRules) {
  EXPECT_EQ(positionAfterStep(0.4, -1.0), 0.0);
  EXPECT_EQ(positionAfterStep(1.0, -1.0), 0.0);
  EXPECT_DOUBLE_EQ(positionAfterStep(1.5, -1.0), 0.5);
  EXPECT_DOUBLE_EQ(positionAfterStep(0.4, 1.0), 1.4);

  struct Row {
    int64_t ms;
    std::optional<double> seconds;
  };
  for (const Row row : {Row{-1, std::nullopt}, Row{0, 0.0}, Row{12345, 12.0}, Row{4999999, 4999.0},
                        Row{5000000, 5000.0}, Row{5000001, std::nullopt}})
    EXPECT_EQ(enteredPositionSeconds(row.ms), row.seconds) << row.ms;

  EXPECT_EQ(timePaneText(12.345), " 12 300(ms) ");
  EXPECT_EQ(timePaneText(0.0), " 0 000(ms) ");
  EXPECT_EQ(timePaneText(59.99), " 59 900(ms) ");
  EXPECT_EQ(timePaneText(-0.001), std::nullopt);
}

}  // namespace
}  // namespace norva::editor
