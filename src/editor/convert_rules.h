#pragma once
// The convert-to-LYR commands' save dialog: which fonts it offers, which font the chosen
// filter means, and the name of the LYR file.
#include <filesystem>
#include <string_view>
#include <vector>

#include "editor/file_filters.h"
#include "editor/lyr_font_choice.h"

namespace norva::editor {

// True when the text holds a two-byte (Chinese) character; an empty text counts as Chinese.
bool needsLargeFont(std::string_view gbkText);

// Chinese text: only "LYRIC Files(16*16)(*.lyr)"; all-ASCII text: the 8*8 and 8*16 pair.
std::vector<FileFilter> convertFilters(std::string_view gbkText);

// The font of the selected filter (0-based): Large for Chinese text, otherwise the filter's
// position (0 Small, 1 Large).
LyrFontChoice convertFont(std::string_view gbkText, size_t filterIndex);

// The chosen path with ".lyr" appended unless it already ends with ".lyr" in any case (paths
// shorter than five characters always get it).
std::filesystem::path lyrOutputPath(const std::filesystem::path& chosen);

// The same rule with ".smi", for the SAMI export.
std::filesystem::path samiOutputPath(const std::filesystem::path& chosen);

}  // namespace norva::editor
