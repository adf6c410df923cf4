#include "preview/lyric_track.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_names.h"
#include "preview/lyric_body.h"

namespace norva::preview {
namespace {

const std::vector<std::pair<uint16_t, std::string>> kThreeScreens{
    {0, "first"}, {35, "second\rline"}, {72, "third"}};

TEST(LyricTrack, ReadsEntriesInHostOrder) {
  const auto track = LyricTrack::fromBody(test::lyricBody(kThreeScreens, 1, 512));
  ASSERT_TRUE(track);
  EXPECT_EQ(track->fontClass(), 1);
  ASSERT_EQ(track->entries().size(), 3u);
  EXPECT_EQ(track->entries()[1], (LyricEntry{35, "second\rline"}));
  EXPECT_EQ(track->entries()[2], (LyricEntry{72, "third"}));
}

TEST(LyricTrack, ScreenChoiceFollowsTheTimeStrictlyPast) {
  const auto track = LyricTrack::fromBody(test::lyricBody(kThreeScreens));
  ASSERT_TRUE(track);
  EXPECT_EQ(track->screenAt(0), std::nullopt);
  EXPECT_EQ(track->screenAt(1), 0u);  // 0.1 s: past the entry at 0.0 s
  EXPECT_EQ(track->screenAt(35), 0u);
  EXPECT_EQ(track->screenAt(36), 1u);  // past 3.5 s
  EXPECT_EQ(track->screenAt(72), 1u);
  EXPECT_EQ(track->screenAt(73), 2u);  // past 7.2 s
  EXPECT_EQ(track->screenAt(100000), 2u);
}

TEST(LyricTrack, ProgressRemembersTheScreenShown) {
  const auto track = LyricTrack::fromBody(test::lyricBody(kThreeScreens));
  LyricProgress progress(&*track);
  EXPECT_EQ(progress.update(0).screen, std::nullopt);
  auto step = progress.update(1);
  EXPECT_EQ(step.screen, 0u);
  EXPECT_TRUE(step.changed);
  step = progress.update(3);
  EXPECT_EQ(step.screen, 0u);
  EXPECT_FALSE(step.changed);
  EXPECT_EQ(progress.shownSince(), 1);
  step = progress.update(36);
  EXPECT_TRUE(step.changed);
  EXPECT_EQ(progress.lastShown(), 1u);
  EXPECT_EQ(progress.shownSince(), 36);
  // Seeking back shows the earlier screen again.
  EXPECT_TRUE(progress.update(2).changed);
  LyricProgress none(nullptr);
  EXPECT_EQ(none.update(50).screen, std::nullopt);
  EXPECT_EQ(none.lastShown(), std::nullopt);
}

TEST(LyricTrack, TimeText) {
  EXPECT_EQ(timeText(0), " 00:00 ");
  EXPECT_EQ(timeText(9), " 00:00 ");
  EXPECT_EQ(timeText(10), " 00:01 ");
  EXPECT_EQ(timeText(3599), " 05:59 ");
  EXPECT_EQ(timeText(36000), " 60:00 ");
  // 5995 frames of 26.122 ms: 156,600 ms, taken whole, in tenths.
  EXPECT_EQ(tenthsPlayed(5995, 1152000.0 / 44100), 1566);
  EXPECT_EQ(tenthsPlayed(0, 26.1), 0);
}

TEST(LyricTrack, RefusesImagesThatAreNotLyrics) {
  EXPECT_FALSE(LyricTrack::fromBody({}));
  EXPECT_FALSE(LyricTrack::fromBody(test::lyricBody(kThreeScreens, 0)));
  EXPECT_FALSE(LyricTrack::fromBody(test::lyricBody(kThreeScreens, 3)));
  auto body = test::lyricBody(kThreeScreens);
  // An index longer than the bytes.
  test::putBe16(body, 22, 5000);
  EXPECT_FALSE(LyricTrack::fromBody(body));
}

TEST(LyricTrack, EntriesPointingOutsideAreLeftOutAndTextsEndWithTheBytes) {
  auto body = test::lyricBody(kThreeScreens);
  test::putBe16(body, 26 + 4, 0xFFF0);
  const auto track = LyricTrack::fromBody(body);
  ASSERT_TRUE(track);
  ASSERT_EQ(track->entries().size(), 2u);
  EXPECT_EQ(track->entries()[1].text, "third");
  // The last text without its NUL.
  body.pop_back();
  const auto cut = LyricTrack::fromBody(body);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->entries().back().text, "third");
}

TEST(LyricFiles, NamesComparedWithoutRegardToCase) {
  EXPECT_TRUE(isMprName("a/b/Song.mpr"));
  EXPECT_TRUE(isMprName("SONG.MPR"));
  EXPECT_TRUE(isMprName(".mPr"));
  EXPECT_FALSE(isMprName("song.mp3"));
  EXPECT_FALSE(isMprName("mpr"));
  EXPECT_FALSE(isMprName("song.mpr "));
  EXPECT_EQ(lyricPathFor("/music/Song.mp3"), std::filesystem::path("/music/Song.LYR"));
  EXPECT_TRUE(equalsIgnoringCase("Song.lyr", "SONG.LYR"));
  EXPECT_FALSE(equalsIgnoringCase("Song.lyr", "Song.lyr2"));
  EXPECT_FALSE(equalsIgnoringCase("Song.lyr", "Sang.lyr"));
}

}  // namespace
}  // namespace norva::preview
