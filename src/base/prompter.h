#pragma once
// The one way core code and services ask the user something or tell the user something.
// The programs show Qt message boxes, norva writes to stderr and answers from its command line,
// tests script the answers and record every message.
#include <string>
#include <string_view>

namespace norva {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
  std::string text;     // UTF-8, exactly as the user sees it
  std::string caption;  // UTF-8
  MessageIcon icon = MessageIcon::None;
  MessageButtons buttons = MessageButtons::Ok;

  bool operator==(const Message&) const = default;
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual Answer show(const Message& message) = 0;
};

// Tells the user something: one message box with an OK button.
void tell(Prompter& prompter, std::string_view text, std::string_view caption,
          MessageIcon icon = MessageIcon::None);

// Names used in logs and test failure output.
const char* toString(MessageIcon icon);
const char* toString(MessageButtons buttons);
const char* toString(Answer answer);

}  // namespace norva
