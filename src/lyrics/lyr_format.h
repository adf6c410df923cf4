#pragma once
// The player's compiled lyric (LYR): a 512-byte header block, a 24-byte directory record, an
// index of big-endian (time, text offset) entries and NUL-terminated GBK screen texts, padded
// with zeros to whole 512-byte blocks. Offsets inside the body count from the directory record.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace norva::lyr {

constexpr size_t kBlockSize = 512;
constexpr size_t kHeaderSize = 512;
constexpr size_t kDirectorySize = 24;
constexpr size_t kIndexEntrySize = 4;
constexpr size_t kMaxImageSize = 32768;

// Header block fields (file offsets).
constexpr size_t kHeaderMagicOffset = 2;
constexpr std::string_view kMagic{"Norva 398\0", 10};  // with its NUL
constexpr size_t kHeaderMarkerOffset = 12;
constexpr uint8_t kHeaderMarker = 0x10;
constexpr size_t kHeaderFontClassOffset = 13;
constexpr size_t kHeaderReserveBlocksOffset = 14;

// Directory record fields (offsets inside the record, which starts at file offset 512).
constexpr size_t kDirFontClassOffset = 16;
constexpr size_t kDirReserveOffsetOffset = 18;
constexpr size_t kDirTextEndOffset = 20;
constexpr size_t kDirScreenCountOffset = 22;

// Font class byte: which player font the lyric uses.
constexpr uint8_t kFontClassNone = 0;   // no screen, small font (timed-text writer only)
constexpr uint8_t kFontClassLarge = 1;  // 16-pixel rows, 3 lines a screen
constexpr uint8_t kFontClassSmall = 2;  // 8 x 8, 6 lines a screen

// The editor's font choice.
enum class FontMode { Small = 0, Large = 1 };

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
