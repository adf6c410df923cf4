#include "lyrics/service/layout_warning.h"

#include "lyrics/lyrics_messages.h"

namespace norva::lyr {
namespace {

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

Message LayoutWarning::message(int screenNumber, bool largeFont) const {
  const bool compilerPath = path_ == Path::Compiler;
  Message box;
  box.text = warningText(screenNumber, largeFont, compilerPath);
  box.caption = (compilerPath && !caption_.empty()) ? caption_ : std::string(text::kEditorCaption);
  box.icon = MessageIcon::Warning;
  box.buttons = MessageButtons::YesNoCancel;
  return box;
}

LayoutAnswer LayoutWarning::ask(int screenNumber, bool largeFont) {
  switch (prompter_.show(message(screenNumber, largeFont))) {
    case Answer::Yes:
      return LayoutAnswer::IgnoreAll;
    case Answer::No:
      return LayoutAnswer::KeepChecking;
    default:
      return LayoutAnswer::Cancel;  // Cancel, or the box closed
  }
}

}  // namespace norva::lyr
