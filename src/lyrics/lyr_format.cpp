#include "lyrics/lyr_format.h"

#include <algorithm>

#include "base/byte_order.h"

namespace norva::lyr {

const char* toString(FontMode mode) {
  switch (mode) {
    case FontMode::Small:
      return "small";
    case FontMode::Large:
      return "large";
  }
  return "?";
}

uint16_t LyrImage::screenCount() const {
  return readBe16(bytes, kHeaderSize + kDirScreenCountOffset);
}

uint8_t LyrImage::fontClass() const {
  return bytes[kHeaderSize + kDirFontClassOffset];
}

void writeHeaderBlock(std::span<uint8_t> block, uint8_t fontClass, uint16_t reserveBlocks) {
  std::fill(block.begin(), block.begin() + kHeaderSize, uint8_t{0});
  writeBe16(block, 0, static_cast<uint16_t>(kHeaderSize));
  std::copy(kMagic.begin(), kMagic.end(), block.begin() + kHeaderMagicOffset);
  block[kHeaderMarkerOffset] = kHeaderMarker;
  block[kHeaderFontClassOffset] = fontClass;
  writeBe16(block, kHeaderReserveBlocksOffset, reserveBlocks);
}

}  // namespace norva::lyr
