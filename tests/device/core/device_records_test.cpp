// The library's fixed-layout records read from their bytes.
#include "device/device_records.h"

#include <gtest/gtest.h>

#include <cstring>

namespace norva::device {
namespace {

DirectoryEntry entry(const char* shortName8, const char* extension3, const char* longName,
                     uint32_t size = 0) {
  std::array<uint8_t, kDirectoryEntrySize> bytes{};
  std::memcpy(bytes.data(), shortName8, 8);
  std::memcpy(bytes.data() + 9, extension3, 3);
  std::memcpy(bytes.data() + 36, longName, std::strlen(longName));
  bytes[32] = static_cast<uint8_t>(size);
  bytes[33] = static_cast<uint8_t>(size >> 8);
  bytes[34] = static_cast<uint8_t>(size >> 16);
  bytes[35] = static_cast<uint8_t>(size >> 24);
  return DirectoryEntry(bytes);
}

struct NameCase {
  const char* shortName;
  const char* extension;
  const char* longName;
  const char* display;
};

class DisplayName : public ::testing::TestWithParam<NameCase> {};

TEST_P(DisplayName, FollowsTheLongNameOrShortNameRule) {
  const auto& c = GetParam();
  DirectoryEntry e = entry(c.shortName, c.extension, c.longName);
  EXPECT_EQ(e.displayName(), c.display);
  e.trimShortName();
  EXPECT_EQ(e.displayName(), c.display);
}

INSTANTIATE_TEST_SUITE_P(Entries, DisplayName,
                         ::testing::Values(NameCase{"SONG    ", "MP3", "My Song.mp3",
                                                    "My Song.mp3"},
                                           NameCase{"SONG    ", "MP3", "", "SONG.MP3"},
                                           NameCase{"README  ", "   ", "", "README"},
                                           NameCase{"A       ", "B  ", "", "A.B"},
                                           NameCase{"FULLNAME", "TXT", "", "FULLNAME.TXT"}));

TEST(DirectoryEntryRecord, TrimCutsTrailingBlanksInTheBytes) {
  DirectoryEntry e = entry("AB      ", "C  ", "");
  e.trimShortName();
  EXPECT_EQ(e.bytes()[2], 0);
  EXPECT_EQ(e.bytes()[10], 0);
  EXPECT_EQ(e.shortName(), "AB");
  EXPECT_EQ(e.extension(), "C");
}

TEST(DirectoryEntryRecord, SizeIsLittleEndian) {
  EXPECT_EQ(entry("X       ", "MP3", "", 0x01020304).size(), 0x01020304u);
}

TEST(DirectoryEntryRecord, UnterminatedLongNameStopsAtTheRecordEnd) {
  std::array<uint8_t, kDirectoryEntrySize> bytes{};
  std::memset(bytes.data() + 36, 'n', kDirectoryEntrySize - 36);
  EXPECT_EQ(DirectoryEntry(bytes).displayName().size(), 264u);
}

TEST(DirectoryEntryRecord, FatTimestampIsShownAsWritten) {
  // 2024-03-15 (44 << 9 | 3 << 5 | 15) at 13:45:30 (13 << 11 | 45 << 5 | 15).
  EXPECT_EQ(formatFatTimestamp(0x586F, 0x6DAF), "2024-03-15 13:45:30");
  EXPECT_EQ(formatFatTimestamp(0, 0x6DAF), "-");
}

TEST(MediumRecordParse, ReadsEveryFieldAtItsOffset) {
  const std::array<uint8_t, kMediumRecordSize> bytes{
      0x05, 0x00,        // file count 5
      0x00, 0x08,        // total blocks 2048
      0x10, 0x00,        // used 16
      0x00, 0x08,        // physical 2048
      0x02, 0x00,        // bad 2
      0x01, 0x00, 0x01,  // device good, FAT bad, NAND
      0x01, 0x00,        // FAT start 1
      0x06, 0x00,        // FAT sectors 6
      0x0D, 0x00,        // root start 13
      0x00,              // 512-byte pages
      0x00, 0x02,        // 512 bytes per sector
      0x20, 0x01,        // 32 sectors per cluster, 1 cluster per block
      0x00, 0x02,        // 512 root entries
      0x01, 0x00};       // FAT12
  const MediumRecord r = MediumRecord::parse(bytes);
  EXPECT_EQ(r.fileCount, 5);
  EXPECT_EQ(r.totalBlocks, 2048);
  EXPECT_EQ(r.usedBlocks, 16);
  EXPECT_EQ(r.physicalBlocks, 2048);
  EXPECT_EQ(r.badBlocks, 2);
  EXPECT_EQ(r.deviceStatus, 1);
  EXPECT_EQ(r.fatStatus, 0);
  EXPECT_EQ(r.mediumType, 1);
  EXPECT_EQ(r.fatStartSector, 1);
  EXPECT_EQ(r.fatSectorCount, 6);
  EXPECT_EQ(r.rootStartSector, 13);
  EXPECT_EQ(r.pageSizeCode, 0);
  EXPECT_EQ(r.bytesPerSector, 512);
  EXPECT_EQ(r.sectorsPerCluster, 32);
  EXPECT_EQ(r.clustersPerBlock, 1);
  EXPECT_EQ(r.rootEntryCount, 512);
  EXPECT_EQ(r.fatType, 1);
}

TEST(FontRecordParse, NameAndSize) {
  std::array<uint8_t, kFontRecordSize> bytes{};
  std::memcpy(bytes.data(), "GB2312.fot", 10);
  bytes[264] = 0x00;
  bytes[265] = 0x10;
  bytes[266] = 0x02;
  const FontRecord r = FontRecord::parse(bytes);
  EXPECT_EQ(r.name, "GB2312.fot");
  EXPECT_EQ(r.size, 0x021000u);
}

TEST(FontRecordParse, NameKeepsAtMost259Characters) {
  std::array<uint8_t, kFontRecordSize> bytes{};
  std::memset(bytes.data(), 'f', 264);  // no terminator inside the name field
  EXPECT_EQ(FontRecord::parse(bytes).name.size(), 259u);
}

TEST(MediumSummaryFigures, BytesFromBlocks) {
  const std::array<uint32_t, kSummaryWords> words{3, 2048, 100, 14, 0, 0};
  const MediumSummary s = MediumSummary::fromWords(words);
  EXPECT_EQ(s.totalBytes(), 33554432u);  // 2048 x 16384
  EXPECT_EQ(s.freeBytes(), 31916032u);   // 1948 x 16384
  const std::array<uint32_t, kSummaryWords> over{0, 10, 11, 0, 0, 0};
  EXPECT_EQ(MediumSummary::fromWords(over).freeBytes(), 0u);
}

}  // namespace
}  // namespace norva::device
