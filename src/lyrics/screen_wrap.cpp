#include "lyrics/screen_wrap.h"

namespace norva::lyr {
namespace {

constexpr char kCr = '\r';

bool isWordByte(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isLeadByte(unsigned char c) {
  return c >= 0x80;
}

// Length of `text` without a lead byte that has lost its second byte at the end.
size_t lengthWithoutDanglingLead(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (!isLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (i + 1 < text.size()) {
      i += 2;  // the byte after a lead byte belongs to its character, whatever its value
    } else {
      return i;
    }
  }
  return text.size();
}

// How many bytes from `pos` make the next line (the CR that ends a line included).
size_t nextLineLength(std::string_view text, size_t pos) {
  size_t taken = 0;
  size_t wordRun = 0;
  bool splitsCharacter = false;
  size_t i = pos;
  while (taken < kLineBytes && i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (isLeadByte(c)) {
      wordRun = 0;
      if (taken + 2 > kLineBytes) {  // only the lead byte would fit
        splitsCharacter = true;
        ++taken;
        break;
      }
      taken += 2;
      i += 2;
      continue;
    }
    ++taken;
    ++i;
    if (isWordByte(c)) {
      ++wordRun;
    } else {
      wordRun = 0;
      if (c == kCr) break;
    }
  }
  if (splitsCharacter) return taken - 1;
  const size_t next = pos + taken;
  if (wordRun >= 1 && wordRun < kLineBytes && next < text.size() &&
      isWordByte(static_cast<unsigned char>(text[next])))
    return kLineBytes - wordRun;  // move the word that would be cut to the next line
  return taken;
}

}  // namespace

WrappedScreen wrapScreenText(std::string_view input) {
  WrappedScreen out;
  const std::string_view text = input.substr(0, lengthWithoutDanglingLead(input));
  out.text.reserve(text.size() + text.size() / kLineBytes + 1);
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t take = nextLineLength(text, pos);
    out.text.append(text.substr(pos, take));
    pos += take;
    if (pos < text.size() && text[pos - 1] != kCr) out.text.push_back(kCr);
    ++out.lines;
  }
  return out;
}

}  // namespace norva::lyr
