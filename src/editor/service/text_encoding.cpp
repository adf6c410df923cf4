#include "editor/service/text_encoding.h"

#include <uchardet/uchardet.h>

#include <memory>
#include <optional>

#include "base/gbk_codec.h"
#include "base/utf8.h"

namespace norva::editor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The next code point of valid UTF-8 at `at` (advanced past it); nothing for malformed bytes
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<char32_t> nextUtf8(std::string_view text, size_t& at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return std::nullopt;
  at += length;
  return value;
}

bool isUtf8WithNonAscii(std::string_view text) {
  bool nonAscii = false;
  for (size_t at = 0; at < text.size();) {
    const auto codePoint = nextUtf8(text, at);
    if (!codePoint) return false;
    nonAscii = nonAscii || *codePoint >= 0x80;
  }
  return nonAscii;
}

bool detectorSaysUtf8(std::string_view text) {
  const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
      uchardet_new(), uchardet_delete);
  if (!detector) return false;
  if (uchardet_handle_data(detector.get(), text.data(), text.size()) != 0) return false;
  uchardet_data_end(detector.get());
  const char* charset = uchardet_get_charset(detector.get());
  return charset != nullptr && std::string_view(charset) == "UTF-8";
}

// UTF-16 code units to UTF-8; a lone surrogate becomes U+FFFD, which GBK cannot hold, so the
// conversion to GBK names it instead of dropping it.
std::string utf16ToUtf8(std::span<const uint8_t> bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  const auto unit = [&](size_t i) -> char32_t {
    const unsigned a = bytes[i], b = bytes[i + 1];
    return bigEndian ? (a << 8 | b) : (b << 8 | a);
  };
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t value = unit(i);
    if (value == 0) return out;  // the text ends at its first zero character
    if (value >= 0xD800 && value <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        value = 0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      } else {
        value = kReplacement;
      }
    } else if (value >= 0xD800 && value <= 0xDFFF) {
      value = kReplacement;
    }
    out += codePointToUtf8(value);
  }
  if (i < bytes.size()) out += codePointToUtf8(kReplacement);  // an odd last byte
  return out;
}

GbkConversion unencodable(char32_t codePoint) {
  return {GbkConversion::Status::Unencodable, {}, codePoint};
}

}  // namespace

const char* toString(SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::Gbk:
      return "GBK";
    case SourceEncoding::Utf8:
      return "UTF-8";
    case SourceEncoding::Utf8WithBom:
      return "UTF-8 BOM";
    case SourceEncoding::Utf16Le:
      return "UTF-16LE";
    case SourceEncoding::Utf16Be:
      return "UTF-16BE";
  }
  return "?";
}

const char* toString(GbkConversion::Status status) {
  return status == GbkConversion::Status::Ok ? "Ok" : "Unencodable";
}

std::string codePointToUtf8(char32_t c) {
  std::string out;
  appendUtf8(out, c);
  return out;
}

GbkConversion utf8ToGbkNaming(std::string_view utf8) {
  if (std::optional<std::string> gbk = utf8ToGbk(utf8)) return {GbkConversion::Status::Ok, *gbk, 0};
  // Find the character that failed: the first malformed sequence or character without a GBK
  // form. Only done when the whole conversion failed.
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    const auto codePoint = nextUtf8(utf8, at);
    if (!codePoint) return unencodable(kReplacement);
    if (*codePoint >= 0x80 && !utf8ToGbk(utf8.substr(start, at - start)))
      return unencodable(*codePoint);
  }
  return unencodable(kReplacement);
}

DecodedFile decodeLyricFile(std::span<const uint8_t> bytes) {
  const std::string_view whole(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (whole.starts_with("\xFF\xFE"))
    return {SourceEncoding::Utf16Le, utf8ToGbkNaming(utf16ToUtf8(bytes.subspan(2), false))};
  if (whole.starts_with("\xFE\xFF"))
    return {SourceEncoding::Utf16Be, utf8ToGbkNaming(utf16ToUtf8(bytes.subspan(2), true))};
  // The text ends at its first zero byte.
  const std::string_view text = whole.substr(0, whole.find('\0'));
  if (text.starts_with("\xEF\xBB\xBF"))
    return {SourceEncoding::Utf8WithBom, utf8ToGbkNaming(text.substr(3))};
  if (isUtf8WithNonAscii(text) && detectorSaysUtf8(text))
    return {SourceEncoding::Utf8, utf8ToGbkNaming(text)};
  return {SourceEncoding::Gbk, {GbkConversion::Status::Ok, std::string(text), 0}};
}

}  // namespace norva::editor
