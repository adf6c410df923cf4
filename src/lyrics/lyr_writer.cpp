#include "lyrics/lyr_writer.h"

#include <algorithm>
#include <bitset>
#include <memory>

#include "base/byte_order.h"
#include "base/file_io.h"
#include "lyrics/lyric_messages.h"

namespace norva::lyr {

std::optional<CLyrWriter::Layout> CLyrWriter::checkSize(std::span<const TimedScreen> screens,
                                                        FontMode mode) {
  const size_t n = screens.size();
  size_t textEnd = kDirectorySize + kIndexEntrySize * n;
  for (const auto& screen : screens) textEnd += screen.text.size() + 1;

  auto seen = std::make_unique<std::bitset<65536>>();
  size_t distinct = 0;
  bool singleByteText = false;
  for (const auto& screen : screens) {
    const std::string& t = screen.text;
    for (size_t i = 0; i < t.size(); ++i) {
      const auto c = static_cast<unsigned char>(t[i]);
      if (c < 0x80) {
        if (c != '\r') singleByteText = true;
        continue;
      }
      const auto trail = i + 1 < t.size() ? static_cast<unsigned char>(t[i + 1]) : 0;
      ++i;
      const size_t code = (size_t{c} << 8) | trail;
      if (seen->test(code)) continue;
      if (distinct == kMaxDistinctCharacters) return std::nullopt;
      seen->set(code);
      ++distinct;
    }
  }

  Layout layout;
  layout.distinctCharacters = distinct;
  layout.fontClass = n == 0 ? kFontClassNone : kFontClassSmall;
  if (distinct > 0 || mode == FontMode::Large) layout.fontClass = kFontClassLarge;

  const size_t reserve = distinct > 0 ? 32 * (distinct + 1) : 32;
  const size_t blocks = (textEnd + reserve + kBlockSize - 1) / kBlockSize;
  if (blocks > kMaxReserveBlocks) return std::nullopt;
  layout.textEnd = static_cast<uint16_t>(textEnd);
  layout.reserveBlocks = static_cast<uint16_t>(blocks);
  const bool reserveFollowsText =
      (distinct > 0 && singleByteText) || (distinct == 0 && mode == FontMode::Large);
  layout.reserveOffset = reserveFollowsText ? layout.textEnd : 0;
  return layout;
}

std::vector<uint8_t> CLyrWriter::build(std::span<const TimedScreen> screens, const Layout& layout) {
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
    writeBe16(body, entry, static_cast<uint16_t>(screens[i].time & 0xFFFF));
    writeBe16(body, entry + 2, static_cast<uint16_t>(offset));
    std::copy(screens[i].text.begin(), screens[i].text.end(), body.begin() + offset);
    offset += screens[i].text.size() + 1;  // the NUL is already there
  }
  return file;
}

bool CLyrWriter::write(const std::filesystem::path& output, std::span<const TimedScreen> screens,
                       FontMode mode) {
  const std::optional<Layout> layout = checkSize(screens, mode);
  if (!layout) {
    prompter_.show({std::string(text::kFileTooLong), std::string(text::kErrorCaption),
                    MessageIcon::Error, MessageButtons::Ok});
    return false;
  }
  if (!writeFileAtomically(output, build(screens, *layout)).empty()) {
    prompter_.show({std::string(text::kCannotWrite), std::string(text::kEditorCaption),
                    MessageIcon::Error, MessageButtons::Ok});
    return false;
  }
  prompter_.show({std::string(text::kSaved), std::string(text::kEditorCaption),
                  MessageIcon::Warning, MessageButtons::Ok});
  return true;
}

}  // namespace norva::lyr
