// The glyphane program started as a user or a script starts it.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

// Offscreen, and bounded: a run that waits for a click ends with timeout's 124.
CommandResult glyphane(std::vector<std::string> args) {
  args.insert(args.begin(), {"env", "QT_QPA_PLATFORM=offscreen", "timeout", "60", GLYPHANE_BINARY});
  return runCommand(args);
}

TEST(GlyphaneProgram, AScreenshotOfAFileItCannotReadEndsWithTheMessageOnStderr) {
  TempDir dir;
  std::vector<uint8_t> damaged(300);
  for (size_t i = 0; i < damaged.size(); ++i) damaged[i] = static_cast<uint8_t>(i * 37 + 11);
  ASSERT_TRUE(writeFileAtomically(dir.path() / "cut.lgo", damaged).ok());
  const auto png = (dir.path() / "shot.png").string();
  // The file first and the option after it, as a user may type it.
  const CommandResult run = glyphane({(dir.path() / "cut.lgo").string(), "--screenshot", png});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("[LOGO编辑工具] 该文件不能作为可识别的图象数据文件打开！"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(std::filesystem::exists(png));

  const auto good = std::filesystem::path(NORVA_TEST_DATA_DIR) / "pictures" / "logo_128x64.gif";
  EXPECT_EQ(glyphane({good.string(), "--screenshot", png}).exitCode, 0);
}

TEST(GlyphaneProgram, HelpAndVersion) {
  const CommandResult help = glyphane({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: glyphane", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("--screenshot PNG"), std::string::npos);
  const CommandResult version = glyphane({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("glyphane ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace norva
