#include "audio/service/wav_to_mp3_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "audio/fake_mp3_encoder.h"
#include "test_support/temp_dir.h"

namespace norva::audio {
namespace {

namespace fs = std::filesystem;
using lyr::BatchFileStatus;
using lyr::BatchRunResult;

std::string contentsOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void writeText(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

// A run over files in a test folder, the temporary folder inside it so that what the run
// leaves there is seen. The fake encoder writes "mp3 of NAME" into the file it is given.
class WavToMp3RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const fs::path& folder : {in, out, tmp}) fs::create_directories(folder);
    if (const char* old = std::getenv("TMPDIR")) oldTmp = old;
    ::setenv("TMPDIR", tmp.c_str(), 1);
    encoder.setBehaviour([](const EncodeCall& call) {
      writeText(call.target, "mp3 of " + call.source.filename().string());
      return EncodeOutcome::Encoded;
    });
  }
  void TearDown() override {
    if (oldTmp.empty())
      ::unsetenv("TMPDIR");
    else
      ::setenv("TMPDIR", oldTmp.c_str(), 1);
  }

  void addInput(const fs::path& path) {
    writeText(path, "RIFF");
    ASSERT_TRUE(inputs.add(*lyr::fileEntryOnDisk(path)));
  }

  lyr::BatchRun convert() {
    EXPECT_TRUE(run.begin());
    const lyr::BatchRun result =
        run.convert(inputs, out.string(), [&](const auto& report) { reports.push_back(report); });
    run.end();
    return result;
  }

  TempDir dir;
  fs::path in = dir.path() / "in";
  fs::path out = dir.path() / "out";
  fs::path tmp = dir.path() / "tmp";
  std::string oldTmp;
  FakeMp3Encoder encoder;
  WavToMp3Run run{encoder};
  lyr::FileEntryList inputs;
  std::vector<lyr::BatchFileReport> reports;
};

TEST_F(WavToMp3RunTest, EncodesThroughAPrivateTemporaryFileAndNamesTheTargets) {
  addInput(in / "song.wav");
  addInput(in / "abcd");
  const lyr::BatchRun result = convert();
  EXPECT_EQ(result.result, BatchRunResult::Finished);
  EXPECT_EQ(result.written, 2u);
  EXPECT_EQ(contentsOf(out / "song.mp3"), "mp3 of song.wav");
  EXPECT_EQ(contentsOf(out / "abcd.mp3"), "mp3 of abcd");
  for (const EncodeCall& call : encoder.calls()) {
    EXPECT_EQ(call.target.parent_path(), tmp);
    EXPECT_EQ(call.target.filename().string().rfind("$mp3tmp", 0), 0u) << call.target;
  }
  ASSERT_EQ(encoder.calls().size(), 2u);
  EXPECT_NE(encoder.calls()[0].target, encoder.calls()[1].target);
  EXPECT_TRUE(fs::is_empty(tmp));
  EXPECT_FALSE(run.running());
}

TEST_F(WavToMp3RunTest, AFailedEncodingLeavesTheOldTargetAndNoTemporaryFile) {
  addInput(in / "song.wav");
  writeText(out / "song.mp3", "the user's own");
  encoder.setBehaviour([](const EncodeCall& call) {
    writeText(call.target, "half");
    return EncodeOutcome::SourceUnreadable;
  });
  const lyr::BatchRun result = convert();
  EXPECT_EQ(result.written, 0u);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].status, BatchFileStatus::Failed);
  EXPECT_EQ(reports[0].detail, toString(EncodeOutcome::SourceUnreadable));
  EXPECT_EQ(contentsOf(out / "song.mp3"), "the user's own");
  EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(WavToMp3RunTest, TheSecondInputOfOneNameIsPassedOver) {
  fs::create_directories(in / "other");
  addInput(in / "take.wav");
  addInput(in / "other" / "TAKE.WAV");
  convert();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].status, BatchFileStatus::Written);
  EXPECT_EQ(reports[1].status, BatchFileStatus::SameOutputName);
  EXPECT_EQ(encoder.calls().size(), 1u);
  EXPECT_EQ(contentsOf(out / "take.mp3"), "mp3 of take.wav");
}

TEST_F(WavToMp3RunTest, ASourceGoneByItsTurnIsPassedOverWithoutEncoding) {
  addInput(in / "gone.wav");
  fs::remove(in / "gone.wav");
  convert();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].status, BatchFileStatus::Failed);
  EXPECT_TRUE(encoder.calls().empty());
  EXPECT_FALSE(fs::exists(out / "gone.mp3"));
}

TEST_F(WavToMp3RunTest, CancelKeepsFinishedFilesAndNeverTouchesTheCurrentTarget) {
  addInput(in / "a.wav");
  addInput(in / "b.wav");
  addInput(in / "c.wav");
  writeText(out / "b.mp3", "older b");
  encoder.holdCall(2);
  ASSERT_TRUE(run.begin());
  lyr::BatchRun result;
  std::thread worker([&] { result = run.convert(inputs, out.string()); });
  ASSERT_TRUE(encoder.waitForCalls(2));
  run.cancel();
  worker.join();
  run.end();
  EXPECT_EQ(result.result, BatchRunResult::Stopped);
  EXPECT_EQ(result.written, 1u);
  EXPECT_EQ(encoder.calls().size(), 2u);
  EXPECT_GE(encoder.stops(), 1u);
  EXPECT_EQ(contentsOf(out / "a.mp3"), "mp3 of a.wav");
  EXPECT_EQ(contentsOf(out / "b.mp3"), "older b");
  EXPECT_FALSE(fs::exists(out / "c.mp3"));
  EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(WavToMp3RunTest, ACancelDuringAFileWinsOverAnEncoderThatFinishedAnyway) {
  addInput(in / "a.wav");
  addInput(in / "b.wav");
  encoder.setBehaviour([&](const EncodeCall& call) {
    writeText(call.target, "whole");
    if (call.source.filename() == "a.wav") run.cancel();  // the user, while a.wav is encoded
    return EncodeOutcome::Encoded;
  });
  const lyr::BatchRun result = convert();
  EXPECT_EQ(result.result, BatchRunResult::Stopped);
  EXPECT_EQ(result.written, 0u);
  EXPECT_FALSE(fs::exists(out / "a.mp3"));
  EXPECT_EQ(encoder.calls().size(), 1u);
  EXPECT_TRUE(fs::is_empty(tmp));
}

TEST_F(WavToMp3RunTest, ASecondBeginIsRefusedAndAnUnbegunRunConvertsNothing) {
  addInput(in / "a.wav");
  EXPECT_EQ(run.convert(inputs, out.string()).result, BatchRunResult::NothingToConvert);
  EXPECT_TRUE(encoder.calls().empty());
  ASSERT_TRUE(run.begin());
  EXPECT_FALSE(run.begin());
  run.end();
  EXPECT_TRUE(run.begin());
  run.end();
}

TEST_F(WavToMp3RunTest, BeginClearsAnEarlierCancel) {
  addInput(in / "a.wav");
  run.cancel();
  EXPECT_EQ(convert().written, 1u);
}

TEST_F(WavToMp3RunTest, OutputFolderCheck) {
  fs::create_directories(dir.path() / "ab");
  writeText(out / "$1$.TM", "kept");
  writeText(dir.path() / "file", "");
  fs::create_directory_symlink(out, dir.path() / "link");
  const std::pair<std::string, OutputFolderCheck> rows[] = {
      {"/a", OutputFolderCheck::TooShort},
      {"C:", OutputFolderCheck::TooShort},
      {out.string(), OutputFolderCheck::Usable},
      {out.string() + "/", OutputFolderCheck::Usable},
      {(dir.path() / "link").string(), OutputFolderCheck::Usable},
      {(dir.path() / "file").string(), OutputFolderCheck::NotAFolder},
      {(dir.path() / "missing").string(), OutputFolderCheck::NotAFolder},
      {"/proc", OutputFolderCheck::NotWritable},
  };
  for (const auto& [folder, expected] : rows)
    EXPECT_EQ(checkOutputFolder(folder), expected) << folder;
  // The check leaves the folder as it was; a file named as the old probe is not touched.
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
  EXPECT_EQ(contentsOf(out / "$1$.TM"), "kept");
}

}  // namespace
}  // namespace norva::audio
