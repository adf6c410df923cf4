#pragma once
// Everything the editor takes from the lyric formats library, in one place: the editor's form
// of a text file, LYR files read back into timed text, SAMI into timed text and back, and the
// two compiles of the convert commands.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "editor/lyr_font_choice.h"

namespace norva::editor {

// A text file's bytes as the editor holds them: cut at the first zero byte, every CR dropped
// and every LF written as CR LF.
std::string editorTextFromBytes(std::span<const uint8_t> bytes);

struct LyrReadBack {
  std::string timedText;                      // GBK, CR LF, one tagged paragraph per screen
  LyrFontChoice font = LyrFontChoice::Small;  // from the header's font class
};

// Nothing when the file is not a LYR file the editor accepts.
std::optional<LyrReadBack> readLyrAsTimedText(std::span<const uint8_t> bytes);

// SAMI source as timed text, each SYNC block one tagged paragraph.
std::string samiAsTimedText(std::string_view gbkSami);

// The SAMI file the export writes for a timed text (GBK, CR LF).
std::string samiFileOf(std::string_view gbkTimedText);

// The message when the SAMI file cannot be written.
std::string_view samiWriteFailedText();

enum class CompileOutcome { Written, Refused, Cancelled };

const char* toString(CompileOutcome outcome);

// The timed-text compile: lays the text out in screens (asking about overlong screens),
// writes the LYR file atomically and reports as the compile does.
CompileOutcome compileTimedTextToLyr(std::string_view gbkTimedText,
                                     const std::filesystem::path& output, LyrFontChoice font,
                                     Prompter& prompter);

// The LRC compile of an open LRC document's text.
CompileOutcome compileLrcTextToLyr(std::string_view gbkLrcText, const std::filesystem::path& output,
                                   LyrFontChoice font, Prompter& prompter);

}  // namespace norva::editor
