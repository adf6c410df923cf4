// Arbitrary bytes as a player voice recording converted to WAV on upload.
#include <cstddef>
#include <cstdint>
#include <span>

#include "usb/ima_adpcm.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto wave = norva::usb::decodeImaAdpcmWave(std::span<const uint8_t>(data, size));
  if (wave && wave->size() < 44) __builtin_trap();
  return 0;
}
