#pragma once
// The player library's C interface over a temporary simulated player.
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "usb/service/player_test_support.h"
#include "usb/tcc730.h"

namespace norva::usb {

struct CListing {
  std::vector<std::string> names;  // display names: long name, else NAME.EXT
  std::vector<uint32_t> sizes;
  std::vector<std::array<uint8_t, TCC730_DIRECTORY_ENTRY_SIZE>> records;
  std::array<uint32_t, TCC730_SUMMARY_WORDS> summary{};
  int ok = 0;
};

inline std::string displayNameOf(const uint8_t* record) {
  const char* longName = reinterpret_cast<const char*>(record + 36);
  if (*longName) return longName;
  std::string base(reinterpret_cast<const char*>(record), 8);
  std::string extension(reinterpret_cast<const char*>(record + 9), 3);
  base.erase(base.find_last_not_of(' ') + 1);
  extension.erase(extension.find_last_not_of(' ') + 1);
  return extension.empty() ? base : base + "." + extension;
}

inline CListing readDirectory(TCC730_HANDLE handle, int drive) {
  CListing listing;
  std::vector<uint8_t> entries(512 * TCC730_DIRECTORY_ENTRY_SIZE);
  int count = -1;
  listing.ok =
      TCC730X_ReadDirectory(handle, drive, entries.data(), 512, &count, listing.summary.data());
  for (int i = 0; i < count; ++i) {
    const uint8_t* record = entries.data() + i * TCC730_DIRECTORY_ENTRY_SIZE;
    listing.names.push_back(displayNameOf(record));
    listing.sizes.push_back(record[32] | (record[33] << 8) | (record[34] << 16) |
                            (uint32_t{record[35]} << 24));
    std::array<uint8_t, TCC730_DIRECTORY_ENTRY_SIZE> copy;
    std::memcpy(copy.data(), record, copy.size());
    listing.records.push_back(copy);
  }
  return listing;
}

class LibraryTest : public ::testing::Test {
 protected:
  explicit LibraryTest(uint32_t cardMiB = 0) : folder_(cardMiB) {}
  void SetUp() override { ASSERT_EQ(TCC730_Open(&handle_), 1) << TCC730_GetError(); }
  void TearDown() override { TCC730_Close(handle_); }

  int download(const std::string& name, const std::vector<uint8_t>& bytes, int drive = 0) {
    return TCC730_Download(nullptr, handle_, drive, folder_.pcFile(name, bytes).c_str());
  }

  // fsck.fat finds the image clean and mdir lists what the library lists.
  void expectToolsAgree(int drive = 0) {
    const auto image = drive == 0 ? folder_.internal() : folder_.external();
    EXPECT_TRUE(fsckClean(image));
    const CListing listing = readDirectory(handle_, drive);
    ASSERT_EQ(listing.ok, 1) << TCC730_GetError();
    EXPECT_EQ(mdirNames(image), listing.names);
  }

  PlayerFolder folder_;
  TCC730_HANDLE handle_ = nullptr;
};

}  // namespace norva::usb
