// The simulated player's state folder: where it is, create/attach/detach, and the device-change
// notice from the file watch.
#include "device/service/player_state.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <cstdlib>
#include <fstream>

#include "device/service/player_watcher.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

std::vector<uint8_t> bootSector(const std::filesystem::path& image) {
  std::ifstream in(image, std::ios::binary);
  std::vector<uint8_t> bytes(512);
  in.read(reinterpret_cast<char*>(bytes.data()), 512);
  return bytes;
}

TEST(PlayerStateFolder, EnvironmentChoosesTheFolder) {
  ::setenv("NORVA_PLAYER_DIR", "/x/player", 1);
  EXPECT_EQ(playerStateFolder(), "/x/player");
  ::unsetenv("NORVA_PLAYER_DIR");
  ::setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(playerStateFolder(), "/data/norva/player");
  ::unsetenv("XDG_DATA_HOME");
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(playerStateFolder(), "/home/u/.local/share/norva/player");
}

TEST(PlayerState, AttachAndDetachNeedAPlayer) {
  TempDir dir;
  FolderPlayerState state(dir.path() / "player");
  EXPECT_EQ(state.attach(), PlayerStateOutcome::NoPlayer);
  EXPECT_EQ(state.detach(), PlayerStateOutcome::NoPlayer);
  EXPECT_FALSE(state.status().exists);
}

TEST(PlayerState, CreateMakesAnAttachedPlayerWithFat12Memory) {
  TempDir dir;
  FolderPlayerState state(dir.path() / "player");
  ASSERT_EQ(state.create(std::nullopt), PlayerStateOutcome::Done);
  EXPECT_TRUE(state.status().exists);
  EXPECT_TRUE(state.status().attached);
  EXPECT_FALSE(state.status().hasCard);
  const auto image = dir.path() / "player" / "internal.img";
  EXPECT_EQ(std::filesystem::file_size(image), 33554432u);
  const auto boot = bootSector(image);
  EXPECT_EQ(boot[11] | (boot[12] << 8), 512);  // bytes per sector
  EXPECT_EQ(boot[13], 32);                     // sectors per cluster: 16 KiB
  EXPECT_EQ(boot[17] | (boot[18] << 8), 512);  // root entries
  EXPECT_EQ(std::string(boot.begin() + 54, boot.begin() + 62), "FAT12   ");
  EXPECT_EQ(runCommand({"fsck.fat", "-n", image.string()}).exitCode, 0);
  // The root directory is empty: no volume label entry a player listing would trip over.
  ::setenv("MTOOLS_SKIP_CHECK", "1", 1);
  const auto mdir = runCommand({"mdir", "-b", "-i", image.string(), "::"});
  EXPECT_EQ(mdir.exitCode, 0) << mdir.err;
  EXPECT_EQ(mdir.out, "");
  EXPECT_EQ(state.create(std::nullopt), PlayerStateOutcome::AlreadyExists);

  EXPECT_EQ(state.detach(), PlayerStateOutcome::Done);
  EXPECT_FALSE(state.status().attached);
  EXPECT_EQ(state.attach(), PlayerStateOutcome::Done);
  EXPECT_TRUE(state.status().attached);
}

// Card sizes: FAT12 with 16 KiB clusters ends at 63 MiB.
struct CardCase {
  uint32_t mebibytes;
  PlayerStateOutcome outcome;
};

class CardSize : public ::testing::TestWithParam<CardCase> {};

TEST_P(CardSize, CardsUpTo63MiB) {
  TempDir dir;
  FolderPlayerState state(dir.path());
  EXPECT_EQ(state.create(GetParam().mebibytes), GetParam().outcome)
      << toString(state.create(GetParam().mebibytes));
  if (GetParam().outcome == PlayerStateOutcome::Done) {
    ASSERT_TRUE(state.imagePath(1));
    EXPECT_EQ(std::filesystem::file_size(*state.imagePath(1)),
              uint64_t{GetParam().mebibytes} * 1048576);
  } else {
    EXPECT_FALSE(state.status().exists);
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, CardSize,
                         ::testing::Values(CardCase{0, PlayerStateOutcome::BadCardSize},
                                           CardCase{1, PlayerStateOutcome::Done},
                                           CardCase{62, PlayerStateOutcome::Done},
                                           CardCase{63, PlayerStateOutcome::Done},
                                           CardCase{64, PlayerStateOutcome::BadCardSize}));

TEST(PlayerWatcherNotice, AttachingAndDetachingAreReported) {
  int argc = 1;
  char name[] = "player_state_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  TempDir dir;
  const auto folder = dir.path() / "player";
  PlayerWatcher watcher(folder);
  EXPECT_FALSE(watcher.attached());
  QSignalSpy spy(&watcher, &PlayerWatcher::deviceChanged);
  std::ofstream(folder / "attached").put('1');
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_TRUE(spy.takeFirst().at(0).toBool());
  std::filesystem::remove(folder / "attached");
  ASSERT_TRUE(spy.count() > 0 || spy.wait(10000));
  EXPECT_FALSE(spy.takeFirst().at(0).toBool());
  // An unrelated file in the folder is no device change.
  std::ofstream(folder / "internal.img").put('x');
  EXPECT_FALSE(spy.wait(300));
}

}  // namespace
}  // namespace norva::device
