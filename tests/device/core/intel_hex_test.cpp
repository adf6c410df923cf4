// Intel HEX to firmware image: the fixture files, every reading decision and the size limit.
#include "device/intel_hex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace norva::device {
namespace {

std::vector<uint8_t> bytesOf(const std::string& text) {
  return {text.begin(), text.end()};
}

std::vector<uint8_t> readData(const std::string& name) {
  std::ifstream in(std::string(NORVA_TEST_DATA_DIR) + "/hex/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Builds one record with its checksum (two's complement of the byte sum).
std::string record(uint8_t type, uint16_t address, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes{static_cast<uint8_t>(data.size()), static_cast<uint8_t>(address >> 8),
                             static_cast<uint8_t>(address & 0xFF), type};
  bytes.insert(bytes.end(), data.begin(), data.end());
  unsigned sum = 0;
  for (uint8_t b : bytes) sum += b;
  bytes.push_back(static_cast<uint8_t>(0x100 - (sum & 0xFF)));
  std::string text = ":";
  char digits[3];
  for (uint8_t b : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", b);
    text += digits;
  }
  return text;
}

HexConversion convert(const std::string& text, uint32_t offset) {
  return convertIntelHex(bytesOf(text), offset);
}

TEST(IntelHexFixtures, CodecFileGivesTheImageFrom0x2000) {
  const auto result = convertIntelHex(readData("codec_fw_0x2000.hex"), kCodecImageOffset);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image, readData("codec_fw_0x2000.image.bin"));
}

TEST(IntelHexFixtures, BootFileGivesItsTwoKilobytesFromAddressZero) {
  const auto result = convertIntelHex(readData("boot_fw_0x0000.hex"), kBootImageOffset);
  ASSERT_EQ(result.outcome, HexOutcome::Converted);
  ASSERT_EQ(result.image.size(), 2048u);
  // "BOOT-TEST v0.10 " is the first record's data.
  EXPECT_EQ(std::string(result.image.begin(), result.image.begin() + 16), "BOOT-TEST v0.10 ");
  EXPECT_EQ(result.image[2047], 0x5D);  // last data byte of the last record
}

TEST(IntelHexFixtures, ExtendedAddressCrossingSixtyFourKilobytes) {
  const auto result = convertIntelHex(readData("codec_fw_cross64k.hex"), kCodecImageOffset);
  ASSERT_EQ(result.outcome, HexOutcome::Converted);
  // Data 0xF800..0x107FF seen from 0x2000: 0xE800 bytes, zeros up to 0xF800 - 0x2000 = 0xD800.
  ASSERT_EQ(result.image.size(), 0xE800u);
  EXPECT_EQ(result.image[0xD7FF], 0x00);
  EXPECT_EQ(std::string(result.image.begin() + 0xD800, result.image.begin() + 0xD809), "CROSS-64K");
  // First record after the switch to 0x0001: address 0x10000 lands at 0xE000.
  EXPECT_EQ(result.image[0xE000], 0x40);
  EXPECT_EQ(result.image[0xE00D], 0x94);
}

TEST(IntelHex, DataBelowTheImageOffsetIsDropped) {
  // ":04 1FFE 00 01020304": the first two bytes lie below 0x2000.
  const auto result = convert(":041FFE0001020304D5\n:00000001FF\n", 0x2000);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image, (std::vector<uint8_t>{0x03, 0x04}));
}

TEST(IntelHex, HolesBetweenRecordsAreZero) {
  const std::string text = ":020000001122CB\n:02000400AABB95\n:00000001FF\n";
  const auto result = convert(text, 0);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image, (std::vector<uint8_t>{0x11, 0x22, 0, 0, 0xAA, 0xBB}));
}

TEST(IntelHex, LinearAddressRecordMovesDataUpBy64K) {
  // Type 04 value 0x0001, then one byte at 0x0010: absolute 0x10010, image offset 0x10000.
  const auto result = convert(":020000040001F9\n:01001000AB44\n:00000001FF\n", 0x10000);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image.size(), 0x11u);
  EXPECT_EQ(result.image[0x10], 0xAB);
}

TEST(IntelHex, SegmentAddressRecordIsHonoured) {
  // Type 02 value 0x1000: base 0x10000.
  const auto result = convert(":020000021000EC\n:01000200CD30\n:00000001FF\n", 0x10000);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image, (std::vector<uint8_t>{0x00, 0x00, 0xCD}));
}

struct LayoutCase {
  const char* name;
  std::string text;
  std::vector<uint8_t> image;
};

class IntelHexLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(IntelHexLayout, GivesTheImage) {
  const auto result = convert(GetParam().text, 0);
  ASSERT_EQ(result.outcome, HexOutcome::Converted) << toString(result.outcome);
  EXPECT_EQ(result.image, GetParam().image);
}

// Records ":020000001122CB" (0x11 0x22 at 0) and ":02000200334485" (0x33 0x44 at 2).
INSTANTIATE_TEST_SUITE_P(
    Decisions, IntelHexLayout,
    ::testing::Values(
        LayoutCase{
            "Lf", ":020000001122CB\n:02000200334485\n:00000001FF\n", {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"CrLf",
                   ":020000001122CB\r\n:02000200334485\r\n:00000001FF\r\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{
            "CrOnly", ":020000001122CB\r:02000200334485\r:00000001FF\r", {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"BlankLinesSkipped",
                   ":020000001122CB\n\n  \r\n:02000200334485\n:00000001FF\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"ByteOrderMarkSkipped",
                   "\xEF\xBB\xBF:020000001122CB\n:02000200334485\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{
            "LowerCaseDigits", ":020000001122cb\n:02000200334485\n", {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"NoEndRecordStopsAtTheEnd",
                   ":020000001122CB\n:02000200334485",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"NoEndRecordStopsAtFirstOtherLine",
                   ":020000001122CB\nthe end\n:02000200334485\n",
                   {0x11, 0x22}},
        LayoutCase{"EndRecordStopsReading",
                   ":020000001122CB\n:00000001FF\n:02000200334485\n",
                   {0x11, 0x22}},
        LayoutCase{"StartSegmentAddressSkipped",
                   ":020000001122CB\n:0400000300003800C1\n:02000200334485\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"StartLinearAddressSkipped",
                   ":020000001122CB\n:04000005000000CD2A\n:02000200334485\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"UnknownTypeSkipped",
                   ":020000001122CB\n:01000007995F\n:02000200334485\n",
                   {0x11, 0x22, 0x33, 0x44}},
        LayoutCase{"LaterRecordOverwrites", ":020000001122CB\n:0100010055A9\n", {0x11, 0x55}}),
    [](const ::testing::TestParamInfo<LayoutCase>& p) { return std::string(p.param.name); });

struct RefusalCase {
  const char* name;
  std::string text;
  HexOutcome outcome;
  size_t line;
};

class IntelHexRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(IntelHexRefusal, RefusesNamingTheLine) {
  const auto result = convert(GetParam().text, 0);
  EXPECT_EQ(result.outcome, GetParam().outcome) << toString(result.outcome);
  EXPECT_EQ(result.line, GetParam().line);
  EXPECT_TRUE(result.image.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Decisions, IntelHexRefusal,
    ::testing::Values(
        // Third line's checksum 0x84 where 0x83 is right; the blank line still counts.
        RefusalCase{"BadChecksum", ":020000001122CB\n\n:02000200334484\n", HexOutcome::BadChecksum,
                    3},
        RefusalCase{"BadChecksumAfterCrOnly", ":020000001122CB\r:02000200334484\r",
                    HexOutcome::BadChecksum, 2},
        RefusalCase{"CutShort", ":020000001122CB\n:020002003344\n", HexOutcome::RecordCutShort, 2},
        RefusalCase{"NoLengthAtAll", ":0\n", HexOutcome::RecordCutShort, 1},
        RefusalCase{"NonHexInData", ":0200000011G23B\n", HexOutcome::NonHexCharacter, 1},
        RefusalCase{"NonHexAfterChecksum", ":020000001122CBZZ\n", HexOutcome::NonHexCharacter, 1},
        RefusalCase{"ExtraDigitsAfterChecksum", ":020000001122CB00\n", HexOutcome::RecordTooLong,
                    1},
        RefusalCase{"AddressRecordOfThreeBytes", ":03000004000100F8\n",
                    HexOutcome::BadAddressRecord, 1},
        RefusalCase{"NothingAtAll", "", HexOutcome::EmptyImage, 0},
        RefusalCase{"FirstLineIsNoRecord", "hello\n:020000001122CB\n", HexOutcome::EmptyImage, 0},
        RefusalCase{"OnlyAnEndRecord", ":00000001FF\n", HexOutcome::EmptyImage, 0}),
    [](const ::testing::TestParamInfo<RefusalCase>& p) { return std::string(p.param.name); });

TEST(IntelHex, AllDataBelowTheOffsetGivesAnEmptyImage) {
  const auto result = convert(":020000001122CB\n:00000001FF\n", 0x2000);
  EXPECT_EQ(result.outcome, HexOutcome::EmptyImage);
}

TEST(IntelHex, RefusalTextNamesTheLine) {
  const auto result = convert(":020000001122CB\n:02000200334484\n", 0);
  EXPECT_EQ(hexRefusalText(result), "固件文件无法转换，没有发送到播放器：第2行的校验和错误");
}

// The 16 MiB limit: a 16-byte record whose end lands at 16 MiB - 1, 16 MiB, 16 MiB + 1.
struct SizeCase {
  uint16_t address;  // within the 64 KiB page 0x00FF
  HexOutcome outcome;
  size_t imageSize;
};

class IntelHexSizeLimit : public ::testing::TestWithParam<SizeCase> {};

TEST_P(IntelHexSizeLimit, RefusesImagesAbove16MiB) {
  const std::string text = record(0x04, 0, {0x00, 0xFF}) + "\n" +
                           record(0x00, GetParam().address, std::vector<uint8_t>(16, 0xA5)) +
                           "\n:00000001FF\n";
  const auto result = convert(text, 0);
  EXPECT_EQ(result.outcome, GetParam().outcome) << toString(result.outcome);
  EXPECT_EQ(result.image.size(), GetParam().imageSize);
  if (GetParam().outcome != HexOutcome::Converted) {
    EXPECT_EQ(result.line, 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(Limits, IntelHexSizeLimit,
                         ::testing::Values(SizeCase{0xFFEF, HexOutcome::Converted, 16777215},
                                           SizeCase{0xFFF0, HexOutcome::Converted, 16777216},
                                           SizeCase{0xFFF1, HexOutcome::ImageTooLarge, 0}));

}  // namespace
}  // namespace norva::device
