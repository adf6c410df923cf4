#pragma once
// Writes the one LGO form the converter produces: depth 1, column layout, height rounded up to
// a multiple of 8 in the header, optionally bit-reversed like the last LGO file that was read.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "logo/logo_bitmap.h"

namespace norva::logo {

// The file's bytes for `logo` (a depth-1 column-layout logo).
std::vector<uint8_t> encodeLgo(const LogoBitmap& logo, bool reversedBits);

}  // namespace norva::logo
