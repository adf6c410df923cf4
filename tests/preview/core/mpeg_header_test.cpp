#include "preview/mpeg_header.h"

#include <gtest/gtest.h>

#include <vector>

#include "preview/synthetic_stream.h"
#include "preview/xing_header.h"

namespace norva::preview {
namespace {

std::optional<MpegHeader> parse(std::vector<uint8_t> bytes) {
  return parseHeader(bytes);
}

TEST(MpegHeader, ReadsMpeg1Layer3FieldsAndFrameSize) {
  const auto h = parse({0xFF, 0xFB, 0x90, 0x44});
  ASSERT_TRUE(h);
  EXPECT_EQ(h->sync, 0xFFF);
  EXPECT_EQ(h->version, MpegVersion::Mpeg1);
  EXPECT_EQ(h->layer, 3);
  EXPECT_FALSE(h->crcProtected);
  EXPECT_EQ(h->bitrate, 128000u);
  EXPECT_EQ(h->sampleRate, 44100u);
  EXPECT_EQ(h->mode, ChannelMode::JointStereo);
  EXPECT_EQ(h->frameSize, 417u);
  EXPECT_EQ(h->totalFrameSize(), 417u);
  EXPECT_EQ(h->samplesPerFrame(), 1152u);

  const auto padded = parse({0xFF, 0xFB, 0x92, 0x44});
  ASSERT_TRUE(padded);
  EXPECT_EQ(padded->frameSize, 417u);
  EXPECT_EQ(padded->totalFrameSize(), 418u);
}

TEST(MpegHeader, FrameSizesOfEveryVersionAndLayer) {
  // MPEG 2.5 Layer III 16 kbit/s at 8 kHz (sync 0xFFE): 72 * 16000 / 8000.
  const auto m25 = parse({0xFF, 0xE3, 0x28, 0xC4});
  ASSERT_TRUE(m25);
  EXPECT_EQ(m25->sync, 0xFFE);
  EXPECT_EQ(m25->version, MpegVersion::Mpeg25);
  EXPECT_EQ(m25->sampleRate, 8000u);
  EXPECT_EQ(m25->bitrate, 16000u);
  EXPECT_EQ(m25->frameSize, 144u);
  EXPECT_EQ(m25->samplesPerFrame(), 576u);
  EXPECT_EQ(m25->channels(), 1);

  // MPEG 1 Layer II 192 kbit/s at 48 kHz: 144 * 192000 / 48000.
  const auto l2 = parse({0xFF, 0xFD, 0xA4, 0x04});
  ASSERT_TRUE(l2);
  EXPECT_EQ(l2->layer, 2);
  EXPECT_EQ(l2->frameSize, 576u);

  // MPEG 2 Layer II keeps 1152 samples a frame; MPEG 2 Layer III has 576.
  const auto m2l2 = parse({0xFF, 0xF5, 0x80, 0x00});
  ASSERT_TRUE(m2l2);
  EXPECT_EQ(m2l2->version, MpegVersion::Mpeg2);
  EXPECT_EQ(m2l2->sampleRate, 22050u);
  EXPECT_EQ(m2l2->samplesPerFrame(), 1152u);
  EXPECT_EQ(m2l2->frameSize, 144u * 64000 / 22050);
  const auto m2l3 = parse({0xFF, 0xF3, 0x80, 0x00});
  ASSERT_TRUE(m2l3);
  EXPECT_EQ(m2l3->samplesPerFrame(), 576u);
  EXPECT_EQ(m2l3->frameSize, 72u * 64000 / 22050);

  // Layer I: 4-byte slots.
  const auto l1 = parse({0xFF, 0xFF, 0x92, 0x00});
  ASSERT_TRUE(l1);
  EXPECT_EQ(l1->layer, 1);
  EXPECT_EQ(l1->frameSize, 12u * 288000 / 44100 * 4);  // 288 kbit/s
  EXPECT_EQ(l1->paddingBytes, 4u);
}

TEST(MpegHeader, RefusesReservedAndFreeFormatHeaders) {
  EXPECT_FALSE(parse({0xFF, 0xFB, 0x90}));        // too short
  EXPECT_FALSE(parse({0xFE, 0xFB, 0x90, 0x44}));  // no sync
  EXPECT_FALSE(parse({0xFF, 0xEB, 0x90, 0x44}));  // reserved version
  EXPECT_FALSE(parse({0xFF, 0xF9, 0x90, 0x44}));  // reserved layer
  EXPECT_FALSE(parse({0xFF, 0xFB, 0x00, 0x44}));  // free format
  EXPECT_FALSE(parse({0xFF, 0xFB, 0xF0, 0x44}));  // bad bit rate
  EXPECT_FALSE(parse({0xFF, 0xFB, 0x9C, 0x44}));  // reserved sampling rate
}

TEST(MpegHeader, SyncPatternAndFirstHeaderSearch) {
  const std::vector<uint8_t> bytes{0x00, 0xFF, 0xE0, 0x00, 0xFF, 0xFF, 0xFB, 0x90, 0x44, 0x00};
  EXPECT_FALSE(isSyncAt(bytes, 0));
  EXPECT_TRUE(isSyncAt(bytes, 1));   // 0xFF 0xE0 is a sync pattern, but not a valid header
  EXPECT_TRUE(isSyncAt(bytes, 4));   // 0xFF 0xFF
  EXPECT_FALSE(isSyncAt(bytes, 9));  // past the end
  const auto found = findFirstHeader(bytes);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->skipped, 5u);
  EXPECT_EQ(found->header.bitrate, 128000u);
  EXPECT_FALSE(findFirstHeader(std::span<const uint8_t>(bytes).first(8)));
}

TEST(XingHeader, ReadsXingAndInfoTagsWithEveryField) {
  for (const char* letters : {"Xing", "Info"}) {
    const auto frame = test::tagFrame(letters, 737, 300000);
    const auto header = parseHeader(frame);
    ASSERT_TRUE(header);
    EXPECT_EQ(xingOffset(*header), 36u);
    const auto xing = parseXingHeader(frame, *header);
    ASSERT_TRUE(xing) << letters;
    EXPECT_EQ(xing->info, std::string_view(letters) == "Info");
    EXPECT_EQ(xing->flags, 15u);
    EXPECT_EQ(xing->frames, 737u);
    EXPECT_EQ(xing->bytes, 300000u);
    ASSERT_TRUE(xing->toc);
    EXPECT_EQ((*xing->toc)[50], 128);
    EXPECT_EQ(xing->scale, 50u);
  }
}

// The tag sits after the side information, whose size depends on version and channels: it is
// read at exactly that place in a real frame, and letters one byte before or after are not a tag.
TEST(XingHeader, FoundOnlyAtTheOffsetOfItsVersionAndChannels) {
  struct Row {
    const char* what;
    std::array<uint8_t, 4> header;
    size_t at;  // where the letters are put
    bool found;
  };
  const std::array<uint8_t, 4> mpeg1Stereo{0xFF, 0xFB, 0x90, 0x44};   // 417-byte frames
  const std::array<uint8_t, 4> mpeg1Mono{0xFF, 0xFB, 0x90, 0xC4};     // 417-byte frames
  const std::array<uint8_t, 4> mpeg2Stereo{0xFF, 0xF3, 0x80, 0x00};   // 208-byte frames
  const std::array<uint8_t, 4> mpeg2Mono{0xFF, 0xF3, 0x80, 0xC0};     // 208-byte frames
  const std::array<uint8_t, 4> mpeg25Mono{0xFF, 0xE3, 0x28, 0xC4};    // 144-byte frames
  const std::array<uint8_t, 4> mpeg25Stereo{0xFF, 0xE3, 0x28, 0x04};  // 144-byte frames
  const Row rows[] = {
      {"MPEG 1 stereo", mpeg1Stereo, 35, false},   {"MPEG 1 stereo", mpeg1Stereo, 36, true},
      {"MPEG 1 stereo", mpeg1Stereo, 37, false},   {"MPEG 1 mono", mpeg1Mono, 20, false},
      {"MPEG 1 mono", mpeg1Mono, 21, true},        {"MPEG 1 mono", mpeg1Mono, 22, false},
      {"MPEG 1 mono", mpeg1Mono, 36, false},       {"MPEG 2 stereo", mpeg2Stereo, 20, false},
      {"MPEG 2 stereo", mpeg2Stereo, 21, true},    {"MPEG 2 stereo", mpeg2Stereo, 22, false},
      {"MPEG 2 mono", mpeg2Mono, 12, false},       {"MPEG 2 mono", mpeg2Mono, 13, true},
      {"MPEG 2 mono", mpeg2Mono, 14, false},       {"MPEG 2 mono", mpeg2Mono, 21, false},
      {"MPEG 2.5 mono", mpeg25Mono, 13, true},     {"MPEG 2.5 mono", mpeg25Mono, 21, false},
      {"MPEG 2.5 stereo", mpeg25Stereo, 21, true}, {"MPEG 2.5 stereo", mpeg25Stereo, 13, false},
  };
  for (const Row& row : rows) {
    auto frame = test::frames(1, row.header);
    const std::array<uint8_t, 12> tag{'X', 'i', 'n', 'g', 0, 0, 0, 1, 0, 0, 0x01, 0x2C};
    std::copy(tag.begin(), tag.end(), frame.begin() + static_cast<std::ptrdiff_t>(row.at));
    const auto header = parseHeader(frame);
    ASSERT_TRUE(header) << row.what;
    const auto xing = parseXingHeader(frame, *header);
    EXPECT_EQ(xing.has_value(), row.found) << row.what << " at " << row.at;
    if (xing && row.found) {
      EXPECT_EQ(xing->flags, 1u);
      EXPECT_EQ(xing->frames, 300u);
    }
  }
}

TEST(XingHeader, AbsentOrCutTagsAreNotRead) {
  auto frame = test::frames(1);
  const auto header = parseHeader(frame);
  EXPECT_FALSE(parseXingHeader(frame, *header));
  const auto tagged = test::tagFrame("Xing", 10, 1000);
  // The seek table does not fit in 100 bytes of frame.
  EXPECT_FALSE(parseXingHeader(std::span<const uint8_t>(tagged).first(100), *header));
  EXPECT_FALSE(parseXingHeader(std::span<const uint8_t>(tagged).first(39), *header));
}

TEST(XingHeader, SeekFractionInterpolatesTheTable) {
  std::array<uint8_t, 100> toc{};
  for (int i = 0; i < 100; ++i) toc[i] = static_cast<uint8_t>(2 * i);
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, 0.0), 0.0);
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, 10.5), 21.0 / 256);
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, 99.5), (198.0 + (256.0 - 198.0) * 0.5) / 256);
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, 100.0), 1.0);  // a = 99, interpolated to 256
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, 250.0), 1.0);  // clamped
  EXPECT_DOUBLE_EQ(xingSeekFraction(toc, -3.0), 0.0);
}

}  // namespace
}  // namespace norva::preview
