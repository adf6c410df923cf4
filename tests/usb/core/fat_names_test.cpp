#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "usb/fat_names.h"

namespace norva::usb {
namespace {

ShortName shortName(const char (&text)[12]) {
  ShortName name;
  std::copy(text, text + 11, name.begin());
  return name;
}

TEST(Utf, RoundTripsBeyondTheBasicPlane) {
  const std::string text = "歌 \xF0\x9F\x8E\xB5 a";  // U+1F3B5 needs a surrogate pair
  const auto units = utf8ToUtf16(text);
  ASSERT_TRUE(units.has_value());
  EXPECT_EQ(*units, (std::u16string{u'歌', u' ', 0xD83C, 0xDFB5, u' ', u'a'}));
  EXPECT_EQ(utf16ToUtf8(*units), text);
}

TEST(Utf, MalformedUtf8IsRefused) {
  for (const std::string bad : {"\xC0\xAF", "\xE6\xAD", "\xED\xA0\x80", "\xFF", "a\x80"})
    EXPECT_FALSE(utf8ToUtf16(bad).has_value()) << bad;
}

TEST(Utf, LoneSurrogateShowsAsReplacement) {
  EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
}

// Long names are limited to 255 UTF-16 units.
struct LengthRow {
  size_t units;
  bool valid;
};

class LongNameLength : public testing::TestWithParam<LengthRow> {};

TEST_P(LongNameLength, LimitOf255Units) {
  EXPECT_EQ(isValidLongName(std::string(GetParam().units, 'a')), GetParam().valid);
  // The same number of units of three-byte characters.
  std::string wide;
  for (size_t i = 0; i < GetParam().units; ++i) wide += "歌";
  EXPECT_EQ(isValidLongName(wide), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Units, LongNameLength,
                         testing::Values(LengthRow{254, true}, LengthRow{255, true},
                                         LengthRow{256, false}));

TEST(LongName, ForbiddenFormsAreInvalid) {
  for (const std::string bad : {"", ".", "..", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b",
                                "a>b", "a|b", "tab\there", "trailing.", "trailing "})
    EXPECT_FALSE(isValidLongName(bad)) << bad;
  for (const std::string good : {"a", ".hidden", "My Song (live) [1].mp3", "歌曲.mp3", "a+b;c"})
    EXPECT_TRUE(isValidLongName(good)) << good;
}

struct ShortNameRow {
  const char* longName;
  const char* expected;  // 11 bytes as stored
};

class ShortNameGeneration : public testing::TestWithParam<ShortNameRow> {};

TEST_P(ShortNameGeneration, FromLongName) {
  const auto name = makeShortName(GetParam().longName, {});
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(std::string(name->begin(), name->end()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, ShortNameGeneration,
                         testing::Values(ShortNameRow{"SONG.MP3", "SONG    MP3"},
                                         ShortNameRow{"song.mp3", "SONG    MP3"},
                                         ShortNameRow{"Long File Name.mp3", "LONGFI~1MP3"},
                                         ShortNameRow{"a.b.c.mpeg", "ABC~1   MPE"},
                                         ShortNameRow{".hidden", "HIDDEN~1   "},
                                         ShortNameRow{"歌曲.mp3", "__~1    MP3"},
                                         ShortNameRow{"a+b=c.txt", "A_B_C~1 TXT"},
                                         ShortNameRow{"README", "README     "}));

TEST(ShortNameGeneration, TakenNamesGetTheNextNumber) {
  const std::vector<ShortName> taken = {shortName("SONG    MP3"), shortName("LONGFI~1MP3"),
                                        shortName("LONGFI~2MP3")};
  EXPECT_EQ(makeShortName("Song.mp3", taken), shortName("SONG~1  MP3"));
  EXPECT_EQ(makeShortName("Long file one.mp3", taken), shortName("LONGFI~3MP3"));
}

TEST(ShortNameGeneration, TenAndMoreShortenTheBasis) {
  std::vector<ShortName> taken;
  for (int i = 1; i <= 9; ++i) {
    const std::string text = "LONGFI~" + std::to_string(i) + "MP3";
    ShortName name;
    std::copy(text.begin(), text.end(), name.begin());
    taken.push_back(name);
  }
  EXPECT_EQ(makeShortName("Long file.mp3", taken), shortName("LONGF~10MP3"));
}

TEST(ShortName, TextAndChecksum) {
  EXPECT_EQ(shortNameText(shortName("SONG    MP3")), "SONG.MP3");
  EXPECT_EQ(shortNameText(shortName("README     ")), "README");
  EXPECT_EQ(shortNameText(shortName("\xB8\xE8      MP3")), "__.MP3");
  // Rotate right and add, byte by byte: worked out for "A          " (0x41 then ten blanks).
  EXPECT_EQ(shortNameChecksum(shortName("A          ")), 0x80);
}

TEST(SafeForPc, NamesThatWouldLeaveTheFolderAreRefused) {
  for (const std::string& bad :
       std::vector<std::string>{"", "../x", "a/b", "a\\b", "..", "x..y", std::string("a\0b", 3)})
    EXPECT_FALSE(isSafeForPc(bad)) << bad;
  EXPECT_TRUE(isSafeForPc("song.mp3"));
  EXPECT_TRUE(isSafeForPc(".hidden"));
}

}  // namespace
}  // namespace norva::usb
