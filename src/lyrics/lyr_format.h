#pragma once
// The types the lyric formats share: the editor's font choice, a screen for the timed-text
// writer, and a LYR image in its fixed buffer. The layout itself is in lyr_layout.h.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "lyrics/lyr_layout.h"

namespace norva::lyr {

// The editor's font choice.
enum class FontMode { Small = 0, Large = 1 };
const char* toString(FontMode mode);

// One screen handed to the timed-text writer: start time in 100 ms units (only the low 16 bits
// are stored) and its laid-out GBK text with CR line breaks.
struct TimedScreen {
  uint32_t time = 0;
  std::string text;
  bool operator==(const TimedScreen&) const = default;
};

// A LYR image in its fixed 32768-byte buffer; `size` bytes are in use.
struct LyrImage {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kMaxImageSize, 0);
  size_t size = 0;

  uint16_t screenCount() const;
  uint8_t fontClass() const;
};

// Rounds up to a whole number of 512-byte blocks.
constexpr size_t roundUpToBlock(size_t n) {
  return (n + kBlockSize - 1) / kBlockSize * kBlockSize;
}

// Writes the header block the way both writers do (magic, marker, font class, reserve count).
void writeHeaderBlock(std::span<uint8_t> block, uint8_t fontClass, uint16_t reserveBlocks);

}  // namespace norva::lyr
