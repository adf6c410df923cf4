// Which device commands the player pane offers, and the firmware version in the status bar.
#include "device/player_pane.h"

#include <gtest/gtest.h>

namespace norva::device {
namespace {

struct PaneCase {
  PlayerPane pane;
  bool firmware;
  bool font;
  bool raw0;
  bool raw1;
};

class PaneCommands : public ::testing::TestWithParam<PaneCase> {};

TEST_P(PaneCommands, FollowTheDrives) {
  const auto& c = GetParam();
  EXPECT_EQ(commandEnabled(c.pane, PaneCommand::FirmwareUpgrade), c.firmware);
  EXPECT_EQ(commandEnabled(c.pane, PaneCommand::BootCodeUpgrade), c.firmware);
  for (auto font : {PaneCommand::FontDownload, PaneCommand::FontInformation, PaneCommand::FontCopy,
                    PaneCommand::FontErase})
    EXPECT_EQ(commandEnabled(c.pane, font), c.font) << toString(font);
  EXPECT_EQ(commandEnabled(c.pane, PaneCommand::RawDataDrive0), c.raw0);
  EXPECT_EQ(commandEnabled(c.pane, PaneCommand::RawDataDrive1), c.raw1);
}

INSTANTIATE_TEST_SUITE_P(Panes, PaneCommands,
                         ::testing::Values(PaneCase{{0, 0}, false, false, false, false},
                                           PaneCase{{0, 3}, false, false, false, false},
                                           PaneCase{{2, 0}, true, false, false, false},
                                           PaneCase{{2, 1}, true, true, true, false},
                                           PaneCase{{2, 2}, true, false, false, true},
                                           PaneCase{{2, 3}, true, true, true, true}));

TEST(FirmwareStatus, NoneEmptyOrTheVersion) {
  EXPECT_EQ(firmwareStatusText(std::nullopt), "");
  EXPECT_EQ(firmwareStatusText(std::string()), "Unknown Firmware Version");
  EXPECT_EQ(firmwareStatusText(std::string("V2.10")), "V2.10");
}

}  // namespace
}  // namespace norva::device
