// WBMP reader: any bytes, never a read past them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "logo/logo_conversion.h"
#include "logo/wbmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (auto image = norva::logo::decodeWbmp(std::span<const uint8_t>(data, size))) {
    if (image->pixels.size() != size_t{image->width} * image->height) __builtin_trap();
    if (image->width <= 4096 && image->height <= 4096) norva::logo::fitPicture(*image);
  }
  return 0;
}
