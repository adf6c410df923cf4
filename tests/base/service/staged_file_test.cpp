#include "base/service/staged_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "test_support/temp_dir.h"

namespace norva {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> bytesOf(std::string_view text) {
  return {text.begin(), text.end()};
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, std::string_view text) {
  std::ofstream(path, std::ios::binary) << text;
}

unsigned modeOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Sets the process umask for one test and puts the old one back.
class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskScope() { ::umask(old_); }

 private:
  mode_t old_;
};

struct ModeCase {
  unsigned oldMode;
  unsigned expected;
};

TEST(StagedFile, CommitReplacesTheContentsAndKeepsTheOldPermissions) {
  const UmaskScope umask(022);
  const ModeCase cases[] = {{0600, 0600}, {0640, 0640}, {0755, 0755}, {0444, 0444}, {0604, 0604}};
  for (const auto& c : cases) {
    TempDir dir;
    const fs::path target = dir.path() / "song.lyr";
    writeText(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), c.oldMode), 0);
    StagedFile staged(target);
    ASSERT_TRUE(staged.ok()) << staged.error();
    ASSERT_TRUE(staged.write(bytesOf("new contents")));
    ASSERT_TRUE(staged.commit()) << staged.error();
    EXPECT_EQ(contents(target), "new contents");
    EXPECT_EQ(modeOf(target), c.expected) << std::oct << c.oldMode;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"song.lyr"});
  }
}

TEST(StagedFile, NewFileGetsTheUsualPermissionsUnderTheUmask) {
  const struct {
    mode_t mask;
    unsigned expected;
  } cases[] = {{022, 0644}, {027, 0640}, {077, 0600}, {0, 0666}};
  for (const auto& c : cases) {
    const UmaskScope umask(c.mask);
    TempDir dir;
    const fs::path target = dir.path() / "new.lgo";
    StagedFile staged(target);
    ASSERT_TRUE(staged.write(bytesOf("x")));
    ASSERT_TRUE(staged.commit()) << staged.error();
    EXPECT_EQ(modeOf(target), c.expected) << std::oct << c.mask;
  }
}

TEST(StagedFile, FailedCommitLeavesTheOldFileAsItWas) {
  TempDir dir;
  const fs::path target = dir.path() / "song.lyr";
  writeText(target, "old contents");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const std::string beforeBytes = contents(target);
  const unsigned beforeMode = modeOf(target);
  const auto beforeTime = fs::last_write_time(target);

  StagedFile staged(target);
  ASSERT_TRUE(staged.write(bytesOf("new contents that never land")));
  // Every name the new file could take just before it replaces the old one is taken, so the
  // commit cannot complete.
  for (int attempt = 0; attempt < 100; ++attempt)
    writeText(dir.path() /
                  (".song.lyr.norva-" + std::to_string(::getpid()) + "-" + std::to_string(attempt)),
              "taken");
  EXPECT_FALSE(staged.commit());
  EXPECT_FALSE(staged.ok());
  EXPECT_FALSE(staged.error().empty());

  EXPECT_EQ(contents(target), beforeBytes);
  EXPECT_EQ(modeOf(target), beforeMode);
  EXPECT_EQ(fs::last_write_time(target), beforeTime);
}

TEST(StagedFile, CommitOverAFolderFailsAndLeavesTheFolder) {
  TempDir dir;
  const fs::path target = dir.path() / "taken";
  fs::create_directory(target);
  writeText(target / "inside", "kept");
  {
    StagedFile staged(target);
    ASSERT_TRUE(staged.write(bytesOf("x")));
    EXPECT_FALSE(staged.commit());
  }
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(contents(target / "inside"), "kept");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"taken"});
}

// A device keeps its place and a full device is a failure. The device is a private copy of
// /dev/full (major 1, minor 7) made in the test's folder, so that a fault replaces only that.
TEST(StagedFile, AFullDeviceIsWrittenIntoAndNotReplaced) {
  TempDir dir;
  const fs::path device = dir.path() / "full";
  if (::mknod(device.c_str(), S_IFCHR | 0600, ::makedev(1, 7)) != 0)
    GTEST_SKIP() << "cannot make a device node here (not root)";
  {
    StagedFile staged(device);
    EXPECT_FALSE(staged.write(bytesOf("x")) && staged.commit());
    EXPECT_NE(staged.error().find("No space left on device"), std::string::npos) << staged.error();
  }
  EXPECT_EQ(fs::status(device).type(), fs::file_type::character);
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"full"});
}

TEST(StagedFile, APipeGetsTheBytes) {
  TempDir dir;
  const fs::path fifo = dir.path() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opened for reading without waiting first, so that the writer's open does not block.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  {
    StagedFile staged(fifo);
    ASSERT_TRUE(staged.write(bytesOf("abc")));
    EXPECT_TRUE(staged.commit()) << staged.error();
  }
  char got[8] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 3);
  ::close(reader);
  EXPECT_EQ(std::string(got), "abc");
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST(StagedFile, UncommittedStagedFileLeavesNothingBehind) {
  TempDir dir;
  const fs::path fresh = dir.path() / "fresh.lgo";
  {
    StagedFile staged(fresh);
    ASSERT_TRUE(staged.write(bytesOf("never committed")));
    EXPECT_TRUE(namesIn(dir.path()).empty()) << "the file being written has no name yet";
  }
  EXPECT_TRUE(namesIn(dir.path()).empty());

  const fs::path existing = dir.path() / "old.lgo";
  writeText(existing, "old");
  {
    StagedFile staged(existing);
    ASSERT_TRUE(staged.write(bytesOf("new")));
  }
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"old.lgo"});
  EXPECT_EQ(contents(existing), "old");
}

TEST(StagedFile, MissingFolderFailsAtOnceAndCreatesNothing) {
  TempDir dir;
  StagedFile staged(dir.path() / "no-such-folder" / "x.lgo");
  EXPECT_FALSE(staged.ok());
  EXPECT_FALSE(staged.write(bytesOf("x")));
  EXPECT_FALSE(staged.commit());
  EXPECT_TRUE(namesIn(dir.path()).empty());
}

}  // namespace
}  // namespace norva
