// Unplugging the simulated player in the middle of a transfer: the operation fails at its next
// step and the image stays a valid FAT file system whose other files are intact.
#include <gtest/gtest.h>

#include "usb/service/player_test_support.h"

namespace norva::usb {
namespace {

TEST(Detach, AtEveryWriteOfADownloadLeavesOnlyLostClusters) {
  const std::vector<uint8_t> kept = patternBytes(70000, 1);
  const std::vector<uint8_t> added = patternBytes(2 * 1024 * 1024 + 100, 2);

  // How many writes does a whole download take?
  int writes = 0;
  {
    PlayerFolder folder;
    folder.player().setWriteHook([&] { ++writes; });
    ASSERT_TRUE(folder.player().download(0, folder.pcFile("new song.mp3", added)).ok());
  }
  ASSERT_GE(writes, 5);  // data in runs, the slack, two tables, the directory

  for (int unplugAt = 1; unplugAt <= writes; ++unplugAt) {
    SCOPED_TRACE(unplugAt);
    PlayerFolder folder;
    SimulatedPlayer& player = folder.player();
    ASSERT_TRUE(player.download(0, folder.pcFile("kept song.mp3", kept)).ok());
    int seen = 0;
    player.setWriteHook([&] {
      if (++seen == unplugAt) {
        ASSERT_TRUE(player.detach().ok());
      }
    });
    const PlayerResult result = player.download(0, folder.pcFile("new song.mp3", added));
    EXPECT_EQ(result.error, PlayerError::NotAttached);
    EXPECT_FALSE(player.isAttached());

    EXPECT_TRUE(fsckCleanApartFromLostClusters(folder.internal()));
    EXPECT_EQ(mdirNames(folder.internal()), std::vector<std::string>{"kept song.mp3"});
    EXPECT_EQ(mcopyOut(folder.internal(), "kept song.mp3", folder.pc()), kept);

    // Plugged in again, the drive still works.
    ASSERT_TRUE(player.attach().ok());
    player.setWriteHook(nullptr);
    EXPECT_TRUE(player.download(0, folder.pcFile("new song.mp3", added)).ok());
    EXPECT_EQ(mcopyOut(folder.internal(), "new song.mp3", folder.pc()), added);
  }
}

TEST(Detach, DuringDeleteLeavesOnlyLostClusters) {
  PlayerFolder folder;
  SimulatedPlayer& player = folder.player();
  ASSERT_TRUE(player.download(0, folder.pcFile("a.mp3", patternBytes(40000, 1))).ok());
  ASSERT_TRUE(player.download(0, folder.pcFile("b.mp3", patternBytes(40000, 2))).ok());
  int seen = 0;
  player.setWriteHook([&] {
    if (++seen == 2) {  // after the directory write
      ASSERT_TRUE(player.detach().ok());
    }
  });
  EXPECT_EQ(player.remove(0, 0, "a.mp3").error, PlayerError::NotAttached);
  EXPECT_TRUE(fsckCleanApartFromLostClusters(folder.internal()));
  EXPECT_EQ(mdirNames(folder.internal()), std::vector<std::string>{"b.mp3"});
  EXPECT_EQ(mcopyOut(folder.internal(), "b.mp3", folder.pc()), patternBytes(40000, 2));
}

TEST(Detach, DetachedPlayerRefusesEveryOperation) {
  PlayerFolder folder;
  SimulatedPlayer& player = folder.player();
  ASSERT_TRUE(player.detach().ok());
  DriveListing listing;
  EXPECT_EQ(player.listDrive(0, listing).error, PlayerError::NotAttached);
  EXPECT_EQ(player.download(0, folder.pcFile("a.mp3", {1})).error, PlayerError::NotAttached);
  EXPECT_EQ(player.format(0).error, PlayerError::NotAttached);
  EXPECT_EQ(player.downloadFont(folder.pcFile("f.fot", {1})).error, PlayerError::NotAttached);
  EXPECT_FALSE(player.firmwareVersion().has_value());
}

}  // namespace
}  // namespace norva::usb
