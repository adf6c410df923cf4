#include "lyrics/layout_check.h"

#include "lyrics/lyr_layout.h"

namespace norva::lyr {

const char* toString(LayoutAnswer answer) {
  switch (answer) {
    case LayoutAnswer::IgnoreAll:
      return "ignore all";
    case LayoutAnswer::KeepChecking:
      return "keep checking";
    case LayoutAnswer::Cancel:
      return "cancel";
  }
  return "?";
}

void LayoutCheck::check(int screenNumber, int lines, bool largeFont) {
  if (ignoreAll_ || cancelled_) return;
  if (lines <= (largeFont ? kLargeFontLines : kSmallFontLines)) return;
  switch (question_.ask(screenNumber, largeFont)) {
    case LayoutAnswer::IgnoreAll:
      ignoreAll_ = true;
      break;
    case LayoutAnswer::KeepChecking:
      break;
    case LayoutAnswer::Cancel:
      cancelled_ = true;
      break;
  }
}

}  // namespace norva::lyr
