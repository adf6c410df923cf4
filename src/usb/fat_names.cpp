#include "usb/fat_names.h"
#include "base/utf8.h"

#include <algorithm>

namespace norva::usb {
namespace {

constexpr std::string_view kForbiddenInLongName = "/\\:*?\"<>|";
constexpr std::string_view kForbiddenInShortName = "+,;=[]/\\:*?\"<>|. ";
constexpr uint32_t kMaxShortNameTail = 999999;

char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isShortNameChar(unsigned char c) {
  return c > 0x20 && c < 0x7F &&
         kForbiddenInShortName.find(static_cast<char>(c)) == std::string_view::npos &&
         !(c >= 'a' && c <= 'z');
}

// Upper-case basis characters of one part of a long name: ASCII letters upper-cased, blanks and
// dots dropped, anything else that a short name cannot hold becomes "_".
std::string basisOf(std::string_view part) {
  std::string basis;
  for (size_t i = 0; i < part.size(); ++i) {
    const auto c = static_cast<unsigned char>(part[i]);
    if (c == ' ' || c == '.') continue;
    if (c >= 0x80) {
      // One "_" per character, not per byte.
      while (i + 1 < part.size() && (static_cast<unsigned char>(part[i + 1]) & 0xC0) == 0x80) ++i;
      basis += '_';
      continue;
    }
    const char upper = upperAscii(static_cast<char>(c));
    basis += isShortNameChar(static_cast<unsigned char>(upper)) ? upper : '_';
  }
  return basis;
}

ShortName packShortName(std::string_view base, std::string_view extension) {
  ShortName name;
  name.fill(' ');
  std::copy_n(base.begin(), std::min<size_t>(base.size(), 8), name.begin());
  std::copy_n(extension.begin(), std::min<size_t>(extension.size(), 3), name.begin() + 8);
  return name;
}

// The 8.3 form of a name that is one already ("song.mp3" -> SONG    MP3), else nothing.
std::optional<ShortName> exactShortForm(std::string_view longName) {
  const size_t dot = longName.rfind('.');
  const std::string_view base = longName.substr(0, dot);
  const std::string_view extension =
      dot == std::string_view::npos ? std::string_view{} : longName.substr(dot + 1);
  if (base.empty() || base.size() > 8 || extension.size() > 3) return std::nullopt;
  if (dot != std::string_view::npos && extension.empty()) return std::nullopt;
  std::string upperBase;
  std::string upperExtension;
  for (char c : base) upperBase += upperAscii(c);
  for (char c : extension) upperExtension += upperAscii(c);
  for (char c : upperBase + upperExtension)
    if (!isShortNameChar(static_cast<unsigned char>(c))) return std::nullopt;
  return packShortName(upperBase, upperExtension);
}

}  // namespace

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    uint32_t code = 0;
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
      code = lead;
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      code = lead & 0x1F;
      length = 2;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      code = lead & 0x0F;
      length = 3;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      code = lead & 0x07;
      length = 4;
      minimum = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + length > utf8.size()) return std::nullopt;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return std::nullopt;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    uint32_t code = utf16[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = 0xFFFD;
    }
    appendUtf8(out, static_cast<char32_t>(code));
  }
  return out;
}

bool isValidLongName(std::string_view utf8) {
  const auto units = utf8ToUtf16(utf8);
  if (!units || units->empty() || units->size() > kMaxLongNameUnits) return false;
  if (utf8 == "." || utf8 == "..") return false;
  for (char16_t unit : *units)
    if (unit < 0x20 || unit == 0x7F ||
        (unit < 0x80 &&
         kForbiddenInLongName.find(static_cast<char>(unit)) != std::string_view::npos))
      return false;
  const char last = utf8.back();
  return last != ' ' && last != '.';
}

bool isSafeForPc(std::string_view name) {
  return !name.empty() &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos &&
         name.find("..") == std::string_view::npos;
}

std::string shortNameText(const ShortName& name) {
  std::string base(name.begin(), name.begin() + 8);
  std::string extension(name.begin() + 8, name.end());
  // Bytes outside ASCII belong to a code page we do not know: shown as "_" so that the text
  // stays valid UTF-8 (a leading 0x05 stands for such a byte too).
  for (std::string* part : {&base, &extension})
    for (char& c : *part)
      if (static_cast<unsigned char>(c) >= 0x80 || static_cast<unsigned char>(c) < 0x20) c = '_';
  base.erase(base.find_last_not_of(' ') + 1);
  extension.erase(extension.find_last_not_of(' ') + 1);
  return extension.empty() ? base : base + "." + extension;
}

std::optional<ShortName> makeShortName(std::string_view longName,
                                       std::span<const ShortName> taken) {
  auto isTaken = [&](const ShortName& candidate) {
    return std::find(taken.begin(), taken.end(), candidate) != taken.end();
  };
  if (const auto exact = exactShortForm(longName); exact && !isTaken(*exact)) return exact;

  // A leading dot starts the name, not the extension (".hidden" has no extension).
  const size_t start = longName.find_first_not_of('.');
  const std::string_view body =
      start == std::string_view::npos ? std::string_view{} : longName.substr(start);
  const size_t dot = body.rfind('.');
  std::string base = basisOf(body.substr(0, dot));
  const std::string extension =
      dot == std::string_view::npos ? std::string{} : basisOf(body.substr(dot + 1)).substr(0, 3);
  if (base.empty()) base = "_";
  for (uint32_t tail = 1; tail <= kMaxShortNameTail; ++tail) {
    const std::string suffix = "~" + std::to_string(tail);
    const std::string candidateBase = base.substr(0, 8 - suffix.size()) + suffix;
    const ShortName candidate = packShortName(candidateBase, extension);
    if (!isTaken(candidate)) return candidate;
  }
  return std::nullopt;
}

bool fitsShortNameExactly(std::string_view longName, const ShortName& shortName) {
  return shortNameText(shortName) == longName && exactShortForm(longName).has_value();
}

uint8_t shortNameChecksum(const ShortName& name) {
  uint8_t sum = 0;
  for (uint8_t byte : name) sum = static_cast<uint8_t>(((sum & 1) << 7) + (sum >> 1) + byte);
  return sum;
}

}  // namespace norva::usb
