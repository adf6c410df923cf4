#pragma once
// A text file for the player: ANSI text (GBK, code page 936) into UTF-16 little-endian with a
// byte order mark, as Windows converts code page 936; a file that already starts with the
// UTF-16 little-endian byte order mark is kept byte for byte. The player does not take text
// files above 1,048,576 bytes, so larger ones are refused.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace norva::lyr {

constexpr uint64_t kMaxPlayerTextBytes = 1048576;

enum class TextEncodingResult {
  Converted,  // ANSI text, converted up to its first zero byte
  Copied,     // already UTF-16 little-endian: the bytes as they were
  TooLarge,   // above kMaxPlayerTextBytes: nothing made
};
const char* toString(TextEncodingResult result);

struct TextEncodingOutcome {
  TextEncodingResult result = TextEncodingResult::TooLarge;
  std::vector<uint8_t> bytes;  // the output file, unless TooLarge
};

// True when a file of `size` bytes is too large for the player.
constexpr bool isTooLargeForPlayer(uint64_t size) {
  return size > kMaxPlayerTextBytes;
}

// The output file for the text file `file`.
TextEncodingOutcome convertTextForPlayer(std::span<const uint8_t> file);

// GBK text to UTF-16 little-endian bytes (no byte order mark), as Windows does it: 0x80 is
// U+20AC, 0xFF is U+F8F5, a lead byte whose pair is no GBK character gives one "?" for the
// pair, a lead byte at the very end one "?".
void appendAnsiAsUtf16le(std::string_view gbk, std::vector<uint8_t>& out);

}  // namespace norva::lyr
