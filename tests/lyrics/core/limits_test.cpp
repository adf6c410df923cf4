// The fixed capacities of the lyric formats, each at its limit and one step either side.
// Expected values are worked out by hand from the file layouts.
#include <gtest/gtest.h>

#include "lyrics/core/scripted_question.h"
#include "lyrics/lyr_reader.h"
#include "lyrics/lyric_compile.h"
#include "lyrics/mpr_image.h"
#include "lyrics/timed_lyr_image.h"

namespace norva::lyr {
namespace {

std::string repeated(size_t count, std::string_view piece) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += piece;
  return out;
}

struct CompileRow {
  const char* label;
  std::string lrc;
  CompileStatus status;
  CompileError error;
  size_t indexCount;  // when Ok
  size_t imageSize;   // when Ok
};

void expectCompile(const CompileRow& row) {
  ScriptedQuestion question;
  LayoutCheck check(question);
  LyrImage image;
  const CompileResult result =
      compileLyric(row.lrc, LyricSyntax::Lrc, kFontClassSmall, check, image);
  EXPECT_EQ(result.status, row.status) << row.label;
  EXPECT_EQ(result.error, row.error) << row.label;
  if (row.status != CompileStatus::Ok) return;
  EXPECT_EQ(result.indexCount, row.indexCount) << row.label;
  EXPECT_EQ(image.size, row.imageSize) << row.label;
}

TEST(LyricLimits, CompilerTakesAtMost255TimedLines) {
  // Each timed line "[00:01.00]a" is one index entry and a 2-byte text; the time groups take
  // 4 bytes a line, so 256 lines (1024 bytes) are refused by the line count alone.
  // 254 lines: 512 + 24 + 1016 + 508 = 2060 -> 2560. 255 lines: 512 + 24 + 1020 + 510 = 2066.
  const std::vector<CompileRow> rows{
      {"254 lines", "t\r\n" + repeated(254, "[00:01.00]a\r\n"), CompileStatus::Ok,
       CompileError::None, 254, 2560},
      {"255 lines", "t\r\n" + repeated(255, "[00:01.00]a\r\n"), CompileStatus::Ok,
       CompileError::None, 255, 2560},
      {"256 lines", "t\r\n" + repeated(256, "[00:01.00]a\r\n"), CompileStatus::Failed,
       CompileError::InputTooLarge, 0, 0},
  };
  for (const auto& row : rows) expectCompile(row);
}

TEST(LyricLimits, TimeGroupsTakeAtMost1024Bytes) {
  // Twelve lines of 41 "[0]" tags take 12 x (2 + 82) = 1008 bytes; a last line of t tags adds
  // 2 + 2t. Thirteen texts of one space: 26 bytes of text area.
  // t = 6: 1022 bytes, n = 498: 512 + 24 + 1992 + 26 = 2554 -> 2560.
  // t = 7: 1024 bytes, n = 499: 512 + 24 + 1996 + 26 = 2558 -> 2560.
  // t = 8: 1026 bytes: refused.
  const std::string twelve = "t\r\n" + repeated(12, repeated(41, "[0]") + "\r\n");
  const std::vector<CompileRow> rows{
      {"1022 bytes", twelve + repeated(6, "[0]") + "\r\n", CompileStatus::Ok, CompileError::None,
       498, 2560},
      {"1024 bytes", twelve + repeated(7, "[0]") + "\r\n", CompileStatus::Ok, CompileError::None,
       499, 2560},
      {"1026 bytes", twelve + repeated(8, "[0]") + "\r\n", CompileStatus::Failed,
       CompileError::InputTooLarge, 0, 0},
  };
  for (const auto& row : rows) expectCompile(row);
}

TEST(LyricLimits, WriterReserveIs32BytesPerDistinctCharacterAndOneMore) {
  // One screen: T = 24 + 4 + text + 1. The reserve count is (T + R) / 512 rounded up, so it
  // steps from 2 to 3 blocks where T + R passes 1024.
  struct Row {
    const char* label;
    std::string text;
    FontMode mode;
    uint16_t textEnd;
    uint8_t reserveBlocks;
    uint16_t reserveOffset;
  };
  const std::string one = "\xD6\xD0";                    // D = 1: R = 64
  const std::string three = "\xD6\xD0\xCE\xC4\xB0\xA1";  // D = 3: R = 128
  const std::vector<Row> rows{
      // D = 0, Large: R = 32; reserve offset at T.
      {"D0 T+R=1023", std::string(962, 'a'), FontMode::Large, 991, 2, 991},
      {"D0 T+R=1024", std::string(963, 'a'), FontMode::Large, 992, 2, 992},
      {"D0 T+R=1025", std::string(964, 'a'), FontMode::Large, 993, 3, 993},
      // D = 1 with single-byte text: T = 31 + k.
      {"D1 T+R=1023", one + std::string(928, 'a'), FontMode::Small, 959, 2, 959},
      {"D1 T+R=1024", one + std::string(929, 'a'), FontMode::Small, 960, 2, 960},
      {"D1 T+R=1025", one + std::string(930, 'a'), FontMode::Small, 961, 3, 961},
      // D = 3: T = 35 + k.
      {"D3 T+R=1023", three + std::string(860, 'a'), FontMode::Small, 895, 2, 895},
      {"D3 T+R=1024", three + std::string(861, 'a'), FontMode::Small, 896, 2, 896},
      {"D3 T+R=1025", three + std::string(862, 'a'), FontMode::Small, 897, 3, 897},
  };
  for (const auto& row : rows) {
    const std::vector<TimedScreen> screens{{0, row.text}};
    const TimedLyrLayout layout = checkTimedLyrSize(screens, row.mode);
    ASSERT_EQ(layout.check, LyrSizeCheck::Fits) << row.label;
    EXPECT_EQ(layout.textEnd, row.textEnd) << row.label;
    const std::vector<uint8_t> file = buildTimedLyrFile(screens, layout);
    ASSERT_EQ(file.size(), 1536u) << row.label;
    EXPECT_EQ(file[14], 0) << row.label;
    EXPECT_EQ(file[15], row.reserveBlocks) << row.label;
    EXPECT_EQ(file[512 + 18] * 256 + file[512 + 19], row.reserveOffset) << row.label;
  }
}

TEST(LyricLimits, WriterTakesAtMost56ReserveBlocks) {
  // c screens of 250 letters and one of L letters, no two-byte text (R = 32):
  // T = 24 + 4(c + 1) + 251c + L + 1 = 29 + 255c + L.
  struct Row {
    const char* label;
    size_t fullScreens;
    size_t lastLength;
    LyrSizeCheck check;
    uint16_t textEnd;
    uint16_t reserveBlocks;
  };
  const std::vector<Row> rows{
      {"T+R=28160: 55 blocks", 110, 49, LyrSizeCheck::Fits, 28128, 55},
      {"T+R=28672: 56 blocks", 112, 51, LyrSizeCheck::Fits, 28640, 56},
      {"T+R=28673: 57 blocks", 112, 52, LyrSizeCheck::TooManyBlocks, 0, 0},
  };
  for (const auto& row : rows) {
    std::vector<TimedScreen> screens(row.fullScreens, TimedScreen{0, std::string(250, 'a')});
    screens.push_back({1, std::string(row.lastLength, 'b')});
    const TimedLyrLayout layout = checkTimedLyrSize(screens, FontMode::Small);
    ASSERT_EQ(layout.check, row.check) << row.label;
    if (layout.check != LyrSizeCheck::Fits) continue;
    EXPECT_EQ(layout.textEnd, row.textEnd) << row.label;
    EXPECT_EQ(layout.reserveBlocks, row.reserveBlocks) << row.label;
  }
}

TEST(LyricLimits, ReaderTakesAtMost32767BytesAfterTheHeader) {
  // A one-screen file "a" padded with zeros to 512 + data bytes.
  const std::vector<uint8_t> base{0x02, 0x00, 'N', 'o', 'r',  'v',  'a',
                                  ' ',  '3',  '9', '8', 0x00, 0x10, 0x02};
  struct Row {
    size_t dataBytes;
    bool accepted;
  };
  for (const Row row : {Row{32766, true}, Row{32767, true}, Row{32768, false}}) {
    std::vector<uint8_t> file(512 + row.dataBytes, 0);
    std::copy(base.begin(), base.end(), file.begin());
    file[512 + 16] = 2;
    file[512 + 21] = 30;  // text end 24 + 4 + 2
    file[512 + 23] = 1;   // one screen
    file[512 + 24 + 1] = 7;
    file[512 + 24 + 3] = 28;
    file[512 + 28] = 'a';
    const auto screens = readLyrScreens(file);
    ASSERT_EQ(screens.has_value(), row.accepted) << row.dataBytes;
    if (screens) {
      EXPECT_EQ(*screens, (std::vector<TimedScreen>{{7, "a"}})) << row.dataBytes;
    }
  }
}

TEST(LyricLimits, CompilerCaptionKeeps59BytesOfWholeCharacters) {
  // "中" is two GBK bytes (three in UTF-8).
  struct Row {
    std::string caption;
    std::string shown;
  };
  const std::vector<Row> rows{
      {std::string(58, 'a'), std::string(58, 'a')},
      {std::string(59, 'a'), std::string(59, 'a')},
      {std::string(60, 'a'), std::string(59, 'a')},
      {std::string(57, 'a') + "中", std::string(57, 'a') + "中"},
      {std::string(58, 'a') + "中", std::string(58, 'a')},
  };
  for (const auto& row : rows) EXPECT_EQ(compilerCaption(row.caption), row.shown) << row.caption;
}

TEST(LyricLimits, MprLyricPartIsWholeBlocksAfterTheHeader) {
  struct Row {
    size_t imageSize;
    size_t partSize;  // 0: refused
  };
  for (const Row row : {Row{1023, 0}, Row{1024, 512}, Row{1025, 0}, Row{1535, 0}, Row{1536, 1024},
                        Row{1537, 0}, Row{512, 0}, Row{32768, 32256}, Row{33280, 0}}) {
    LyrImage image;
    image.size = row.imageSize;
    const auto part = mprLyricPart(image);
    EXPECT_EQ(part ? part->size() : 0, row.partSize) << row.imageSize;
  }
}

TEST(LyricLimits, LargeFontShowsThreeLinesAndSmallSix) {
  struct Row {
    int lines;
    bool largeFont;
    bool asked;
  };
  for (const Row row : {Row{2, true, false}, Row{3, true, false}, Row{4, true, true},
                        Row{5, false, false}, Row{6, false, false}, Row{7, false, true}}) {
    ScriptedQuestion question;
    LayoutCheck check(question);
    check.check(9, row.lines, row.largeFont);
    const std::vector<ScriptedQuestion::Asked> expected =
        row.asked ? std::vector<ScriptedQuestion::Asked>{{9, row.largeFont}}
                  : std::vector<ScriptedQuestion::Asked>{};
    EXPECT_EQ(question.asked, expected) << row.lines << (row.largeFont ? " large" : " small");
  }
}

}  // namespace
}  // namespace norva::lyr
