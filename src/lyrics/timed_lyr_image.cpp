#include "lyrics/timed_lyr_image.h"

#include <algorithm>
#include <bitset>
#include <memory>

#include "base/byte_order.h"

namespace norva::lyr {
namespace {

constexpr size_t kReservePerCharacter = 32;

struct CharacterCount {
  size_t distinct = 0;
  bool singleByteText = false;  // a byte below 0x80 other than CR
  bool tooMany = false;
};

// Counts the distinct two-byte characters of all texts, stopping past the most the player
// can hold.
CharacterCount countCharacters(std::span<const TimedScreen> screens) {
  CharacterCount count;
  auto seen = std::make_unique<std::bitset<65536>>();
  for (const auto& screen : screens) {
    const std::string& t = screen.text;
    for (size_t i = 0; i < t.size(); ++i) {
      const auto c = static_cast<unsigned char>(t[i]);
      if (c < 0x80) {
        if (c != '\r') count.singleByteText = true;
        continue;
      }
      const auto trail = i + 1 < t.size() ? static_cast<unsigned char>(t[i + 1]) : 0;
      ++i;
      const size_t code = (size_t{c} << 8) | trail;
      if (seen->test(code)) continue;
      if (count.distinct == kMaxDistinctCharacters) {
        count.tooMany = true;
        return count;
      }
      seen->set(code);
      ++count.distinct;
    }
  }
  return count;
}

}  // namespace

const char* toString(LyrSizeCheck check) {
  switch (check) {
    case LyrSizeCheck::Fits:
      return "fits";
    case LyrSizeCheck::TooManyCharacters:
      return "more than 700 distinct two-byte characters";
    case LyrSizeCheck::TooManyBlocks:
      return "more than 56 reserve blocks";
  }
  return "?";
}

TimedLyrLayout checkTimedLyrSize(std::span<const TimedScreen> screens, FontMode mode) {
  TimedLyrLayout layout;
  const size_t n = screens.size();
  size_t textEnd = kDirectorySize + kIndexEntrySize * n;
  for (const auto& screen : screens) textEnd += screen.text.size() + 1;

  const CharacterCount characters = countCharacters(screens);
  if (characters.tooMany) {
    layout.check = LyrSizeCheck::TooManyCharacters;
    return layout;
  }
  const size_t distinct = characters.distinct;
  layout.distinctCharacters = distinct;
  layout.fontClass = n == 0 ? kFontClassNone : kFontClassSmall;
  if (distinct > 0 || mode == FontMode::Large) layout.fontClass = kFontClassLarge;

  const size_t reserve =
      distinct > 0 ? kReservePerCharacter * (distinct + 1) : kReservePerCharacter;
  const size_t blocks = (textEnd + reserve + kBlockSize - 1) / kBlockSize;
  if (blocks > kMaxReserveBlocks) {
    layout.check = LyrSizeCheck::TooManyBlocks;
    return layout;
  }
  layout.textEnd = static_cast<uint16_t>(textEnd);
  layout.reserveBlocks = static_cast<uint16_t>(blocks);
  const bool reserveFollowsText =
      (distinct > 0 && characters.singleByteText) || (distinct == 0 && mode == FontMode::Large);
  layout.reserveOffset = reserveFollowsText ? layout.textEnd : 0;
  return layout;
}

std::vector<uint8_t> buildTimedLyrFile(std::span<const TimedScreen> screens,
                                       const TimedLyrLayout& layout) {
  const size_t n = screens.size();
  std::vector<uint8_t> file(roundUpToBlock(kHeaderSize + layout.textEnd), 0);
  writeHeaderBlock(file, layout.fontClass, layout.reserveBlocks);

  std::span<uint8_t> body = std::span(file).subspan(kHeaderSize);
  body[kDirFontClassOffset] = layout.fontClass;
  writeBe16(body, kDirReserveOffsetOffset, layout.reserveOffset);
  writeBe16(body, kDirTextEndOffset, layout.textEnd);
  writeBe16(body, kDirScreenCountOffset, static_cast<uint16_t>(n));

  size_t offset = kDirectorySize + kIndexEntrySize * n;
  for (size_t i = 0; i < n; ++i) {
    const size_t entry = kDirectorySize + kIndexEntrySize * i;
    writeBe16(body, entry + kEntryTimeOffset, static_cast<uint16_t>(screens[i].time & 0xFFFF));
    writeBe16(body, entry + kEntryTextOffset, static_cast<uint16_t>(offset));
    std::copy(screens[i].text.begin(), screens[i].text.end(), body.begin() + offset);
    offset += screens[i].text.size() + 1;  // the NUL is already there
  }
  return file;
}

}  // namespace norva::lyr
