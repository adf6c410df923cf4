#pragma once
// The verify dialog's timetable: which screen the player would show from which time, built from
// a SAMI file. Entries closer than one second to the previous accepted one are skipped, every
// entry's screen is cut to 7 lines of at most 16 bytes, and a blank screen covers the time
// before the first entry when that does not start within the first second.
//
// The laid-out table: bytes 0-1 the entry count (big-endian); 7 bytes per entry (minutes,
// seconds, hundredths big-endian 16-bit, page, offset in page big-endian 16-bit); then the
// zero-terminated screens in 528-byte pages from the first page boundary after the entries,
// none crossing a page end. The whole table fits the dialog's 64,000-byte buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norva::lyr {

constexpr size_t kTimetableBufferBytes = 64000;
constexpr size_t kTimetablePageBytes = 528;
constexpr size_t kTimetableEntryBytes = 7;
constexpr int kTimetableScreenLines = 7;
// The latest start the one-byte minutes can hold: 255 min 59.999 s.
constexpr int64_t kLatestTimetableStartMs = 255 * 60000 + 59999;

enum class TimetableBuild {
  Built,   // every SYNC entry of the body was taken or skipped by the spacing rule
  NoBody,  // no "<BODY>" ... "</BODY>": no table
  Cut,     // entries after a start beyond 255 minutes, or beyond the buffer, were left out
};
const char* toString(TimetableBuild build);

struct TimetableEntry {
  uint8_t minutes = 0;
  uint8_t seconds = 0;
  uint16_t hundredths = 0;
  std::string screen;  // GBK, each line ended by a CR; " " for the blank screen
  int64_t startMs() const { return minutes * 60000 + seconds * 1000 + hundredths * 10; }
};

struct SamiTimetable {
  TimetableBuild build = TimetableBuild::NoBody;
  std::vector<TimetableEntry> entries;  // empty only when there is no body
};

SamiTimetable buildSamiTimetable(std::string_view sami);

// The table's bytes, a whole number of pages; empty when there are no entries.
std::vector<uint8_t> layOutTimetable(const SamiTimetable& table);

// The screen's lines without their CRs.
std::vector<std::string_view> timetableScreenLines(std::string_view screen);

}  // namespace norva::lyr
