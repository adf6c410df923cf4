#pragma once
// Turns a SAMI caption document into the editor's timed text: each SYNC block becomes one
// paragraph "<start>caption" with the markup removed and "<br>" kept.
#include <string>
#include <string_view>

namespace norva::lyr {

struct SamiConversion {
  bool foundBody = false;  // false when the text has no <BODY> ... </BODY>
  std::string timedText;   // GBK, CR LF; never longer than the SAMI text
};

SamiConversion samiToTimedText(std::string_view sami);

}  // namespace norva::lyr
