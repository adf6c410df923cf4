#include "editor/player_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace norva::editor {
namespace {

TEST(PlayerScreen, ScreenFollowsThePositionAsThePreviewPicksIt) {
  // Screens at 1.0 s, 3.5 s and 7.2 s; a screen shows once its tenth has passed.
  const LiveLyric live =
      LiveLyric::compile("title\r\n<1000>one\r\n<3500>two<br>lines\r\nmore\r\n<7200>three");
  ASSERT_EQ(live.outcome(), LiveCompile::Compiled);
  EXPECT_EQ(live.errorText(), "");
  EXPECT_EQ(live.screenCount(), 3u);
  struct Row {
    double seconds;
    std::optional<std::string> screen;
  };
  const std::vector<Row> rows{
      {0.0, std::nullopt}, {0.5, std::nullopt},       {1.0, std::nullopt},          {1.1, "one"},
      {3.5, "one"},        {3.6, "two\rlines\rmore"}, {7.2, "two\rlines\rmore"},    {7.3, "three"},
      {3600.0, "three"},   {-1.0, std::nullopt},      {std::nan(""), std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(live.screenAt(row.seconds), row.screen) << row.seconds;
}

TEST(PlayerScreen, FontComesFromTheText) {
  EXPECT_EQ(LiveLyric::compile("<0>abc").fontClass(), 2);               // ASCII: 8 x 8
  EXPECT_EQ(LiveLyric::compile("<0>\xC4\xE3\xBA\xC3").fontClass(), 1);  // Chinese: 16 x 16
  EXPECT_EQ(LiveLyric::compile("").fontClass(), 1);
}

TEST(PlayerScreen, TextWithoutTagsShowsNothing) {
  const LiveLyric live = LiveLyric::compile("no tags here\r\nat all");
  EXPECT_EQ(live.outcome(), LiveCompile::Compiled);
  EXPECT_EQ(live.screenAt(10.0), std::nullopt);
}

TEST(PlayerScreen, TextThePlayerCannotHoldGivesTheConvertMessage) {
  // 752 distinct two-byte characters, more than the player's font reserve can hold.
  std::string text;
  for (int lead = 0xB0; lead < 0xB8; ++lead) {
    text += "<" + std::to_string((lead - 0xB0) * 1000) + ">";
    for (int trail = 0xA1; trail < 0xFF; ++trail) {
      text += static_cast<char>(lead);
      text += static_cast<char>(trail);
    }
    text += "\r\n";
  }
  const LiveLyric live = LiveLyric::compile(text);
  EXPECT_EQ(live.outcome(), LiveCompile::TooLong);
  EXPECT_EQ(live.errorText(), "文件太长!");
  EXPECT_EQ(live.screenAt(5.0), std::nullopt);
}

TEST(PlayerScreen, LrcTextIsCompiledAsTheLrcConvertDoes) {
  // One line with two tags shows at both times; no final line break is needed.
  const LiveLyric live = LiveLyric::compileLrc("[00:12.30][01:05.00]Hello\r\n[00:20.00]next");
  ASSERT_EQ(live.outcome(), LiveCompile::Compiled) << live.errorText();
  struct Row {
    double seconds;
    std::optional<std::string> screen;
  };
  const std::vector<Row> rows{
      {12.3, std::nullopt}, {12.4, "Hello"}, {20.1, "next"}, {65.0, "next"}, {65.2, "Hello"}};
  for (const Row& row : rows) EXPECT_EQ(live.screenAt(row.seconds), row.screen) << row.seconds;
}

TEST(PlayerScreen, LrcLineTooLongGivesTheCompilersMessage) {
  // 255 bytes of line plus CR LF pass; 256 fail with error 5.
  struct Row {
    size_t lineBytes;
    LiveCompile outcome;
    std::string_view error;
  };
  const std::vector<Row> rows{{255, LiveCompile::Compiled, ""},
                              {256, LiveCompile::Refused, "单屏显示字符过长!"}};
  for (const Row& row : rows) {
    // 24 tags of 10 bytes, then a short text: only the line is long, not its screen.
    std::string line;
    for (int tag = 10; tag < 34; ++tag) line += "[00:" + std::to_string(tag) + ".00]";
    line.resize(row.lineBytes, 'a');
    const LiveLyric live = LiveLyric::compileLrc(line + "\r\n");
    EXPECT_EQ(live.outcome(), row.outcome) << row.lineBytes;
    EXPECT_EQ(live.errorText(), row.error) << row.lineBytes;
  }
}

TEST(PlayerScreen, PlayedTenthsCutsToWholeMilliseconds) {
  struct Row {
    double seconds;
    int64_t tenths;
  };
  const std::vector<Row> rows{{0.0999, 0}, {0.1, 1}, {12.399, 123}, {-0.5, 0}, {std::nan(""), 0}};
  for (const Row& row : rows) EXPECT_EQ(playedTenths(row.seconds), row.tenths) << row.seconds;
}

}  // namespace
}  // namespace norva::editor
