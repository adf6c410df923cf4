#pragma once
// The SAMI caption file the editor writes from its timed text: a fixed head, then one SYNC
// block per tagged paragraph with the untagged paragraphs that follow it as further lines.
#include <string>
#include <string_view>

namespace norva::lyr {

// The file's bytes (GBK, CR LF, no line break after the closing tag) for the editor's text
// (CR LF line ends). Lines before the first tagged paragraph and lines starting with a tag
// that is not a plain number, such as "<br>", are left out.
std::string exportSami(std::string_view timedText);

}  // namespace norva::lyr
