#include "editor/verify_sync.h"

#include "editor/editor_messages.h"
#include "editor/player_screen.h"

namespace norva::editor {

std::optional<size_t> timetableEntryAt(const lyr::SamiTimetable& table, int64_t ms) {
  const auto& entries = table.entries;
  for (size_t i = 0; i < entries.size(); ++i) {
    const bool startsInTime = entries[i].startMs() <= ms;
    const bool lastOrNextLater = i + 1 == entries.size() || entries[i + 1].startMs() > ms;
    if (startsInTime && lastOrNextLater) return i;
  }
  return std::nullopt;
}

std::string screenBoxText(std::string_view screen) {
  std::string box;
  box.reserve(screen.size() * 2);
  for (char c : screen) {
    box += c;
    if (c == '\r') box += '\n';
  }
  return box;
}

void VerifySync::start(std::optional<std::string_view> sami) {
  table_.reset();
  if (sami) {
    lyr::SamiTimetable table = lyr::buildSamiTimetable(*sami);
    // The dialog uses a table whose laid-out size is above 0.
    if (!lyr::layOutTimetable(table).empty()) table_ = std::move(table);
  }
  lastShown_.reset();
  mayReportError_ = true;
}

VerifyStep VerifySync::step(double seconds, bool soundCardPresent,
                            std::string_view errorDescription) {
  VerifyStep result;
  if (table_) {
    const int64_t ms = playedMilliseconds(seconds);
    if (ms > 0) {
      const std::optional<size_t> entry = timetableEntryAt(*table_, ms);
      if (entry && entry != lastShown_) {
        result.screen = screenBoxText(table_->entries[*entry].screen);
        lastShown_ = entry;
      }
    }
  }
  if (!soundCardPresent && mayReportError_) {
    mayReportError_ = false;
    result.error = std::string(text::kNoSoundCard);
  } else if (!errorDescription.empty() && mayReportError_) {
    mayReportError_ = false;
    result.error = std::string(errorDescription);
  }
  return result;
}

}  // namespace norva::editor
