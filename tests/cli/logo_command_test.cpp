// norva logo, run as a program: the same refusals and files as the logo converter.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/service/file_io.h"
#include "test_support/run_command.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

// norva logo with `args`.
CommandResult norva(std::vector<std::string> args) {
  args.insert(args.begin(), {NORVA_CLI_PATH, "logo"});
  return runCommand(args);
}

const std::string kWbmp = std::string(NORVA_TEST_DATA_DIR) + "/pictures/logo_128x64.wbmp";

// A damaged picture is norva's to report: the image readers' own warnings stay out of the terminal.
TEST(NorvaLogo, ImageReaderWarningsDoNotReachTheTerminal) {
  TempDir dir;
  const auto whole =
      readWholeFile(std::string(NORVA_TEST_DATA_DIR) + "/pictures/scene_320x240.jpg");
  const auto cut = dir.path() / "cut.jpg";
  ASSERT_TRUE(writeFileAtomically(cut, std::span<const uint8_t>(whole.bytes).first(3000)).ok());
  const CommandResult run = norva({"--show", cut.string()});
  EXPECT_EQ(run.err.find("qt."), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Premature"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("QBuffer"), std::string::npos) << run.err;
}

TEST(NorvaLogo, ConvertsSavesAndReplacesLikeEveryCommand) {
  TempDir dir;
  const std::string out = (dir.path() / "boot.lgo").string();
  ASSERT_EQ(norva({kWbmp, "-o", out}).exitCode, 0);
  const auto saved = readWholeFile(out);
  ASSERT_EQ(saved.bytes.size(), 1030u);
  EXPECT_EQ(saved.bytes[0], 0x01);
  EXPECT_EQ(saved.bytes[4], 0x40);

  // An existing output is replaced without a question, as by every norva command.
  const CommandResult again = norva({kWbmp, "-o", out, "--threshold", "765"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.err, "");
  EXPECT_NE(readWholeFile(out).bytes, saved.bytes);  // threshold 765: another logo
  EXPECT_EQ(norva({kWbmp, "-o", out, "--overwrite"}).exitCode, 0);
  EXPECT_EQ(readWholeFile(out).bytes, saved.bytes);

  // The saved logo shows the same picture as its source.
  const CommandResult fromLgo = norva({"--show", out});
  const CommandResult fromWbmp = norva({"--show", kWbmp});
  ASSERT_EQ(fromLgo.exitCode, 0);
  EXPECT_EQ(fromLgo.out, fromWbmp.out);
  EXPECT_EQ(fromLgo.out.rfind("128 x 64\n\u2588\u2580\u2580", 0), 0u);
  EXPECT_EQ(std::count(fromLgo.out.begin(), fromLgo.out.end(), '\n'), 33);
}

TEST(NorvaLogo, RefusesWhatTheProgramRefuses) {
  TempDir dir;
  const std::string bad = (dir.path() / "bad.lgo").string();
  {
    FILE* f = std::fopen(bad.c_str(), "wb");
    std::fputs("not a logo", f);
    std::fclose(f);
  }
  const CommandResult failed = norva({"--show", bad});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_NE(failed.err.find("[LOGO编辑工具] 该文件不能作为可识别的图象数据文件打开！"),
            std::string::npos);
  const std::string pngFile = std::string(NORVA_TEST_DATA_DIR) + "/pictures/logo_128x64.png";
  const CommandResult png = norva({"--show", pngFile});
  EXPECT_EQ(png.exitCode, 1);
  EXPECT_EQ(png.err, "norva: " + pngFile + ": no picture the logo converter reads\n");
  EXPECT_EQ(norva({"--show", kWbmp, "--threshold", "766"}).exitCode, 64);
  EXPECT_EQ(norva({kWbmp}).exitCode, 64);
}

}  // namespace
}  // namespace norva
