#pragma once
// Builds LGO files of any layout and depth for the reader tests.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "logo/logo_bitmap.h"

namespace norva::logo::testing {

// A file of `layoutByte`/`depth` whose pixel (x, y) has value value(x, y).
template <typename ValueFn>
std::vector<uint8_t> makeLgo(uint8_t layoutByte, unsigned depth, unsigned w, unsigned h,
                             ValueFn value) {
  LogoBitmap bitmap;
  bitmap.width = w;
  bitmap.height = h;
  bitmap.depth = depth;
  bitmap.layout = layoutByte & 0x7F;
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) bitmap.setPixel(x, y, value(x, y));
  LgoHeader header{layoutByte, static_cast<uint8_t>(depth), static_cast<uint16_t>(w),
                   static_cast<uint16_t>(h)};
  std::vector<uint8_t> file(kLgoHeaderBytes + bitmap.dataSize());
  header.serialize(std::span<uint8_t>(file).first<kLgoHeaderBytes>());
  for (size_t i = 0; i < bitmap.dataSize(); ++i) {
    const uint8_t b = bitmap.store()[i];
    file[kLgoHeaderBytes + i] = (layoutByte & LGO_REVERSED_BITS) ? reverseBitOrder(b) : b;
  }
  return file;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace norva::logo::testing
