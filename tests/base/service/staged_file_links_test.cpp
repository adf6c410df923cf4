// A staged write onto a symbolic link, and what a killed writer leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/service/file_identity.h"
#include "base/service/file_io.h"
#include "base/service/staged_file.h"

namespace norva {
namespace {

namespace fs = std::filesystem;

class StagedFileLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("staged_links_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(dir_))
      found.push_back(e.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path dir_;
};

TEST_F(StagedFileLinks, WritingThroughALinkReplacesTheTargetAndKeepsTheLink) {
  fs::create_directories(dir_ / "real");
  std::ofstream(dir_ / "real" / "song.lyr") << "old";
  fs::create_symlink("real/song.lyr", dir_ / "link.lyr");
  fs::create_symlink("link.lyr", dir_ / "link2.lyr");  // a chain of two links

  ASSERT_TRUE(writeFileAtomically(dir_ / "link2.lyr", std::string_view("new")).ok());

  EXPECT_TRUE(fs::is_symlink(dir_ / "link.lyr"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "link2.lyr"));
  EXPECT_EQ(contents(dir_ / "real" / "song.lyr"), "new");
  EXPECT_EQ(names(), (std::vector<std::string>{"link.lyr", "link2.lyr", "real"}));
}

TEST_F(StagedFileLinks, ADanglingLinkCreatesItsTarget) {
  fs::create_symlink("made.lyr", dir_ / "link.lyr");
  ASSERT_TRUE(writeFileAtomically(dir_ / "link.lyr", std::string_view("abc")).ok());
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.lyr"));
  EXPECT_EQ(contents(dir_ / "made.lyr"), "abc");
}

TEST_F(StagedFileLinks, AWriterKilledBeforeCommitLeavesNothingBehind) {
  std::ofstream(dir_ / "out.lyr") << "old";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    StagedFile file(dir_ / "out.lyr");
    const std::vector<uint8_t> bytes(100000, 0x41);
    if (!file.write(bytes)) ::_exit(3);
    ::kill(::getpid(), SIGKILL);  // dies with the staged file open and unnamed
    ::_exit(4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(names(), std::vector<std::string>{"out.lyr"});
  EXPECT_EQ(contents(dir_ / "out.lyr"), "old");
}

TEST_F(StagedFileLinks, StaleNamedTemporariesOfOursAreRemovedOthersKept) {
  // What a writer killed on a file system without unnamed files leaves: ours carry ".norva-".
  std::ofstream(dir_ / ".out.lyr.norva-Ab12Cd") << "stale";
  std::ofstream(dir_ / ".out.lyr.backup") << "the user's own";
  const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(dir_ / ".out.lyr.norva-Ab12Cd", old);
  fs::last_write_time(dir_ / ".out.lyr.backup", old);

  std::ofstream(dir_ / ".out.lyr.norva-fresh1") << "another writer's, still busy";
  removeStaleStagedFiles(dir_ / "out.lyr");
  EXPECT_EQ(names(), (std::vector<std::string>{".out.lyr.backup", ".out.lyr.norva-fresh1"}));
}

TEST_F(StagedFileLinks, SameFileSeesThroughLinksAndSpellings) {
  std::ofstream(dir_ / "a.lrc") << "x";
  std::ofstream(dir_ / "b.lrc") << "x";
  fs::create_hard_link(dir_ / "a.lrc", dir_ / "hard.lrc");
  fs::create_symlink("a.lrc", dir_ / "soft.lrc");
  fs::create_directories(dir_ / "sub");

  EXPECT_TRUE(isSameFile(dir_ / "a.lrc", dir_ / "hard.lrc"));
  EXPECT_TRUE(isSameFile(dir_ / "a.lrc", dir_ / "soft.lrc"));
  EXPECT_TRUE(isSameFile(dir_ / "a.lrc", dir_ / "sub" / ".." / "." / "a.lrc"));
  EXPECT_FALSE(isSameFile(dir_ / "a.lrc", dir_ / "b.lrc"));  // same bytes, other file
  EXPECT_FALSE(isSameFile(dir_ / "a.lrc", dir_ / "missing.lrc"));
}

}  // namespace
}  // namespace norva
