#include "lyrics/lyr_reader.h"

#include <algorithm>
#include <cstring>

#include "base/byte_order.h"
#include "lyrics/editor_text.h"
#include "lyrics/lyr_format.h"
#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

constexpr size_t kDataBlockCapacity = 32767;  // the editor's buffer for everything after the header

// A screen's text in timed-text form. Every CR becomes "<br>", except the CR the layout put
// after a full 16-byte line: the layout puts it back when the text is compiled again, so
// writing it as "<br>" would add an empty line.
void appendScreenText(std::string& out, std::string_view text) {
  size_t lineBytes = 0;
  for (char c : text) {
    if (c != '\r') {
      out.push_back(c);
      ++lineBytes;
      continue;
    }
    if (lineBytes != kLineBytes) out.append("<br>");
    lineBytes = 0;
  }
}

}  // namespace

bool hasLyrHeader(std::span<const uint8_t> file) {
  if (file.size() < kHeaderSize) return false;
  if (readBe16(file, 0) != kHeaderSize) return false;
  if (!std::equal(kMagic.begin(), kMagic.end(), file.begin() + kHeaderMagicOffset)) return false;
  return file[kHeaderMarkerOffset] == kHeaderMarker;
}

std::optional<std::vector<TimedScreen>> readLyrScreens(std::span<const uint8_t> file) {
  if (!hasLyrHeader(file)) return std::nullopt;
  const std::span<const uint8_t> data = file.subspan(kHeaderSize);
  if (data.size() > kDataBlockCapacity || data.size() < kDirectorySize) return std::nullopt;
  const size_t count = readBe16(data, kDirScreenCountOffset);
  if (kDirectorySize + kIndexEntrySize * count > data.size()) return std::nullopt;

  std::vector<TimedScreen> screens;
  screens.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = kDirectorySize + kIndexEntrySize * i;
    const size_t offset = readBe16(data, entry + 2);
    if (offset >= data.size()) return std::nullopt;
    const void* nul = std::memchr(data.data() + offset, 0, data.size() - offset);
    if (nul == nullptr) return std::nullopt;
    const size_t length =
        static_cast<size_t>(static_cast<const uint8_t*>(nul) - (data.data() + offset));
    screens.push_back({readBe16(data, entry),
                       std::string(reinterpret_cast<const char*>(data.data() + offset), length)});
  }
  return screens;
}

std::optional<std::string> lyrToTimedText(std::span<const uint8_t> file) {
  const std::optional<std::vector<TimedScreen>> screens = readLyrScreens(file);
  if (!screens) return std::nullopt;
  std::string text;
  for (const TimedScreen& screen : *screens) {
    text += '<' + std::to_string(screen.time * 100) + '>';
    appendScreenText(text, screen.text);
    text += "\r\n";
  }
  return toEditorLineEnds(text);
}

}  // namespace norva::lyr
