#pragma once
// Writes the one LGO form the converter produces: depth 1, column layout, height rounded up to
// a multiple of 8 in the header, optionally bit-reversed like the last LGO file that was read.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "base/prompter.h"
#include "logo/logo_bitmap.h"
#include "logo/logo_messages.h"

namespace norva::logo {

// The file's bytes for `logo` (a depth-1 column-layout logo).
std::vector<uint8_t> encodeLgo(const LogoBitmap& logo, bool reversedBits);

enum class SaveOutcome { Saved, Declined, NotWritten };
const char* toString(SaveOutcome outcome);

// Asks before replacing an existing file; writes through a temporary file so a failed save
// leaves the old file intact. A file that cannot be written is reported to nobody.
SaveOutcome saveLgo(const std::filesystem::path& path, const LogoBitmap& logo, bool reversedBits,
                    Prompter& prompter);

}  // namespace norva::logo
