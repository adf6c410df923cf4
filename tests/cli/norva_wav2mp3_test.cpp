// norva wav2mp3 as a script runs it: files on disk, one line a file, messages and exit codes.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <vector>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

namespace fs = std::filesystem;

CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), NORVA_BINARY);
  return runCommand(args);
}

// A tenth of a second of silence, 8 kHz mono.
void writeWav(const fs::path& path) {
  SF_INFO info{};
  info.samplerate = 8000;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr);
  const std::vector<short> silence(800);
  sf_writef_short(file, silence.data(), 800);
  sf_close(file);
}

TEST(NorvaWav2Mp3, EncodesEachFileIntoTheFolderAndSkipsTheSecondOfOneName) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  fs::create_directories(out);
  fs::create_directories(dir.path() / "b");
  writeWav(dir.path() / "take.wav");
  writeWav(dir.path() / "b" / "take.wav");
  writeWav(dir.path() / "ab");
  const std::string take = (dir.path() / "take.wav").string();
  const std::string other = (dir.path() / "b" / "take.wav").string();
  const std::string ab = (dir.path() / "ab").string();
  const CommandResult run =
      norva({"wav2mp3", take, other, ab, "-o", out.string(), "--bitrate", "32"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out, take + ": done: " + (out / "take.mp3").string() + "\n" + other +
                         ": skipped: an earlier input makes an output of the same name (" +
                         (out / "take.mp3").string() + ")\n" + ab +
                         ": done: " + (out / "ab.mp3").string() + "\n");
  EXPECT_NE(run.err.find("[WAV转MP3] 转化完成.\n"), std::string::npos) << run.err;
  for (const char* name : {"take.mp3", "ab.mp3"}) {
    const auto bytes = readWholeFile(out / name).bytes;
    ASSERT_GE(bytes.size(), 2u) << name;
    EXPECT_EQ(bytes[0], 0xFF) << name;  // a frame's sync, the encoder's tag frame first
  }
  EXPECT_EQ(norva({"wav2mp3", take, "-o", out.string()}).exitCode, 0);
}

TEST(NorvaWav2Mp3, Refusals) {
  TempDir dir;
  writeWav(dir.path() / "a.wav");
  const std::string wav = (dir.path() / "a.wav").string();
  const struct {
    std::vector<std::string> args;
    int exitCode;
    const char* said;
  } rows[] = {
      {{"wav2mp3", wav, "-o", "/a"}, 1, "[NORVA MP3播放机转换软件] 输出路径错误！\n"},
      {{"wav2mp3", wav, "-o", (dir.path() / "none").string()}, 1, "输出路径错误！"},
      {{"wav2mp3", wav}, 64, "-o DIR needed"},
      {{"wav2mp3", wav, "-o", dir.path().string(), "--bitrate", "100"}, 64, "--bitrate takes"},
      {{"wav2mp3", wav, "-o", dir.path().string(), "--bitrate", "128k"}, 64, "--bitrate takes"},
  };
  for (const auto& row : rows) {
    const CommandResult run = norva(row.args);
    EXPECT_EQ(run.exitCode, row.exitCode) << row.args.back() << ": " << run.err;
    EXPECT_NE(run.err.find(row.said), std::string::npos) << run.err;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace norva
