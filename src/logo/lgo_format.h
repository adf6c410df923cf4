#pragma once
// The player's logo file: a 6-byte header and packed pixel data, in four layouts and depths
// 1, 2, 4 and 8, optionally with the bit order of every data byte reversed.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace norva::logo {

constexpr uint8_t LGO_REVERSED_BITS = 0x80;
constexpr int kMaxLgoSide = 800;
constexpr size_t kLogoStoreBytes = 640000;  // 800 x 800 pixels at depth 8
constexpr size_t kLgoHeaderBytes = 6;

enum LayoutCode : uint8_t {
  LAYOUT_ROWS = 0,
  LAYOUT_COLUMNS = 1,
  LAYOUT_ROW_BANDS = 2,
  LAYOUT_COLUMN_BANDS = 3,
};

struct LgoHeader {
  uint8_t layoutByte = LAYOUT_COLUMNS;
  uint8_t depth = 1;
  uint16_t width = 0;
  uint16_t height = 0;

  uint8_t layout() const { return layoutByte & 0x7F; }
  bool reversedBits() const { return (layoutByte & LGO_REVERSED_BITS) != 0; }
  // Layout 0-3 (with or without the reversed-bits flag), depth 1/2/4/8, sides at most 800.
  bool valid() const;
  // Size of the pixel data this header announces; only meaningful for a valid header.
  size_t dataSize() const;

  static LgoHeader parse(std::span<const uint8_t, kLgoHeaderBytes> bytes);
  void serialize(std::span<uint8_t, kLgoHeaderBytes> bytes) const;
};

constexpr bool isSupportedDepth(unsigned depth) {
  return depth == 1 || depth == 2 || depth == 4 || depth == 8;
}

// Where a pixel lives in the packed data.
struct PixelAddress {
  size_t byteIndex;
  unsigned slot;  // 0 = the most significant bits of the byte
};

// Data size of a width x height picture in `layout` at `depth` (depth must be supported).
size_t lgoDataSize(unsigned layout, unsigned depth, unsigned width, unsigned height);
PixelAddress lgoPixelAddress(unsigned layout, unsigned depth, unsigned width, unsigned height,
                             unsigned x, unsigned y);

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour a pixel value means at `depth`: 1 black/white, 2 and 4 grey levels, 8 3-3-2 colour.
Rgb lgoValueColour(unsigned depth, unsigned value);

constexpr uint8_t reverseBitOrder(uint8_t b) {
  b = static_cast<uint8_t>(((b & 0xF0) >> 4) | ((b & 0x0F) << 4));
  b = static_cast<uint8_t>(((b & 0xCC) >> 2) | ((b & 0x33) << 2));
  b = static_cast<uint8_t>(((b & 0xAA) >> 1) | ((b & 0x55) << 1));
  return b;
}

}  // namespace norva::logo
