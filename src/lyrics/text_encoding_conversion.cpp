#include "lyrics/text_encoding_conversion.h"

#include <algorithm>
#include <string>

#include "base/gbk_codec.h"

namespace norva::lyr {
namespace {

constexpr uint8_t kBomLow = 0xFF;
constexpr uint8_t kBomHigh = 0xFE;

void appendUnit(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// What Windows makes of the bytes the GBK tables do not decode; gives the bytes used.
size_t replaceUndecodable(std::string_view rest, std::string& out) {
  const auto first = static_cast<unsigned char>(rest.front());
  if (first == 0x80) {
    appendUnit(out, u'\u20AC');
    return 1;
  }
  if (first == 0xFF) {
    appendUnit(out, u'\uF8F5');
    return 1;
  }
  appendUnit(out, u'?');
  // A lead byte takes its trail byte with it; at the very end it stands alone.
  return isGbkLeadByte(first) && rest.size() >= 2 ? 2 : 1;
}

}  // namespace

const char* toString(TextEncodingResult result) {
  switch (result) {
    case TextEncodingResult::Converted:
      return "converted";
    case TextEncodingResult::Copied:
      return "copied (already UTF-16)";
    case TextEncodingResult::TooLarge:
      return "too large for the player";
  }
  return "?";
}

void appendAnsiAsUtf16le(std::string_view gbk, std::string& out) {
  appendGbkAsUtf16le(gbk, out, replaceUndecodable);
}

TextEncodingOutcome convertTextForPlayer(std::span<const uint8_t> file) {
  TextEncodingOutcome outcome;
  if (isTooLargeForPlayer(file.size())) return outcome;
  if (file.size() >= 2 && file[0] == kBomLow && file[1] == kBomHigh) {
    outcome.result = TextEncodingResult::Copied;
    outcome.bytes.assign(file.begin(), file.end());
    return outcome;
  }
  const auto end = std::find(file.begin(), file.end(), uint8_t{0});
  const std::string_view text(reinterpret_cast<const char*>(file.data()),
                              static_cast<size_t>(end - file.begin()));
  std::string out;
  out.reserve(2 + 2 * text.size());
  out += static_cast<char>(kBomLow);
  out += static_cast<char>(kBomHigh);
  appendAnsiAsUtf16le(text, out);
  outcome.result = TextEncodingResult::Converted;
  outcome.bytes.assign(out.begin(), out.end());
  return outcome;
}

}  // namespace norva::lyr
