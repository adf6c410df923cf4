#pragma once
// The converter's in-memory logo: a fixed 640,000-byte store large enough for the biggest LGO
// picture, with the form the bytes are in.
#include <cstdint>
#include <vector>

#include "logo/lgo_format.h"

namespace norva::logo {

class LogoBitmap {
 public:
  LogoBitmap() : store_(kLogoStoreBytes, 0) {}

  unsigned width = 0;
  unsigned height = 0;
  unsigned depth = 1;
  unsigned layout = LAYOUT_COLUMNS;
  bool reversedBits = false;  // as read; the store itself always holds the bytes un-reversed

  std::vector<uint8_t>& store() { return store_; }
  const std::vector<uint8_t>& store() const { return store_; }
  void clearStore() { std::fill(store_.begin(), store_.end(), uint8_t{0}); }

  // Bytes the current width, height, depth and layout occupy.
  size_t dataSize() const { return lgoDataSize(layout, depth, width, height); }

  // Pixel values at (x, y) in the bitmap's own depth and layout; x < width, y < height.
  unsigned pixel(unsigned x, unsigned y) const;
  void setPixel(unsigned x, unsigned y, unsigned value);

 private:
  std::vector<uint8_t> store_;
};

}  // namespace norva::logo
