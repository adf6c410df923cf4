#include "usb/ima_adpcm.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "base/byte_order.h"

namespace norva::usb {
namespace {

constexpr uint16_t kImaAdpcmFormat = 0x0011;
constexpr uint16_t kPcmFormat = 1;
constexpr size_t kBlockHeaderBytes = 4;  // per channel: predictor s16, step index u8, zero u8
constexpr size_t kWaveHeaderBytes = 44;
// A decoded file may not grow beyond what a WAVE size field holds.
constexpr uint64_t kMaxPcmBytes = 0xFFFFFFFFull - kWaveHeaderBytes;

constexpr int kIndexTable[16] = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kStepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

struct ChannelState {
  int predictor = 0;
  int stepIndex = 0;

  int16_t decode(uint8_t nibble) {
    const int step = kStepTable[stepIndex];
    int difference = step >> 3;
    if (nibble & 1) difference += step >> 2;
    if (nibble & 2) difference += step >> 1;
    if (nibble & 4) difference += step;
    predictor += (nibble & 8) ? -difference : difference;
    predictor = std::clamp(predictor, -32768, 32767);
    stepIndex = std::clamp(stepIndex + kIndexTable[nibble & 0x0F], 0, 88);
    return static_cast<int16_t>(predictor);
  }
};

struct WaveFormat {
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint16_t blockAlign = 0;
};

// Decodes one block of `channels` * 4-byte headers followed by 4-byte groups of 8 samples per
// channel, appending interleaved samples. A block cut short decodes its whole groups.
void decodeBlock(std::span<const uint8_t> block, uint16_t channels, std::vector<int16_t>& out) {
  const size_t headerBytes = kBlockHeaderBytes * channels;
  if (block.size() < headerBytes) return;
  std::vector<ChannelState> states(channels);
  for (uint16_t c = 0; c < channels; ++c) {
    states[c].predictor = static_cast<int16_t>(readLe16(block, kBlockHeaderBytes * c));
    states[c].stepIndex = std::min<int>(block[kBlockHeaderBytes * c + 2], 88);
    out.push_back(static_cast<int16_t>(states[c].predictor));
  }
  const size_t groupBytes = 4 * size_t{channels};
  std::vector<int16_t> group(8 * size_t{channels});
  for (size_t offset = headerBytes; offset + groupBytes <= block.size(); offset += groupBytes) {
    for (uint16_t c = 0; c < channels; ++c) {
      for (size_t k = 0; k < 4; ++k) {
        const uint8_t byte = block[offset + 4 * c + k];
        group[(2 * k) * channels + c] = states[c].decode(byte & 0x0F);
        group[(2 * k + 1) * channels + c] = states[c].decode(static_cast<uint8_t>(byte >> 4));
      }
    }
    out.insert(out.end(), group.begin(), group.end());
  }
}

}  // namespace

std::optional<std::vector<uint8_t>> decodeImaAdpcmWave(std::span<const uint8_t> file) {
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
      std::memcmp(file.data() + 8, "WAVE", 4) != 0)
    return std::nullopt;
  std::optional<WaveFormat> format;
  std::span<const uint8_t> data;
  bool haveData = false;
  for (size_t offset = 12; offset + 8 <= file.size();) {
    const std::string_view id(reinterpret_cast<const char*>(file.data() + offset), 4);
    const uint64_t chunkSize = readLe32(file, offset + 4);
    const size_t body = offset + 8;
    const size_t available = static_cast<size_t>(std::min<uint64_t>(chunkSize, file.size() - body));
    if (id == "fmt ") {
      if (available < 16) return std::nullopt;
      const auto fmt = file.subspan(body, available);
      if (readLe16(fmt, 0) != kImaAdpcmFormat || readLe16(fmt, 14) != 4) return std::nullopt;
      format = WaveFormat{readLe16(fmt, 2), readLe32(fmt, 4), readLe16(fmt, 12)};
    } else if (id == "data" && !haveData) {
      data = file.subspan(body, available);  // a cut file decodes what it holds
      haveData = true;
    }
    offset = body + static_cast<size_t>(
                        std::min<uint64_t>(chunkSize + (chunkSize & 1), file.size() - body));
  }
  if (!format || !haveData) return std::nullopt;
  if (format->channels < 1 || format->channels > 2 || format->sampleRate == 0) return std::nullopt;
  if (format->blockAlign <= kBlockHeaderBytes * format->channels ||
      format->blockAlign % (4 * format->channels) != 0)
    return std::nullopt;

  // Every 4 bits give a sample, plus one header sample per block and channel.
  const uint64_t blocks = (data.size() + format->blockAlign - 1) / format->blockAlign;
  const uint64_t maxSamples = uint64_t{data.size()} * 2 + blocks * format->channels;
  if (maxSamples * 2 > kMaxPcmBytes) return std::nullopt;
  std::vector<int16_t> samples;
  samples.reserve(static_cast<size_t>(maxSamples));
  for (size_t offset = 0; offset < data.size(); offset += format->blockAlign)
    decodeBlock(data.subspan(offset, std::min<size_t>(format->blockAlign, data.size() - offset)),
                format->channels, samples);
  return pcmWave(samples, format->channels, format->sampleRate);
}

std::vector<uint8_t> pcmWave(std::span<const int16_t> samples, uint16_t channels,
                             uint32_t sampleRate) {
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  std::vector<uint8_t> wave(kWaveHeaderBytes + dataBytes);
  std::memcpy(wave.data(), "RIFF", 4);
  writeLe32(wave, 4, static_cast<uint32_t>(36 + dataBytes));
  std::memcpy(wave.data() + 8, "WAVEfmt ", 8);
  writeLe32(wave, 16, 16);
  writeLe16(wave, 20, kPcmFormat);
  writeLe16(wave, 22, channels);
  writeLe32(wave, 24, sampleRate);
  writeLe32(wave, 28, sampleRate * channels * 2);
  writeLe16(wave, 32, static_cast<uint16_t>(channels * 2));
  writeLe16(wave, 34, 16);
  std::memcpy(wave.data() + 36, "data", 4);
  writeLe32(wave, 40, dataBytes);
  for (size_t i = 0; i < samples.size(); ++i)
    writeLe16(wave, kWaveHeaderBytes + 2 * i, static_cast<uint16_t>(samples[i]));
  return wave;
}

}  // namespace norva::usb
