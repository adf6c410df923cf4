#include <gtest/gtest.h>

#include "editor/convert_rules.h"

namespace norva::editor {
namespace {

const FileFilter k16x16{"LYRIC Files(16*16)(*.lyr)", "*.lyr"};
const FileFilter k8x8{"LYRIC Files(8*8)(*.lyr)", "*.lyr"};
const FileFilter k8x16{"LYRIC Files(8*16)(*.lyr)", "*.lyr"};

TEST(ConvertFilters, ChineseTextOffersOnlyTheLargeFont) {
  struct Row {
    std::string text;
    std::vector<FileFilter> filters;
    LyrFontChoice first;
    LyrFontChoice second;
  };
  const Row rows[] = {
      {"<0>hello\r\n<100>world\r\n", {k8x8, k8x16}, LyrFontChoice::Small, LyrFontChoice::Large},
      {"\x7f", {k8x8, k8x16}, LyrFontChoice::Small, LyrFontChoice::Large},
      // One byte of 0x80 or above is a two-byte character: only 16*16.
      {"<0>abc\xc4\xe3", {k16x16}, LyrFontChoice::Large, LyrFontChoice::Large},
      {"\x80", {k16x16}, LyrFontChoice::Large, LyrFontChoice::Large},
      // An empty text counts as Chinese.
      {"", {k16x16}, LyrFontChoice::Large, LyrFontChoice::Large},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(convertFilters(row.text), row.filters) << row.text;
    EXPECT_EQ(convertFont(row.text, 0), row.first) << row.text;
    EXPECT_EQ(convertFont(row.text, 1), row.second) << row.text;
  }
}

TEST(ConvertFilters, LyrExtensionIsAddedUnlessPresent) {
  struct Row {
    const char* chosen;
    const char* output;
  };
  const Row rows[] = {
      {"/d/song", "/d/song.lyr"},
      {"/d/song.LYR", "/d/song.LYR"},
      {"/d/song.Lyr", "/d/song.Lyr"},
      {"/d/song.tly", "/d/song.tly.lyr"},
      {"/d/song.ly", "/d/song.ly.lyr"},
      {".lyr", ".lyr.lyr"},
      {"a.lyr", "a.lyr"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(lyrOutputPath(row.chosen), std::filesystem::path(row.output)) << row.chosen;
}

// Five characters is the shortest path that can keep its own ".smi".
TEST(ConvertFilters, SmiExtensionIsAddedUnlessPresent) {
  struct Row {
    const char* chosen;
    const char* output;
  };
  const Row rows[] = {
      {".smi", ".smi.smi"},
      {"a.smi", "a.smi"},
      {"ab.SMI", "ab.SMI"},
      {"/d/song", "/d/song.smi"},
      {"/d/song.tly", "/d/song.tly.smi"},
      {"/d/song.sm", "/d/song.sm.smi"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(samiOutputPath(row.chosen), std::filesystem::path(row.output)) << row.chosen;
}

}  // namespace
}  // namespace norva::editor
