#include "base/prompter.h"

namespace norva {

void tell(Prompter& prompter, std::string_view text, std::string_view caption, MessageIcon icon) {
  prompter.show(Message{std::string(text), std::string(caption), icon, MessageButtons::Ok});
}

const char* toString(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return "none";
    case MessageIcon::Information:
      return "information";
    case MessageIcon::Warning:
      return "warning";
    case MessageIcon::Error:
      return "error";
    case MessageIcon::Question:
      return "question";
  }
  return "?";
}

const char* toString(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return "ok";
    case MessageButtons::OkCancel:
      return "ok-cancel";
    case MessageButtons::YesNo:
      return "yes-no";
    case MessageButtons::YesNoCancel:
      return "yes-no-cancel";
  }
  return "?";
}

const char* toString(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return "ok";
    case Answer::Cancel:
      return "cancel";
    case Answer::Yes:
      return "yes";
    case Answer::No:
      return "no";
  }
  return "?";
}

}  // namespace norva
