#include "editor/file_filters.h"

#include <string>

#include "base/file_names.h"
#include "editor/editor_messages.h"

namespace norva::editor {
namespace {

constexpr FileFilter kTextFilter{text::kTextFilesLabel, text::kTextFilesPattern};
constexpr FileFilter kTlyFilter{text::kTlyFilesLabel, text::kTlyFilesPattern};
constexpr std::string_view kTxtExtension = ".txt";
constexpr std::string_view kTlyExtension = ".tly";
constexpr std::string_view kTlyDocumentExtension = ".TLY";

// Shorter names always get the extension.
constexpr size_t kShortNameLength = 5;

}  // namespace

std::vector<FileFilter> openFilters() {
  return {{text::kOpenAllLabel, text::kOpenAllPattern},
          kTextFilter,
          kTlyFilter,
          {text::kSamiFilesLabel, text::kSamiFilesPattern},
          {text::kLyrFilesLabel, text::kLyrFilesPattern},
          {text::kLrcFilesLabel, text::kLrcFilesPattern}};
}

std::vector<FileFilter> saveAsFilters(LyricFileType type) {
  switch (type) {
    case LyricFileType::Text:
    case LyricFileType::Tly:
      return {kTextFilter, kTlyFilter};
    case LyricFileType::Sami:
    case LyricFileType::Lyr:
      return {kTlyFilter};
    case LyricFileType::Lrc:
      return {};
  }
  return {};
}

std::string_view saveAsExtension(LyricFileType type, size_t filterIndex) {
  switch (type) {
    case LyricFileType::Text:
    case LyricFileType::Tly:
      return filterIndex == 0 ? kTxtExtension : kTlyExtension;
    case LyricFileType::Sami:
    case LyricFileType::Lyr:
      return kTlyExtension;
    case LyricFileType::Lrc:
      return {};
  }
  return {};
}

std::filesystem::path saveAsTarget(const std::filesystem::path& chosen, LyricFileType type,
                                   size_t filterIndex) {
  const std::string_view extension = saveAsExtension(type, filterIndex);
  if (extension.empty()) return chosen;
  const std::string name = chosen.filename().string();
  if (name.size() >= kShortNameLength && endsWithIgnoringCase(name, extension)) return chosen;
  std::filesystem::path target = chosen;
  target += std::string(extension);
  return target;
}

LyricFileType typeAfterSaveAs(LyricFileType type) {
  return type == LyricFileType::Sami || type == LyricFileType::Lyr ? LyricFileType::Tly : type;
}

std::vector<FileFilter> audioFilters() {
  return {{text::kAudioFilesLabel, text::kAudioFilesPattern},
          {text::kWavFilesLabel, text::kWavFilesPattern},
          {text::kMp3FilesLabel, text::kMp3FilesPattern},
          {text::kAiffFilesLabel, text::kAiffFilesPattern},
          {text::kAuFilesLabel, text::kAuFilesPattern}};
}

std::filesystem::path tlyPathForAudio(const std::filesystem::path& audio) {
  // Only the file name's extension goes: a "." in a folder name is not one.
  std::string name = audio.filename().string();
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return audio.parent_path() / (name + std::string(kTlyDocumentExtension));
}

std::vector<FileFilter> verifyAudioFilters() {
  return {{text::kSoundFilesLabel, text::kAudioFilesPattern},
          {text::kVerifyWavLabel, text::kWavFilesPattern},
          {text::kMp3FilesLabel, text::kMp3FilesPattern},
          {text::kVerifyAiffLabel, text::kAiffFilesPattern},
          {text::kVerifyAuLabel, text::kAuFilesPattern}};
}

std::vector<FileFilter> verifySamiFilters() {
  return {{text::kSamiExportLabel, text::kSamiExportPattern}};
}

}  // namespace norva::editor
