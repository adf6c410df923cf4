#include "lyrics/lrc_syntax.h"

#include <algorithm>

#include "lyrics/decimal.h"

namespace norva::lyr {

bool LineReader::next(InputLine& line) {
  if (pos_ >= text_.size()) return false;
  const size_t lf = text_.find('\n', pos_);
  const size_t end = lf == std::string_view::npos ? text_.size() : lf;
  line.rawLength = (lf == std::string_view::npos ? end : lf + 1) - pos_;
  line.text = text_.substr(pos_, end - pos_);
  if (lf != std::string_view::npos && !line.text.empty() && line.text.back() == '\r')
    line.text.remove_suffix(1);
  pos_ = lf == std::string_view::npos ? text_.size() : lf + 1;
  return true;
}

bool isLrcTimedLine(std::string_view line) {
  return line.size() >= 2 && line[0] == '[' && isDigit(line[1]);
}

std::string_view lrcLyricText(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ']' && (i + 1 >= line.size() || line[i + 1] != '[')) return line.substr(i + 1);
  }
  return {};
}

bool readLrcOffset(std::string_view line, int64_t& tenths) {
  if (line.size() < 7 || line[0] != '[' || line.substr(1, 6) != "offset") return false;
  tenths = line.size() > 8 ? signedDecimal(line.substr(8)) / 100 : 0;
  return true;
}

size_t lrcTagCount(std::string_view line) {
  size_t opens = 0;
  size_t closes = 0;
  for (size_t i = line.find('['); i != std::string_view::npos; i = line.find('[', i + 1))
    if (i + 1 < line.size() && isDigit(line[i + 1])) ++opens;
  for (size_t i = line.find(']'); i != std::string_view::npos; i = line.find(']', i + 1))
    if (i > 0 && isDigit(line[i - 1])) ++closes;
  return std::min(opens, closes);
}

uint32_t readLrcTagTime(std::string_view line, size_t pos) {
  if (pos >= line.size() || !isDigit(line[pos])) return 0;
  constexpr uint64_t kMinutesCap = 1'000'000;  // far beyond any song; keeps the sum in range
  uint64_t minutes = 0;
  while (pos < line.size() && isDigit(line[pos])) {
    minutes =
        std::min<uint64_t>(minutes * 10 + static_cast<uint64_t>(line[pos] - '0'), kMinutesCap);
    ++pos;
  }
  uint64_t seconds = 0;
  uint64_t tenths = 0;
  if (pos < line.size() && line[pos] == ':') {
    ++pos;
    for (int digits = 0; digits < 2 && pos < line.size() && isDigit(line[pos]); ++digits, ++pos)
      seconds = seconds * 10 + static_cast<uint64_t>(line[pos] - '0');
    if (pos + 1 < line.size() && line[pos] == '.' && isDigit(line[pos + 1]))
      tenths = static_cast<uint64_t>(line[pos + 1] - '0');
  }
  const uint64_t value = (minutes * 60 + seconds) * 10 + tenths;
  return static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX));
}

uint32_t applyLrcOffset(uint32_t tenths, int64_t offset) {
  if (offset > 0 && tenths >= static_cast<uint64_t>(offset))
    return tenths - static_cast<uint32_t>(offset);
  if (offset < 0) return static_cast<uint32_t>(std::min<int64_t>(tenths - offset, UINT32_MAX));
  return tenths;
}

bool isTimedTextLine(std::string_view line) {
  return line.size() >= 2 && line[0] == '<' && isDigit(line[1]);
}

std::string_view timedTextLyric(std::string_view line) {
  const size_t close = line.find('>');
  return close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
}

uint32_t timedTextTime(std::string_view line) {
  return static_cast<uint32_t>(leadingDecimal(line.substr(1)) / 100);
}

}  // namespace norva::lyr
