#pragma once
// Screens holding a given number of distinct two-byte GBK characters, eight to a screen.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lyrics/lyr_format.h"

namespace norva::testing {

inline std::vector<lyr::TimedScreen> distinctCharacters(size_t count) {
  std::vector<lyr::TimedScreen> screens;
  for (size_t i = 0; i < count; ++i) {
    if (i % 8 == 0) screens.push_back({static_cast<uint32_t>(i), ""});
    screens.back().text += static_cast<char>(0xB0 + i / 94);
    screens.back().text += static_cast<char>(0xA1 + i % 94);
  }
  return screens;
}

}  // namespace norva::testing
