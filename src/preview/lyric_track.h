#pragma once
// The lyric the preview shows beside the music: the LYR body (directory record, index, screen
// texts) read from the .LYR file beside an MP3 or from the head of an MPR file, and the rule
// that picks the screen for the time played.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/lyr_layout.h"

namespace norva::preview {

// The most a LYR body can hold (a 32768-byte image less its 512-byte header block); an MPR
// head is read up to this size.
constexpr size_t kMaxLyricBody = lyr::kMaxBodySize;

struct LyricEntry {
  uint16_t time = 0;  // tenths of a second
  std::string text;   // GBK, CR between lines
  bool operator==(const LyricEntry&) const = default;
};

class LyricTrack {
 public:
  // Checks and reads a LYR body whose offset 0 is the directory record. Nothing when the font
  // class (byte 16) is not 1 or 2 or the index does not fit in the bytes. An entry whose text
  // offset lies outside the bytes is left out; a text without its NUL ends with the bytes.
  static std::optional<LyricTrack> fromBody(std::span<const uint8_t> body);

  uint8_t fontClass() const { return fontClass_; }
  const std::vector<LyricEntry>& entries() const { return entries_; }

  // The entry to show at `t` tenths of a second: searching from the last towards the first,
  // the first whose time is strictly less than t. Nothing when t is not past the first entry.
  std::optional<size_t> screenAt(int64_t t) const;

 private:
  uint8_t fontClass_ = 0;
  std::vector<LyricEntry> entries_;
};

// Whether a media file is treated as MPR (its name ends in ".MPR", any case) or as MP3.
bool isMprName(const std::filesystem::path& path);

// The lyric file looked for beside an MP3: the path with its last three characters replaced
// by "LYR" (song.mp3 -> song.LYR).
std::filesystem::path lyricPathFor(const std::filesystem::path& mp3);

// The elapsed time in tenths of a second for a count of frames played.
int64_t tenthsPlayed(int64_t frames, double msPerFrame);
// The status bar's time text, " mm:ss ".
std::string timeText(int64_t tenths);

// The 200 ms progress step: remembers the screen last shown and when it was first shown.
class LyricProgress {
 public:
  explicit LyricProgress(const LyricTrack* track) : track_(track) {}

  struct Step {
    std::optional<size_t> screen;  // entry to show; nothing for an empty lyric part
    bool changed = false;          // differs from the entry shown before
  };
  Step update(int64_t tenths);
  std::optional<size_t> lastShown() const { return lastShown_; }
  int64_t shownSince() const { return shownSince_; }

 private:
  const LyricTrack* track_;
  std::optional<size_t> lastShown_;
  int64_t shownSince_ = 0;
};

}  // namespace norva::preview
