#pragma once
// Synthetic MPEG audio streams for tests and benchmarks: frames with a chosen header and a
// zero body (which decodes to silence), optional junk in front, an optional VBR tag frame.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "preview/mpeg_header.h"

namespace norva::test {

// MPEG 1 Layer III, 128 kbit/s, 44.1 kHz, joint stereo, no CRC: 417-byte frames.
constexpr std::array<uint8_t, 4> kMp3Header128{0xFF, 0xFB, 0x90, 0x44};
// The same with the padding bit: 418 bytes.
constexpr std::array<uint8_t, 4> kMp3Header128Padded{0xFF, 0xFB, 0x92, 0x44};

inline size_t frameSizeOf(const std::array<uint8_t, 4>& header) {
  return preview::parseHeader(header)->totalFrameSize();
}

// Appends whole frames of `header` until `totalBytes` are reached; the last, partial frame is
// cut there.
inline void appendFrames(std::vector<uint8_t>& out, const std::array<uint8_t, 4>& header,
                         size_t totalBytes) {
  const size_t size = frameSizeOf(header);
  while (out.size() < totalBytes) {
    const size_t start = out.size();
    out.resize(std::min(totalBytes, start + size), 0);
    std::copy_n(header.begin(), std::min<size_t>(4, out.size() - start), out.begin() + start);
  }
}

inline std::vector<uint8_t> cbrStream(size_t totalBytes,
                                      const std::array<uint8_t, 4>& header = kMp3Header128) {
  std::vector<uint8_t> out;
  appendFrames(out, header, totalBytes);
  return out;
}

inline std::vector<uint8_t> frames(size_t count,
                                   const std::array<uint8_t, 4>& header = kMp3Header128) {
  return cbrStream(count * frameSizeOf(header), header);
}

inline void putBe32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

// A tag frame ("Xing" or "Info") for a stereo MPEG 1 stream of `count` audio frames and
// `byteCount` bytes, with a linear seek table.
inline std::vector<uint8_t> tagFrame(std::string_view letters, uint32_t count, uint32_t byteCount,
                                     const std::array<uint8_t, 4>& header = kMp3Header128) {
  std::vector<uint8_t> frame = frames(1, header);
  const size_t at = 36;
  std::copy(letters.begin(), letters.end(), frame.begin() + at);
  putBe32(frame, at + 4, 1 | 2 | 4 | 8);
  putBe32(frame, at + 8, count);
  putBe32(frame, at + 12, byteCount);
  for (int i = 0; i < 100; ++i) frame[at + 16 + i] = static_cast<uint8_t>(i * 256 / 100);
  putBe32(frame, at + 116, 50);
  return frame;
}

inline std::vector<uint8_t> concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace norva::test
