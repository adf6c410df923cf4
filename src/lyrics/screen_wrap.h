#pragma once
// Wraps one screen's text into player lines of at most 16 bytes.
#include <string>
#include <string_view>

#include "lyrics/lyr_layout.h"

namespace norva::lyr {

struct WrappedScreen {
  std::string text;  // GBK, CR between lines
  int lines = 0;     // lines the player would show, the empty ones included
};

// A word (run of ASCII letters and digits) that would be cut at the 16th byte moves whole to
// the next line when it is shorter than 16; a two-byte character is never split; a CR is
// inserted after every cut. A lead byte left without its second byte at the very end is dropped.
WrappedScreen wrapScreenText(std::string_view text);

}  // namespace norva::lyr
