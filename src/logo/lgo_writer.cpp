#include "logo/lgo_writer.h"

#include <algorithm>

namespace norva::logo {

std::vector<uint8_t> encodeLgo(const LogoBitmap& logo, bool reversedBits) {
  LgoHeader header;
  header.layoutByte = LAYOUT_COLUMNS;
  header.depth = 1;
  header.width = static_cast<uint16_t>(logo.width);
  header.height = static_cast<uint16_t>(logo.height);
  const size_t dataSize = std::min(header.dataSize(), kLogoStoreBytes);
  // For the column layout at depth 1 the data size is the same for the rounded height.
  header.height = static_cast<uint16_t>((logo.height + 7) / 8 * 8);
  if (reversedBits) header.layoutByte |= LGO_REVERSED_BITS;

  std::vector<uint8_t> bytes(kLgoHeaderBytes + dataSize);
  header.serialize(std::span<uint8_t>(bytes).first<kLgoHeaderBytes>());
  auto data = logo.store().begin();
  auto out = bytes.begin() + static_cast<ptrdiff_t>(kLgoHeaderBytes);
  if (reversedBits)
    std::transform(data, data + static_cast<ptrdiff_t>(dataSize), out, reverseBitOrder);
  else
    std::copy(data, data + static_cast<ptrdiff_t>(dataSize), out);
  return bytes;
}

}  // namespace norva::logo
