// norva's batch converters, run as a script would: files on disk, one line a file, exit codes.
#include <gtest/gtest.h>

#include <fstream>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

namespace fs = std::filesystem;
const fs::path kData = NORVA_TEST_DATA_DIR;

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

std::string contents(const fs::path& path) {
  const auto bytes = readWholeFile(path).bytes;
  return std::string(bytes.begin(), bytes.end());
}

void writeFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(NorvaBatchCommands, Txt16ConvertsEachFileAndSkipsTheSecondOfOneName) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  fs::create_directories(out);
  writeFile(dir.path() / "a/abc.txt", "abc");
  writeFile(dir.path() / "b/abc.txt", "other");
  writeFile(dir.path() / "a/empty.txt", "");
  const CommandResult run =
      norva({"txt16", (dir.path() / "a/abc.txt").string(), (dir.path() / "b/abc.txt").string(),
             (dir.path() / "a/empty.txt").string(), "-o", out.string()});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(contents(out / "abc.txt"), std::string("\xFF\xFE\x61\x00\x62\x00\x63\x00", 8));
  EXPECT_EQ(contents(out / "empty.txt"), "\xFF\xFE");
  EXPECT_EQ(run.out, (dir.path() / "a/abc.txt").string() + ": done: " + (out / "abc.txt").string() +
                         "\n" + (dir.path() / "b/abc.txt").string() +
                         ": skipped: an earlier input makes an output of the same name (" +
                         (out / "abc.txt").string() + ")\n" +
                         (dir.path() / "a/empty.txt").string() +
                         ": done: " + (out / "empty.txt").string() + "\n");
  EXPECT_EQ(run.err, "[TXT文件转换] 转化完成!\n");

  const CommandResult alone =
      norva({"txt16", (dir.path() / "a/abc.txt").string(), "-o", out.string()});
  EXPECT_EQ(alone.exitCode, 0) << alone.err;
}

TEST(NorvaBatchCommands, Txt16RefusalsAndTooLargeFiles) {
  TempDir dir;
  writeFile(dir.path() / "big.txt", std::string(1048577, 'a'));
  EXPECT_EQ(norva({"txt16", (dir.path() / "big.txt").string()}).exitCode, 64);
  const CommandResult noFolder =
      norva({"txt16", (dir.path() / "big.txt").string(), "-o", (dir.path() / "none").string()});
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_NE(noFolder.err.find("No such file or directory"), std::string::npos) << noFolder.err;
  const CommandResult big =
      norva({"txt16", (dir.path() / "big.txt").string(), "-o", (dir.path() / "out").string()});
  EXPECT_EQ(big.exitCode, 1);
  fs::create_directories(dir.path() / "out");
  const CommandResult tooLarge =
      norva({"txt16", (dir.path() / "big.txt").string(), "-o", (dir.path() / "out").string()});
  EXPECT_EQ(tooLarge.exitCode, 1);
  EXPECT_EQ(tooLarge.err,
            "[TXT文件转换] TXT文本过长!\r\n MP3播发器将不支持!\n[TXT文件转换] 转化完成!\n");
  EXPECT_FALSE(fs::exists(dir.path() / "out/big.txt"));
}

TEST(NorvaBatchCommands, BatchLrcGivesTheFilesOfNorvaLrcUnderTheConvertersNames) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  fs::create_directories(out);
  fs::copy_file(kData / "lyrics/song_cn.lrc", dir.path() / "lyrics.txt.lrc");
  const CommandResult run = norva({"batch-lrc", (dir.path() / "lyrics.txt.lrc").string(),
                                   (kData / "lyrics/short_en.lrc").string(), "-o", out.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "[LRC转LYR] 转化完成.\n");
  EXPECT_EQ(contents(out / "lyrics.txt.lyr"), contents(kData / "lyrics/expected/song_cn.lrc.lyr"));
  EXPECT_EQ(contents(out / "short_en.lyr"), contents(kData / "lyrics/expected/short_en.lrc.lyr"));
}

TEST(NorvaBatchCommands, BatchLrcCancelAtTheWarningPassesTheFileOver) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  fs::create_directories(out);
  writeFile(dir.path() / "long.lrc", "t\r\n[00:01.00]1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  writeFile(dir.path() / "ok.lrc", "t\r\n[00:01.00]ok\r\n");
  const CommandResult run =
      norva({"batch-lrc", (dir.path() / "long.lrc").string(), (dir.path() / "ok.lrc").string(),
             "-o", out.string(), "--on-warning", "cancel"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_FALSE(fs::exists(out / "long.lyr"));
  EXPECT_TRUE(fs::exists(out / "ok.lyr"));
  EXPECT_NE(run.out.find("long.lrc: skipped: cancelled at the layout warning\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.err.rfind("[long.lrc] ", 0), 0u) << run.err;
  EXPECT_EQ(norva({"batch-lrc", (dir.path() / "ok.lrc").string(), "-o", out.string(),
                   "--on-warning", "maybe"})
                .exitCode,
            64);
}

TEST(NorvaBatchCommands, BatchMprTakesTheLyricOfTheKindAndMatchesNorvaMpr) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  fs::create_directories(out);
  const fs::path song = dir.path() / "mp3/song.mp3";
  fs::create_directories(song.parent_path());
  fs::copy_file(kData / "audio/song_cn_speech_44k1_stereo_cbr128.mp3", song);
  fs::create_directories(dir.path() / "lyrics");
  fs::copy_file(kData / "lyrics/song_cn.lrc", dir.path() / "lyrics/song.lrc");
  const CommandResult run =
      norva({"batch-mpr", song.string(), "--lyrics", (dir.path() / "lyrics").string(), "--kind",
             "lrc", "-o", out.string()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, song.string() + ": done: " + (out / "song.mpr").string() + "\n");
  EXPECT_EQ(run.err, "[MP3-->MPR] 转化完毕!\n");
  const CommandResult single =
      norva({"mpr", song.string(), (dir.path() / "lyrics/song.lrc").string(), "-o",
             (dir.path() / "single.mpr").string()});
  ASSERT_EQ(single.exitCode, 0) << single.err;
  EXPECT_EQ(contents(out / "song.mpr"), contents(dir.path() / "single.mpr"));

  // No lyric of that kind: passed over, and the script learns it from the exit status.
  const CommandResult tly =
      norva({"batch-mpr", song.string(), "--lyrics", (dir.path() / "lyrics").string(), "--kind",
             "tly", "-o", out.string()});
  EXPECT_EQ(tly.exitCode, 1);
  EXPECT_EQ(tly.out, song.string() + ": skipped: no lyric file\n");
  EXPECT_EQ(norva({"batch-mpr", song.string(), "--lyrics", (dir.path() / "lyrics").string(), "-o",
                   out.string()})
                .exitCode,
            64);
}

}  // namespace
}  // namespace norva
