// The sontrava program started as the desktop or a user starts it.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

// Offscreen, settings in the test's folder, started in `folder`, and bounded: a run that waits
// for a click ends with timeout's 124.
CommandResult sontrava(const std::filesystem::path& folder, std::vector<std::string> args) {
  std::string command = "cd " + shellQuoted(folder.string()) +
                        " && exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" +
                        shellQuoted((folder / "config").string()) + " timeout 60 " +
                        shellQuoted(SONTRAVA_BINARY);
  for (const std::string& arg : args) command += " " + shellQuoted(arg);
  return runCommand({"sh", "-c", command});
}

std::string settingsText(const std::filesystem::path& folder) {
  const ReadResult read =
      readWholeFile(folder / "config" / "Norva" / "NORVA RD710歌词编辑软件.conf", 1 << 20);
  return std::string(read.bytes.begin(), read.bytes.end());
}

TEST(SontravaProgram, OpensARelativeFileBehindTheAssociationSwitchAndWritesTheScreenshot) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "lyrics");
  std::filesystem::copy_file(std::filesystem::path(NORVA_TEST_DATA_DIR) / "lyrics" / "song_cn.tly",
                             dir.path() / "lyrics" / "song_cn.tly");
  const CommandResult run =
      sontrava(dir.path(), {"/TLY", "lyrics/song_cn.tly", "--screenshot", "shot.png"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GT(std::filesystem::file_size(dir.path() / "shot.png"), 1000u);
  // The file was opened: it heads the recent-file list the program keeps.
  EXPECT_NE(settingsText(dir.path()).find((dir.path() / "lyrics" / "song_cn.tly").string()),
            std::string::npos)
      << settingsText(dir.path());
}

TEST(SontravaProgram, AFileThatCannotBeOpenedEndsTheProgram) {
  TempDir dir;
  const CommandResult run = sontrava(dir.path(), {"missing.tly"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;

  // Too large: its message goes to standard error in a screenshot run, and the run fails.
  ASSERT_TRUE(writeFileAtomically(dir.path() / "big.txt", std::string(32768, 'a')).ok());
  const CommandResult big = sontrava(dir.path(), {"big.txt", "--screenshot", "shot.png"});
  EXPECT_EQ(big.exitCode, 1);
  EXPECT_NE(big.err.find("[NORVA RD710转化软件] 文件太大请使用其它软件打开"), std::string::npos)
      << big.err;
}

TEST(SontravaProgram, HelpAndVersionNeedNoDisplay) {
  TempDir dir;
  const CommandResult help = runCommand({"env", "-u", "DISPLAY", SONTRAVA_BINARY, "--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: sontrava", 0), 0u) << help.out;
  const CommandResult version = runCommand({SONTRAVA_BINARY, "--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("sontrava ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace norva
