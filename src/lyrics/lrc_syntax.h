#pragma once
// The line and tag rules of the compiler's two input syntaxes (LRC and timed text).
#include <cstdint>
#include <string_view>

namespace norva::lyr {

// Lines cut at LF, with the CR before the LF removed. `rawLength` counts the line's bytes with
// its CR LF (the compiler's line length limit is on that).
struct InputLine {
  std::string_view text;
  size_t rawLength = 0;
};

class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  // The next line, empty lines included; false at the end.
  bool next(InputLine& line);

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// LRC: a timed line starts "[" and a digit.
bool isLrcTimedLine(std::string_view line);
// The lyric of a timed line: what follows the first "]" not followed by "[".
std::string_view lrcLyricText(std::string_view line);
// The "[offset:N]" value in tenths (N milliseconds / 100, towards zero), when this is one.
bool readLrcOffset(std::string_view line, int64_t& tenths);
// How many tags a timed line holds: the smaller of the "[digit" and "digit]" counts.
size_t lrcTagCount(std::string_view line);
// The time of the tag whose first byte is at `pos` (the byte after its "["), in tenths:
// minutes (one or more digits), ":", two second digits, optional "." and a fraction of which
// the first digit counts. 0 when the tag does not start with a digit.
uint32_t readLrcTagTime(std::string_view line, size_t pos);
// Applies the offset: a positive offset moves times of at least that size earlier; a negative
// one moves every time later.
uint32_t applyLrcOffset(uint32_t tenths, int64_t offset);

// Timed text: a timed line starts "<" and a digit; its lyric follows the first ">".
bool isTimedTextLine(std::string_view line);
std::string_view timedTextLyric(std::string_view line);
uint32_t timedTextTime(std::string_view line);  // milliseconds / 100

}  // namespace norva::lyr
