#include "logo/logo_bitmap.h"

namespace norva::logo {

unsigned LogoBitmap::pixel(unsigned x, unsigned y) const {
  const PixelAddress at = lgoPixelAddress(layout, depth, width, height, x, y);
  const unsigned shift = 8 - depth - at.slot * depth;
  return (store_[at.byteIndex] >> shift) & ((1u << depth) - 1);
}

void LogoBitmap::setPixel(unsigned x, unsigned y, unsigned value) {
  const PixelAddress at = lgoPixelAddress(layout, depth, width, height, x, y);
  const unsigned shift = 8 - depth - at.slot * depth;
  const unsigned mask = ((1u << depth) - 1) << shift;
  uint8_t& byte = store_[at.byteIndex];
  byte = static_cast<uint8_t>((byte & ~mask) | ((value << shift) & mask));
}

}  // namespace norva::logo
