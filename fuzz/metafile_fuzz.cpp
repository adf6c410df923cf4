// Metafile records (placeable WMF and EMF) into the shape list the QPainter renderer draws.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "logo/metafile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  norva::logo::looksLikeMetafile(bytes);
  if (auto meta = norva::logo::parseMetafile(bytes)) {
    if (meta->himetricWidth <= 0 || meta->himetricHeight <= 0) __builtin_trap();
    norva::logo::himetricToPixels(meta->himetricWidth, 96);
    size_t points = 0;
    for (const auto& shape : meta->shapes)
      for (const auto& figure : shape.figures) points += figure.size();
    (void)points;
  }
  return 0;
}
