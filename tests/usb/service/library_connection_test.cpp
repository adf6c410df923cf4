// Connection, errors, texts, firmware and font through the player library's C interface.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "usb/service/library_test_support.h"

namespace norva::usb {
namespace {

TEST(Connection, NoPlayerFolderMeansNoConnection) {
  TempDir temp;
  ::setenv("NORVA_PLAYER_DIR", (temp.path() / "none").c_str(), 1);
  EXPECT_EQ(TCC730_TestConnection(), 0);
  TCC730_HANDLE handle = reinterpret_cast<TCC730_HANDLE>(1);
  EXPECT_EQ(TCC730_Open(&handle), 0);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NO_CONNECTION});
  EXPECT_EQ(TCC730_GetFirmwareVersionString(), nullptr);
  ::unsetenv("NORVA_PLAYER_DIR");
}

TEST(Connection, UnplugThenConnectAgainFindsNoPlayer) {
  PlayerFolder folder;
  TCC730_HANDLE handle = nullptr;
  ASSERT_EQ(TCC730_Open(&handle), 1);
  EXPECT_EQ(TCC730_IsValidHandle(handle), 1);
  EXPECT_EQ(TCC730_TestConnection(), 1);
  ASSERT_TRUE(folder.player().detach().ok());
  // The handle stays valid until closed, but the player is gone.
  EXPECT_EQ(TCC730_IsValidHandle(handle), 1);
  EXPECT_EQ(TCC730_TestConnection(), 0);
  EXPECT_EQ(readDirectory(handle, 0).ok, 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NOT_ATTACHED});
  TCC730_Close(handle);
  EXPECT_EQ(TCC730_IsValidHandle(handle), 0);
  EXPECT_EQ(TCC730_Open(&handle), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NOT_ATTACHED});
  ASSERT_TRUE(folder.player().attach().ok());
  ASSERT_EQ(TCC730_Open(&handle), 1);
  TCC730_Close(handle);
}

TEST(Connection, ClosedOrForeignHandlesAreRefused) {
  PlayerFolder folder;
  int notAHandle = 0;
  EXPECT_EQ(TCC730_IsValidHandle(&notAHandle), 0);
  EXPECT_EQ(TCC730_IsValidHandle(nullptr), 0);
  EXPECT_EQ(TCC730_Format(nullptr, &notAHandle, 0), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NO_CONNECTION});
  EXPECT_EQ(TCC730_EraseFont(nullptr), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NO_CONNECTION});
}

TEST(Errors, EveryCodeHasItsOwnText) {
  std::set<std::string> texts;
  for (uint32_t code = 0; code <= TCC730_ERR_UNFORMATTED; ++code) {
    const std::string text = TCC730X_ErrorText(code);
    EXPECT_FALSE(text.empty()) << code;
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), size_t{TCC730_ERR_UNFORMATTED} + 1);
  EXPECT_STREQ(TCC730X_ErrorText(999), "未知错误。");
  EXPECT_STREQ(TCC730X_ErrorText(TCC730_ERR_NOT_ATTACHED), "播放器没有连接或已被拔除。");
}

struct Shown {
  void* owner = nullptr;
  uint32_t code = 0;
  uint32_t systemError = 0;
  std::string text;
  void* context = nullptr;
};

TEST(Errors, DispErrorGoesThroughTheHostsCallback) {
  static Shown shown;
  int owner = 0;
  int context = 0;
  TCC730X_SetDisplayCallback(
      [](void* o, uint32_t code, uint32_t systemError, const char* text, void* c) {
        shown = Shown{o, code, systemError, text, c};
      },
      &context);
  TCC730_DispError(&owner, TCC730_ERR_DISK_FULL, 0);
  EXPECT_EQ(shown.owner, &owner);
  EXPECT_EQ(shown.code, uint32_t{TCC730_ERR_DISK_FULL});
  EXPECT_EQ(shown.text, "存储器空间不足。");
  EXPECT_EQ(shown.context, &context);
  TCC730X_SetDisplayCallback(nullptr, nullptr);

  // Without a callback the text goes to stderr.
  ::testing::internal::CaptureStderr();
  TCC730_DispError(nullptr, TCC730_ERR_FILE, 2);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.rfind("无法访问文件。", 0), 0u) << err;
}

TEST(Library, ExportsOnlyItsCFunctions) {
  const CommandResult symbols =
      runCommand({"nm", "-D", "--defined-only", "--format=just-symbols", NORVA_TCC730_LIBRARY});
  ASSERT_EQ(symbols.exitCode, 0) << symbols.err;
  std::istringstream lines(symbols.out);
  std::string symbol;
  int count = 0;
  while (std::getline(lines, symbol)) {
    EXPECT_EQ(symbol.rfind("TCC730", 0), 0u) << symbol;
    ++count;
  }
  EXPECT_EQ(count, 28);
  void* library = ::dlopen(NORVA_TCC730_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << ::dlerror();
  EXPECT_NE(::dlsym(library, "TCC730X_ReadDirectory"), nullptr);
  EXPECT_NE(::dlsym(library, "TCC730_UploadRawData"), nullptr);
  ::dlclose(library);
}

using FlashTest = LibraryTest;

TEST_F(FlashTest, FirmwareUpgradeStoresTheImageAndItsVersion) {
  EXPECT_STREQ(TCC730_GetFirmwareVersionString(), "");  // nothing stored yet
  const std::string check = "123456789";
  const auto image = folder_.pcFile("$730tmp", std::vector<uint8_t>(check.begin(), check.end()));
  ASSERT_EQ(TCC730_UpgradeFirmware(nullptr, handle_, 0, 0, image.c_str(), "/x/RD710_V2.hex"), 1);
  EXPECT_STREQ(TCC730_GetFirmwareVersionString(), "RD710_V2 CBF43926");
  EXPECT_EQ(fileBytes(folder_.player().folder() / "codec.bin"), fileBytes(image));
  ASSERT_EQ(TCC730_UpgradeFirmware(nullptr, handle_, 1, 2, image.c_str(), "/x/BOOT.bin"), 1);
  EXPECT_STREQ(TCC730_GetFirmwareVersionString(), "RD710_V2 CBF43926");  // codec unchanged

  const auto empty = folder_.pcFile("empty.bin", {});
  EXPECT_EQ(TCC730_UpgradeFirmware(nullptr, handle_, 0, 0, empty.c_str(), "empty.bin"), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_IMAGE});
  EXPECT_STREQ(TCC730_GetFirmwareVersionString(), "RD710_V2 CBF43926");
}

TEST_F(FlashTest, FontDownloadInfoUploadErase) {
  uint8_t record[TCC730_FONT_RECORD_SIZE];
  EXPECT_EQ(TCC730_GetFontInfo(handle_, record), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NO_FONT});
  const auto font = folder_.pcFile("字库 A.fot", patternBytes(3000, 4));
  ASSERT_EQ(TCC730_DownloadFont(nullptr, handle_, font.c_str()), 1);
  ASSERT_EQ(TCC730_GetFontInfo(handle_, record), 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(record), "字库 A.fot");
  EXPECT_EQ(record[264] | (record[265] << 8), 3000);
  const auto target = folder_.pc() / "back.fot";
  ASSERT_EQ(TCC730_UploadFont(nullptr, handle_, target.c_str(), 0, 3000), 1);
  EXPECT_EQ(fileBytes(target), patternBytes(3000, 4));
  EXPECT_EQ(TCC730_UploadFont(nullptr, handle_, target.c_str(), 0, 2999), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  ASSERT_EQ(TCC730_EraseFont(handle_), 1);
  EXPECT_EQ(TCC730_GetFontInfo(handle_, record), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_NO_FONT});
}

TEST_F(FlashTest, FontNameThatWouldLeaveTheFolderIsRefused) {
  const auto font = folder_.pcFile("a.fot", patternBytes(10, 4));
  ASSERT_EQ(TCC730_DownloadFont(nullptr, handle_, font.c_str()), 1);
  writeBytes(folder_.player().folder() / "font_name.txt", {'.', '.', '/', 'x'});
  const auto target = folder_.pc() / "x";
  EXPECT_EQ(TCC730_UploadFont(nullptr, handle_, target.c_str(), 0, 10), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_NAME});
  EXPECT_FALSE(std::filesystem::exists(target));
}

class ExternalCardTest : public LibraryTest {
 protected:
  ExternalCardTest() : LibraryTest(8) {}
};

TEST_F(ExternalCardTest, CardIsDriveOneAndAnMmcSdMedium) {
  ASSERT_EQ(download("on card.mp3", patternBytes(20000, 1), 1), 1);
  uint8_t record[TCC730_MEDIUM_RECORD_SIZE];
  ASSERT_EQ(TCC730_GetMediumInfo(handle_, 1, record), 1);
  EXPECT_EQ(record[0], 1);   // one file
  EXPECT_EQ(record[12], 2);  // MMC/SD
  EXPECT_EQ(readDirectory(handle_, 0).names.size(), 0u);
  expectToolsAgree(1);
}

TEST(Card, SizeLimit) {
  TempDir temp;
  EXPECT_EQ(SimulatedPlayer(temp.path() / "a").create(63).error, PlayerError::Ok);
  EXPECT_EQ(SimulatedPlayer(temp.path() / "b").create(64).error, PlayerError::BadRange);
  EXPECT_EQ(SimulatedPlayer(temp.path() / "a").create(0).error, PlayerError::Exists);
}

TEST(Concurrency, TwoWritersAtOnceKeepTheDriveConsistent) {
  PlayerFolder folder;
  constexpr int kFilesEach = 15;
  auto writer = [&](const std::string& prefix) {
    SimulatedPlayer player(folder.player().folder());  // its own lock file descriptor
    for (int i = 0; i < kFilesEach; ++i) {
      const auto file = folder.pcFile(prefix + std::to_string(i) + " song.mp3",
                                      patternBytes(20000 + static_cast<size_t>(i), 1));
      EXPECT_TRUE(player.download(0, file).ok());
    }
  };
  std::thread first(writer, "first ");
  std::thread second(writer, "second ");
  first.join();
  second.join();
  DriveListing listing;
  ASSERT_TRUE(folder.player().listDrive(0, listing).ok());
  EXPECT_EQ(listing.entries.size(), size_t{2 * kFilesEach});
  EXPECT_TRUE(fsckClean(folder.internal()));
  EXPECT_EQ(mdirNames(folder.internal()).size(), size_t{2 * kFilesEach});
}

}  // namespace
}  // namespace norva::usb
