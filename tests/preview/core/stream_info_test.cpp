#include "preview/stream_info.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/service/file_io.h"
#include "preview/synthetic_stream.h"

namespace norva::preview {
namespace {

using test::concat;
using test::frames;

std::vector<uint8_t> fixture(const char* name) {
  return readWholeFile(std::filesystem::path(NORVA_TEST_DATA_DIR) / "audio" / name).bytes;
}

TEST(StreamFigures, FiveMillionByteCbrFile) {
  const auto file = test::cbrStream(5'000'000);
  const auto info = analyseStream(file);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->firstFrameOffset, 0u);
  EXPECT_EQ(info->audioOffset, 0u);
  EXPECT_EQ(info->header.frameSize, 417u);
  EXPECT_EQ(info->totalFrames, 11'990);
  EXPECT_NEAR(info->msPerFrame, 26.12, 0.005);
  EXPECT_EQ(info->sampleRate, 44100u);
  EXPECT_EQ(info->layer, 3);
  EXPECT_FALSE(info->xing);
  EXPECT_EQ(info->tries, 1);
}

TEST(StreamFigures, ShortFilesAreRefused) {
  EXPECT_FALSE(analyseStream(test::cbrStream(4323)));
  EXPECT_FALSE(analyseStream({}));
  EXPECT_TRUE(analyseStream(test::cbrStream(4324)));
}

TEST(StreamFigures, MillisecondsPerFrameByVersionAndLayer) {
  auto ms = [](std::vector<uint8_t> h) { return msPerFrameOf(*parseHeader(h)); };
  EXPECT_NEAR(ms({0xFF, 0xFB, 0x90, 0x44}), 26.122, 0.001);  // MPEG 1 L3 44.1 kHz
  EXPECT_NEAR(ms({0xFF, 0xFD, 0xA4, 0x04}), 24.0, 1e-9);     // MPEG 1 L2 48 kHz
  EXPECT_NEAR(ms({0xFF, 0xF3, 0x80, 0x00}), 26.122, 0.001);  // MPEG 2 L3 22.05 kHz
  EXPECT_NEAR(ms({0xFF, 0xF5, 0x80, 0x00}), 52.24, 0.005);   // MPEG 2 L2 22.05 kHz: 1152 samples
  EXPECT_NEAR(ms({0xFF, 0xE3, 0x28, 0xC4}), 72.0, 1e-9);     // MPEG 2.5 L3 8 kHz
}

TEST(HeaderSearch, FalseSyncInLeadingJunkIsPassedOver) {
  // A tag-like head whose bytes hold one valid-looking header that no frame follows.
  std::vector<uint8_t> junk(1000, 0x20);
  const std::array<uint8_t, 4> fake{0xFF, 0xFB, 0x90, 0x44};
  std::copy(fake.begin(), fake.end(), junk.begin() + 10);
  const auto file = concat(junk, frames(40));
  const auto info = analyseStream(file);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->firstFrameOffset, 1000u);
  EXPECT_EQ(info->tries, 2);
  EXPECT_EQ(info->totalFrames, 40);
}

TEST(HeaderSearch, GivesUpAfterThirtyTwoFailedTests) {
  auto junkWithFakes = [](int fakes) {
    std::vector<uint8_t> junk(static_cast<size_t>(fakes) * 8 + 8, 0x20);
    for (int i = 0; i < fakes; ++i) {
      junk[i * 8] = 0xFF;
      junk[i * 8 + 1] = 0xFB;
      junk[i * 8 + 2] = 0x90;
      junk[i * 8 + 3] = 0x44;
    }
    return junk;
  };
  const auto found = analyseStream(concat(junkWithFakes(31), frames(40)));
  ASSERT_TRUE(found);
  EXPECT_EQ(found->tries, 32);
  EXPECT_FALSE(analyseStream(concat(junkWithFakes(32), frames(40))));
}

TEST(HeaderSearch, FramesMustFollowEachOtherAndMatch) {
  // A gap after the first frame.
  auto gap = concat(concat(frames(1), std::vector<uint8_t>(5, 0)), frames(40));
  const auto info = analyseStream(gap);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->firstFrameOffset, 417u + 5u);

  // A second frame of another sampling rate.
  const std::array<uint8_t, 4> at48k{0xFF, 0xFB, 0x94, 0x44};
  auto mixed = concat(frames(1), frames(1, at48k));
  mixed = concat(mixed, frames(40));
  const auto later = analyseStream(mixed);
  ASSERT_TRUE(later);
  EXPECT_GT(later->firstFrameOffset, 0u);

  // Layer I streams and frames of 1441 bytes or more do not pass.
  EXPECT_FALSE(analyseStream(frames(40, {0xFF, 0xFF, 0x92, 0x00})));
  EXPECT_TRUE(analyseStream(frames(40, {0xFF, 0xFB, 0xE8, 0x44})));   // Layer III 320k 32 kHz: 1440
  EXPECT_FALSE(analyseStream(frames(40, {0xFF, 0xFD, 0xE8, 0x44})));  // Layer II 384k 32 kHz: 1728
}

TEST(HeaderSearch, SyncScanStepsAndLimit) {
  std::vector<uint8_t> bytes(5000, 0);
  bytes[3000] = 0xFF;
  bytes[3001] = 0xF0;
  // Nothing in 1..1440, nothing in 1442..2881, then found.
  EXPECT_EQ(scanForSync(bytes, 0), 3000u);
  EXPECT_EQ(scanForSync(bytes, 2999), 3000u);  // the very next byte counts
  EXPECT_FALSE(scanForSync(bytes, 3000));      // past it: 1999 bytes left, none found
  EXPECT_FALSE(scanForSync(std::span<const uint8_t>(bytes).first(3441), 2000));
}

TEST(VbrTag, TagFrameGivesTotalFramesAndIsNotPlayed) {
  for (const char* letters : {"Xing", "Info"}) {
    const auto file = concat(test::tagFrame(letters, 30, 31 * 417), frames(30));
    const auto info = analyseStream(file);
    ASSERT_TRUE(info) << letters;
    ASSERT_TRUE(info->xing);
    EXPECT_EQ(info->totalFrames, 30);
    EXPECT_EQ(info->firstFrameOffset, 0u);
    EXPECT_EQ(info->audioOffset, 417u);
  }
  // Without a frame count the size of the stream counts.
  auto file = concat(test::tagFrame("Xing", 30, 0), frames(30));
  test::putBe32(file, 40, 0);
  const auto info = analyseStream(file);
  ASSERT_TRUE(info);
  ASSERT_TRUE(info->xing);
  EXPECT_FALSE(info->xing->frames);
  EXPECT_EQ(info->totalFrames, 31);
}

struct FixtureCase {
  const char* name;
  size_t firstFrame;
  int64_t totalFrames;
  double msPerFrame;
  uint32_t rate;
  int layer;
  bool xing;
};

TEST(HeaderSearch, SampleFiles) {
  const FixtureCase cases[] = {
      {"song_cn_speech_44k1_stereo_cbr128.mp3", 190, 737, 26.122, 44100, 3, true},
      {"tone440_44k1_mono_cbr64_noinfo.mp3", 0, 193, 26.122, 44100, 3, false},
      {"sweep_22k05_stereo_vbr_xing.mp3", 0, 309, 26.122, 22050, 3, true},
      {"chirp_8k_mono_cbr16_mpeg25.mp3", 0, 58, 72.0, 8000, 3, false},
      {"tone_48k_stereo_192k_layer2.mp2", 0, 250, 24.0, 48000, 2, false},
  };
  for (const auto& c : cases) {
    const auto file = fixture(c.name);
    ASSERT_FALSE(file.empty()) << c.name;
    const auto info = analyseStream(file);
    ASSERT_TRUE(info) << c.name;
    EXPECT_EQ(info->firstFrameOffset, c.firstFrame) << c.name;
    EXPECT_EQ(info->totalFrames, c.totalFrames) << c.name;
    EXPECT_NEAR(info->msPerFrame, c.msPerFrame, 0.001) << c.name;
    EXPECT_EQ(info->sampleRate, c.rate) << c.name;
    EXPECT_EQ(info->layer, c.layer) << c.name;
    EXPECT_EQ(info->xing.has_value(), c.xing) << c.name;
  }
}

}  // namespace
}  // namespace norva::preview

namespace norva::preview {
namespace {

TEST(SeekTarget, WithoutTagByFrameSize) {
  const auto file = test::cbrStream(5'000'000);
  const auto info = *analyseStream(file);
  auto target = seekTarget(info, file.size(), 1000);
  EXPECT_EQ(target.frame, 11'990);
  EXPECT_EQ(target.byte, 417u * 11'990);  // fewer than a frame's bytes remain
  target = seekTarget(info, file.size(), 500);
  EXPECT_EQ(target.frame, 5'995);
  EXPECT_EQ(target.byte, 417u * 5'995);
  // Half up: 11,990 * 1 / 1000 = 11.99 -> 12.
  EXPECT_EQ(seekTarget(info, file.size(), 1).frame, 12);
  EXPECT_EQ(seekTarget(info, file.size(), -5).byte, 0u);
  EXPECT_EQ(seekTarget(info, file.size(), 5000).frame, 11'990);
}

TEST(SeekTarget, FromTheTagsSeekTableAfterLeadingBytes) {
  // 1000 bytes of junk (an MPR head, say), a tag for 99 frames, the frames.
  std::vector<uint8_t> head(1000, 0x20);
  const auto file = concat(concat(head, test::tagFrame("Xing", 99, 100 * 417)), frames(99));
  const auto info = *analyseStream(file);
  ASSERT_EQ(info.firstFrameOffset, 1000u);
  ASSERT_EQ(info.audioOffset, 1417u);
  // 50 % -> toc[50] = 128 -> half the tag's byte count, counted from the tag frame.
  const auto target = seekTarget(info, file.size(), 505);
  EXPECT_EQ(target.frame, 50);
  const double percent = 50 * 100.0 / 99;
  const double fraction = xingSeekFraction(*info.xing->toc, percent);
  EXPECT_EQ(target.byte, 1000u + static_cast<size_t>(fraction * 100 * 417));
  // The start never lands on the tag frame or before it.
  EXPECT_EQ(seekTarget(info, file.size(), 0).byte, 1417u);
}

}  // namespace
}  // namespace norva::preview
