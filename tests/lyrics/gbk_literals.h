#pragma once
// Test text written in UTF-8 and turned into the GBK bytes the lyric code works on.
#include <stdexcept>
#include <string>

#include "base/gbk_codec.h"

namespace norva::testing {

inline std::string gbk(std::string_view utf8) {
  auto bytes = norva::utf8ToGbk(utf8);
  if (!bytes) throw std::invalid_argument("no GBK form");
  return *bytes;
}

}  // namespace norva::testing
