#include "lyrics/text_encoding_conversion.h"

#include <algorithm>
#include <string>

#include "base/gbk_codec.h"

namespace norva::lyr {
namespace {

constexpr uint8_t kBomLow = 0xFF;
constexpr uint8_t kBomHigh = 0xFE;

void appendUnit(std::vector<uint8_t>& out, char16_t unit) {
  out.push_back(static_cast<uint8_t>(unit & 0xFF));
  out.push_back(static_cast<uint8_t>(unit >> 8));
}

// What Windows makes of the bytes the GBK tables do not decode; gives the bytes used.
size_t replaceUndecodable(std::string_view rest, std::vector<uint8_t>& out) {
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

void appendAnsiAsUtf16le(std::string_view gbk, std::vector<uint8_t>& out) {
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
  outcome.bytes.reserve(2 + 2 * text.size());
  outcome.bytes.push_back(kBomLow);
  outcome.bytes.push_back(kBomHigh);
  appendAnsiAsUtf16le(text, outcome.bytes);
  outcome.result = TextEncodingResult::Converted;
  return outcome;
}

}  // namespace norva::lyr
