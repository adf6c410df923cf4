#include "preview/lyric_track.h"

#include <gtest/gtest.h>

#include <fstream>

#include "preview/lyric_body.h"
#include "test_support/temp_dir.h"

namespace norva::preview {
namespace {

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> lyrFile(const std::vector<uint8_t>& body) {
  std::vector<uint8_t> file(512 + body.size(), 0);
  std::copy(body.begin(), body.end(), file.begin() + 512);
  return file;
}

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
  EXPECT_EQ(track->screenAt(0), -1);
  EXPECT_EQ(track->screenAt(1), 0);  // 0.1 s: past the entry at 0.0 s
  EXPECT_EQ(track->screenAt(35), 0);
  EXPECT_EQ(track->screenAt(36), 1);  // past 3.5 s
  EXPECT_EQ(track->screenAt(72), 1);
  EXPECT_EQ(track->screenAt(73), 2);  // past 7.2 s
  EXPECT_EQ(track->screenAt(100000), 2);
}

TEST(LyricTrack, ProgressRemembersTheScreenShown) {
  const auto track = LyricTrack::fromBody(test::lyricBody(kThreeScreens));
  LyricProgress progress(&*track);
  EXPECT_EQ(progress.update(0).screen, -1);
  auto step = progress.update(1);
  EXPECT_EQ(step.screen, 0);
  EXPECT_TRUE(step.changed);
  step = progress.update(3);
  EXPECT_EQ(step.screen, 0);
  EXPECT_FALSE(step.changed);
  EXPECT_EQ(progress.shownSince(), 1);
  step = progress.update(36);
  EXPECT_TRUE(step.changed);
  EXPECT_EQ(progress.lastShown(), 1);
  EXPECT_EQ(progress.shownSince(), 36);
  // Seeking back shows the earlier screen again.
  EXPECT_TRUE(progress.update(2).changed);
  LyricProgress none(nullptr);
  EXPECT_EQ(none.update(50).screen, -1);
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

TEST(LyricFiles, NamesAndCaseInsensitiveLookup) {
  EXPECT_TRUE(isMprName("a/b/Song.mpr"));
  EXPECT_TRUE(isMprName("SONG.MPR"));
  EXPECT_FALSE(isMprName("song.mp3"));
  EXPECT_FALSE(isMprName("mpr"));
  EXPECT_EQ(lyricPathFor("/music/Song.mp3"), std::filesystem::path("/music/Song.LYR"));

  TempDir dir;
  writeFile(dir.path() / "Song.lyr", lyrFile(test::lyricBody(kThreeScreens)));
  const auto found = findIgnoringCase(dir.path() / "Song.LYR");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->filename(), "Song.lyr");
  EXPECT_FALSE(findIgnoringCase(dir.path() / "Other.LYR"));
}

TEST(LyricFiles, LoadsTheLyrBesideAnMp3) {
  TempDir dir;
  writeFile(dir.path() / "Song.mp3", {1, 2, 3});
  writeFile(dir.path() / "Song.lyr", lyrFile(test::lyricBody(kThreeScreens, 2, 512)));
  const auto load = loadLyricFor(dir.path() / "Song.mp3");
  ASSERT_TRUE(load.track);
  EXPECT_EQ(load.track->entries().size(), 3u);
  EXPECT_EQ(load.readPath.filename(), "Song.lyr");
  EXPECT_TRUE(load.message.empty());
}

TEST(LyricFiles, MissingOrShortLyricGivesTheStatusText) {
  TempDir dir;
  const auto mp3 = dir.path() / "a.mp3";
  writeFile(mp3, {1});
  auto load = loadLyricFor(mp3);
  EXPECT_FALSE(load.track);
  EXPECT_EQ(load.message, "无对应的歌词文件\"" + (dir.path() / "a.LYR").string() + "\"");
  // 512 bytes or less: nothing past the header block.
  writeFile(dir.path() / "a.LYR", std::vector<uint8_t>(512, 2));
  load = loadLyricFor(mp3);
  EXPECT_FALSE(load.track);
  EXPECT_FALSE(load.message.empty());
}

TEST(LyricFiles, MprHeadAndItsStatusText) {
  TempDir dir;
  const auto mpr = dir.path() / "b.MPR";
  auto file = test::lyricBody(kThreeScreens, 2, 1024);
  file.resize(40000, 0x55);  // the MP3 data after the lyric part
  writeFile(mpr, file);
  auto load = loadLyricFor(mpr);
  ASSERT_TRUE(load.track);
  EXPECT_EQ(load.track->entries()[2].text, "third");

  writeFile(mpr, {});
  load = loadLyricFor(mpr);
  EXPECT_FALSE(load.track);
  EXPECT_EQ(load.message, "No sync lyric!\"" + mpr.string() + "\"");
}

TEST(LyricFiles, MprLyricNearTheLargestSizeIsReadWhole) {
  // Texts beyond 30,720 bytes: the whole body (up to 32,256 bytes) is read.
  std::vector<std::pair<uint16_t, std::string>> screens;
  for (uint16_t i = 0; i < 250; ++i)
    screens.emplace_back(i * 10, std::string(120, static_cast<char>('a' + i % 26)));
  auto body = test::lyricBody(screens, 2);
  ASSERT_GT(body.size(), 30720u);
  ASSERT_LE(body.size(), kMaxLyricBody);
  TempDir dir;
  const auto mpr = dir.path() / "big.mpr";
  body.resize(60000, 0);
  writeFile(mpr, body);
  const auto load = loadLyricFor(mpr);
  ASSERT_TRUE(load.track);
  ASSERT_EQ(load.track->entries().size(), 250u);
  EXPECT_EQ(load.track->entries().back().text, std::string(120, 'a' + 249 % 26));
}

}  // namespace
}  // namespace norva::preview
