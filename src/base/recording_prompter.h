#pragma once
// Test double of the prompter: records every message and answers from a script.
#include <deque>
#include <vector>

#include "base/prompter.h"

namespace norva {

class RecordingPrompter : public Prompter {
 public:
  // Answers given in order; once they run out, Ok boxes get Ok and questions `fallback`.
  explicit RecordingPrompter(std::deque<Answer> answers = {}, Answer fallback = Answer::No)
      : answers_(std::move(answers)), fallback_(fallback) {}

  Answer show(const Message& message) override {
    messages.push_back(message);
    if (!answers_.empty()) {
      Answer next = answers_.front();
      answers_.pop_front();
      return next;
    }
    return message.buttons == MessageButtons::Ok ? Answer::Ok : fallback_;
  }

  std::vector<Message> messages;

 private:
  std::deque<Answer> answers_;
  Answer fallback_;
};

}  // namespace norva
