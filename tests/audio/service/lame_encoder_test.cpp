#include "audio/service/lame_encoder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <vector>

#include "base/service/file_io.h"
#include "preview/stream_info.h"
#include "test_support/temp_dir.h"

namespace norva::audio {
namespace {

namespace fs = std::filesystem;

// A 16-bit WAV of `frames` sample frames of a 440 Hz tone, written with libsndfile.
void writeTone(const fs::path& path, int rate, int channels, int frames) {
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<short> samples(static_cast<size_t>(frames) * static_cast<size_t>(channels));
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i / static_cast<size_t>(channels)) / rate;
    samples[i] = static_cast<short>(8000 * std::sin(2 * M_PI * 440 * t));
  }
  EXPECT_EQ(sf_writef_short(file, samples.data(), frames), frames);
  sf_close(file);
}

// Sample frames a decoder gives for the MP3 file.
sf_count_t decodedFrames(const fs::path& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (file == nullptr) return -1;
  std::vector<short> block(4096 * static_cast<size_t>(info.channels));
  sf_count_t total = 0;
  for (sf_count_t got; (got = sf_readf_short(file, block.data(), 4096)) > 0;) total += got;
  sf_close(file);
  return total;
}

struct EncodeRow {
  int rate;
  int channels;
  int kbps;
  uint32_t headerBitrate;    // bits per second in every frame header
  uint32_t samplesPerFrame;  // 1152 for MPEG 1, 576 for MPEG 2 Layer III
  preview::ChannelMode mode;
};

TEST(LameEncoder, EncodesAWavFileTheHeaderSearchAndADecoderAccept) {
  const EncodeRow rows[] = {
      {44100, 2, 128, 128000, 1152, preview::ChannelMode::JointStereo},
      {22050, 1, 64, 64000, 576, preview::ChannelMode::Mono},
  };
  for (const EncodeRow& row : rows) {
    SCOPED_TRACE(row.rate);
    TempDir dir;
    const fs::path wav = dir.path() / "tone.wav";
    const fs::path mp3 = dir.path() / "tone.mp3";
    writeTone(wav, row.rate, row.channels, row.rate);  // one second
    LameEncoder encoder(Mp3Settings{row.kbps, 3});
    ASSERT_EQ(encoder.encode(wav, mp3), EncodeOutcome::Encoded);

    const ReadResult bytes = readWholeFile(mp3);
    ASSERT_EQ(bytes.status, ReadResult::Status::Ok);
    const std::optional<preview::StreamInfo> stream = preview::analyseStream(bytes.bytes);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(stream->layer, 3);
    EXPECT_EQ(stream->sampleRate, static_cast<uint32_t>(row.rate));
    EXPECT_EQ(stream->header.bitrate, row.headerBitrate);
    EXPECT_EQ(stream->header.mode, row.mode);
    EXPECT_EQ(stream->header.samplesPerFrame(), row.samplesPerFrame);
    // One second of sound and the encoder's delay fit in the frames; no more than two spare.
    const int64_t needed = (row.rate + row.samplesPerFrame - 1) / row.samplesPerFrame;
    EXPECT_GE(stream->totalFrames, needed);
    EXPECT_LE(stream->totalFrames, needed + 2);
    // The information tag tells the decoder the delay and padding: the length comes back.
    EXPECT_EQ(decodedFrames(mp3), row.rate);
  }
}

TEST(LameEncoder, RefusesWhatItCannotEncode) {
  TempDir dir;
  const fs::path text = dir.path() / "text.wav";
  { std::ofstream(text) << "not audio"; }
  const fs::path surround = dir.path() / "surround.wav";
  writeTone(surround, 44100, 3, 100);
  const fs::path mono = dir.path() / "mono.wav";
  writeTone(mono, 44100, 1, 100);
  const struct {
    fs::path source;
    fs::path target;
    EncodeOutcome outcome;
  } rows[] = {
      {dir.path() / "missing.wav", dir.path() / "a.mp3", EncodeOutcome::SourceUnreadable},
      {text, dir.path() / "b.mp3", EncodeOutcome::SourceUnreadable},
      {surround, dir.path() / "c.mp3", EncodeOutcome::SourceUnsupported},
      {mono, dir.path() / "no" / "such" / "d.mp3", EncodeOutcome::TargetUnwritable},
  };
  LameEncoder encoder;
  for (const auto& row : rows)
    EXPECT_EQ(encoder.encode(row.source, row.target), row.outcome) << row.source;
}

TEST(LameEncoder, AStopBetweenCallsDoesNotEndTheNextOne) {
  TempDir dir;
  writeTone(dir.path() / "a.wav", 8000, 1, 8000);
  LameEncoder encoder(Mp3Settings{32, 3});
  encoder.stop();
  EXPECT_EQ(encoder.encode(dir.path() / "a.wav", dir.path() / "a.mp3"), EncodeOutcome::Encoded);
}

}  // namespace
}  // namespace norva::audio
