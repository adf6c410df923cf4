#pragma once
// Test double of the layout question: answers from a script and records what it was asked.
#include <deque>
#include <utility>
#include <vector>

#include "lyrics/layout_check.h"

namespace norva::lyr {

class ScriptedQuestion : public LayoutQuestion {
 public:
  struct Asked {
    int screenNumber;
    bool largeFont;
    bool operator==(const Asked&) const = default;
  };

  // Answers in order; once they run out, `fallback`.
  explicit ScriptedQuestion(std::deque<LayoutAnswer> answers = {},
                            LayoutAnswer fallback = LayoutAnswer::KeepChecking)
      : answers_(std::move(answers)), fallback_(fallback) {}

  LayoutAnswer ask(int screenNumber, bool largeFont) override {
    asked.push_back({screenNumber, largeFont});
    if (answers_.empty()) return fallback_;
    const LayoutAnswer next = answers_.front();
    answers_.pop_front();
    return next;
  }

  std::vector<Asked> asked;

 private:
  std::deque<LayoutAnswer> answers_;
  LayoutAnswer fallback_;
};

}  // namespace norva::lyr
