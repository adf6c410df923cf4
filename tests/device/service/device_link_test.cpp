// DeviceLink's connection: timeouts, connect steps, capacity, the library's messages.
#include <gtest/gtest.h>

#include "device/device_messages.h"
#include "device_link_fixture.h"

namespace norva::device {
namespace {

using Timeout = std::pair<uint32_t, uint32_t>;

TEST_F(DeviceLinkTest, InitializeHandsTheDefaultTimeoutsToTheLibrary) {
  ASSERT_TRUE(link.Initialize());
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{30000, 20000}}));
  EXPECT_FALSE(link.hasHandle());
}

TEST_F(DeviceLinkTest, InitializeReadsTheStoredTimeouts) {
  settings.setInteger(kTimeoutReceiveKey, 1500);
  settings.setInteger(kTimeoutSendKey, 2500);
  settings.setInteger(kTimeoutFormatKey, 9000);
  ASSERT_TRUE(link.Initialize());
  EXPECT_EQ(fake.timeouts, (std::vector<Timeout>{{1500, 2500}}));
  EXPECT_EQ(link.timeouts().format, 9000u);
}

TEST_F(DeviceLinkTest, ShutdownStoresTimeoutsClosesAndFreesOnce) {
  connect();
  link.setTimeouts({111, 222, 333});
  link.Shutdown();
  EXPECT_EQ(fake.calls.back(), "Free");
  EXPECT_EQ(fake.calls[fake.calls.size() - 2], "Close");
  EXPECT_EQ(fake.frees, 1);
  EXPECT_FALSE(link.hasHandle());
  DeviceSettings reread((dir.path() / "Trelliq.ini").string());
  EXPECT_EQ(reread.integer(kTimeoutReceiveKey, 0), 111);
  EXPECT_EQ(reread.integer(kTimeoutSendKey, 0), 222);
  EXPECT_EQ(reread.integer(kTimeoutFormatKey, 0), 333);
}

TEST_F(DeviceLinkTest, ConnectReadsBothDrives) {
  putFiles(0, {"a.mp3"});
  ASSERT_TRUE(link.Initialize());
  int count = -1;
  int mask = -1;
  ASSERT_TRUE(link.Connect(true, count, mask));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(mask, 3);
  EXPECT_EQ(link.cachedEntries(0).size(), 1u);
  EXPECT_EQ(link.cachedEntries(0)[0].displayName(), "a.mp3");
}

TEST_F(DeviceLinkTest, ConnectWithoutReadingDrivesGivesNoDrives) {
  ASSERT_TRUE(link.Initialize());
  int count = -1;
  int mask = -1;
  ASSERT_TRUE(link.Connect(false, count, mask));
  EXPECT_EQ(count, 0);
  EXPECT_EQ(mask, 0);
}

TEST_F(DeviceLinkTest, TwoBroadcastsWithThePlayerAttachedKeepTheHandle) {
  connect();
  int count = 77;
  int mask = 77;
  ASSERT_TRUE(link.Connect(true, count, mask));
  EXPECT_EQ(fake.opens, 1);
  EXPECT_EQ(fake.closes, 0);
  EXPECT_EQ(count, 77);  // step 1 returns at once, out values untouched
  EXPECT_EQ(mask, 77);
}

TEST_F(DeviceLinkTest, UnplugThenConnectShowsNoPlayer) {
  connect();
  fake.attached = false;
  int count = 5;
  int mask = 5;
  EXPECT_FALSE(link.Connect(true, count, mask));
  EXPECT_EQ(fake.closes, 1);
  EXPECT_FALSE(link.hasHandle());
  EXPECT_EQ(count, 5);
  uint64_t total = 0;
  uint64_t free = 0;
  EXPECT_FALSE(link.GetCapacity(0, total, free));
}

TEST_F(DeviceLinkTest, PaneShowsNoPlayerAfterUnplugUnlessKept) {
  ASSERT_TRUE(link.Initialize());
  PlayerPane pane;
  RefreshPlayerPane(link, pane, false);
  EXPECT_EQ(pane.driveCount, 2);
  EXPECT_EQ(pane.driveMask, 3);
  fake.attached = false;
  RefreshPlayerPane(link, pane, true);
  EXPECT_EQ(pane.driveCount, 2);
  RefreshPlayerPane(link, pane, false);
  EXPECT_EQ(pane.driveCount, 0);
  EXPECT_FALSE(commandEnabled(pane, PaneCommand::FirmwareUpgrade));
}

TEST_F(DeviceLinkTest, ConnectWithNoPlayerNeverOpens) {
  fake.attached = false;
  ASSERT_TRUE(link.Initialize());
  int count = 0;
  int mask = 0;
  EXPECT_FALSE(link.Connect(true, count, mask));
  EXPECT_EQ(fake.opens, 0);
}

TEST_F(DeviceLinkTest, CapacityFlagsAndFileCountComeFromTheSummary) {
  putFiles(0, {"a.mp3", "b.mp3"});
  connect();
  uint64_t total = 0;
  uint64_t free = 0;
  ASSERT_TRUE(link.GetCapacity(0, total, free));
  EXPECT_EQ(total, 33554432u);  // 2048 blocks of 16384 bytes
  EXPECT_EQ(free, 33521664u);   // 2046 blocks
  EXPECT_EQ(link.GetMediumFlags(0), 14u);
  EXPECT_EQ(link.GetFileCount(0), 2u);
  EXPECT_FALSE(link.GetFileCount(1));  // no blocks on drive 1
  EXPECT_FALSE(link.GetCapacity(2, total, free));
  EXPECT_FALSE(link.GetCapacity(-1, total, free));
}

TEST_F(DeviceLinkTest, QueriesOfADirtyDriveRereadItQuietly) {
  putFiles(0, {"a.mp3"});
  connect();
  const auto path = dir.path() / "b.mp3";
  std::ofstream(path) << "x";
  TransferList files;
  files.add({path.string(), -1, 0, {}});
  ASSERT_EQ(link.DownloadFiles(nullptr, 0, files), 0u);
  EXPECT_EQ(link.GetFileCount(0), 2u);
  fake.files[0].clear();
  link.DownloadFiles(nullptr, 0, files);  // dirty again
  fake.attached = false;                  // and the re-read fails
  EXPECT_FALSE(link.GetFileCount(0));
  EXPECT_FALSE(link.GetMediumFlags(0));
  EXPECT_TRUE(fake.displayedCodes.empty());
}

TEST_F(DeviceLinkTest, WithoutAHandleEveryQueryFails) {
  ASSERT_TRUE(link.Initialize());
  uint64_t total = 0;
  uint64_t free = 0;
  EXPECT_FALSE(link.GetCapacity(0, total, free));
  EXPECT_FALSE(link.GetMediumFlags(0));
  EXPECT_FALSE(link.GetFileCount(0));
}

TEST_F(DeviceLinkTest, FirmwareVersionKeepsAtMost63Characters) {
  ASSERT_TRUE(link.Initialize());
  EXPECT_EQ(link.GetFirmwareVersion(), "V1.00");
  fake.firmwareVersion = std::string(70, 'v');
  EXPECT_EQ(link.GetFirmwareVersion(), std::string(63, 'v'));
  fake.hasFirmwareVersion = false;
  EXPECT_FALSE(link.GetFirmwareVersion());
}

TEST_F(DeviceLinkTest, LibraryTextsReachThePrompter) {
  connect();
  fake.failNextWith = TCC730_ERR_DISK_FULL;
  TransferList files;
  const auto path = dir.path() / "a.mp3";
  std::ofstream(path) << "x";
  files.add({path.string(), -1, 0, {}});
  EXPECT_EQ(link.DownloadFiles(nullptr, 0, files), 8u);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            (Message{"error 8", kPlayerErrorCaption, MessageIcon::Error, MessageButtons::Ok}));
}

TEST_F(DeviceLinkTest, NoHandleShowsCodeThree) {
  ASSERT_TRUE(link.Initialize());
  EXPECT_EQ(link.FormatDrive(nullptr, 0), 3u);
  EXPECT_EQ(fake.displayedCodes, (std::vector<uint32_t>{3}));
  EXPECT_TRUE(fake.calls.empty());
}

TEST(DeviceLinkLibrary, AMissingLibraryIsReportedOnce) {
  RecordingPrompter prompter;
  TempDir dir;
  DeviceSettings settings((dir.path() / "s.ini").string());
  DeviceLink link(prompter, settings, [](std::string& error) -> const Tcc730Functions* {
    error = "not here";
    return nullptr;
  });
  EXPECT_FALSE(link.Initialize());
  int count = 0;
  int mask = 0;
  EXPECT_FALSE(link.Connect(true, count, mask));
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0].text, std::string(kLibraryMissing) + "not here");
}

TEST(DeviceSettingsFile, DefaultSettingsLiveUnderXdgConfigHome) {
  TempDir dir;
  ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
  {
    DeviceSettings settings;
    settings.setInteger(kRomSelectKey, 2);
    settings.setText(kFontNameKey, "/x/字库.fot");
  }
  const auto ini = dir.path() / "Norva" / "Trelliq.ini";
  ASSERT_TRUE(std::filesystem::exists(ini));
  DeviceSettings reread(ini.string());
  EXPECT_EQ(reread.integer(kRomSelectKey, 0), 2);
  EXPECT_EQ(reread.text(kFontNameKey), "/x/字库.fot");
}

}  // namespace
}  // namespace norva::device
