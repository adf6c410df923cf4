#pragma once
// The LYR file of the timed-text writer (`CLyrWriter`): the size check that decides whether
// the player can hold the screens with the font reserve it needs, and the file's bytes.
// The reserve is 32 bytes for every distinct two-byte character and one more (32 bytes when
// there is none); header bytes 14-15 count the blocks of text and reserve together.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lyrics/lyr_format.h"

namespace norva::lyr {

constexpr size_t kMaxDistinctCharacters = 700;
constexpr size_t kMaxReserveBlocks = 56;

enum class LyrSizeCheck { Fits, TooManyCharacters, TooManyBlocks };
const char* toString(LyrSizeCheck check);

// What the size check works out before anything is written.
struct TimedLyrLayout {
  LyrSizeCheck check = LyrSizeCheck::Fits;
  uint8_t fontClass = 0;
  uint16_t textEnd = 0;        // T: first byte after the last text, from the directory record
  uint16_t reserveBlocks = 0;  // header bytes 14-15
  uint16_t reserveOffset = 0;  // directory bytes 18-19
  size_t distinctCharacters = 0;
};

// The size check of the screens in list order; the fields after `check` hold when it Fits.
TimedLyrLayout checkTimedLyrSize(std::span<const TimedScreen> screens, FontMode mode);

// The file's bytes for screens whose check Fits: header, directory, index in list order,
// texts, zero fill to whole blocks.
std::vector<uint8_t> buildTimedLyrFile(std::span<const TimedScreen> screens,
                                       const TimedLyrLayout& layout);

}  // namespace norva::lyr
