// The trelliq program started as a user starts it, with its command handler and preview joined
// to the window, against a simulated player.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/service/file_io.h"
#include "device/service/player_state.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

// Offscreen, settings and player in the test's folder, and bounded: a run that waits for a click
// ends with timeout's 124.
CommandResult trelliq(const std::filesystem::path& folder, std::vector<std::string> args) {
  std::string command = "cd " + shellQuoted(folder.string()) +
                        " && exec env QT_QPA_PLATFORM=offscreen MTOOLS_SKIP_CHECK=1" +
                        " XDG_CONFIG_HOME=" + shellQuoted((folder / "config").string()) +
                        " NORVA_PLAYER_DIR=" + shellQuoted((folder / "player").string()) +
                        " timeout 60 " + shellQuoted(TRELLIQ_BINARY);
  for (const std::string& arg : args) command += " " + shellQuoted(arg);
  return runCommand({"sh", "-c", command});
}

TEST(TrelliqProgram, WithAPlayerAttachedTheScreenshotShowsBothPanes) {
  TempDir dir;
  FolderPlayerState state(dir.path() / "player");
  ASSERT_EQ(state.create(16u), PlayerStateOutcome::Done);
  const CommandResult run = trelliq(dir.path(), {"--screenshot", "shot.png"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const ReadResult png = readWholeFile(dir.path() / "shot.png", 1 << 24);
  ASSERT_GE(png.bytes.size(), 8u);
  EXPECT_EQ(std::string(png.bytes.begin(), png.bytes.begin() + 4), "\x89PNG");
}

TEST(TrelliqProgram, WithoutAPlayerTheScreenshotRunFailsWithoutWaiting) {
  TempDir dir;
  const CommandResult run = trelliq(dir.path(), {"--screenshot", "shot.png"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("no player is connected"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace norva::device
