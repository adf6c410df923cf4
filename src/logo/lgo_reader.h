#pragma once
// Reads LGO files in every layout and depth, also the two other containers the player's tools
// produce: headerless data with a "<name>.des" description file, and the 12-byte header form.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "logo/logo_bitmap.h"

namespace norva::logo {

// `file` is the whole file; `descriptionHead` the first bytes (up to 6) of "<name>.des" when
// that file exists. Returns the accepted logo with its store un-reversed, or nothing.
std::optional<LogoBitmap> decodeLgo(std::span<const uint8_t> file,
                                    std::optional<std::span<const uint8_t>> descriptionHead);

// Reads `path` and, when needed, the head of `path` + ".des".
std::optional<LogoBitmap> readLgoFile(const std::filesystem::path& path);

// True when the name ends in ".lgo" in any letter case.
bool hasLgoExtension(std::string_view name);

}  // namespace norva::logo
