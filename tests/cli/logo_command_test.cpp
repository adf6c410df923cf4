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

#ifdef NORVA_PICTURES_PLUGIN
// The picture readers are a plugin: norva finds it beside itself, or as the file named by
// NORVA_PICTURES_LIBRARY, and says so when it is nowhere.
TEST(NorvaLogo, PicturesNeedThePluginAndSaySoWithoutIt) {
  TempDir dir;
  const auto alone = dir.path() / "norva";
  std::filesystem::copy_file(NORVA_CLI_PATH, alone);
  std::filesystem::permissions(alone, std::filesystem::perms(0755));
  const CommandResult missing =
      runCommand({"env", "-u", "NORVA_PICTURES_LIBRARY", alone.string(), "logo", "--show", kWbmp});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("norva: pictures are read by the picture plugin libnorva_pictures.so, "
                             "which cannot be loaded"),
            std::string::npos)
      << missing.err;
  EXPECT_EQ(missing.out, "");

  const CommandResult named = runCommand({"env", "NORVA_PICTURES_LIBRARY=" NORVA_PICTURES_PLUGIN,
                                          alone.string(), "logo", "--show", kWbmp});
  EXPECT_EQ(named.exitCode, 0) << named.err;
  EXPECT_EQ(named.out.rfind("128 x 64\n", 0), 0u);
}

// norva itself does not load QtGui: only the plugin does, when a picture command runs.
TEST(NorvaLogo, TheProgramDoesNotLinkQtGui) {
  const CommandResult libraries = runCommand({"ldd", NORVA_CLI_PATH});
  if (libraries.exitCode != 0) GTEST_SKIP() << "no ldd";
  EXPECT_EQ(libraries.out.find("libQt6Gui"), std::string::npos) << libraries.out;
  const CommandResult plugin = runCommand({"ldd", NORVA_PICTURES_PLUGIN});
  EXPECT_NE(plugin.out.find("libQt6Gui"), std::string::npos) << plugin.out;
}

#endif

// "-" as the picture and as the logo: the same bytes as with files.
TEST(NorvaLogo, DashIsStandardInputAndOutput) {
  TempDir dir;
  const std::string out = (dir.path() / "x.lgo").string();
  ASSERT_EQ(norva({kWbmp, "-o", out}).exitCode, 0);
  const CommandResult piped =
      runCommand({"/bin/sh", "-c", "exec \"$0\" logo - -o - < \"$1\"", NORVA_CLI_PATH, kWbmp});
  EXPECT_EQ(piped.exitCode, 0) << piped.err;
  const auto expected = readWholeFile(out).bytes;
  EXPECT_EQ(std::vector<uint8_t>(piped.out.begin(), piped.out.end()), expected);
}

}  // namespace
}  // namespace norva
