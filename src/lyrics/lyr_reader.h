#pragma once
// Reading a LYR file back into the editor's timed text, and the header test that decides
// whether a file is a LYR file at all.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lyrics/lyr_format.h"

namespace norva::lyr {

// True when the file starts with the 512-byte header block the writers produce: the value 512
// big-endian, "Norva 398" with its NUL, and the 0x10 marker.
bool hasLyrHeader(std::span<const uint8_t> file);

// The timed text (GBK, CR LF) the editor shows for a LYR file: one paragraph per screen,
// "<" time in milliseconds ">" text. The CRs between a screen's lines become "<br>", except the
// break the layout itself inserts after a full 16-byte line (compiling the text again puts it
// back), so the text compiles to the same screens. Nothing when the file is not accepted:
// a bad header, or a count, offset or text that lies outside the file.
std::optional<std::string> lyrToTimedText(std::span<const uint8_t> file);

// The screens of a LYR file as they are stored (times in tenths, texts with CR line breaks),
// under the same checks.
std::optional<std::vector<TimedScreen>> readLyrScreens(std::span<const uint8_t> file);

}  // namespace norva::lyr
