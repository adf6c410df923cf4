#pragma once
// Reads LGO files in every layout and depth, also the two other containers the player's tools
// produce: headerless data with a "<name>.des" description file, and the 12-byte header form.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "logo/logo_bitmap.h"

namespace norva::logo {

// The largest file any accepted form can have: 12-byte header plus 800 x 800 at depth 8.
constexpr uint64_t kLargestLgoFile = 12 + 640000;

// `file` is the whole file; `descriptionHead` the first bytes (up to 6) of "<name>.des" when
// that file exists. Returns the accepted logo with its store un-reversed, or nothing.
std::optional<LogoBitmap> decodeLgo(std::span<const uint8_t> file,
                                    std::optional<std::span<const uint8_t>> descriptionHead);

// True when the name ends in ".lgo" in any letter case.
bool hasLgoExtension(std::string_view name);

}  // namespace norva::logo
