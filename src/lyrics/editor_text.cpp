#include "lyrics/editor_text.h"

#include <algorithm>

namespace norva::lyr {

std::string toEditorLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') out.push_back('\r');
    out.push_back(c);
  }
  return out;
}

std::string editorTextFromFile(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return toEditorLineEnds(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), end - bytes.begin()));
}

}  // namespace norva::lyr
