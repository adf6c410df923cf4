// The Disk Medium Information texts, block sizes around the KB/MB boundary, the numbers typed
// into the raw data range and the texts of a link that would not open.
#include "device/medium_information.h"

#include <gtest/gtest.h>

namespace norva::device {
namespace {

struct BlockCase {
  uint32_t count;
  const char* expected;
};

// 64 blocks of 16 KiB are exactly 1 MiB, the first size shown in MB; MB round up.
const BlockCase kBlocks[] = {
    {0, "0 (0 KB)"},     {1, "1 (16 KB)"},       {63, "63 (1008 KB)"},
    {64, "64 (1 MB)"},   {65, "65 (2 MB)"},      {128, "128 (2 MB)"},
    {129, "129 (3 MB)"}, {2048, "2048 (32 MB)"}, {65535, "65535 (1024 MB)"},
};

TEST(MediumInformation, BlockCountsShowTheirSizeInKbBelowOneMegabyteElseMb) {
  for (const BlockCase& c : kBlocks) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(blockCountText(c.count), c.expected);
  }
}

MediumRecord internalNand() {
  MediumRecord record;
  record.fileCount = 3;
  record.totalBlocks = 2048;
  record.usedBlocks = 5;
  record.physicalBlocks = 2100;
  record.badBlocks = 2;
  record.deviceStatus = 1;
  record.fatStatus = 7;
  record.mediumType = 1;
  record.fatStartSector = 1;
  record.fatSectorCount = 12;
  record.rootStartSector = 0x19;
  record.pageSizeCode = 0;
  record.bytesPerSector = 512;
  record.sectorsPerCluster = 32;
  record.clustersPerBlock = 1;
  record.rootEntryCount = 512;
  record.fatType = 1;
  return record;
}

TEST(MediumInformation, EveryFieldOfAGoodNandMedium) {
  const MediumInformationTexts t = mediumInformationTexts(internalNand());
  EXPECT_EQ(t.deviceStatus, "Good");
  EXPECT_EQ(t.fatStatus, "Good");
  EXPECT_EQ(t.mediumType, "NAND/SMC (512 bytes/page)");
  EXPECT_EQ(t.totalBlocks, "2048 (32 MB)");
  EXPECT_EQ(t.usedBlocks, "5 (80 KB)");
  EXPECT_EQ(t.physicalBlocks, "2100 (33 MB)");
  EXPECT_EQ(t.badBlocks, "2 (32 KB)");
  EXPECT_EQ(t.fatType, "FAT12");
  EXPECT_EQ(t.fatStartSector, "0x0001");
  EXPECT_EQ(t.fatSectorCount, "12");
  EXPECT_EQ(t.rootStartSector, "0x0019");
  EXPECT_EQ(t.rootEntryCount, "512");
  EXPECT_EQ(t.totalFileCount, "3");
  EXPECT_EQ(t.bytesPerSector, "512 (bytes/sector)");
  EXPECT_EQ(t.sectorsPerCluster, "32 (sectors/cluster)");
  EXPECT_EQ(t.clustersPerBlock, "1 (clusters/block)");
}

TEST(MediumInformation, StatusAndFatTypeTexts) {
  MediumRecord record = internalNand();
  record.deviceStatus = 0;
  record.fatStatus = 0;
  record.fatType = 2;
  record.fatStartSector = 0xABCD;
  MediumInformationTexts t = mediumInformationTexts(record);
  EXPECT_EQ(t.deviceStatus, "Invalid");
  EXPECT_EQ(t.fatStatus, "Invalid");
  EXPECT_EQ(t.fatType, "FAT12");
  EXPECT_EQ(t.fatStartSector, "0xABCD");
  for (int other : {0, 3, 16}) {
    record.fatType = static_cast<uint8_t>(other);
    EXPECT_EQ(mediumInformationTexts(record).fatType, "Unknown") << other;
  }
}

struct MediumTypeCase {
  uint8_t type;
  uint8_t pageCode;
  const char* expected;
};

const MediumTypeCase kMediumTypes[] = {
    {1, 0, "NAND/SMC (512 bytes/page)"},
    {1, 1, "NAND/SMC (1024 bytes/page)"},
    {1, 2, "NAND/SMC (??? bytes/page)"},
    {2, 0, "MMC/SD"},
    {2, 1, "MMC/SD"},
    {0, 0, "Unknown Medium"},
    {3, 0, "Unknown Medium"},
};

TEST(MediumInformation, MediumTypeAndPageSize) {
  for (const MediumTypeCase& c : kMediumTypes) {
    MediumRecord record;
    record.mediumType = c.type;
    record.pageSizeCode = c.pageCode;
    EXPECT_EQ(mediumInformationTexts(record).mediumType, c.expected)
        << int{c.type} << "/" << int{c.pageCode};
  }
}

struct NumberCase {
  const char* typed;
  uint32_t value;
};

const NumberCase kNumbers[] = {
    {"", 0},
    {"12", 12},
    {"12abc", 12},
    {" \t0x10", 16},
    {"0X1f", 31},
    {"0x", 0},
    {"0xg", 0},
    {"  7 8", 7},
    {"-5", 0},
    {"4294967295", 4294967295u},
    {"4294967296", 4294967295u},
    {"0xFFFFFFFF", 4294967295u},
    {"0x100000000", 4294967295u},
};

TEST(TypedNumbers, BlanksThenHexAfterPrefixElseDecimal) {
  for (const NumberCase& c : kNumbers) EXPECT_EQ(parseTypedNumber(c.typed), c.value) << c.typed;
}

TEST(HyperlinkErrors, KnownResultsHaveTheirTextOthersTheUnknownText) {
  EXPECT_EQ(hyperlinkErrorText(0), "The operating system is out\nof memory or resources.");
  EXPECT_EQ(hyperlinkErrorText(26), "A sharing violation occurred. ");
  EXPECT_EQ(hyperlinkErrorText(30),
            "The DDE transaction could not\nbe completed because other DDE transactions\n"
            "were being processed.");
  EXPECT_EQ(hyperlinkErrorText(31),
            "There is no application associated\nwith the given filename extension.");
  EXPECT_EQ(hyperlinkErrorText(32), "The specified dynamic-link library was not found.");
  EXPECT_EQ(hyperlinkErrorText(1), "Unknown Error (1) occurred.");
  EXPECT_EQ(hyperlinkErrorText(33), "Unknown Error (33) occurred.");
  EXPECT_EQ(hyperlinkErrorText(-4), "Unknown Error (-4) occurred.");
}

}  // namespace
}  // namespace norva::device
