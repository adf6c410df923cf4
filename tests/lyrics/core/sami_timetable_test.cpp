#include "lyrics/sami_timetable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace norva::lyr {
namespace {

std::string inBody(const std::string& body) {
  return "<SAMI><HEAD></HEAD>\r\n<BODY>\r\n" + body + "</BODY></SAMI>";
}

std::string sync(int64_t ms, const std::string& caption) {
  return "<SYNC Start=" + std::to_string(ms) + "><P Class=ENCC>" + caption + "\r\n";
}

using StartAndScreen = std::pair<int64_t, std::string>;

std::vector<StartAndScreen> startsAndScreens(const SamiTimetable& table) {
  std::vector<StartAndScreen> out;
  for (const TimetableEntry& entry : table.entries) out.emplace_back(entry.startMs(), entry.screen);
  return out;
}

TEST(SamiTimetable, EntriesWithinOneSecondOfTheLastTakenAreSkipped) {
  EXPECT_EQ(startsAndScreens(buildSamiTimetable(inBody(sync(1200, "a") + sync(1900, "b")))),
            (std::vector<StartAndScreen>{{0, " "}, {1200, "a\r"}}));
  EXPECT_EQ(startsAndScreens(buildSamiTimetable(inBody(sync(1200, "a") + sync(2100, "b")))),
            (std::vector<StartAndScreen>{{0, " "}, {1200, "a\r"}, {2100, "b\r"}}));
}

struct SpacingRow {
  int64_t second;
  size_t entries;  // the blank one at 0 included
};

// The first entry at 1200 ms lets the next one in from the whole second 2 on.
TEST(SamiTimetable, SpacingLimit) {
  for (const SpacingRow row : {SpacingRow{1999, 2}, SpacingRow{2000, 3}, SpacingRow{2001, 3}}) {
    const SamiTimetable table = buildSamiTimetable(inBody(sync(1200, "a") + sync(row.second, "b")));
    EXPECT_EQ(table.entries.size(), row.entries) << row.second;
  }
}

struct BlankRow {
  int64_t first;
  std::vector<StartAndScreen> expected;
};

// A blank screen covers the time before a first entry that starts after the first second.
TEST(SamiTimetable, BlankEntryLimit) {
  const std::vector<BlankRow> rows{
      {999, {{990, "x\r"}}},
      {1000, {{0, " "}, {1000, "x\r"}}},
      {1001, {{0, " "}, {1000, "x\r"}}},
      {3000, {{0, " "}, {3000, "x\r"}}},
  };
  for (const BlankRow& row : rows)
    EXPECT_EQ(startsAndScreens(buildSamiTimetable(inBody(sync(row.first, "x")))), row.expected)
        << row.first;
}

TEST(SamiTimetable, BodyWithoutEntriesGivesTheBlankScreenAndNoBodyGivesNothing) {
  EXPECT_EQ(startsAndScreens(buildSamiTimetable(inBody("nothing here"))),
            (std::vector<StartAndScreen>{{0, " "}}));
  const SamiTimetable none = buildSamiTimetable("<BODY><SYNC Start=0>x");
  EXPECT_EQ(none.build, TimetableBuild::NoBody);
  EXPECT_TRUE(none.entries.empty());
  EXPECT_TRUE(layOutTimetable(none).empty());
  // A start that does not begin with a digit ends the table; a SYNC after </BODY> does not count.
  EXPECT_EQ(startsAndScreens(buildSamiTimetable(
                "<BODY><SYNC Start=0>a<SYNC Start=x>b<SYNC Start=5000>c</BODY><SYNC Start=9000>d")),
            (std::vector<StartAndScreen>{{0, "a\r"}}));
}

struct ScreenRow {
  const char* name;
  std::string caption;
  std::string screen;
};

class SamiTimetableScreen : public ::testing::TestWithParam<ScreenRow> {};

TEST_P(SamiTimetableScreen, CleansAndWraps) {
  const SamiTimetable table =
      buildSamiTimetable(inBody(sync(0, GetParam().caption) + sync(5000, "z")));
  ASSERT_EQ(table.entries.size(), 2u);
  EXPECT_EQ(table.entries[0].screen, GetParam().screen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SamiTimetableScreen,
    ::testing::Values(
        ScreenRow{"FourLetterWordThenLongWord", "abcd efghijklmnopqrs", "abcd \refghijklmnopqrs\r"},
        ScreenRow{"TagsGoneBreaksSplit", "<b><i>one</i></b><BR>two<br/>x", "one\rtwox\r"},
        ScreenRow{"Nbsp", "&nbsp;a&nbspb", " ;a b\r"},
        ScreenRow{"ControlsAtStartGoneOthersBlank", "\t\r\nab\tc\fd  \r\n", "ab c d\r"},
        ScreenRow{"EmptyPieceGivesNoLine", "a<br><br>b", "a\rb\r"},
        ScreenRow{"TwoByteCharacterNotSplit", "123456789012345\xC4\xE3",
                  "123456789012345\r\xC4\xE3\r"},
        ScreenRow{"OnlyANonBreakingSpace", "&nbsp;", " ;\r"}),
    [](const auto& row) { return std::string(row.param.name); });

std::string pieces(int count) {
  std::string caption;
  for (int i = 0; i < count; ++i) caption += std::string(i ? "<br>" : "") + char('a' + i);
  return caption;
}

struct LinesRow {
  int pieces;
  std::string screen;
};

TEST(SamiTimetable, SevenLineLimit) {
  const std::vector<LinesRow> rows{
      {6, "a\rb\rc\rd\re\rf\r"},
      {7, "a\rb\rc\rd\re\rf\rg\r"},
      {8, "a\rb\rc\rd\re\rf\rg\r"},
  };
  for (const LinesRow& row : rows)
    EXPECT_EQ(buildSamiTimetable(inBody(sync(0, pieces(row.pieces)))).entries[0].screen, row.screen)
        << row.pieces;
  // A long piece is cut at the seventh line too: 8 lines of 16 dots.
  EXPECT_EQ(buildSamiTimetable(inBody(sync(0, std::string(128, '.')))).entries[0].screen.size(),
            7u * 17u);
}

TEST(SamiTimetable, LaysOutCountEntriesAndPagedTexts) {
  const SamiTimetable table = buildSamiTimetable(inBody(sync(61234, "Hi")));
  const std::vector<uint8_t> bytes = layOutTimetable(table);
  ASSERT_EQ(bytes.size(), 1056u);  // entries page, texts page
  const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 17);
  EXPECT_EQ(head, (std::vector<uint8_t>{0x00, 0x02,                                // count
                                        0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,  // 0 ms
                                        0x01, 0x01, 0x00, 0x17, 0x01, 0x00, 0x02,  // 1:01.23
                                        0x00}));
  const std::vector<uint8_t> texts(bytes.begin() + 528, bytes.begin() + 534);
  EXPECT_EQ(texts, (std::vector<uint8_t>{' ', 0x00, 'H', 'i', '\r', 0x00}));
  for (size_t i = 534; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

// Four full screens (7 lines of 16 dots: 120 bytes with the zero) fill 480 bytes of a page;
// a fifth screen of 48 bytes still fits, one of 49 starts the next page.
TEST(SamiTimetable, PageEndLimit) {
  struct Row {
    size_t dots;
    uint8_t page;
    uint16_t offset;
  };
  for (const Row row : {Row{43, 1, 480}, Row{44, 1, 480}, Row{45, 2, 0}}) {
    std::string body;
    for (int i = 0; i < 4; ++i) body += sync(i * 1000, std::string(112, '.'));
    body += sync(4000, std::string(row.dots, '.'));
    const std::vector<uint8_t> bytes = layOutTimetable(buildSamiTimetable(inBody(body)));
    const size_t fifth = 2 + 4 * 7;
    EXPECT_EQ(bytes[fifth + 4], row.page) << row.dots;
    EXPECT_EQ(bytes[fifth + 5] * 256 + bytes[fifth + 6], row.offset) << row.dots;
    EXPECT_EQ(bytes.size(), row.page == 1 ? 1056u : 1584u) << row.dots;
  }
}

// Full screens four to a page: 456 entries take 7 pages of entries and 114 of texts, the whole
// 121 pages (63,888 bytes) the 64,000-byte buffer holds; a 457th is left out.
TEST(SamiTimetable, BufferLimit) {
  struct Row {
    int entries;
    size_t kept;
    TimetableBuild build;
  };
  for (const Row row : {Row{455, 455, TimetableBuild::Built}, Row{456, 456, TimetableBuild::Built},
                        Row{457, 456, TimetableBuild::Cut}}) {
    std::string body;
    for (int i = 0; i < row.entries; ++i) body += sync(i * 1000, std::string(112, '.'));
    const SamiTimetable table = buildSamiTimetable(inBody(body));
    EXPECT_EQ(table.entries.size(), row.kept) << row.entries;
    EXPECT_EQ(table.build, row.build) << row.entries;
    EXPECT_EQ(layOutTimetable(table).size(), 63888u) << row.entries;
  }
}

// The minutes are one byte: 255 min 59.999 s is the last start the table can hold.
TEST(SamiTimetable, LatestStartLimit) {
  struct Row {
    int64_t ms;
    size_t entries;
    TimetableBuild build;
  };
  for (const Row row :
       {Row{15359999, 2, TimetableBuild::Built}, Row{15360000, 1, TimetableBuild::Cut}}) {
    const SamiTimetable table = buildSamiTimetable(inBody(sync(0, "a") + sync(row.ms, "b")));
    EXPECT_EQ(table.entries.size(), row.entries) << row.ms;
    EXPECT_EQ(table.build, row.build) << row.ms;
  }
  const SamiTimetable last = buildSamiTimetable(inBody(sync(15359999, "b")));
  EXPECT_EQ(last.entries.back().minutes, 255);
  EXPECT_EQ(last.entries.back().seconds, 59);
  EXPECT_EQ(last.entries.back().hundredths, 99);
}

}  // namespace
}  // namespace norva::lyr
