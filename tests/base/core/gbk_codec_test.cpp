#include "base/gbk_codec.h"

#include <gtest/gtest.h>

namespace norva {
namespace {

TEST(GbkCodec, RoundTripsChineseAndAsciiThroughUtf8AndUtf16) {
  const std::string gbk = "\xD6\xD0\xCE\xC4 abc";  // 中文 abc
  EXPECT_EQ(gbkToUtf8(gbk), "中文 abc");
  EXPECT_EQ(utf8ToGbk("中文 abc"), gbk);
  EXPECT_EQ(gbkToUtf16(gbk), u"中文 abc");
  EXPECT_EQ(utf16ToGbk(u"中文 abc"), gbk);
}

TEST(GbkCodec, DecodesTheCodePageEuroAndTrailBytesBelow0x80) {
  EXPECT_EQ(gbkToUtf8("\x80"), "€");
  // 0x81 0x40 is a GBK character whose trail byte is the ASCII '@'.
  EXPECT_EQ(utf8ToGbk(gbkToUtf8("\x81\x40")), std::string("\x81\x40"));
}

TEST(GbkCodec, InvalidBytesDecodeAsReplacementAndUnencodableTextIsRefused) {
  EXPECT_EQ(gbkToUtf8("a\xFF"
                      "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(gbkToUtf8("ab\xD6"), "ab\xEF\xBF\xBD");         // a lead byte cut off at the end
  EXPECT_FALSE(utf8ToGbk("\xF0\x9F\x98\x80").has_value());  // an emoji has no GBK form
  EXPECT_FALSE(utf8ToGbk("\xC3").has_value());              // broken UTF-8
  EXPECT_EQ(utf8ToGbk(""), "");
}

}  // namespace
}  // namespace norva
