#include "lyrics/timed_text_reader.h"

#include "lyrics/decimal.h"
#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr auto npos = std::string_view::npos;

bool isBreakMark(std::string_view text, size_t at) {
  if (at + 4 > text.size() || text[at] != '<' || text[at + 3] != '>') return false;
  return (text[at + 1] == 'b' || text[at + 1] == 'B') &&
         (text[at + 2] == 'r' || text[at + 2] == 'R');
}

// Appends `line` with every "<br>" (any letter case) turned into CR.
void appendWithBreaks(std::string& out, std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (isBreakMark(line, i)) {
      out.push_back('\r');
      i += 3;
    } else {
      out.push_back(line[i]);
    }
  }
}

bool isTimeTag(std::string_view tag) {
  if (tag.empty()) return false;
  for (char c : tag)
    if (!isDigit(c)) return false;
  return true;
}

}  // namespace

std::optional<std::vector<TimedScreen>> readTimedText(std::string_view text, FontMode mode,
                                                      LayoutQuestion& question) {
  LayoutCheck check(question);
  const bool largeFont = mode == FontMode::Large;
  std::vector<TimedScreen> screens;
  size_t d = 0;
  while (d < text.size()) {
    const size_t open = text.find('<', d);
    if (open == npos) break;
    if (open > d) {  // this line does not start with "<": skip it
      const size_t lineEnd = text.find(kCrLf, d);
      if (lineEnd == npos) break;
      d = lineEnd + 2;
      continue;
    }
    const size_t close = text.find('>', d + 1);
    if (close == npos) break;
    const std::string_view tag = text.substr(d + 1, close - d - 1);
    if (!isTimeTag(tag)) {
      const size_t lineEnd = text.find(kCrLf, close + 1);
      if (lineEnd == npos) break;
      d = lineEnd + 2;
      continue;
    }

    TimedScreen screen;
    screen.time = static_cast<uint32_t>(leadingDecimal(tag) / 100);
    d = close + 1;
    std::string gathered;
    do {
      const size_t lineEnd = text.find(kCrLf, d);
      const std::string_view line = text.substr(d, (lineEnd == npos ? text.size() : lineEnd) - d);
      d = lineEnd == npos ? text.size() : lineEnd + 2;
      if (!gathered.empty()) gathered.push_back('\r');
      appendWithBreaks(gathered, line);
    } while (d < text.size() && text[d] != '<');

    WrappedScreen wrapped = wrapScreenText(gathered);
    check.check(static_cast<int>(screens.size()) + 1, wrapped.lines, largeFont);
    if (check.cancelled()) return std::nullopt;
    screen.text = std::move(wrapped.text);
    screens.push_back(std::move(screen));
  }
  return screens;
}

}  // namespace norva::lyr
