#include <gtest/gtest.h>

#include <string>

#include "usb/core/fat_test_support.h"
#include "usb/firmware_version.h"
#include "usb/player_records.h"

namespace norva::usb {
namespace {

FileEntry entryNamed(const std::string& longName, const char (&shortText)[12]) {
  FileEntry entry;
  entry.longName = longName;
  std::copy(shortText, shortText + 11, entry.shortName.begin());
  entry.attributes = 0x20;
  entry.size = 0x01020304;
  entry.firstCluster = 0x0ABC;
  entry.written = {0x7A5C, 0x5987};
  return entry;
}

TEST(DirectoryEntryRecord, FieldsAtTheirOffsets) {
  const auto record = directoryEntryRecordOf(entryNamed("歌.mp3", "__~1    MP3"));
  EXPECT_EQ(std::string(record.begin(), record.begin() + 8), "__~1    ");
  EXPECT_EQ(record[8], 0);
  EXPECT_EQ(std::string(record.begin() + 9, record.begin() + 12), "MP3");
  EXPECT_EQ(record[12], 0);
  EXPECT_EQ(record[13], 0x20);
  EXPECT_EQ(record[16], 0x5C);
  EXPECT_EQ(record[17], 0x7A);
  EXPECT_EQ(record[18], 0x87);
  EXPECT_EQ(record[19], 0x59);
  EXPECT_EQ(record[32], 0x04);
  EXPECT_EQ(record[35], 0x01);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(record.data() + 36)), "歌.mp3");
  EXPECT_EQ(recordLongName(record), "歌.mp3");
  EXPECT_EQ(recordShortName(record), "__~1.MP3");
}

// The long name field holds 263 bytes and a terminator.
struct LongNameFieldRow {
  size_t bytes;
  bool kept;
};

class LongNameField : public testing::TestWithParam<LongNameFieldRow> {};

TEST_P(LongNameField, FitsOrFallsBackToTheShortName) {
  const std::string name(GetParam().bytes, 'n');
  const auto record = directoryEntryRecordOf(entryNamed(name, "NNNNNN~1   "));
  EXPECT_EQ(recordLongName(record), GetParam().kept ? name : "");
  EXPECT_EQ(record[299], 0);
}

INSTANTIATE_TEST_SUITE_P(Bytes, LongNameField,
                         testing::Values(LongNameFieldRow{262, true}, LongNameFieldRow{263, true},
                                         LongNameFieldRow{264, false}));

// The font name field holds 263 bytes and a terminator.
struct FontNameRow {
  size_t bytes;
  bool fits;
};

class FontNameField : public testing::TestWithParam<FontNameRow> {};

TEST_P(FontNameField, FitsOrIsRefused) {
  const auto record = fontRecordOf(std::string(GetParam().bytes, 'f'), 0x00A0B0C0);
  ASSERT_EQ(record.has_value(), GetParam().fits);
  if (!record) return;
  EXPECT_EQ((*record)[GetParam().bytes], 0);
  EXPECT_EQ((*record)[264], 0xC0);
  EXPECT_EQ((*record)[267], 0x00);
}

INSTANTIATE_TEST_SUITE_P(Bytes, FontNameField,
                         testing::Values(FontNameRow{262, true}, FontNameRow{263, true},
                                         FontNameRow{264, false}));

TEST(Summary, WordsOfAVolumeWithAFile) {
  MemoryBlockDevice device(freshImage(32));
  const auto volume = FatVolume::open(device);
  ASSERT_EQ(volume->addFile("a.mp3", std::vector<uint8_t>(40000, 1), {}), FatStatus::Ok);
  // 1 file, 2046 blocks, 3 used, present + formatted + writable.
  EXPECT_EQ(summaryOf(*volume, true), (Summary{1, 2046, 3, 14, 0, 0}));
  EXPECT_EQ(summaryOf(*volume, false)[3], 6u);
  EXPECT_EQ(unformattedSummary(true), (Summary{0, 0, 0, 10, 0, 0}));
}

TEST(Firmware, CrcAndVersionText) {
  const std::string check = "123456789";
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(check.data()),
                                       check.size());
  EXPECT_EQ(crc32(bytes), 0xCBF43926u);  // the published check value of CRC-32
  EXPECT_EQ(firmwareVersionText(bytes, "/tmp/fw/RD710_V1.2.hex"), "RD710_V1.2 CBF43926");
  EXPECT_EQ(firmwareVersionText(bytes, ""), "CBF43926");
  // A long stem is cut at 40 bytes, never inside a character.
  std::string longStem;
  for (int i = 0; i < 20; ++i) longStem += "固";  // 60 bytes
  EXPECT_EQ(firmwareVersionText(bytes, longStem + ".bin"), longStem.substr(0, 39) + " CBF43926");
}

}  // namespace
}  // namespace norva::usb
