#include "editor/lyric_file_type.h"

#include <array>
#include <utility>

namespace norva::editor {
namespace {

char upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr std::array<std::pair<std::string_view, LyricFileType>, 5> kExtensions{{
    {".TXT", LyricFileType::Text},
    {".TLY", LyricFileType::Tly},
    {".SMI", LyricFileType::Sami},
    {".LYR", LyricFileType::Lyr},
    {".LRC", LyricFileType::Lrc},
}};

}  // namespace

const char* toString(LyricFileType type) {
  switch (type) {
    case LyricFileType::Text:
      return "Text";
    case LyricFileType::Tly:
      return "Tly";
    case LyricFileType::Sami:
      return "Sami";
    case LyricFileType::Lyr:
      return "Lyr";
    case LyricFileType::Lrc:
      return "Lrc";
  }
  return "?";
}

bool endsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  const std::string_view tail = name.substr(name.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i)
    if (upper(tail[i]) != upper(suffix[i])) return false;
  return true;
}

std::optional<LyricFileType> fileTypeFromName(std::string_view fileName) {
  for (const auto& [extension, type] : kExtensions)
    if (endsWithIgnoringCase(fileName, extension)) return type;
  return std::nullopt;
}

}  // namespace norva::editor
