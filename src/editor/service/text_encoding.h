#pragma once
// The encoding of a lyric text brought from elsewhere, and its conversion to GBK, the only
// encoding the editor and the player hold. A file with a UTF-8 or UTF-16 byte-order mark, or
// one the detector reports as UTF-8 (and that is valid UTF-8 with at least one non-ASCII
// character), is converted; every other file is taken as GBK bytes, as they are.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace norva::editor {

enum class SourceEncoding { Gbk, Utf8, Utf8WithBom, Utf16Le, Utf16Be };

// The name the status bar shows: "GBK", "UTF-8", "UTF-8 BOM", "UTF-16LE", "UTF-16BE".
const char* toString(SourceEncoding encoding);

struct GbkConversion {
  enum class Status { Ok, Unencodable };
  Status status = Status::Ok;
  std::string gbk;           // when Ok
  char32_t unencodable = 0;  // the first character GBK cannot hold (or U+FFFD for bad bytes)
};

const char* toString(GbkConversion::Status status);

// UTF-8 to GBK, naming the first character that GBK has no form for.
GbkConversion utf8ToGbkNaming(std::string_view utf8);

struct DecodedFile {
  SourceEncoding encoding = SourceEncoding::Gbk;
  GbkConversion conversion;  // the file's bytes as GBK (the byte-order mark dropped)
};

DecodedFile decodeLyricFile(std::span<const uint8_t> bytes);

// One character in UTF-8 (for messages that name it).
std::string codePointToUtf8(char32_t codePoint);

}  // namespace norva::editor
