#include <gtest/gtest.h>

#include "../lgo_test_support.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "logo/lgo_reader.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "logo/service/lgo_files.h"
#include "test_support/temp_dir.h"

namespace norva::logo {
namespace {

LogoBitmap logoOf(unsigned w, unsigned h, int fill) {
  RgbImage picture(w, h);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x)
      if ((x + 2 * y) % 3 == 0 || fill) picture.at(x, y) = Rgb{0, 0, 0};
  LogoBitmap logo;
  logo.clearStore();
  convertToLogo(picture, kThresholdDefault, logo);
  return logo;
}

TEST(LgoWriter, FullScreenLogoIs1030Bytes) {
  const auto bytes = encodeLgo(logoOf(128, 64, 0), false);
  ASSERT_EQ(bytes.size(), 1030u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 6),
            (std::vector<uint8_t>{0x01, 0x01, 0x80, 0x00, 0x40, 0x00}));
  // Column 0 from the top: pixels 0, 3, 6 black -> 1001 0010.
  EXPECT_EQ(bytes[6], 0x92);
}

TEST(LgoWriter, HeightIsRoundedUpAndReadsBackWithWhiteRows) {
  TempDir dir;
  const auto path = dir.path() / "small.lgo";
  RecordingPrompter prompter;
  ASSERT_EQ(saveLgo(path, logoOf(100, 30, 1), false, prompter), SaveOutcome::Saved);
  const auto read = readWholeFile(path);
  ASSERT_EQ(read.bytes.size(), 406u);
  EXPECT_EQ(std::vector<uint8_t>(read.bytes.begin(), read.bytes.begin() + 6),
            (std::vector<uint8_t>{0x01, 0x01, 0x64, 0x00, 0x20, 0x00}));
  auto back = readLgoFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 100u);
  EXPECT_EQ(back->height, 32u);
  for (unsigned x = 0; x < 100; ++x) {
    EXPECT_EQ(back->pixel(x, 29), 1u);
    EXPECT_EQ(back->pixel(x, 30), 0u);
    EXPECT_EQ(back->pixel(x, 31), 0u);
  }
  EXPECT_TRUE(prompter.messages.empty());
}

TEST(LgoWriter, ReversedFlagReversesTheFileButNotTheStore) {
  const LogoBitmap logo = logoOf(128, 64, 0);
  const auto before = logo.store();
  const auto bytes = encodeLgo(logo, true);
  EXPECT_EQ(bytes[0], 0x81);
  EXPECT_EQ(bytes[6], reverseBitOrder(0x92));
  EXPECT_EQ(logo.store(), before);
  auto back = decodeLgo(bytes, std::nullopt);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->reversedBits);
  EXPECT_EQ(back->pixel(0, 3), 1u);
  EXPECT_EQ(back->pixel(0, 4), 0u);
}

TEST(LgoWriter, ReReadingAndConvertingReproducesTheLogo) {
  const LogoBitmap logo = logoOf(90, 40, 0);
  auto back = decodeLgo(encodeLgo(logo, false), std::nullopt);
  ASSERT_TRUE(back);
  for (int threshold : {0, 200, 389, 764}) {
    LogoBitmap again;
    const auto fitted = fitPicture(renderLogo(*back));
    ASSERT_TRUE(fitted);
    convertToLogo(*fitted, threshold, again);
    for (unsigned x = 0; x < 90; ++x)
      for (unsigned y = 0; y < 40; ++y) ASSERT_EQ(again.pixel(x, y), logo.pixel(x, y));
  }
}

TEST(LgoWriter, OverwriteQuestionGuardsExistingFiles) {
  TempDir dir;
  const auto path = dir.path() / "old.lgo";
  testing::writeBytes(path, {1, 2, 3});
  const Message question{"该文件已经存在，要覆盖吗？", "LOGO编辑工具", MessageIcon::Question,
                         MessageButtons::OkCancel};

  RecordingPrompter cancel({Answer::Cancel});
  EXPECT_EQ(saveLgo(path, logoOf(16, 8, 0), false, cancel), SaveOutcome::Declined);
  EXPECT_EQ(cancel.messages, std::vector<Message>{question});
  EXPECT_EQ(readWholeFile(path).bytes, (std::vector<uint8_t>{1, 2, 3}));

  RecordingPrompter ok({Answer::Ok});
  EXPECT_EQ(saveLgo(path, logoOf(16, 8, 0), false, ok), SaveOutcome::Saved);
  EXPECT_EQ(ok.messages, std::vector<Message>{question});
  EXPECT_EQ(readWholeFile(path).bytes.size(), 6u + 16u);
}

TEST(LgoWriter, UnwritableTargetReportsNothingAndLeavesNoFile) {
  TempDir dir;
  testing::writeBytes(dir.path() / "plain", {0});
  const auto path = dir.path() / "plain" / "x.lgo";  // parent is a file
  RecordingPrompter prompter;
  EXPECT_EQ(saveLgo(path, logoOf(16, 8, 0), false, prompter), SaveOutcome::NotWritten);
  EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace norva::logo
