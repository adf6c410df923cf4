#pragma once
// The verify dialog's steps without its window: which timetable entry to show while the audio
// plays, the text its screen box holds, and the player errors reported once per press of
// "播放".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "lyrics/sami_timetable.h"

namespace norva::editor {

// The entry shown at `ms`: the one whose start is at or before it and whose successor starts
// after it (the last has no end); nothing before the first entry.
std::optional<size_t> timetableEntryAt(const lyr::SamiTimetable& table, int64_t ms);

// A timetable screen as the box shows it: every CR followed by an LF.
std::string screenBoxText(std::string_view screen);

// What one step of the 100 ms timer shows.
struct VerifyStep {
  std::optional<std::string> screen;  // GBK, CR LF; a new entry to put into the box
  std::optional<std::string> error;   // UTF-8, a message to show
};

class VerifySync {
 public:
  // "播放" was pressed with the SAMI file's text, or nothing when it could not be read. A text
  // without a usable body gives no timetable; every press allows one error report.
  void start(std::optional<std::string_view> sami);

  // The timer's step at the player's position, with the player's sound card check and error
  // text.
  VerifyStep step(double seconds, bool soundCardPresent, std::string_view errorDescription);

  bool hasTimetable() const { return table_.has_value(); }
  const std::optional<lyr::SamiTimetable>& timetable() const { return table_; }

 private:
  std::optional<lyr::SamiTimetable> table_;
  std::optional<size_t> lastShown_;
  bool mayReportError_ = false;
};

}  // namespace norva::editor
