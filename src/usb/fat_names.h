#pragma once
// Names in a FAT root directory: UTF-8 <-> UTF-16 for the long names, the rules a long name must
// meet, the 8.3 short names generated for it, and the checksum that ties long-name slots to
// their short entry.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace norva::usb {

// The 11 bytes of a short name as stored: 8 of base, 3 of extension, blank padded.
using ShortName = std::array<uint8_t, 11>;

// Longest long name in UTF-16 code units.
inline constexpr size_t kMaxLongNameUnits = 255;

// Strict UTF-8 to UTF-16; nothing for malformed UTF-8 (overlong forms, surrogates, cut
// sequences).
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD so that a damaged name still shows.
std::string utf16ToUtf8(std::u16string_view utf16);

// A name a file may be given on the player: valid UTF-8, 1 to 255 UTF-16 units, none of the
// characters FAT forbids (controls, / \ : * ? " < > |), not "." or "..", and not ending in a
// blank or a dot (they would be dropped by other systems and the name would change).
bool isValidLongName(std::string_view utf8);

// A name from the player that may be joined to a folder on the PC: not empty, no "/", "\", NUL
// and no "..", so nothing is ever written outside the chosen folder.
bool isSafeForPc(std::string_view name);

// "NAME    EXT" -> "NAME.EXT" (trailing blanks cut, no dot for an empty extension); bytes
// outside printable ASCII become "_".
std::string shortNameText(const ShortName& name);

// The short name a new entry named `longName` gets, unique among `taken`: the upper-case
// name itself when it is already a valid 8.3 name, else the first free BASIS~N form (N from 1);
// nothing when no form is free. Letters outside ASCII become "_".
std::optional<ShortName> makeShortName(std::string_view longName, std::span<const ShortName> taken);

// True when `longName` needs no long-name slots: exactly the text of `shortName`.
bool fitsShortNameExactly(std::string_view longName, const ShortName& shortName);

// The checksum of a short name that every long-name slot of its group carries.
uint8_t shortNameChecksum(const ShortName& name);

}  // namespace norva::usb
