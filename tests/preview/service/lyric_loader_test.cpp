#include "preview/service/lyric_loader.h"

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

const std::vector<std::pair<uint16_t, std::string>> kThreeScreens{
    {0, "first"}, {35, "second\rline"}, {72, "third"}};

TEST(LyricFiles, FoundWithoutRegardToCase) {
  TempDir dir;
  writeFile(dir.path() / "Song.lyr", test::lyrFile(test::lyricBody(kThreeScreens)));
  const auto found = findIgnoringCase(dir.path() / "Song.LYR");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->filename(), "Song.lyr");
  EXPECT_FALSE(findIgnoringCase(dir.path() / "Other.LYR"));
}

TEST(LyricFiles, LoadsTheLyrBesideAnMp3) {
  TempDir dir;
  writeFile(dir.path() / "Song.mp3", {1, 2, 3});
  writeFile(dir.path() / "Song.lyr", test::lyrFile(test::lyricBody(kThreeScreens, 2, 512)));
  const auto load = loadLyricFor(dir.path() / "Song.mp3");
  ASSERT_TRUE(load.track);
  EXPECT_EQ(load.track->entries().size(), 3u);
  EXPECT_EQ(load.readPath.filename(), "Song.lyr");
  EXPECT_FALSE(load.missingMessage);
}

TEST(LyricFiles, MissingOrShortLyricGivesTheStatusText) {
  TempDir dir;
  const auto mp3 = dir.path() / "a.mp3";
  writeFile(mp3, {1});
  auto load = loadLyricFor(mp3);
  EXPECT_FALSE(load.track);
  EXPECT_EQ(load.missingMessage, "无对应的歌词文件\"" + (dir.path() / "a.LYR").string() + "\"");
  // 512 bytes or less: nothing past the header block.
  writeFile(dir.path() / "a.LYR", std::vector<uint8_t>(512, 2));
  load = loadLyricFor(mp3);
  EXPECT_FALSE(load.track);
  EXPECT_EQ(load.missingMessage, "无对应的歌词文件\"" + (dir.path() / "a.LYR").string() + "\"");
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
  EXPECT_EQ(load.missingMessage, "No sync lyric!\"" + mpr.string() + "\"");
}

TEST(LyricFiles, TheKindTheCallerDecidedWinsOverTheName) {
  TempDir dir;
  const auto head = dir.path() / "head.mp3";
  writeFile(head, test::lyricBody(kThreeScreens, 2, 1024));
  auto load = loadLyricFor(head, true);
  ASSERT_TRUE(load.track);
  EXPECT_EQ(load.readPath, head);
  EXPECT_EQ(load.track->entries().size(), 3u);

  const auto beside = dir.path() / "beside.MPR";
  writeFile(beside, {});
  writeFile(dir.path() / "beside.LYR", test::lyrFile(test::lyricBody(kThreeScreens)));
  load = loadLyricFor(beside, false);
  ASSERT_TRUE(load.track);
  EXPECT_EQ(load.readPath, dir.path() / "beside.LYR");
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
