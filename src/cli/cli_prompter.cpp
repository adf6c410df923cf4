#include "cli/cli_prompter.h"

#include <ostream>
#include <string>

namespace norva::cli {
namespace {

// Message texts carry the message boxes' own layout (tabs before line feeds); on a terminal
// the tabs are noise.
std::string forTerminal(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\t' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  while (!out.empty() && out.front() == '\n') out.erase(out.begin());
  return out;
}

}  // namespace

Answer CliPrompter::show(const Message& message) {
  out_ << '[' << message.caption << "] " << forTerminal(message.text);
  Answer answer = Answer::Ok;
  switch (message.buttons) {
    case MessageButtons::Ok:
      answer = Answer::Ok;
      break;
    case MessageButtons::OkCancel:
      answer = answer_ == Answer::Cancel ? Answer::Cancel : Answer::Ok;
      break;
    case MessageButtons::YesNo:
      answer = answer_ == Answer::Cancel ? Answer::No : answer_;
      break;
    case MessageButtons::YesNoCancel:
      answer = answer_;
      break;
  }
  if (message.buttons != MessageButtons::Ok) out_ << " -> " << toString(answer);
  out_ << '\n';
  out_.flush();
  return answer;
}

bool CliPrompter::parseAnswer(std::string_view word, Answer& answer) {
  if (word == "yes")
    answer = Answer::Yes;
  else if (word == "no")
    answer = Answer::No;
  else if (word == "cancel")
    answer = Answer::Cancel;
  else
    return false;
  return true;
}

}  // namespace norva::cli
