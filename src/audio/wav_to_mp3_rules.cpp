#include "audio/wav_to_mp3_rules.h"

#include "base/file_names.h"

namespace norva::audio {
namespace {

constexpr size_t kExtensionCharacters = 4;
constexpr size_t kShortestFolderText = 3;
constexpr std::string_view kMp3Extension = ".mp3";

}  // namespace

std::string mp3NameForWav(std::string_view wavName) {
  if (wavName.size() <= kExtensionCharacters)
    return std::string(wavName) + std::string(kMp3Extension);
  return replaceLastCharacters(wavName, kExtensionCharacters, kMp3Extension);
}

bool outputFolderTextLongEnough(std::string_view folderText) {
  return folderText.size() >= kShortestFolderText;
}

std::string ProgressDots::text(std::string_view name) const {
  std::string shown(name);
  shown.append(static_cast<size_t>(dots_), '.');
  return shown;
}

}  // namespace norva::audio
