#include "editor/verify_sync.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace norva::editor {
namespace {

std::string sami(const std::vector<std::pair<int, std::string>>& entries) {
  std::string text = "<SAMI>\r\n<BODY>\r\n";
  for (const auto& [ms, line] : entries)
    text += "<SYNC Start=" + std::to_string(ms) + ">\r\n<P Class=ENCC>" + line + "\r\n\r\n";
  return text + "</BODY>\r\n</SAMI>";
}

struct Tick {
  double seconds;
  std::optional<std::string> screen;  // what the box receives on this tick
};

void expectScreens(VerifySync& verify, const std::vector<Tick>& ticks) {
  for (const Tick& tick : ticks)
    EXPECT_EQ(verify.step(tick.seconds, true, "").screen, tick.screen) << tick.seconds;
}

TEST(VerifySync, BlankScreenCoversTheTimeBeforeALateFirstEntry) {
  VerifySync verify;
  verify.start(sami({{3000, "one"}, {5500, "two<br>lines"}}));
  ASSERT_TRUE(verify.hasTimetable());
  expectScreens(verify, {{0.0, std::nullopt},
                         {0.001, " "},
                         {2.999, std::nullopt},
                         {3.0, "one\r\n"},
                         {5.499, std::nullopt},
                         {5.5, "two\r\nlines\r\n"},
                         {600.0, std::nullopt},
                         {1.0, " "}});  // after a seek back
}

TEST(VerifySync, EntriesWithinOneSecondOfTheLastTakenAreSkipped) {
  struct Row {
    int second;  // ms of the second entry
    std::vector<Tick> ticks;
  };
  const std::vector<Row> rows{
      {1900, {{1.2, "a\r\n"}, {1.95, std::nullopt}, {2.5, std::nullopt}}},
      {2100, {{1.2, "a\r\n"}, {2.05, std::nullopt}, {2.1, "b\r\n"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.second);
    VerifySync verify;
    verify.start(sami({{1200, "a"}, {row.second, "b"}}));
    expectScreens(verify, row.ticks);
  }
}

TEST(VerifySync, NoTimetableWithoutAFileOrABody) {
  for (std::optional<std::string_view> text :
       {std::optional<std::string_view>{}, std::optional<std::string_view>{"<SAMI>no body"}}) {
    VerifySync verify;
    verify.start(text);
    EXPECT_FALSE(verify.hasTimetable());
    EXPECT_EQ(verify.step(5.0, true, "").screen, std::nullopt);
  }
}

TEST(VerifySync, PlayerErrorsAreReportedOncePerPress) {
  struct Row {
    bool soundCard;
    std::string playerError;
    std::optional<std::string> first;
  };
  const std::vector<Row> rows{
      {true, "", std::nullopt},
      {true, "cannot decode", "cannot decode"},
      {false, "", "音频硬件无效。"},
      {false, "cannot decode", "音频硬件无效。"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.playerError + (row.soundCard ? " card" : " no card"));
    VerifySync verify;
    EXPECT_EQ(verify.step(0.5, row.soundCard, row.playerError).error, std::nullopt);  // no press
    verify.start(std::nullopt);
    EXPECT_EQ(verify.step(0.5, row.soundCard, row.playerError).error, row.first);
    EXPECT_EQ(verify.step(0.6, row.soundCard, row.playerError).error, std::nullopt);
    verify.start(std::nullopt);
    EXPECT_EQ(verify.step(0.7, row.soundCard, row.playerError).error, row.first);
  }
}

TEST(VerifySync, ScreenBoxBreaksEveryLineWithCrLf) {
  EXPECT_EQ(screenBoxText("ab\rcd\r"), "ab\r\ncd\r\n");
  EXPECT_EQ(screenBoxText(" "), " ");
}

}  // namespace
}  // namespace norva::editor
