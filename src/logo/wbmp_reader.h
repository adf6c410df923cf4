#pragma once
// Wireless bitmaps of type 0: two zero bytes, width and height as multi-byte integers (seven
// bits a byte, high bit set while more follow), then rows of ceil(width / 8) bytes, leftmost
// pixel in bit 7, 1 = white.
#include <cstdint>
#include <optional>
#include <span>

#include "logo/rgb_image.h"

namespace norva::logo {

// Refuses anything that is not type 0, announces no pixel, or is shorter than its rows.
std::optional<RgbImage> decodeWbmp(std::span<const uint8_t> bytes);

}  // namespace norva::logo
