// Text files converted for the player: any bytes, checked against what the output must be.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "lyrics/text_encoding_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> file(data, size);
  const auto outcome = norva::lyr::convertTextForPlayer(file);
  if (outcome.result == norva::lyr::TextEncodingResult::Copied) {
    if (!std::equal(outcome.bytes.begin(), outcome.bytes.end(), file.begin(), file.end()))
      __builtin_trap();
    return 0;
  }
  if (outcome.result != norva::lyr::TextEncodingResult::Converted) return 0;
  // The mark, then at most one code unit a byte of the text before its first zero byte, and
  // never a zero unit.
  const size_t text = static_cast<size_t>(std::find(file.begin(), file.end(), 0) - file.begin());
  const auto& out = outcome.bytes;
  if (out.size() < 2 || out[0] != 0xFF || out[1] != 0xFE || out.size() % 2 != 0) __builtin_trap();
  if ((out.size() - 2) / 2 > text) __builtin_trap();
  if (text > 0 && out.size() == 2) __builtin_trap();
  for (size_t i = 2; i < out.size(); i += 2)
    if (out[i] == 0 && out[i + 1] == 0) __builtin_trap();
  return 0;
}
