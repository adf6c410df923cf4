#include "editor/convert_rules.h"

#include <algorithm>
#include <string>

#include "base/file_names.h"
#include "editor/editor_messages.h"

namespace norva::editor {
namespace {

constexpr std::string_view kLyrExtension = ".lyr";
constexpr size_t kShortPathLength = 5;

}  // namespace

bool needsLargeFont(std::string_view gbkText) {
  return gbkText.empty() || std::any_of(gbkText.begin(), gbkText.end(), [](char c) {
           return static_cast<unsigned char>(c) >= 0x80;
         });
}

std::vector<FileFilter> convertFilters(std::string_view gbkText) {
  if (needsLargeFont(gbkText)) return {{text::kLyric16x16Label, text::kLyricPattern}};
  return {{text::kLyric8x8Label, text::kLyricPattern},
          {text::kLyric8x16Label, text::kLyricPattern}};
}

LyrFontChoice convertFont(std::string_view gbkText, size_t filterIndex) {
  if (needsLargeFont(gbkText)) return LyrFontChoice::Large;
  return filterIndex == 0 ? LyrFontChoice::Small : LyrFontChoice::Large;
}

std::filesystem::path lyrOutputPath(const std::filesystem::path& chosen) {
  const std::string path = chosen.string();
  if (path.size() >= kShortPathLength && endsWithIgnoringCase(path, kLyrExtension)) return chosen;
  return std::filesystem::path(path + std::string(kLyrExtension));
}

}  // namespace norva::editor
