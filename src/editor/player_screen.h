#pragma once
// What the player would show while the editor's timed text plays: the text compiled in memory
// exactly as the convert-to-LYR command compiles it (the font from the text: Chinese text the
// large font, all-ASCII text the save dialog's first choice, the small one; no layout question
// is asked), then the screen picked for a playing position the way the preview picks it: the
// last entry whose time, in tenths of a second, is strictly less than the position's.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "preview/lyric_track.h"

namespace norva::editor {

enum class LiveCompile {
  Compiled,  // the text compiles; it may hold no tagged paragraph
  TooLong,   // the player could not hold the timed text ("文件太长!")
  Refused,   // the LRC compile refused the text with one of its numbered errors
};
const char* toString(LiveCompile outcome);

// A timed text compiled once, asked for its screen many times.
class LiveLyric {
 public:
  // Compiles `gbkTimedText` (GBK, CR LF line ends).
  static LiveLyric compile(std::string_view gbkTimedText);
  // Compiles an LRC document's text as the convert commands do: CR LF added unless it ends
  // with a line break, the LRC compile, then every entry given its own text.
  static LiveLyric compileLrc(std::string_view gbkLrcText);

  LiveCompile outcome() const { return outcome_; }
  // The message the convert command would show instead of writing the file (UTF-8); empty
  // when it compiled.
  std::string_view errorText() const;
  // The player font the text compiled for: lyr::kFontClassLarge or kFontClassSmall.
  uint8_t fontClass() const { return fontClass_; }
  size_t screenCount() const { return track_ ? track_->entries().size() : 0; }

  // The screen's text at `seconds` played (GBK, CR between lines); nothing before the first
  // screen's time has passed, for a text without screens, or when the text did not compile.
  std::optional<std::string> screenAt(double seconds) const;

 private:
  void takeImage(std::span<const uint8_t> lyrFile);

  LiveCompile outcome_ = LiveCompile::Compiled;
  std::string_view error_;
  uint8_t fontClass_ = 0;
  std::optional<preview::LyricTrack> track_;
};

// A playing position in whole milliseconds, cut toward zero; below zero and NaN count as 0.
int64_t playedMilliseconds(double seconds);
// The tenths of a second the preview counts for a position: whole milliseconds / 100.
int64_t playedTenths(double seconds);

}  // namespace norva::editor
