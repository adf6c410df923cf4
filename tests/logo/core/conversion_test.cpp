#include <gtest/gtest.h>

#include "logo/logo_conversion.h"
#include "logo/opened_picture.h"
#include "logo/wbmp_reader.h"

namespace norva::logo {
namespace {

TEST(FitToScreen, ReducesWithIntegerArithmeticAndNeverEnlarges) {
  EXPECT_EQ(fitToScreen(640, 480), (Size{85, 64}));
  EXPECT_EQ(fitToScreen(300, 100), (Size{128, 42}));
  EXPECT_EQ(fitToScreen(200, 100), (Size{128, 64}));
  EXPECT_EQ(fitToScreen(128, 65), (Size{126, 64}));
  EXPECT_EQ(fitToScreen(128, 64), (Size{128, 64}));
  EXPECT_EQ(fitToScreen(20, 10), (Size{20, 10}));
  EXPECT_FALSE(fitToScreen(1, 200)) << "a width of 0 cannot be made";
  EXPECT_FALSE(fitToScreen(1000, 1));
}

TEST(FitToScreen, StretchPicksSourcePixels) {
  RgbImage source(256, 4);
  for (unsigned x = 0; x < 256; ++x)
    for (unsigned y = 0; y < 4; ++y)
      source.at(x, y) = Rgb{static_cast<uint8_t>(x), 0, static_cast<uint8_t>(y)};
  const auto fitted = fitPicture(source);
  ASSERT_TRUE(fitted);
  ASSERT_EQ(fitted->width, 128u);
  ASSERT_EQ(fitted->height, 2u);
  EXPECT_EQ(fitted->at(5, 1), (Rgb{10, 0, 2}));
  EXPECT_EQ(fitted->at(127, 0), (Rgb{254, 0, 0}));
}

TEST(Threshold, SumOfChannelsAgainstThreshold) {
  RgbImage picture(4, 1);
  picture.at(0, 0) = {0, 0, 0};
  picture.at(1, 0) = {128, 128, 128};  // 384
  picture.at(2, 0) = {255, 255, 254};  // 764
  picture.at(3, 0) = {255, 255, 255};  // 765
  auto blacks = [&](int t) {
    LogoBitmap logo;
    convertToLogo(picture, t, logo);
    std::string s;
    for (unsigned x = 0; x < 4; ++x) s += logo.pixel(x, 0) ? '#' : '.';
    return s;
  };
  EXPECT_EQ(blacks(0), "#...");
  EXPECT_EQ(blacks(kThresholdDefault), "##..");
  EXPECT_EQ(blacks(764), "###.");
  EXPECT_EQ(blacks(kThresholdMax), "####");
}

TEST(Threshold, ConversionWritesTheColumnLayoutAndClearsOldBits) {
  RgbImage picture(3, 10);
  picture.at(2, 9) = {0, 0, 0};
  LogoBitmap logo;
  std::fill(logo.store().begin(), logo.store().begin() + 6, uint8_t{0xFF});
  convertToLogo(picture, kThresholdDefault, logo);
  EXPECT_EQ(logo.dataSize(), 6u);
  // Column 2 is bytes 4 and 5; pixel 9 is bit 6 of byte 5 (0x80 >> 1). Slots below the
  // picture are not touched (the open clears the store before the first conversion).
  EXPECT_EQ(logo.store()[4], 0x00);
  EXPECT_EQ(logo.store()[5] & 0xC0, 0x40);
  EXPECT_EQ(logo.store()[0], 0x00);
}

TEST(BlockText, TwoPixelRowsALine) {
  RgbImage picture(3, 3);
  picture.at(0, 0) = {0, 0, 0};
  picture.at(1, 1) = {0, 0, 0};
  picture.at(2, 0) = {0, 0, 0};
  picture.at(2, 1) = {0, 0, 0};
  picture.at(0, 2) = {0, 0, 0};
  LogoBitmap logo;
  convertToLogo(picture, kThresholdDefault, logo);
  EXPECT_EQ(logoAsBlockText(logo), "\u2580\u2584\u2588\n\u2580  \n");
}

TEST(Wbmp, ReadsMultiByteSizes) {
  // 130 x 2: 0x81 0x02 is 130; rows of 17 bytes.
  std::vector<uint8_t> file = {0, 0, 0x81, 0x02, 0x02};
  file.resize(file.size() + 34, 0xFF);
  file[5] = 0x7F;  // (0, 0) black, (1..7, 0) white
  auto image = decodeWbmp(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 130u);
  EXPECT_EQ(image->height, 2u);
  EXPECT_EQ(image->at(0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(image->at(1, 0), (Rgb{255, 255, 255}));
  file.pop_back();
  EXPECT_FALSE(decodeWbmp(file)) << "a file shorter than its rows is refused";
}

TEST(Wbmp, SmallSizesReadAsSingleBytesAndHeaderlessLgoDataIsTaken) {
  // Headerless 1-bit data whose first bytes happen to be 00 00 10 08 followed by 16 rows...
  std::vector<uint8_t> data = {0x00, 0x00, 0x10, 0x08};
  data.resize(4 + 16, 0x00);
  auto image = decodeWbmp(data);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 16u);
  EXPECT_EQ(image->height, 8u);
  EXPECT_FALSE(decodeWbmp(std::vector<uint8_t>{0, 1, 4, 4, 0, 0, 0, 0}));  // extension headers
  EXPECT_FALSE(decodeWbmp(std::vector<uint8_t>{0, 0, 0, 4}));              // no pixel
  EXPECT_FALSE(decodeWbmp(std::vector<uint8_t>{0, 0, 0x81, 0x81}));        // ends in a size
}

}  // namespace
}  // namespace norva::logo

namespace norva::logo {
namespace {

TEST(FinishOpening, StatusFromWhatTheLoadingStepsGaveAndTheName) {
  const struct {
    const char* what;
    std::optional<RgbImage> loaded;
    std::optional<bool> reversed;
    const char* name;
    OpenStatus status;
    unsigned width, height;
  } cases[] = {
      {"nothing, other name", std::nullopt, std::nullopt, "a.png", OpenStatus::NothingLoaded, 0, 0},
      {"nothing, .lgo", std::nullopt, std::nullopt, "a.lgo", OpenStatus::Failed, 0, 0},
      {"nothing, .LGO", std::nullopt, std::nullopt, "/x/A.LGO", OpenStatus::Failed, 0, 0},
      {"nothing, .lgo.des", std::nullopt, std::nullopt, "a.lgo.des", OpenStatus::NothingLoaded, 0,
       0},
      {"fits", RgbImage(300, 100), std::nullopt, "a.bmp", OpenStatus::Loaded, 128, 42},
      {"too thin to fit", RgbImage(1, 200), std::nullopt, "a.bmp", OpenStatus::Failed, 0, 0},
      {"reversed logo", RgbImage(128, 64), true, "a.lgo", OpenStatus::Loaded, 128, 64},
      {"reversed, unfittable", RgbImage(1000, 1), true, "a.lgo", OpenStatus::Failed, 0, 0},
  };
  for (const auto& c : cases) {
    const OpenedPicture opened = finishOpening(c.loaded, c.reversed, c.name);
    EXPECT_EQ(opened.status, c.status) << c.what;
    EXPECT_EQ(opened.lgoReversedBits, c.reversed) << c.what << ": the flag of a read LGO stays";
    if (opened.status != OpenStatus::Loaded) continue;
    EXPECT_EQ(opened.picture.width, c.width) << c.what;
    EXPECT_EQ(opened.picture.height, c.height) << c.what;
  }
}

}  // namespace
}  // namespace norva::logo
