#pragma once
// The VBR header that encoders put into the first frame: "Xing" (variable bit rate) or "Info"
// (constant bit rate, same layout): flags, frame count, byte count, a 100-entry seek table
// and a quality value.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "preview/mpeg_header.h"

namespace norva::preview {

struct XingHeader {
  static constexpr uint32_t kFramesFlag = 1;
  static constexpr uint32_t kBytesFlag = 2;
  static constexpr uint32_t kTocFlag = 4;
  static constexpr uint32_t kScaleFlag = 8;

  bool info = false;  // "Info" rather than "Xing"
  uint32_t flags = 0;
  std::optional<uint32_t> frames;
  std::optional<uint32_t> bytes;
  std::optional<std::array<uint8_t, 100>> toc;
  std::optional<uint32_t> scale;
};

// Where the tag starts inside a frame, counted from the frame's first header byte.
size_t xingOffset(const MpegHeader& header);

// Reads the tag from `frame` (the frame's bytes from its header on). Nothing when the letters
// are absent or the fields the flags announce do not fit in the frame.
std::optional<XingHeader> parseXingHeader(std::span<const uint8_t> frame, const MpegHeader& header);

// The seek table's answer for `percent` (clamped to 0..100): the share of the stream's bytes,
// 0..1, before the point that far into the playing time.
double xingSeekFraction(const std::array<uint8_t, 100>& toc, double percent);

}  // namespace norva::preview
