// norva info, play and mpr, run as a user would: files on disk, exit codes, what is printed.
#include <gtest/gtest.h>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

const std::filesystem::path kData = NORVA_TEST_DATA_DIR;
const std::filesystem::path kSong = kData / "audio" / "song_cn_speech_44k1_stereo_cbr128.mp3";

CommandResult norva(std::vector<std::string> args, std::vector<std::string> env = {}) {
  args.insert(args.begin(), NORVA_BINARY);
  if (!env.empty()) {
    env.insert(env.begin(), "env");
    args.insert(args.begin(), env.begin(), env.end());
  }
  return runCommand(args);
}

// The screens of lyrics/song_cn.lrc as `play --speed max` prints them: each appears one tenth
// after its time tag (the time must be past the tag), the first line again at the end.
const char* const kSongScreens =
    "00:01.1  小小的屏幕亮起来\n"
    "00:04.1  一行一行的歌词\n"
    "00:06.4  跟着音乐慢慢走\n"
    "00:08.9  早上好 Good  / morning\n"
    "00:10.6  风吹过绿色的田野\n"
    "00:13.2  小鸟在树上唱歌\n"
    "00:15.7  小小的屏幕亮起来\n"
    "00:19.2  end\n";

// Keys typed while playing say what they changed: volume, pause, and q ends playing.
TEST(NorvaPlay, KeysShowWhatTheyChanged) {
  const CommandResult result =
      runCommand({"/bin/sh", "-c", "printf '%s' '- q' | exec \"$0\" play \"$1\" --audio null",
                  NORVA_BINARY, (kData / "audio" / "tone440_44k1_mono_cbr64_noinfo.mp3").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  // 99 (a full level reads back as 99) less 10 is set as 89 % and reads back as 88.
  const auto volume = result.out.find("volume 88\n");
  const auto paused = result.out.find("paused\n");
  EXPECT_NE(volume, std::string::npos) << result.out;
  EXPECT_NE(paused, std::string::npos) << result.out;
  EXPECT_LT(volume, paused) << result.out;
}

TEST(NorvaInfo, ShowsWhatTheHeaderSearchFound) {
  const auto result = norva({"info", kSong.string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  for (const char* line :
       {"first frame offset: 190\n", "MPEG version: 1\n", "layer: 3\n", "sampling rate: 44100 Hz\n",
        "channel mode: joint stereo\n", "bit rate: 128 kbit/s\n", "frame size: 417 bytes",
        "Xing header: Info, flags 15, frames 737", "total frames: 737\n",
        "milliseconds per frame: 26.12\n"})
    EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;

  TempDir dir;
  const auto shortFile = dir.path() / "short.mp3";
  writeFileAtomically(shortFile, std::string(4323, '\xFF'));
  const auto refused = norva({"info", shortFile.string()});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.err, "norva: " + shortFile.string() +
                             ": no MPEG audio stream found (fewer than 4324 bytes, or no three "
                             "consistent Layer II/III frames)\n");
  const auto missing = norva({"info", (dir.path() / "none.mp3").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "norva: " + (dir.path() / "none.mp3").string() +
                             ": cannot be read: No such file or directory\n");
}

TEST(NorvaPlay, Mp3WithItsLyrShowsEveryScreenAtItsTime) {
  TempDir dir;
  std::filesystem::copy(kSong, dir.path() / "Song.mp3");
  // The lyric beside it, named in another letter case.
  ASSERT_EQ(norva({"lrc", (kData / "lyrics" / "song_cn.lrc").string(), "-o",
                   (dir.path() / "song.lyr").string()})
                .exitCode,
            0);
  const auto result = norva({"play", (dir.path() / "Song.mp3").string(), "--speed", "max"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, kSongScreens);
}

TEST(NorvaPlay, MprMadeByNorvaMprPlaysWithTheSameScreens) {
  TempDir dir;
  std::filesystem::copy(kSong, dir.path() / "song.mp3");
  const auto made = norva(
      {"mpr", (dir.path() / "song.mp3").string(), (kData / "lyrics" / "song_cn.lrc").string()});
  ASSERT_EQ(made.exitCode, 0) << made.err;
  EXPECT_EQ(made.out, (dir.path() / "song.MPR").string() + "\n");
  // The MP3 is moved away: the MPR holds everything.
  std::filesystem::remove(dir.path() / "song.mp3");
  const auto result = norva({"play", (dir.path() / "song.MPR").string(), "--speed", "max"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, kSongScreens);
}

TEST(NorvaPlay, MissingLyricIsSaidAndPlayingGoesOn) {
  const auto mp3 = kData / "audio" / "tone440_44k1_mono_cbr64_noinfo.mp3";
  const auto result = norva({"play", mp3.string(), "--speed", "max"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "无对应的歌词文件\"" +
                            (kData / "audio" / "tone440_44k1_mono_cbr64_noinfo.LYR").string() +
                            "\"\n00:05.0  end\n");

  TempDir dir;
  writeFileAtomically(dir.path() / "x.mpr", std::string(100, 'x'));
  const auto notPlayable = norva({"play", (dir.path() / "x.mpr").string(), "--speed", "max"});
  EXPECT_EQ(notPlayable.exitCode, 1);
  EXPECT_EQ(notPlayable.out, "No sync lyric!\"" + (dir.path() / "x.mpr").string() + "\"\n");
}

TEST(NorvaPlay, AlsaBackendAndItsFallbackToTheNullDevice) {
  const auto chirp = (kData / "audio" / "chirp_8k_mono_cbr16_mpeg25.mp3").string();
  // ALSA's own null plugin: the ALSA code runs without a sound card.
  auto result = norva({"play", chirp, "--audio", "alsa"}, {"NORVA_ALSA_DEVICE=null"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_NE(result.out.find("00:04.1  end\n"), std::string::npos) << result.out;
  // A device that cannot be opened: the null device plays (in real time: the last frame only).
  result = norva({"play", chirp, "--audio", "alsa", "--seek", "990"},
                 {"NORVA_ALSA_DEVICE=no_such_pcm_device"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(
      result.err.find("[MP3 Player] No sound device could be opened: alsa:no_such_pcm_device"),
      std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find(" end\n"), std::string::npos);
}

TEST(NorvaPlay, RefusesBadOptions) {
  const std::string song = kSong.string();
  EXPECT_EQ(norva({"play"}).exitCode, 64);
  EXPECT_EQ(norva({"play", song, "--audio", "oss"}).exitCode, 64);
  EXPECT_EQ(norva({"play", song, "--speed", "0"}).exitCode, 64);
  EXPECT_EQ(norva({"play", song, "--speed", "2", "--audio", "alsa"}).exitCode, 64);
  EXPECT_EQ(norva({"play", song, "--seek", "1001"}).exitCode, 64);
}

TEST(NorvaPlay, SaysWhyAFileDoesNotPlay) {
  const auto missing = norva({"play", "/no/such/file.mp3", "--speed", "max"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.err, "norva: /no/such/file.mp3: cannot be read: No such file or directory\n");

  TempDir dir;
  const auto shortFile = dir.path() / "short.mp3";
  writeFileAtomically(shortFile, std::string(4323, '\xFF'));
  const auto noStream = norva({"play", shortFile.string(), "--speed", "max"});
  EXPECT_EQ(noStream.exitCode, 1);
  EXPECT_EQ(
      noStream.err,
      "norva: " + shortFile.string() +
          ": cannot be played: no MPEG audio stream found (fewer than 4324 bytes, or no three "
          "consistent Layer II/III frames)\n");
}

TEST(NorvaMpr, ReportsAMissingMp3AndCancel) {
  TempDir dir;
  auto result = norva(
      {"mpr", (dir.path() / "none.mp3").string(), (kData / "lyrics" / "song_cn.lrc").string()});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "[MPR转化失败] 指定的MP3文件不存在,或者正在使用!\nnorva: " +
                            (dir.path() / "none.mp3").string() +
                            ": cannot be read: No such file or directory\n");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

  std::filesystem::copy(kSong, dir.path() / "s.mp3");
  const std::string longLine = "[00:01.00]" + std::string(150, 'w') + "\r\n";
  writeFileAtomically(dir.path() / "long.lrc", longLine);
  result = norva({"mpr", (dir.path() / "s.mp3").string(), (dir.path() / "long.lrc").string(),
                  "--on-warning", "cancel"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.MPR"));
  EXPECT_EQ(norva({"mpr", "only-one"}).exitCode, 64);
}

}  // namespace
}  // namespace norva
