#pragma once
// Conversion between GBK (code page 936, the text of the player and of the programs' files)
// and UTF-8 / UTF-16, through iconv.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva {

// Decodes GBK bytes. Bytes that are not valid GBK become U+FFFD, so display never fails.
std::string gbkToUtf8(std::string_view gbk);
std::u16string gbkToUtf16(std::string_view gbk);

// Where GBK decoding meets bytes it cannot decode, `undecodable` is handed the rest of the input
// from there on; it appends what stands for them to `out` and returns how many bytes (at least one)
// that was.
using GbkUndecodable = std::function<size_t(std::string_view rest, std::vector<uint8_t>& out)>;

// Decodes GBK and appends it to `out` as UTF-16 little-endian bytes, without byte order mark.
void appendGbkAsUtf16le(std::string_view gbk, std::vector<uint8_t>& out,
                        const GbkUndecodable& undecodable);

// Encodes to GBK; nothing when a character has no GBK form or the input is malformed.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
std::optional<std::string> utf16ToGbk(std::u16string_view utf16);

// True when the byte starts a two-byte GBK character.
constexpr bool isGbkLeadByte(unsigned char byte) {
  return byte >= 0x80;
}

}  // namespace norva
