#include "editor/convert_rules.h"

#include <algorithm>
#include <string>

#include "base/file_names.h"
#include "editor/editor_messages.h"

namespace norva::editor {
namespace {

constexpr std::string_view kLyrExtension = ".lyr";
constexpr std::string_view kSamiExtension = ".smi";
constexpr size_t kShortPathLength = 5;

std::filesystem::path withExtension(const std::filesystem::path& chosen,
                                    std::string_view extension) {
  const std::string path = chosen.string();
  if (path.size() >= kShortPathLength && endsWithIgnoringCase(path, extension)) return chosen;
  return std::filesystem::path(path + std::string(extension));
}

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
  return withExtension(chosen, kLyrExtension);
}

std::filesystem::path samiOutputPath(const std::filesystem::path& chosen) {
  return withExtension(chosen, kSamiExtension);
}

}  // namespace norva::editor
