// Every storage operation of the player library against the simulated player, each followed by
// fsck.fat and an mdir listing that must agree with the library's own.
#include <gtest/gtest.h>

#include "usb/service/library_test_support.h"

namespace norva::usb {
namespace {

using StorageTest = LibraryTest;

TEST_F(StorageTest, DownloadListsInOrderWithLongNames) {
  ASSERT_EQ(download("first song.mp3", patternBytes(50000, 1)), 1);
  ASSERT_EQ(download("SECOND.MP3", patternBytes(3, 2)), 1);
  ASSERT_EQ(download("三 第三首歌.mp3", patternBytes(0, 3)), 1);
  ASSERT_EQ(download("lower.mp3", patternBytes(16384, 4)), 1);
  const CListing listing = readDirectory(handle_, 0);
  EXPECT_EQ(listing.names, (std::vector<std::string>{"first song.mp3", "SECOND.MP3",
                                                     "三 第三首歌.mp3", "lower.mp3"}));
  EXPECT_EQ(listing.sizes, (std::vector<uint32_t>{50000, 3, 0, 16384}));
  // 4 files; 2046 blocks; 4 + 1 + 0 + 1 used; present, formatted, writable.
  EXPECT_EQ(listing.summary, (std::array<uint32_t, 6>{4, 2046, 6, 14, 0, 0}));
  expectToolsAgree();
  EXPECT_EQ(mcopyOut(folder_.internal(), "first song.mp3", folder_.pc()), patternBytes(50000, 1));
}

TEST_F(StorageTest, DownloadRefusals) {
  ASSERT_EQ(download("song.mp3", patternBytes(10, 1)), 1);
  const auto before = fileBytes(folder_.internal());
  EXPECT_EQ(download("SONG.MP3", patternBytes(10, 2)), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_EXISTS});
  EXPECT_EQ(TCC730_Download(nullptr, handle_, 0, (folder_.pc() / "missing.mp3").c_str()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_FILE});
  EXPECT_EQ(TCC730_GetWindowsError(), 2u);
  EXPECT_EQ(TCC730_Download(nullptr, handle_, 0, folder_.pc().c_str()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_FILE});
  EXPECT_EQ(download("x.mp3", patternBytes(10, 1), 1), 0);  // no card
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_DRIVE});
  EXPECT_EQ(download("x.mp3", patternBytes(10, 1), 2), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_DRIVE});
  EXPECT_EQ(fileBytes(folder_.internal()), before);
}

// The internal memory holds 2046 clusters of 16384 bytes: 33521664 bytes.
struct FullRow {
  uint64_t size;
  int ok;
};

class FullDrive : public LibraryTest, public ::testing::WithParamInterface<FullRow> {};

TEST_P(FullDrive, ExactlyFullFitsOneByteMoreIsRefusedBeforeWriting) {
  const auto before = fileBytes(folder_.internal());
  EXPECT_EQ(download("big.bin", std::vector<uint8_t>(GetParam().size, 0x5A)), GetParam().ok);
  if (GetParam().ok) {
    EXPECT_EQ(readDirectory(handle_, 0).summary[2], 2046u);
    expectToolsAgree();
  } else {
    EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_DISK_FULL});
    EXPECT_EQ(fileBytes(folder_.internal()), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, FullDrive,
                         ::testing::Values(FullRow{33521663, 1}, FullRow{33521664, 1},
                                           FullRow{33521665, 0}));

TEST_F(StorageTest, RootDirectoryOf512EntriesAgreesWithMdir) {
  for (int i = 0; i < 512; ++i) ASSERT_EQ(download("F" + std::to_string(i) + ".MP3", {}), 1) << i;
  EXPECT_EQ(download("F512.MP3", {}), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_DIRECTORY_FULL});
  const CListing listing = readDirectory(handle_, 0);
  EXPECT_EQ(listing.names.size(), 512u);
  EXPECT_EQ(listing.names[511], "F511.MP3");
  expectToolsAgree();
}

TEST_F(StorageTest, UploadCopiesTheFileAndChecksTheEntry) {
  ASSERT_EQ(download("song.mp3", patternBytes(70000, 7)), 1);
  const auto target = folder_.pc() / "back.mp3";
  ASSERT_EQ(TCC730_Upload(nullptr, handle_, 0, 0, target.c_str(), nullptr, 70000, 0), 1);
  EXPECT_EQ(fileBytes(target), patternBytes(70000, 7));
  // A size that is not the entry's any more: the index is stale.
  EXPECT_EQ(TCC730_Upload(nullptr, handle_, 0, 0, target.c_str(), nullptr, 69999, 0), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(TCC730_Upload(nullptr, handle_, 0, 1, target.c_str(), nullptr, 0, 0), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_INDEX});
  expectToolsAgree();
}

TEST_F(StorageTest, UploadConvertsAdpcmToWav) {
  // One mono IMA ADPCM block: header (predictor 0, index 0) and nibbles 7, 0, 8, 0.
  std::vector<uint8_t> tcw = {'R', 'I', 'F', 'F', 0, 0, 0, 0,    'W', 'A',  'V',  'E',  'f',
                              'm', 't', ' ', 16,  0, 0, 0, 0x11, 0,   1,    0,    0x40, 0x1F,
                              0,   0,   0,   0,   0, 0, 8, 0,    4,   0,    'd',  'a',  't',
                              'a', 8,   0,   0,   0, 0, 0, 0,    0,   0x07, 0x08, 0,    0};
  ASSERT_EQ(download("SONG.tcw", tcw), 1);
  const auto target = folder_.pc() / "SONG.WAV";
  ASSERT_EQ(TCC730_Upload(nullptr, handle_, 0, 0, target.c_str(), "SONG.tcw",
                          static_cast<uint32_t>(tcw.size()), 1),
            1);
  const auto wave = fileBytes(target);
  ASSERT_EQ(wave.size(), 44u + 9 * 2);
  EXPECT_EQ(wave[20], 1);       // PCM
  EXPECT_EQ(wave[44 + 2], 11);  // second sample: +11
  // Data that is no ADPCM WAVE file is refused and nothing is written.
  ASSERT_EQ(download("other.tvf", patternBytes(100, 1)), 1);
  const auto refused = folder_.pc() / "other.WAV";
  EXPECT_EQ(TCC730_Upload(nullptr, handle_, 0, 1, refused.c_str(), "other.tvf", 100, 2), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_IMAGE});
  EXPECT_FALSE(std::filesystem::exists(refused));
}

TEST_F(StorageTest, UploadRefusesPlayerNamesThatLeaveTheFolder) {
  // mtools puts a file whose long name holds ".." on the drive behind our back.
  const auto source = folder_.pcFile("a..b.mp3", patternBytes(10, 1));
  ASSERT_EQ(
      runCommand({"mcopy", "-i", folder_.internal().string(), source.string(), "::"}).exitCode, 0);
  const CListing listing = readDirectory(handle_, 0);
  ASSERT_EQ(listing.names, std::vector<std::string>{"a..b.mp3"});
  const auto target = folder_.pc() / "out.mp3";
  EXPECT_EQ(TCC730_Upload(nullptr, handle_, 0, 0, target.c_str(), nullptr, 10, 0), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_NAME});
  EXPECT_FALSE(std::filesystem::exists(target));
  ASSERT_EQ(download("x.tcw", patternBytes(10, 1)), 1);
  EXPECT_EQ(TCC730_Upload(nullptr, handle_, 0, 1, target.c_str(), "../x.tcw", 10, 1), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_NAME});
}

TEST_F(StorageTest, DeleteChecksTheNameAndLaterEntriesMoveUp) {
  for (int i = 0; i < 6; ++i)
    ASSERT_EQ(download("song " + std::to_string(i) + ".mp3", patternBytes(20000, 1)), 1);
  // Deleting entries 2 and 5 of the listing: 2, then 4 (5 moved up).
  ASSERT_EQ(TCC730_Delete(nullptr, handle_, 0, 2, "song 2.mp3"), 1);
  ASSERT_EQ(TCC730_Delete(nullptr, handle_, 0, 4, "song 5.mp3"), 1);
  EXPECT_EQ(readDirectory(handle_, 0).names,
            (std::vector<std::string>{"song 0.mp3", "song 1.mp3", "song 3.mp3", "song 4.mp3"}));
  expectToolsAgree();

  // A stale index: entry 1 is no longer "song 2.mp3". Nothing changes.
  const auto before = fileBytes(folder_.internal());
  EXPECT_EQ(TCC730_Delete(nullptr, handle_, 0, 1, "song 2.mp3"), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(TCC730_Delete(nullptr, handle_, 0, 1, nullptr), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(TCC730_Delete(nullptr, handle_, 0, 4, "song 4.mp3"), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_INDEX});
  EXPECT_EQ(fileBytes(folder_.internal()), before);
  // The short name identifies the entry as well.
  EXPECT_EQ(TCC730_Delete(nullptr, handle_, 0, 0, "SONG0~1.MP3"), 1);
  expectToolsAgree();
}

TEST_F(StorageTest, StaleIndexAfterAnotherProcessRemovedAnEntryDeletesNothingWrong) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) ASSERT_EQ(download(name, {1, 2, 3}), 1);
  const CListing cached = readDirectory(handle_, 0);
  // Another process removes a.mp3: b.mp3 moves to index 0, c.mp3 to 1.
  SimulatedPlayer other(folder_.player().folder());
  ASSERT_TRUE(other.remove(0, 0, "a.mp3").ok());
  // The host still believes b.mp3 is at index 1: that is c.mp3 now.
  EXPECT_EQ(TCC730_Delete(nullptr, handle_, 0, 1, cached.names[1].c_str()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(readDirectory(handle_, 0).names, (std::vector<std::string>{"b.mp3", "c.mp3"}));
}

TEST_F(StorageTest, RenameChecksTheCachedEntry) {
  ASSERT_EQ(download("old name.mp3", patternBytes(30000, 3)), 1);
  ASSERT_EQ(download("other.mp3", {}), 1);
  CListing listing = readDirectory(handle_, 0);
  ASSERT_EQ(TCC730_Rename(handle_, 0, 0, "新的名字 new name.mp3", listing.records[0].data()), 1);
  listing = readDirectory(handle_, 0);
  EXPECT_EQ(listing.names, (std::vector<std::string>{"新的名字 new name.mp3", "other.mp3"}));
  expectToolsAgree();
  EXPECT_EQ(mcopyOut(folder_.internal(), "新的名字 new name.mp3", folder_.pc()),
            patternBytes(30000, 3));

  const auto before = fileBytes(folder_.internal());
  // The cached entry of index 1 handed with index 0: stale.
  EXPECT_EQ(TCC730_Rename(handle_, 0, 0, "x.mp3", listing.records[1].data()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(TCC730_Rename(handle_, 0, 0, "other.mp3", listing.records[0].data()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_EXISTS});
  EXPECT_EQ(TCC730_Rename(handle_, 0, 0, "a/b.mp3", listing.records[0].data()), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_NAME});
  EXPECT_EQ(fileBytes(folder_.internal()), before);
}

TEST_F(StorageTest, ReplaceSwapsEntriesAndNamedReplaceChecksBoth) {
  for (const char* name : {"one long name.mp3", "TWO.MP3", "three long name.mp3"})
    ASSERT_EQ(download(name, patternBytes(100, 1)), 1);
  ASSERT_EQ(TCC730_Replace(handle_, 0, 0, 1), 1);
  EXPECT_EQ(readDirectory(handle_, 0).names,
            (std::vector<std::string>{"TWO.MP3", "one long name.mp3", "three long name.mp3"}));
  expectToolsAgree();
  ASSERT_EQ(TCC730X_ReplaceNamed(handle_, 0, 2, 1, "three long name.mp3", "one long name.mp3"), 1);
  EXPECT_EQ(readDirectory(handle_, 0).names,
            (std::vector<std::string>{"TWO.MP3", "three long name.mp3", "one long name.mp3"}));
  expectToolsAgree();
  const auto before = fileBytes(folder_.internal());
  EXPECT_EQ(TCC730X_ReplaceNamed(handle_, 0, 0, 1, "TWO.MP3", "one long name.mp3"), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_STALE_ENTRY});
  EXPECT_EQ(TCC730_Replace(handle_, 0, 2, 3), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_INDEX});
  EXPECT_EQ(fileBytes(folder_.internal()), before);
}

TEST_F(StorageTest, FormatEmptiesTheDrive) {
  ASSERT_EQ(download("a long song.mp3", patternBytes(100000, 1)), 1);
  ASSERT_EQ(TCC730_Format(nullptr, handle_, 0), 1);
  const CListing listing = readDirectory(handle_, 0);
  EXPECT_TRUE(listing.names.empty());
  EXPECT_EQ(listing.summary, (std::array<uint32_t, 6>{0, 2046, 0, 14, 0, 0}));
  expectToolsAgree();
}

TEST_F(StorageTest, LowLevelFormatErasesTheDataToo) {
  ASSERT_EQ(download("song.mp3", std::vector<uint8_t>(100000, 0xAB)), 1);
  ASSERT_EQ(TCC730_FormatLow(nullptr, handle_, 0), 1);
  const auto image = fileBytes(folder_.internal());
  // The data area starts at sector 45; everything after it is zero.
  EXPECT_TRUE(std::all_of(image.begin() + 45 * 512, image.end(), [](uint8_t b) { return b == 0; }));
  EXPECT_TRUE(readDirectory(handle_, 0).names.empty());
  expectToolsAgree();
}

TEST_F(StorageTest, UnformattedDriveListsAsPresentButNotFormatted) {
  std::filesystem::resize_file(folder_.internal(), 0);
  std::filesystem::resize_file(folder_.internal(), 32u * 1048576);
  const CListing listing = readDirectory(handle_, 0);
  EXPECT_EQ(listing.ok, 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_UNFORMATTED});
  EXPECT_EQ(listing.summary, (std::array<uint32_t, 6>{0, 0, 0, 10, 0, 0}));
  uint8_t record[TCC730_MEDIUM_RECORD_SIZE];
  ASSERT_EQ(TCC730_GetMediumInfo(handle_, 0, record), 1);
  EXPECT_EQ(record[11], 0);  // FAT status bad
  EXPECT_EQ(record[12], 1);
  ASSERT_EQ(TCC730_Format(nullptr, handle_, 0), 1);
  expectToolsAgree();
}

TEST_F(StorageTest, MediumInfoOfTheFreshInternalMemory) {
  uint8_t record[TCC730_MEDIUM_RECORD_SIZE];
  ASSERT_EQ(TCC730_GetMediumInfo(handle_, 0, record), 1);
  const std::vector<uint8_t> expected = {0x00, 0x00, 0xFE, 0x07, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00,
                                         0x01, 0x01, 0x01, 0x01, 0x00, 0x06, 0x00, 0x0D, 0x00, 0x00,
                                         0x00, 0x02, 0x20, 0x01, 0x00, 0x02, 0x01, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(record, record + sizeof record), expected);
  EXPECT_EQ(TCC730_GetMediumInfo(handle_, 1, record), 0);
  EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_DRIVE});
}

// Raw reads: the internal memory has 2046 blocks.
struct RawRow {
  uint32_t first;
  uint32_t count;
  uint32_t bytes;
  int ok;
};

class RawRange : public LibraryTest, public ::testing::WithParamInterface<RawRow> {};

TEST_P(RawRange, WithinTheDriveOrRefused) {
  const auto target = folder_.pc() / "raw.dat";
  const RawRow row = GetParam();
  EXPECT_EQ(
      TCC730_UploadRawData(nullptr, handle_, 0, row.first, row.count, target.c_str(), 0, row.bytes),
      row.ok);
  if (row.ok) {
    const auto image = fileBytes(folder_.internal());
    const auto raw = fileBytes(target);
    ASSERT_EQ(raw.size(), uint64_t{row.count} * 16384);
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), image.begin() + uint64_t{row.first} * 16384));
  } else {
    EXPECT_EQ(TCC730_GetError(), uint32_t{TCC730_ERR_BAD_RANGE});
    EXPECT_FALSE(std::filesystem::exists(target));
  }
}

INSTANTIATE_TEST_SUITE_P(Blocks, RawRange,
                         ::testing::Values(RawRow{0, 1, 16384, 1},        // the boot block
                                           RawRow{2045, 1, 16384, 1},     // ends exactly at the end
                                           RawRow{2045, 2, 32768, 0},     // one block past it
                                           RawRow{2046, 1, 16384, 0},     // starts at the end
                                           RawRow{0, 2046, 33521664, 1},  // the whole drive
                                           RawRow{0, 2047, 33538048, 0},  // one more
                                           RawRow{0xFFFFFFFF, 1, 16384,
                                                  0},                    // would wrap in 32 bits
                                           RawRow{1, 0xFFFFFFFF, 0, 0},  // would wrap in 32 bits
                                           RawRow{0, 0, 0, 0},           // nothing to read
                                           RawRow{0, 1, 16383, 0}));  // byte count does not match

}  // namespace
}  // namespace norva::usb
