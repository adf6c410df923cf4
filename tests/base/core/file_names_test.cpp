#include "base/file_names.h"

#include <gtest/gtest.h>

namespace norva {
namespace {

TEST(FileNames, SuffixTestFoldsOnlyAsciiLetters) {
  struct Row {
    std::string_view name;
    std::string_view suffix;
    bool expected;
  };
  const Row rows[] = {
      {"song.LRC", ".lrc", true},
      {"song.lrc", ".LRC", true},
      {"song.Tly", ".tly", true},
      {"song.lrcx", ".lrc", false},
      {"rc", ".lrc", false},  // shorter than the suffix
      {".lrc", ".lrc", true},
      {"a.\xC1\xC2", ".\xE1\xE2", false},  // bytes above 0x7F are not letters
      {"", "", true},
  };
  for (const Row& row : rows)
    EXPECT_EQ(endsWithIgnoringCase(row.name, row.suffix), row.expected) << row.name;
}

TEST(FileNames, ReplacesTheLastCharacters) {
  EXPECT_EQ(replaceLastCharacters("song.mp3", 3, "MPR"), "song.MPR");
  EXPECT_EQ(replaceLastCharacters("lyrics.txt.lrc", 4, ".lyr"), "lyrics.txt.lyr");
  EXPECT_EQ(replaceLastCharacters("ab", 3, "MPR"), "MPR");
  EXPECT_EQ(replaceLastCharacters("/a b/歌.mp3", 3, "LYR"), "/a b/歌.LYR");
}

}  // namespace
}  // namespace norva
