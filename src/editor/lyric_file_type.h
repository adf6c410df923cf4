#pragma once
// The five kinds of document the editor opens, told apart by the file name's extension.
#include <optional>
#include <string_view>

namespace norva::editor {

enum class LyricFileType { Text = 0, Tly = 1, Sami = 2, Lyr = 3, Lrc = 4 };

const char* toString(LyricFileType type);

// The type named by the last four characters of `fileName` (".TXT", ".TLY", ".SMI", ".LYR",
// ".LRC" in any letter case); nothing for any other name.
std::optional<LyricFileType> fileTypeFromName(std::string_view fileName);

}  // namespace norva::editor
