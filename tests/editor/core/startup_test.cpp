#include <gtest/gtest.h>

#include "editor/startup.h"

namespace norva::editor {
namespace {

StartupCommand parsed(std::vector<std::string> args, const char* startFolder = "/home/u") {
  StartupCommand command;
  EXPECT_EQ(parseStartup(args, startFolder, command), StartupParse::Ok);
  return command;
}

TEST(StartupCommandLine, AssociationSwitchesArePassedOver) {
  EXPECT_EQ(parsed({"/TLY", "/music/a.tly"}).file, std::filesystem::path("/music/a.tly"));
  EXPECT_EQ(parsed({"/LYR", "/music/a.lyr"}).file, std::filesystem::path("/music/a.lyr"));
  EXPECT_EQ(parsed({"/Lrc", "/music/a.lrc"}).file, std::filesystem::path("/music/a.lrc"));
  EXPECT_EQ(parsed({"/tly"}).file, std::nullopt);
  EXPECT_EQ(parsed({}).file, std::nullopt);
  // A folder that happens to look like a switch is still a path.
  EXPECT_EQ(parsed({"/TLYX"}).file, std::filesystem::path("/TLYX"));
}

TEST(StartupCommandLine, ARelativePathIsTakenFromTheStartFolder) {
  EXPECT_EQ(parsed({"lyrics/a.tly"}).file, std::filesystem::path("/home/u/lyrics/a.tly"));
  EXPECT_EQ(parsed({"../b/./a.tly"}).file, std::filesystem::path("/home/b/a.tly"));
  EXPECT_EQ(parsed({"-x", "a.tly", "b.tly"}).file, std::filesystem::path("/home/u/a.tly"));
}

TEST(StartupCommandLine, ScreenshotTakesAPath) {
  EXPECT_EQ(parsed({"a.tly", "--screenshot", "shot.png"}),
            (StartupCommand{"/home/u/a.tly", "/home/u/shot.png"}));
  StartupCommand command;
  const std::vector<std::string> args{"a.tly", "--screenshot"};
  EXPECT_EQ(parseStartup(args, "/", command), StartupParse::MissingScreenshotPath);
}

TEST(MainWindow, TwoThirdsOfTheScreenCentred) {
  struct Row {
    WindowRect screen;
    WindowRect window;
  };
  const Row rows[] = {
      {{0, 0, 1024, 768}, {171, 128, 682, 512}},
      {{0, 0, 1025, 769}, {171, 128, 683, 512}},
      {{0, 0, 1920, 1080}, {320, 180, 1280, 720}},
      {{1920, 0, 1024, 768}, {2091, 128, 682, 512}},  // a second screen to the right
  };
  for (const Row& row : rows) EXPECT_EQ(mainWindowRect(row.screen), row.window) << row.screen.width;
}

}  // namespace
}  // namespace norva::editor
