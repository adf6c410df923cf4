#include "lyrics/screen_wrap.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace norva::lyr {
namespace {

constexpr char kCr = '\r';

enum class ByteClass : uint8_t { Other, Word, Lead, Cr };

constexpr std::array<ByteClass, 256> makeByteClasses() {
  std::array<ByteClass, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
      classes[c] = ByteClass::Word;
    else if (c >= 0x80)
      classes[c] = ByteClass::Lead;
    else if (c == kCr)
      classes[c] = ByteClass::Cr;
  }
  return classes;
}
constexpr std::array<ByteClass, 256> kByteClasses = makeByteClasses();

ByteClass classOf(char c) {
  return kByteClasses[static_cast<unsigned char>(c)];
}
bool isWordByte(char c) {
  return classOf(c) == ByteClass::Word;
}
bool isLeadByte(char c) {
  return classOf(c) == ByteClass::Lead;
}

// Length of `text` without a lead byte that has lost its second byte at the end.
size_t lengthWithoutDanglingLead(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    if (!isLeadByte(text[i])) {
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
  size_t wordRun = 0;
  bool splitsCharacter = false;
  size_t i = pos;
  const size_t end = std::min(text.size(), pos + kLineBytes);
  while (i < end) {
    const ByteClass kind = classOf(text[i]);
    if (kind == ByteClass::Word) {
      ++wordRun;
      ++i;
      continue;
    }
    wordRun = 0;
    if (kind == ByteClass::Lead) {
      if (i + 2 > pos + kLineBytes) {  // only the lead byte would fit
        splitsCharacter = true;
        ++i;
        break;
      }
      i += 2;
      continue;
    }
    ++i;
    if (kind == ByteClass::Cr) break;
  }
  const size_t taken = std::min(i, text.size()) - pos;
  if (splitsCharacter) return taken - 1;
  const size_t next = pos + taken;
  if (wordRun >= 1 && wordRun < kLineBytes && next < text.size() && isWordByte(text[next]))
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
