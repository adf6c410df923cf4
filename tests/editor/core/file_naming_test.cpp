#include <gtest/gtest.h>

#include "editor/file_filters.h"
#include "editor/lyric_file_type.h"

namespace norva::editor {
namespace {

TEST(LyricFileType, TheLastFourCharactersNameTheType) {
  struct Row {
    const char* name;
    std::optional<LyricFileType> type;
  };
  const Row rows[] = {
      {"x.tly", LyricFileType::Tly},
      {"x.TLY", LyricFileType::Tly},
      {"x.Txt", LyricFileType::Text},
      {"song.smi", LyricFileType::Sami},
      {"a.LyR", LyricFileType::Lyr},
      {"b.lrc", LyricFileType::Lrc},
      {".tly", LyricFileType::Tly},
      {"x.tl", std::nullopt},
      {"x", std::nullopt},
      {"x.tlyx", std::nullopt},
      {"tly", std::nullopt},
      {"x.lyr.bak", std::nullopt},
      {"", std::nullopt},
  };
  for (const Row& row : rows) EXPECT_EQ(fileTypeFromName(row.name), row.type) << row.name;
}

TEST(SaveAsNaming, TheFilterAddsItsExtensionUnlessTheNameHasIt) {
  struct Row {
    LyricFileType type;
    size_t filter;
    const char* chosen;
    const char* written;
  };
  const Row rows[] = {
      {LyricFileType::Tly, 0, "/d/a", "/d/a.txt"},
      {LyricFileType::Tly, 0, "/d/song.TXT", "/d/song.TXT"},
      {LyricFileType::Tly, 1, "/d/song.txt", "/d/song.txt.tly"},
      {LyricFileType::Text, 1, "/d/song", "/d/song.tly"},
      {LyricFileType::Text, 1, "/d/b.Tly", "/d/b.Tly"},
      // Names of fewer than five characters always get the extension, even ".tly" itself.
      {LyricFileType::Text, 1, "/d/.tly", "/d/.tly.tly"},
      {LyricFileType::Text, 0, "/d/x.tx", "/d/x.tx.txt"},
      // Sami and Lyr documents have the one TLY filter.
      {LyricFileType::Sami, 0, "/d/song", "/d/song.tly"},
      {LyricFileType::Lyr, 0, "/d/song.smi", "/d/song.smi.tly"},
      // Lrc documents get no extension.
      {LyricFileType::Lrc, 0, "/d/song", "/d/song"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(saveAsTarget(row.chosen, row.type, row.filter), std::filesystem::path(row.written))
        << toString(row.type) << " " << row.chosen;
}

TEST(SaveAsNaming, FilterListsFollowTheDocumentType) {
  const FileFilter text{"TEXT Files(*.TXT)", "*.TXT"};
  const FileFilter tly{"TLY Files(*.TLY)", "*.TLY"};
  EXPECT_EQ(saveAsFilters(LyricFileType::Text), (std::vector{text, tly}));
  EXPECT_EQ(saveAsFilters(LyricFileType::Tly), (std::vector{text, tly}));
  EXPECT_EQ(saveAsFilters(LyricFileType::Sami), (std::vector{tly}));
  EXPECT_EQ(saveAsFilters(LyricFileType::Lyr), (std::vector{tly}));
  EXPECT_TRUE(saveAsFilters(LyricFileType::Lrc).empty());

  EXPECT_EQ(typeAfterSaveAs(LyricFileType::Sami), LyricFileType::Tly);
  EXPECT_EQ(typeAfterSaveAs(LyricFileType::Lyr), LyricFileType::Tly);
  EXPECT_EQ(typeAfterSaveAs(LyricFileType::Text), LyricFileType::Text);
  EXPECT_EQ(typeAfterSaveAs(LyricFileType::Lrc), LyricFileType::Lrc);
}

TEST(OpenFilters, AllSupportedFirstWithoutTly) {
  const auto filters = openFilters();
  ASSERT_EQ(filters.size(), 6u);
  EXPECT_EQ(filters[0],
            (FileFilter{"所有支持文件(*.txt;*.smi;*.lyr;*.lrc)", "*.txt;*.smi;*.lyr;*.lrc"}));
  EXPECT_EQ(filters[2], (FileFilter{"TLY Files(*.TLY)", "*.TLY"}));
  EXPECT_EQ(filters[5], (FileFilter{"LRC Files(*.LRC)", "*.LRC"}));
}

// Synchronising with a song names the text after it: the name's extension, from its last ".",
// becomes ".TLY"; a "." in a folder name is not an extension.
TEST(AudioNaming, TheTlyDocumentTakesTheSongsFolderAndName) {
  struct Row {
    const char* audio;
    const char* tly;
  };
  const Row rows[] = {
      {"/m/song.mp3", "/m/song.TLY"},
      {"/m/Song.v2.WAV", "/m/Song.v2.TLY"},
      {"/m/a.b/song", "/m/a.b/song.TLY"},
      {"/m/song.", "/m/song.TLY"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(tlyPathForAudio(row.audio), std::filesystem::path(row.tly)) << row.audio;
}

}  // namespace
}  // namespace norva::editor
