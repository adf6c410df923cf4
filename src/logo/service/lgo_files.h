#pragma once
// LGO files on disk: reading one (with its ".des" description file beside it when the file has
// no header of its own) and saving the converter's logo, asking before an old file is replaced.
#include <filesystem>
#include <optional>

#include "base/prompter.h"
#include "logo/logo_bitmap.h"

namespace norva::logo {

// Reads `path` and, when needed, the head of `path` + ".des".
std::optional<LogoBitmap> readLgoFile(const std::filesystem::path& path);

enum class SaveOutcome { Saved, Declined, NotWritten };
const char* toString(SaveOutcome outcome);

// Asks before replacing an existing file; writes through a temporary file so a failed save
// leaves the old file intact. A file that cannot be written is reported to nobody.
SaveOutcome saveLgo(const std::filesystem::path& path, const LogoBitmap& logo, bool reversedBits,
                    Prompter& prompter);

}  // namespace norva::logo
