#include "lyrics/text_encoding_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace norva::lyr {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes converted(const Bytes& file) {
  const TextEncodingOutcome outcome = convertTextForPlayer(file);
  EXPECT_EQ(outcome.result, TextEncodingResult::Converted);
  return outcome.bytes;
}

TEST(TextEncodingConversion, AsciiBecomesUtf16WithByteOrderMark) {
  EXPECT_EQ(converted({'a', 'b', 'c'}), (Bytes{0xFF, 0xFE, 0x61, 0x00, 0x62, 0x00, 0x63, 0x00}));
}

TEST(TextEncodingConversion, EmptyFileGivesOnlyTheByteOrderMark) {
  EXPECT_EQ(converted({}), (Bytes{0xFF, 0xFE}));
}

TEST(TextEncodingConversion, StopsAtTheFirstZeroByte) {
  EXPECT_EQ(converted({'a', 0x00, 'b', 0xD6, 0xD0}), (Bytes{0xFF, 0xFE, 0x61, 0x00}));
  EXPECT_EQ(converted({0x00, 'x'}), (Bytes{0xFF, 0xFE}));
}

TEST(TextEncodingConversion, Utf16LittleEndianFileIsCopiedByteForByte) {
  const Bytes file{0xFF, 0xFE, 0x2D, 0x4E, 0x00, 0x00, 0x87, 0x65, 0xFF};
  const TextEncodingOutcome outcome = convertTextForPlayer(file);
  EXPECT_EQ(outcome.result, TextEncodingResult::Copied);
  EXPECT_EQ(outcome.bytes, file);
  // Just the mark is a file too.
  EXPECT_EQ(convertTextForPlayer(Bytes{0xFF, 0xFE}).bytes, (Bytes{0xFF, 0xFE}));
}

TEST(TextEncodingConversion, OtherUnicodeFilesAreTreatedAsAnsiText) {
  // UTF-16 big-endian: its mark FE FF is no GBK pair, so "?", and the zero byte of 'a' ends it.
  EXPECT_EQ(converted({0xFE, 0xFF, 0x00, 0x61}), (Bytes{0xFF, 0xFE, 0x3F, 0x00}));
  // UTF-8's mark EF BB BF: EF BB is the GBK character U+9518, BF alone at the end is "?".
  EXPECT_EQ(converted({0xEF, 0xBB, 0xBF}), (Bytes{0xFF, 0xFE, 0x18, 0x95, 0x3F, 0x00}));
}

struct SpecialBytes {
  const char* what;
  Bytes input;
  Bytes expected;  // after FF FE
};

class TextEncodingSpecialBytes : public ::testing::TestWithParam<SpecialBytes> {};

TEST_P(TextEncodingSpecialBytes, DecodeAsWindowsCodePage936) {
  Bytes expected{0xFF, 0xFE};
  expected.insert(expected.end(), GetParam().expected.begin(), GetParam().expected.end());
  EXPECT_EQ(converted(GetParam().input), expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TextEncodingSpecialBytes,
    ::testing::Values(
        // 中文 in GBK: D6 D0 CE C4 -> U+4E2D U+6587.
        SpecialBytes{"GBK pairs", {0xD6, 0xD0, 0xCE, 0xC4}, {0x2D, 0x4E, 0x87, 0x65}},
        SpecialBytes{
            "0x80 is the euro sign", {'a', 0x80, 'b'}, {0x61, 0x00, 0xAC, 0x20, 0x62, 0x00}},
        SpecialBytes{"0xFF is U+F8F5", {0xFF, 'b'}, {0xF5, 0xF8, 0x62, 0x00}},
        SpecialBytes{"0xFF at the very end", {'a', 0xFF}, {0x61, 0x00, 0xF5, 0xF8}},
        SpecialBytes{"lead byte with a trail that is no GBK: one ? for the pair",
                     {0x81, 0x7F, 'z'},
                     {0x3F, 0x00, 0x7A, 0x00}},
        SpecialBytes{"lead byte before a space", {0xB0, ' ', 'z'}, {0x3F, 0x00, 0x7A, 0x00}},
        SpecialBytes{"lead byte at the very end", {'a', 0xB0}, {0x61, 0x00, 0x3F, 0x00}},
        SpecialBytes{"lead byte before the zero byte", {0xB0, 0x00, 'x'}, {0x3F, 0x00}},
        SpecialBytes{"CR LF stay", {'a', '\r', '\n'}, {0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00}}));

TEST(TextEncodingConversion, LongTextIsNeverCutShort) {
  // Every character of a long text arrives, with the special bytes spread through it.
  Bytes file;
  for (int i = 0; i < 20000; ++i) file.insert(file.end(), {0xD6, 0xD0, 0x80, 0xFF, 0x81, 0x7F});
  const Bytes out = converted(file);
  ASSERT_EQ(out.size(), 2u + 20000u * 8u);
  EXPECT_EQ(Bytes(out.end() - 8, out.end()),
            (Bytes{0x2D, 0x4E, 0xAC, 0x20, 0xF5, 0xF8, 0x3F, 0x00}));
}

// The player's limit of 1,048,576 bytes, for ANSI text and for UTF-16 text.
struct SizeRow {
  uint64_t size;
  TextEncodingResult result;
  uint64_t outputSize;  // FF FE and two bytes a character, or the file itself
};

TEST(TextEncodingConversion, SizeLimitTable) {
  const SizeRow ansi[] = {
      {1048575, TextEncodingResult::Converted, 2097152},
      {1048576, TextEncodingResult::Converted, 2097154},
      {1048577, TextEncodingResult::TooLarge, 0},
  };
  for (const SizeRow& row : ansi) {
    const Bytes file(row.size, 'a');
    const TextEncodingOutcome outcome = convertTextForPlayer(file);
    EXPECT_EQ(outcome.result, row.result) << row.size;
    EXPECT_EQ(outcome.bytes.size(), row.outputSize) << row.size;
  }
  const SizeRow utf16[] = {
      {1048575, TextEncodingResult::Copied, 1048575},
      {1048576, TextEncodingResult::Copied, 1048576},
      {1048577, TextEncodingResult::TooLarge, 0},
  };
  for (const SizeRow& row : utf16) {
    Bytes file(row.size, 'a');
    file[0] = 0xFF;
    file[1] = 0xFE;
    const TextEncodingOutcome outcome = convertTextForPlayer(file);
    EXPECT_EQ(outcome.result, row.result) << row.size;
    EXPECT_EQ(outcome.bytes.size(), row.outputSize) << row.size;
  }
}

}  // namespace
}  // namespace norva::lyr
