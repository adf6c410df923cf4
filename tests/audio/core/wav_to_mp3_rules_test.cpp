#include "audio/wav_to_mp3_rules.h"

#include <gtest/gtest.h>

namespace norva::audio {
namespace {

struct NameRow {
  const char* wav;
  const char* mp3;
};

TEST(Mp3NameForWav, ReplacesFourCharactersOrAppendsToShorterNames) {
  const NameRow rows[] = {
      {"abc", "abc.mp3"},        // 3 characters: appended
      {"abcd", "abcd.mp3"},      // 4: appended, the name is kept whole
      {"a.wav", "a.mp3"},        // 5: the last four replaced
      {"abcde", "a.mp3"},        // 5 without an extension: four characters go all the same
      {"song.wav", "song.mp3"},  //
      {"SONG.WAV", "SONG.mp3"},  // the replacement is spelt as it is
      {".wav", ".wav.mp3"},      // a name that is only an extension keeps it
  };
  for (const NameRow& row : rows) EXPECT_EQ(mp3NameForWav(row.wav), row.mp3) << row.wav;
}

TEST(OutputFolderText, MustBeLongerThanTwoCharacters) {
  const std::pair<const char*, bool> rows[] = {
      {"", false}, {"/", false}, {"C:", false}, {"/a", false}, {"/ab", true}, {"/abc", true},
  };
  for (const auto& [text, taken] : rows) EXPECT_EQ(outputFolderTextLongEnough(text), taken) << text;
}

TEST(ProgressDots, CountsUpToTwentyThenStartsAgain) {
  const std::pair<int, const char*> rows[] = {
      {0, "a.wav"},
      {1, "a.wav."},
      {19, "a.wav..................."},
      {20, "a.wav...................."},
      {21, "a.wav"},
      {22, "a.wav."},
  };
  for (const auto& [ticks, shown] : rows) {
    ProgressDots dots;
    for (int i = 0; i < ticks; ++i) dots.advance();
    EXPECT_EQ(dots.text("a.wav"), shown) << ticks << " ticks";
  }
}

}  // namespace
}  // namespace norva::audio
