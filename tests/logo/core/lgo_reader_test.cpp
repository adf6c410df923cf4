#include <gtest/gtest.h>

#include "../lgo_test_support.h"
#include "logo/lgo_reader.h"
#include "logo/logo_conversion.h"
#include "logo/service/lgo_files.h"
#include "test_support/temp_dir.h"

namespace norva::logo {
namespace {

using testing::makeLgo;
using testing::writeBytes;

std::vector<uint8_t> checkerLogo(uint8_t layoutByte = 0x01) {
  return makeLgo(layoutByte, 1, 128, 64, [](unsigned x, unsigned y) { return (x + y) % 2u; });
}

TEST(LgoReader, AcceptsExactSizeAndRejectsOneByteMore) {
  auto file = checkerLogo();
  ASSERT_EQ(file.size(), 1030u);
  auto logo = decodeLgo(file, std::nullopt);
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->width, 128u);
  EXPECT_EQ(logo->height, 64u);
  EXPECT_EQ(logo->pixel(1, 0), 1u);
  EXPECT_EQ(logo->pixel(1, 1), 0u);
  file.push_back(0);
  EXPECT_FALSE(decodeLgo(file, std::nullopt));
}

TEST(LgoReader, SixByteFilesAreNeverAccepted) {
  const std::vector<uint8_t> empty = {0x01, 0x01, 0x00, 0x00, 0x00, 0x00};
  EXPECT_FALSE(decodeLgo(empty, std::nullopt));
  EXPECT_FALSE(decodeLgo(std::span<const uint8_t>(empty).first(3), std::nullopt));
}

TEST(LgoReader, ReversedFlagWithLayoutAboveThreeIsRejected) {
  auto file = checkerLogo(0x81);
  EXPECT_TRUE(decodeLgo(file, std::nullopt));
  file[0] = 0x85;
  EXPECT_FALSE(decodeLgo(file, std::nullopt));
  file[0] = 0x04;
  EXPECT_FALSE(decodeLgo(file, std::nullopt));
}

TEST(LgoReader, ReversedBitsAreUndoneAndRemembered) {
  const auto plain = decodeLgo(checkerLogo(0x01), std::nullopt);
  const auto reversed = decodeLgo(checkerLogo(0x81), std::nullopt);
  ASSERT_TRUE(plain && reversed);
  EXPECT_FALSE(plain->reversedBits);
  EXPECT_TRUE(reversed->reversedBits);
  for (unsigned x = 0; x < 128; x += 7)
    for (unsigned y = 0; y < 64; ++y) EXPECT_EQ(reversed->pixel(x, y), plain->pixel(x, y));
}

TEST(LgoReader, DescriptionFileDescribesHeaderlessData) {
  TempDir dir;
  const auto path = dir.path() / "logo.lgo";
  std::vector<uint8_t> data(1024, 0);
  data[0] = 0xFF;  // first bytes are no valid header (layout 0x7F)
  data[1] = 0x80;
  writeBytes(path, data);
  EXPECT_FALSE(readLgoFile(path)) << "without its description the data is not an LGO file";
  writeBytes(dir.path() / "logo.lgo.des", {0x01, 0x01, 0x80, 0x00, 0x40, 0x00});
  auto logo = readLgoFile(path);
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->width, 128u);
  EXPECT_EQ(logo->height, 64u);
  EXPECT_EQ(logo->layout, unsigned{LAYOUT_COLUMNS});
  EXPECT_EQ(logo->pixel(0, 0), 1u);
  EXPECT_EQ(logo->pixel(0, 8), 1u);
  EXPECT_EQ(logo->pixel(0, 9), 0u);
}

TEST(LgoReader, DescriptionMustMatchSizeAndHavePixels) {
  std::vector<uint8_t> data(1024, 0xFF);
  const std::vector<uint8_t> wrongSize = {0x01, 0x01, 0x80, 0x00, 0x20, 0x00};
  EXPECT_FALSE(decodeLgo(data, std::span<const uint8_t>(wrongSize)));
  const std::vector<uint8_t> shortDes = {0x01, 0x01, 0x80};
  EXPECT_FALSE(decodeLgo(data, std::span<const uint8_t>(shortDes)));
  std::vector<uint8_t> none(8, 0xFF);
  const std::vector<uint8_t> noPixel = {0x01, 0x01, 0x00, 0x00, 0x40, 0x00};
  EXPECT_FALSE(decodeLgo(none, std::span<const uint8_t>(noPixel)));
}

std::vector<uint8_t> shortForm(int16_t w, int16_t h, uint16_t bytesPerRow, uint16_t depth,
                               size_t dataBytes) {
  std::vector<uint8_t> file(12 + dataBytes, 0);
  auto put = [&](size_t at, uint16_t v) {
    file[at] = static_cast<uint8_t>(v);
    file[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  put(0, static_cast<uint16_t>(w));
  put(2, static_cast<uint16_t>(h));
  put(6, bytesPerRow);
  put(8, depth);
  put(10, 1);
  return file;
}

TEST(LgoReader, TwelveByteFormIsReadAsRows) {
  auto file = shortForm(10, 3, 2, 1, 6);
  file[12] = 0x80;  // (0, 0) black
  file[15] = 0x40;  // (9, 1): row 1, second byte, slot 1
  auto logo = decodeLgo(file, std::nullopt);
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->layout, unsigned{LAYOUT_ROWS});
  EXPECT_FALSE(logo->reversedBits);
  EXPECT_EQ(logo->pixel(0, 0), 1u);
  EXPECT_EQ(logo->pixel(9, 1), 1u);
  EXPECT_EQ(logo->pixel(8, 1), 0u);
}

TEST(LgoReader, TwelveByteFormChecksDepthBeforeDividingAndRefusesEmptyPictures) {
  EXPECT_FALSE(decodeLgo(shortForm(10, 3, 2, 0, 6), std::nullopt));  // depth 0
  EXPECT_FALSE(decodeLgo(shortForm(10, 3, 2, 3, 6), std::nullopt));  // depth 3
  EXPECT_FALSE(decodeLgo(shortForm(0, 3, 0, 1, 0), std::nullopt));   // no pixel
  EXPECT_FALSE(decodeLgo(shortForm(-8, 3, 1, 1, 3), std::nullopt));
  EXPECT_FALSE(decodeLgo(shortForm(10, 3, 3, 1, 9), std::nullopt));  // wrong bytes per row
  auto planes = shortForm(10, 3, 2, 1, 6);
  planes[10] = 2;
  EXPECT_FALSE(decodeLgo(planes, std::nullopt));
}

TEST(LgoReader, ValidHeaderOfWrongSizeFallsBackToTheTwelveByteForm) {
  // 01 01 0A 00 00 00 is a valid 10 x 0 header; read as the 12-byte form it is 257 x 10 at
  // depth 1 with 33 bytes a row.
  auto file = shortForm(257, 10, 33, 1, 330);
  ASSERT_EQ(file[0], 0x01);
  ASSERT_EQ(file[1], 0x01);
  ASSERT_TRUE(LgoHeader::parse(std::span<const uint8_t>(file).first<6>()).valid());
  auto logo = decodeLgo(file, std::nullopt);
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->width, 257u);
  EXPECT_EQ(logo->height, 10u);
  EXPECT_EQ(logo->layout, unsigned{LAYOUT_ROWS});
  file.push_back(0);
  EXPECT_FALSE(decodeLgo(file, std::nullopt));
}

// The 800-pixel side of both headers and the reserved zero bytes 4-5 of the 12-byte form.
// Each row is a literal header followed by `dataBytes` zero bytes; no row's first six bytes
// form a valid 6-byte header unless the row is about that header.
struct LimitCase {
  const char* what;
  std::vector<uint8_t> head;
  size_t dataBytes;
  bool accepted;
  unsigned width, height;
};

TEST(LgoReader, SideAndReservedByteLimits) {
  const LimitCase cases[] = {
      // 6-byte header, column layout at depth 1: N = width x ceil(height / 8).
      {"header width 799", {0x01, 0x01, 0x1F, 0x03, 0x01, 0x00}, 799, true, 799, 1},
      {"header width 800", {0x01, 0x01, 0x20, 0x03, 0x01, 0x00}, 800, true, 800, 1},
      {"header width 801", {0x01, 0x01, 0x21, 0x03, 0x01, 0x00}, 801, false, 0, 0},
      {"header height 799", {0x01, 0x01, 0x01, 0x00, 0x1F, 0x03}, 100, true, 1, 799},
      {"header height 800", {0x01, 0x01, 0x01, 0x00, 0x20, 0x03}, 100, true, 1, 800},
      {"header height 801", {0x01, 0x01, 0x01, 0x00, 0x21, 0x03}, 101, false, 0, 0},
      // 12-byte form, depth 1, one plane: data = height x ceil(width / 8).
      {"short width 799",
       {0x1F, 0x03, 0x01, 0x00, 0x00, 0x00, 0x64, 0x00, 0x01, 0x00, 0x01, 0x00},
       100,
       true,
       799,
       1},
      {"short width 800",
       {0x20, 0x03, 0x01, 0x00, 0x00, 0x00, 0x64, 0x00, 0x01, 0x00, 0x01, 0x00},
       100,
       true,
       800,
       1},
      {"short width 801",
       {0x21, 0x03, 0x01, 0x00, 0x00, 0x00, 0x65, 0x00, 0x01, 0x00, 0x01, 0x00},
       101,
       false,
       0,
       0},
      {"short height 799",
       {0x08, 0x00, 0x1F, 0x03, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       799,
       true,
       8,
       799},
      {"short height 800",
       {0x08, 0x00, 0x20, 0x03, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       800,
       true,
       8,
       800},
      {"short height 801",
       {0x08, 0x00, 0x21, 0x03, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       801,
       false,
       0,
       0},
      {"reserved 00 00",
       {0x08, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       1,
       true,
       8,
       1},
      {"reserved 01 00",
       {0x08, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       1,
       false,
       0,
       0},
      {"reserved 80 00",
       {0x08, 0x00, 0x01, 0x00, 0x80, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       1,
       false,
       0,
       0},
      {"reserved 00 01",
       {0x08, 0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       1,
       false,
       0,
       0},
      {"reserved 00 FF",
       {0x08, 0x00, 0x01, 0x00, 0x00, 0xFF, 0x01, 0x00, 0x01, 0x00, 0x01, 0x00},
       1,
       false,
       0,
       0},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> file = c.head;
    file.resize(c.head.size() + c.dataBytes, 0);
    const auto logo = decodeLgo(file, std::nullopt);
    ASSERT_EQ(logo.has_value(), c.accepted) << c.what;
    if (!logo) continue;
    EXPECT_EQ(logo->width, c.width) << c.what;
    EXPECT_EQ(logo->height, c.height) << c.what;
  }
}

struct DepthCase {
  unsigned depth;
  unsigned value;
  Rgb colour;
};

TEST(LgoReader, DepthsShowTheirGreyLevelsAndColoursInEveryLayout) {
  const DepthCase cases[] = {
      {1, 1, {0, 0, 0}},          {1, 0, {255, 255, 255}}, {2, 1, {0xAA, 0xAA, 0xAA}},
      {2, 2, {0x55, 0x55, 0x55}}, {2, 3, {0, 0, 0}},       {4, 0, {255, 255, 255}},
      {4, 5, {170, 170, 170}},    {4, 15, {0, 0, 0}},      {8, 0xE0, {252, 0, 0}},
      {8, 0x1C, {0, 252, 0}},     {8, 0x03, {0, 0, 255}},  {8, 0x6D, {108, 108, 85}},
  };
  for (uint8_t layout = 0; layout <= 3; ++layout) {
    for (bool reversed : {false, true}) {
      for (const auto& c : cases) {
        const uint8_t layoutByte = static_cast<uint8_t>(layout | (reversed ? 0x80 : 0));
        // Value at (x, y) where (x * 3 + y) % 5 == 0, else 0: catches slot and byte mix-ups.
        auto file = makeLgo(layoutByte, c.depth, 13, 11, [&](unsigned x, unsigned y) {
          return (x * 3 + y) % 5 == 0 ? c.value : 0;
        });
        auto logo = decodeLgo(file, std::nullopt);
        ASSERT_TRUE(logo) << "layout " << int(layout) << " depth " << c.depth;
        const RgbImage image = renderLogo(*logo);
        const Rgb zero = lgoValueColour(c.depth, 0);
        for (unsigned y = 0; y < 11; ++y)
          for (unsigned x = 0; x < 13; ++x)
            ASSERT_EQ(image.at(x, y), (x * 3 + y) % 5 == 0 ? c.colour : zero)
                << "layout " << int(layout) << " depth " << c.depth << " at " << x << "," << y;
      }
    }
  }
}

TEST(LgoReader, DataSizesOfTheFourLayouts) {
  EXPECT_EQ(lgoDataSize(LAYOUT_ROWS, 1, 10, 3), 6u);
  EXPECT_EQ(lgoDataSize(LAYOUT_COLUMNS, 1, 10, 3), 10u);
  EXPECT_EQ(lgoDataSize(LAYOUT_ROW_BANDS, 2, 10, 5), 20u);
  EXPECT_EQ(lgoDataSize(LAYOUT_COLUMN_BANDS, 4, 5, 7), 21u);
  EXPECT_EQ(lgoDataSize(LAYOUT_COLUMNS, 8, 800, 800), kLogoStoreBytes);
}

TEST(LgoReader, ExtensionTestIgnoresCase) {
  EXPECT_TRUE(hasLgoExtension("a.lgo"));
  EXPECT_TRUE(hasLgoExtension("/x/B.LgO"));
  EXPECT_FALSE(hasLgoExtension("a.lgo.des"));
  EXPECT_FALSE(hasLgoExtension("lgo"));
}

}  // namespace
}  // namespace norva::logo
