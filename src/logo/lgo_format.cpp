#include "logo/lgo_format.h"

#include "base/byte_order.h"

namespace norva::logo {
namespace {

constexpr unsigned ceilDiv(unsigned a, unsigned b) {
  return (a + b - 1) / b;
}

}  // namespace

bool LgoHeader::valid() const {
  return layout() <= LAYOUT_COLUMN_BANDS && isSupportedDepth(depth) && width <= kMaxLgoSide &&
         height <= kMaxLgoSide;
}

size_t LgoHeader::dataSize() const {
  return lgoDataSize(layout(), depth, width, height);
}

LgoHeader LgoHeader::parse(std::span<const uint8_t, kLgoHeaderBytes> bytes) {
  LgoHeader header;
  header.layoutByte = bytes[0];
  header.depth = bytes[1];
  header.width = readLe16(bytes, 2);
  header.height = readLe16(bytes, 4);
  return header;
}

void LgoHeader::serialize(std::span<uint8_t, kLgoHeaderBytes> bytes) const {
  bytes[0] = layoutByte;
  bytes[1] = depth;
  writeLe16(bytes, 2, width);
  writeLe16(bytes, 4, height);
}

size_t lgoDataSize(unsigned layout, unsigned depth, unsigned width, unsigned height) {
  const unsigned ppb = 8 / depth;
  switch (layout) {
    case LAYOUT_ROWS:
    case LAYOUT_COLUMN_BANDS:
      return size_t{height} * ceilDiv(width, ppb);
    default:
      return size_t{width} * ceilDiv(height, ppb);
  }
}

PixelAddress lgoPixelAddress(unsigned layout, unsigned depth, unsigned width, unsigned height,
                             unsigned x, unsigned y) {
  const unsigned ppb = 8 / depth;
  switch (layout) {
    case LAYOUT_ROWS:
      return {size_t{y} * ceilDiv(width, ppb) + x / ppb, x % ppb};
    case LAYOUT_COLUMNS:
      return {size_t{x} * ceilDiv(height, ppb) + y / ppb, y % ppb};
    case LAYOUT_ROW_BANDS:
      return {size_t{y / ppb} * width + x, y % ppb};
    default:
      return {size_t{x / ppb} * height + y, x % ppb};
  }
}

Rgb lgoValueColour(unsigned depth, unsigned value) {
  auto grey = [](unsigned level) {
    auto l = static_cast<uint8_t>(level);
    return Rgb{l, l, l};
  };
  switch (depth) {
    case 1:
      return value ? grey(0) : grey(255);
    case 2: {
      static constexpr uint8_t kLevels[4] = {255, 0xAA, 0x55, 0};
      return grey(kLevels[value & 3]);
    }
    case 4:
      return grey(255 - 17 * (value & 15));
    default:
      return Rgb{static_cast<uint8_t>(36 * ((value >> 5) & 7)),
                 static_cast<uint8_t>(36 * ((value >> 2) & 7)),
                 static_cast<uint8_t>(85 * (value & 3))};
  }
}

}  // namespace norva::logo
