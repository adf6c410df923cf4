#pragma once
// UTF-8 encoding of one Unicode code point, for the places that build text from UTF-16 or from
// single characters (file names on a FAT volume, byte-order-marked text files).
#include <string>

namespace norva {

// Appends `code` (at most U+10FFFF) to `out` as one to four UTF-8 bytes.
void appendUtf8(std::string& out, char32_t code);

}  // namespace norva
