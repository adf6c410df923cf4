#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "../lgo_test_support.h"
#include "../metafile_builder.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "logo/service/picture_loader.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::logo {
namespace {

QString picture(const char* name) {
  return QString::fromUtf8(NORVA_TEST_DATA_DIR) + "/pictures/" + QString::fromUtf8(name);
}

QString inDir(const TempDir& dir, const char* name) {
  return QString::fromStdString((dir.path() / name).string());
}

class PictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { norva::testing::offscreenApp<QGuiApplication>(); }
  PictureLoaderOptions options;
};

TEST_F(PictureLoaderTest, EveryFixtureKindLoadsThroughItsStep) {
  struct Case {
    const char* file;
    LoadedPicture::Source source;
    unsigned w, h;
  };
  const Case cases[] = {
      {"logo_128x64_1bit.bmp", LoadedPicture::Source::Bmp, 128, 64},
      {"logo_128x64_24bit.bmp", LoadedPicture::Source::Bmp, 128, 64},
      {"scene_160x120_4bit.bmp", LoadedPicture::Source::Bmp, 160, 120},
      {"scene_96x48_8bit.bmp", LoadedPicture::Source::Bmp, 96, 48},
      {"logo_128x64.jpg", LoadedPicture::Source::PictureLoader, 128, 64},
      {"scene_320x240.jpg", LoadedPicture::Source::PictureLoader, 320, 240},
      {"logo_128x64.gif", LoadedPicture::Source::PictureLoader, 128, 64},
      {"icon_32x32.ico", LoadedPicture::Source::PictureLoader, 32, 32},
      {"pointer_32x32.cur", LoadedPicture::Source::PictureLoader, 32, 32},
      {"logo_128x64.wbmp", LoadedPicture::Source::Wbmp, 128, 64},
  };
  for (const Case& c : cases) {
    const auto loaded = loadPicture(picture(c.file), options);
    ASSERT_TRUE(loaded) << c.file;
    EXPECT_EQ(loaded->source, c.source) << c.file;
    EXPECT_EQ(loaded->image.width, c.w) << c.file;
    EXPECT_EQ(loaded->image.height, c.h) << c.file;
  }
  // PNG is not among the loader's kinds, and its name does not end in ".lgo": no message.
  EXPECT_FALSE(loadPicture(picture("logo_128x64.png"), options));
  EXPECT_EQ(openPicture(picture("logo_128x64.png"), options).status, OpenStatus::NothingLoaded);
}

TEST_F(PictureLoaderTest, WbmpAndBmpOfTheSameDesignGiveTheSameLogo) {
  const auto wbmp = openPicture(picture("logo_128x64.wbmp"), options);
  const auto bmp = openPicture(picture("logo_128x64_1bit.bmp"), options);
  ASSERT_EQ(wbmp.status, OpenStatus::Loaded);
  ASSERT_EQ(bmp.status, OpenStatus::Loaded);
  LogoBitmap a, b;
  convertToLogo(wbmp.picture, kThresholdDefault, a);
  convertToLogo(bmp.picture, kThresholdDefault, b);
  EXPECT_EQ(std::vector<uint8_t>(a.store().begin(), a.store().begin() + 1024),
            std::vector<uint8_t>(b.store().begin(), b.store().begin() + 1024));
  EXPECT_EQ(a.pixel(0, 0), 1u);  // the frame
}

TEST_F(PictureLoaderTest, ThresholdStaircaseAt0_389_765) {
  const auto opened = openPicture(picture("threshold_steps_128x64_24bit.bmp"), options);
  ASSERT_EQ(opened.status, OpenStatus::Loaded);
  auto blackColumns = [&](int t) {
    LogoBitmap logo;
    convertToLogo(opened.picture, t, logo);
    unsigned count = 0;
    for (unsigned x = 0; x < 128; ++x) {
      for (unsigned y = 1; y < 64; ++y) EXPECT_EQ(logo.pixel(x, y), logo.pixel(x, 0));
      count += logo.pixel(x, 0);
    }
    return count;
  };
  EXPECT_EQ(blackColumns(0), 1u);      // only R+G+B = 0
  EXPECT_EQ(blackColumns(389), 65u);   // 6c <= 389 for c = 0..64
  EXPECT_EQ(blackColumns(765), 128u);  // every pixel
}

TEST_F(PictureLoaderTest, BigPicturesAreFittedAndUnfittableOnesFail) {
  const auto scene = openPicture(picture("scene_320x240.jpg"), options);
  ASSERT_EQ(scene.status, OpenStatus::Loaded);
  EXPECT_EQ(scene.picture.width, 85u);
  EXPECT_EQ(scene.picture.height, 64u);

  TempDir dir;
  QImage thin(1, 200, QImage::Format_RGB32);
  thin.fill(Qt::black);
  ASSERT_TRUE(thin.save(inDir(dir, "thin.bmp"), "BMP"));
  EXPECT_EQ(openPicture(inDir(dir, "thin.bmp"), options).status, OpenStatus::Failed);
}

TEST_F(PictureLoaderTest, LgoFilesAreReadLastAndOnlyByName) {
  TempDir dir;
  testing::writeBytes(dir.path() / "bad.LGO", {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(openPicture(inDir(dir, "bad.LGO"), options).status, OpenStatus::Failed);
  testing::writeBytes(dir.path() / "bad.dat", {1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(openPicture(inDir(dir, "bad.dat"), options).status, OpenStatus::NothingLoaded);

  LogoBitmap logo;
  RgbImage black(40, 20, Rgb{0, 0, 0});
  convertToLogo(black, kThresholdDefault, logo);
  const auto bytes = encodeLgo(logo, true);
  testing::writeBytes(dir.path() / "rev.lgo", bytes);
  testing::writeBytes(dir.path() / "rev.bin", bytes);
  const auto opened = openPicture(inDir(dir, "rev.lgo"), options);
  ASSERT_EQ(opened.status, OpenStatus::Loaded);
  EXPECT_EQ(opened.lgoReversedBits, true);
  EXPECT_EQ(opened.picture.width, 40u);
  EXPECT_EQ(opened.picture.height, 24u);
  EXPECT_EQ(opened.picture.at(0, 19), (Rgb{0, 0, 0}));
  EXPECT_EQ(opened.picture.at(0, 20), (Rgb{255, 255, 255}));
  EXPECT_EQ(openPicture(inDir(dir, "rev.bin"), options).status, OpenStatus::NothingLoaded);
}

TEST_F(PictureLoaderTest, HeaderlessLgoDataStartingWithTwoZerosIsTakenAsWbmp) {
  TempDir dir;
  std::vector<uint8_t> data(1024, 0);
  data[2] = 0x10;
  data[3] = 0x08;
  testing::writeBytes(dir.path() / "logo.lgo", data);
  testing::writeBytes(dir.path() / "logo.lgo.des", {0x01, 0x01, 0x80, 0x00, 0x40, 0x00});
  const auto loaded = loadPicture(inDir(dir, "logo.lgo"), options);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->source, LoadedPicture::Source::Wbmp);
  EXPECT_EQ(loaded->image.width, 16u);
  EXPECT_EQ(loaded->image.height, 8u);
}

TEST_F(PictureLoaderTest, MetafilesAreDrawnAtTheirNaturalSize) {
  TempDir dir;
  // Half an inch by a quarter: 48 x 24 pixels at 96 dpi; the left half filled black.
  const auto wmf = testing::WmfBuilder(720, 360, 1440)
                       .record(0x02FC, {0, 0, 0, 0})
                       .record(0x012D, {0})
                       .record(0x041B, {360, 360, 0, 0})
                       .finish();
  testing::writeBytes(dir.path() / "clip.wmf", wmf);
  const auto loaded = loadPicture(inDir(dir, "clip.wmf"), options);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->source, LoadedPicture::Source::Metafile);
  EXPECT_EQ(loaded->image.width, 48u);
  EXPECT_EQ(loaded->image.height, 24u);
  EXPECT_EQ(loaded->image.at(10, 12), (Rgb{0, 0, 0}));
  EXPECT_EQ(loaded->image.at(40, 12), (Rgb{255, 255, 255}));

  const auto emf = testing::EmfBuilder(2540, 1270)
                       .record(37, {0x80000004})  // BLACK_BRUSH
                       .record(42, {0, 0, 254, 127})
                       .finish();
  testing::writeBytes(dir.path() / "clip.emf", emf);
  options.dpiX = options.dpiY = 192;
  const auto big = loadPicture(inDir(dir, "clip.emf"), options);
  ASSERT_TRUE(big);
  EXPECT_EQ(big->image.width, 192u);
  EXPECT_EQ(big->image.height, 96u);
  EXPECT_EQ(big->image.at(96, 48), (Rgb{0, 0, 0}));
  EXPECT_EQ(big->image.at(2, 2), (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace norva::logo
