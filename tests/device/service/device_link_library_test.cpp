// DeviceLink over the real player library and its simulated player: the cache is really
// filled, another process changing the drive never makes a stale index delete the wrong file,
// the library's texts reach the prompter, and attaching shows as a device change.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <cstdlib>
#include <fstream>

#include "base/recording_prompter.h"
#include "device/service/device_link.h"
#include "device/service/player_state.h"
#include "device/service/player_watcher.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("NORVA_PLAYER_DIR", (dir.path() / "player").c_str(), 1);
    ::setenv("NORVA_TCC730_LIBRARY", NORVA_TCC730_PATH, 1);
    ::setenv("MTOOLS_SKIP_CHECK", "1", 1);
    ASSERT_EQ(state.create(std::nullopt), PlayerStateOutcome::Done);
    ASSERT_TRUE(link.Initialize());
    int count = 0;
    int mask = 0;
    ASSERT_TRUE(link.Connect(true, count, mask));
  }
  void TearDown() override { link.Shutdown(); }

  void download(std::initializer_list<const char*> names) {
    TransferList files;
    for (const char* name : names) {
      const auto path = dir.path() / name;
      std::ofstream(path) << "content of " << name;
      files.add({path.string(), -1, 0, {}});
    }
    ASSERT_EQ(link.DownloadFiles(nullptr, 0, files), 0u) << prompter.messages.size();
  }

  std::vector<EntryRef> listed() {
    TransferList list;
    EXPECT_TRUE(link.ListDrive(0, list, true));
    std::vector<EntryRef> refs;
    for (const auto& item : list.items()) refs.push_back({item.index, item.text});
    return refs;
  }

  std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const auto& ref : listed()) out.push_back(ref.name);
    return out;
  }

  TempDir dir;
  FolderPlayerState state{dir.path() / "player"};
  RecordingPrompter prompter;
  DeviceSettings settings{(dir.path() / "Trelliq.ini").string()};
  DeviceLink link{prompter, settings};
};

TEST_F(LibraryTest, TheCacheListsWhatWasDownloaded) {
  download({"A.mp3", "Bee song.mp3"});
  EXPECT_EQ(names(), (std::vector<std::string>{"A.mp3", "Bee song.mp3"}));
  uint64_t total = 0;
  uint64_t free = 0;
  ASSERT_TRUE(link.GetCapacity(0, total, free));
  EXPECT_GT(total, free);
  EXPECT_EQ(link.GetFileCount(0), 2u);
  const auto fsck =
      runCommand({"fsck.fat", "-n", (dir.path() / "player" / "internal.img").string()});
  EXPECT_EQ(fsck.exitCode, 0) << fsck.out;
}

TEST_F(LibraryTest, AStaleIndexAfterAnotherProcessDeletesNothingWrong) {
  download({"A.mp3", "B.mp3", "C.mp3", "D.mp3"});
  const auto refs = listed();
  // Another program removes B: D moves from index 3 to 2.
  const auto other = runCommand({NORVA_BINARY, "player", "rm", "B.mp3"});
  ASSERT_EQ(other.exitCode, 0) << other.err;
  EXPECT_EQ(link.DeleteEntries(nullptr, 0, {refs[3]}), 0u);
  EXPECT_EQ(names(), (std::vector<std::string>{"A.mp3", "C.mp3"}));
}

TEST_F(LibraryTest, AFailureShowsTheLibrarysText) {
  TransferList files;
  const auto path = dir.path() / "late.mp3";
  std::ofstream(path) << "x";
  files.add({path.string(), -1, 0, {}});
  ASSERT_EQ(state.detach(), PlayerStateOutcome::Done);
  const DeviceCode code = link.DownloadFiles(nullptr, 0, files);
  EXPECT_NE(code, 0u);
  ASSERT_FALSE(prompter.messages.empty());
  EXPECT_EQ(prompter.messages.back().caption, "播放器");
  EXPECT_FALSE(prompter.messages.back().text.empty());
}

TEST_F(LibraryTest, UnplugThenConnectShowsNoPlayer) {
  ASSERT_EQ(state.detach(), PlayerStateOutcome::Done);
  int count = 2;
  int mask = 3;
  EXPECT_FALSE(link.Connect(true, count, mask));
  EXPECT_FALSE(link.hasHandle());
  ASSERT_EQ(state.attach(), PlayerStateOutcome::Done);
  EXPECT_TRUE(link.Connect(true, count, mask));
  EXPECT_EQ(count, 2);
}

TEST_F(LibraryTest, DetachingIsADeviceChange) {
  int argc = 1;
  char name[] = "device_link_library_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  PlayerWatcher watcher(dir.path() / "player");
  ASSERT_TRUE(watcher.attached());
  QSignalSpy spy(&watcher, &PlayerWatcher::deviceChanged);
  ASSERT_EQ(runCommand({NORVA_BINARY, "player", "detach"}).exitCode, 0);
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_FALSE(spy.takeFirst().at(0).toBool());
}

}  // namespace
}  // namespace norva::device
