#pragma once
// The WAV to MP3 converter's rules on names and its progress text, free of files and threads.
#include <cstddef>
#include <string>
#include <string_view>

namespace norva::audio {

// The MP3 name for a source: the last four characters (bytes) of the name, its ".wav",
// become ".mp3"; a name of four characters or fewer keeps them and gets ".mp3" appended, so
// no file is named ".mp3" alone.
std::string mp3NameForWav(std::string_view wavName);

// Whether the output folder's text is long enough to be taken: more than two characters
// (bytes), so a bare "C:" or "/a" is refused before the folder is looked at.
bool outputFolderTextLongEnough(std::string_view folderText);

// The progress text "NAME" followed by 0 to 20 dots, one more at every tick of the converter's
// half-second timer, back to none after twenty.
class ProgressDots {
 public:
  static constexpr int kMostDots = 20;

  // The text for the file being converted, with the dots counted so far.
  std::string text(std::string_view name) const;
  // One tick: one more dot, or none again after the most.
  void advance() { dots_ = dots_ >= kMostDots ? 0 : dots_ + 1; }
  void reset() { dots_ = 0; }
  int dots() const { return dots_; }

 private:
  int dots_ = 0;
};

}  // namespace norva::audio
