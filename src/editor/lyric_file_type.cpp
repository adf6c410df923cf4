#include "editor/lyric_file_type.h"

#include <array>
#include <utility>

#include "base/file_names.h"

namespace norva::editor {
namespace {

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

std::optional<LyricFileType> fileTypeFromName(std::string_view fileName) {
  for (const auto& [extension, type] : kExtensions)
    if (endsWithIgnoringCase(fileName, extension)) return type;
  return std::nullopt;
}

}  // namespace norva::editor
