// Relay on an arbitrary image, as the MPR converters do with LYR files read from disk.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lyrics/relay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > norva::lyr::kMaxImageSize) return 0;
  norva::lyr::LyrImage image;
  std::copy_n(data, size, image.bytes.begin());
  image.size = size;
  const auto before = image.bytes;
  const auto result = norva::lyr::relay(image);
  if (result == norva::lyr::RelayResult::Ok) {
    if (image.size % 512 != 0 || image.size > norva::lyr::kMaxImageSize) __builtin_trap();
    // Relay is idempotent: a relayed image relays to itself.
    const auto once = image.bytes;
    if (norva::lyr::relay(image) != norva::lyr::RelayResult::Ok || image.bytes != once)
      __builtin_trap();
  } else if (image.bytes != before) {
    __builtin_trap();  // a refused image is left as it was
  }
  return 0;
}
