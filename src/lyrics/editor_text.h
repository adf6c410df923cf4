#pragma once
// The editor holds its text with CR LF line ends; files with LF or CR LF load alike.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace norva::lyr {

// Drops every CR and writes every LF as CR LF.
std::string toEditorLineEnds(std::string_view text);

// A text file's bytes as the editor shows them: cut at the first NUL, then toEditorLineEnds.
std::string editorTextFromFile(std::span<const uint8_t> bytes);

}  // namespace norva::lyr
