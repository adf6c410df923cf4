#pragma once
// Reads the editor's timed text into laid-out screens for the timed-text writer.
#include <optional>
#include <string_view>
#include <vector>

#include "lyrics/layout_check.h"
#include "lyrics/lyr_format.h"

namespace norva::lyr {

// A line starting "<digits>" starts a screen at digits / 100 tenths of a second; its other
// lines follow until a line starts with "<"; "<br>" in any letter case breaks a line. Every
// screen is wrapped and checked against the player's line limit for `mode`, asking `question`.
// Nothing when the user cancelled: reading stops at once.
std::optional<std::vector<TimedScreen>> readTimedText(std::string_view text, FontMode mode,
                                                      LayoutQuestion& question);

}  // namespace norva::lyr
