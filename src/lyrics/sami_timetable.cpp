#include "lyrics/sami_timetable.h"

#include <span>

#include "base/byte_order.h"
#include "lyrics/decimal.h"
#include "lyrics/sami_sync_tag.h"
#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kBreak = "<br>";
constexpr std::string_view kNbsp = "&nbsp";
constexpr size_t kMaxPages = kTimetableBufferBytes / kTimetablePageBytes;

bool isControlBlank(char c) {
  return c == '\n' || c == '\t' || c == '\f' || c == '\r';
}

// One piece between "<br>" marks, cleaned as the player's screen wants it.
std::string cleanPiece(std::string_view piece) {
  std::string text;
  for (size_t i = 0; i < piece.size();) {
    if (piece.substr(i, kNbsp.size()) == kNbsp) {
      text.push_back(' ');
      i += kNbsp.size();
    } else {
      text.push_back(piece[i++]);
    }
  }
  size_t start = 0;
  while (start < text.size() && isControlBlank(text[start])) ++start;
  text.erase(0, start);
  for (char& c : text)
    if (isControlBlank(c)) c = ' ';
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// The entry's screen: the pieces' wrapped lines, each ended by a CR, at most 7 of them.
std::string screenOf(std::string_view caption) {
  const std::string stripped = stripSamiTags(caption);
  const std::string_view all(stripped);
  std::string screen;
  int lines = 0;
  size_t from = 0;
  while (lines < kTimetableScreenLines) {
    const size_t mark = all.find(kBreak, from);
    const std::string_view piece = all.substr(from, mark == npos ? npos : mark - from);
    const WrappedScreen wrapped = wrapScreenText(cleanPiece(piece));
    for (std::string_view line : timetableScreenLines(wrapped.text)) {
      if (lines == kTimetableScreenLines) break;
      screen.append(line).push_back('\r');
      ++lines;
    }
    if (mark == npos) break;
    from = mark + kBreak.size();
  }
  return screen;
}

TimetableEntry entryAt(int64_t ms, std::string screen) {
  TimetableEntry entry;
  entry.minutes = static_cast<uint8_t>(ms / 60000);
  entry.seconds = static_cast<uint8_t>(ms % 60000 / 1000);
  entry.hundredths = static_cast<uint16_t>(ms % 1000 / 10);
  entry.screen = std::move(screen);
  return entry;
}

size_t pagesFor(size_t bytes) {
  return (bytes + kTimetablePageBytes - 1) / kTimetablePageBytes;
}

// Where each screen goes, counted from the first text page.
struct TextPlace {
  size_t page;
  size_t offset;
};
std::vector<TextPlace> placeTexts(std::span<const TimetableEntry> entries) {
  std::vector<TextPlace> places;
  places.reserve(entries.size());
  size_t page = 0;
  size_t offset = 0;
  for (const TimetableEntry& entry : entries) {
    const size_t length = entry.screen.size() + 1;
    if (offset + length > kTimetablePageBytes) {
      ++page;
      offset = 0;
    }
    places.push_back({page, offset});
    offset += length;
  }
  return places;
}

// How many of the entries fit the buffer, entries and texts together.
size_t entriesThatFit(std::span<const TimetableEntry> entries) {
  const std::vector<TextPlace> places = placeTexts(entries);
  size_t fitting = 0;
  for (size_t k = 1; k <= entries.size(); ++k) {
    const TextPlace& last = places[k - 1];
    const size_t textPages = last.page + 1;
    const size_t entryPages = pagesFor(2 + kTimetableEntryBytes * k);
    if (entryPages + textPages > kMaxPages) break;
    fitting = k;
  }
  return fitting;
}

}  // namespace

const char* toString(TimetableBuild build) {
  switch (build) {
    case TimetableBuild::Built:
      return "built";
    case TimetableBuild::NoBody:
      return "no SAMI body";
    case TimetableBuild::Cut:
      return "cut to what the timetable can hold";
  }
  return "?";
}

SamiTimetable buildSamiTimetable(std::string_view sami) {
  SamiTimetable table;
  const std::string upper = asciiUpperCased(sami);
  const std::optional<SamiBody> body = findSamiBody(upper);
  if (!body) return table;
  const size_t end = body->end;
  table.build = TimetableBuild::Built;

  int64_t threshold = 0;  // the earliest whole second the next entry may start at
  std::optional<SyncTag> tag = findSyncTag(upper, body->start, end);
  while (tag) {
    const std::string_view value = syncTagValue(sami, *tag);
    if (value.empty() || !isDigit(value.front())) break;
    const int64_t ms = leadingDecimal(value);
    const size_t captionStart = tag->close + 1;
    const std::optional<SyncTag> next = findSyncTag(upper, captionStart, end);
    const int64_t second = ms / 1000 * 1000;
    if (table.entries.empty() || second >= threshold) {
      if (ms > kLatestTimetableStartMs) {
        table.build = TimetableBuild::Cut;
        break;
      }
      threshold = second + 1000;
      const size_t captionEnd = next ? next->close + 1 : end;
      table.entries.push_back(
          entryAt(ms, screenOf(sami.substr(captionStart, captionEnd - captionStart))));
    }
    tag = next;
  }
  if (table.entries.empty() || table.entries.front().startMs() >= 1000)
    table.entries.insert(table.entries.begin(), entryAt(0, " "));

  const size_t fitting = entriesThatFit(table.entries);
  if (fitting < table.entries.size()) {
    table.entries.resize(fitting);
    table.build = TimetableBuild::Cut;
  }
  return table;
}

std::vector<uint8_t> layOutTimetable(const SamiTimetable& table) {
  if (table.entries.empty()) return {};
  const size_t count = table.entries.size();
  const size_t textStart = pagesFor(2 + kTimetableEntryBytes * count) * kTimetablePageBytes;
  const std::vector<TextPlace> places = placeTexts(table.entries);
  const TextPlace& last = places.back();
  std::vector<uint8_t> bytes(textStart + (last.page + 1) * kTimetablePageBytes, 0);
  const std::span<uint8_t> out(bytes);
  writeBe16(out, 0, static_cast<uint16_t>(count));
  for (size_t i = 0; i < count; ++i) {
    const TimetableEntry& entry = table.entries[i];
    const size_t at = 2 + kTimetableEntryBytes * i;
    const size_t textAt = textStart + places[i].page * kTimetablePageBytes + places[i].offset;
    bytes[at] = entry.minutes;
    bytes[at + 1] = entry.seconds;
    writeBe16(out, at + 2, entry.hundredths);
    bytes[at + 4] = static_cast<uint8_t>(textAt / kTimetablePageBytes);
    writeBe16(out, at + 5, static_cast<uint16_t>(places[i].offset));
    std::copy(entry.screen.begin(), entry.screen.end(),
              bytes.begin() + static_cast<ptrdiff_t>(textAt));
  }
  return bytes;
}

std::vector<std::string_view> timetableScreenLines(std::string_view screen) {
  std::vector<std::string_view> lines;
  size_t from = 0;
  while (from < screen.size()) {
    const size_t cr = screen.find('\r', from);
    if (cr == npos) {
      lines.push_back(screen.substr(from));
      break;
    }
    lines.push_back(screen.substr(from, cr - from));
    from = cr + 1;
  }
  return lines;
}

}  // namespace norva::lyr
