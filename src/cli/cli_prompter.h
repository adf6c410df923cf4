#pragma once
// The prompter of the command line: every message goes to stderr in UTF-8 as
// "[caption] text"; questions are answered from the command line's --on-warning choice.
#include <iosfwd>

#include "base/prompter.h"

namespace norva::cli {

class CliPrompter : public Prompter {
 public:
  // `questionAnswer` answers every Yes/No(/Cancel) question.
  CliPrompter(std::ostream& out, Answer questionAnswer) : out_(out), answer_(questionAnswer) {}
  Answer show(const Message& message) override;

  // Parses "yes", "no" or "cancel".
  static bool parseAnswer(std::string_view word, Answer& answer);

 private:
  std::ostream& out_;
  Answer answer_;
};

}  // namespace norva::cli
