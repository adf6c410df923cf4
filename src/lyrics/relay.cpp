#include "lyrics/relay.h"

#include <algorithm>
#include <cstring>

#include "base/byte_order.h"

namespace norva::lyr {

namespace {
constexpr size_t kMaxRelayedText = 255;  // the player's text length is one byte
}

RelayResult relay(LyrImage& image) {
  const size_t dataSize = std::min(image.size, kMaxImageSize);
  if (dataSize < kHeaderSize + kDirectorySize) return RelayResult::Malformed;
  const std::span<const uint8_t> data(image.bytes.data(), dataSize);
  const size_t n = readBe16(data, kHeaderSize + kDirScreenCountOffset);
  const size_t indexEnd = kHeaderSize + kDirectorySize + kIndexEntrySize * n;
  if (indexEnd > dataSize) return RelayResult::Malformed;

  std::vector<uint8_t> work(kMaxImageSize, 0);
  std::copy(data.begin(), data.begin() + static_cast<ptrdiff_t>(indexEnd), work.begin());
  size_t next = indexEnd;
  for (size_t i = 0; i < n; ++i) {
    const size_t entry = kHeaderSize + kDirectorySize + kIndexEntrySize * i;
    const size_t textStart = kHeaderSize + readBe16(data, entry + 2);
    if (textStart >= dataSize) return RelayResult::Malformed;
    const void* nul = std::memchr(data.data() + textStart, 0, dataSize - textStart);
    if (nul == nullptr) return RelayResult::Malformed;
    const size_t length = static_cast<const uint8_t*>(nul) - (data.data() + textStart);
    if (length > kMaxRelayedText) return RelayResult::TextTooLong;
    if (next + length + 1 > kMaxImageSize) return RelayResult::TooLarge;
    std::copy_n(data.begin() + static_cast<ptrdiff_t>(textStart), length, work.begin() + next);
    writeBe16(work, entry + 2, static_cast<uint16_t>(next - kHeaderSize));
    next += length + 1;
  }
  const size_t textEnd = next - kHeaderSize;
  writeBe16(work, kHeaderSize + kDirTextEndOffset, static_cast<uint16_t>(textEnd));
  const size_t size = roundUpToBlock(next);
  if (size > kMaxImageSize) return RelayResult::TooLarge;
  std::copy_n(work.begin(), size, image.bytes.begin());
  std::fill(image.bytes.begin() + static_cast<ptrdiff_t>(size), image.bytes.end(), uint8_t{0});
  image.size = size;
  return RelayResult::Ok;
}

}  // namespace norva::lyr
