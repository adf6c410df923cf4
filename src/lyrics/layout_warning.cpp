#include "lyrics/layout_warning.h"

#include "lyrics/lyric_messages.h"

namespace norva::lyr {
namespace {

constexpr int kLargeFontLines = 3;
constexpr int kSmallFontLines = 6;

std::string warningText(int screenNumber, bool largeFont, bool compilerPath) {
  std::string_view pattern = largeFont ? text::kLayoutWarningLarge : text::kLayoutWarningSmall;
  std::string out = (largeFont && compilerPath) ? "\t\n" : "";
  const size_t mark = pattern.find("%d");
  out.append(pattern.substr(0, mark));
  out.append(std::to_string(screenNumber));
  out.append(pattern.substr(mark + 2));
  return out;
}

}  // namespace

void LayoutWarning::check(int screenNumber, int lines, bool largeFont) {
  if (ignoreAll_ || cancelled_) return;
  if (lines <= (largeFont ? kLargeFontLines : kSmallFontLines)) return;
  const bool compilerPath = path_ == Path::Compiler;
  Message message;
  message.text = warningText(screenNumber, largeFont, compilerPath);
  message.caption =
      (compilerPath && !caption_.empty()) ? caption_ : std::string(text::kEditorCaption);
  message.icon = MessageIcon::Warning;
  message.buttons = MessageButtons::YesNoCancel;
  switch (prompter_.show(message)) {
    case Answer::Yes:
      ignoreAll_ = true;
      break;
    case Answer::No:
      break;
    default:
      cancelled_ = true;
      break;  // Cancel, or the box closed
  }
}

}  // namespace norva::lyr
