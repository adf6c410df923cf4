#pragma once
// The prompter of a run that nobody watches (a --screenshot run): nothing may wait for a click,
// so every message goes to standard error as "[caption] text" and is answered at once (Ok, No
// or Cancel); the program then ends in failure.
#include "base/prompter.h"

namespace norva::desktop {

class StderrPrompter : public Prompter {
 public:
  Answer show(const Message& message) override;
  bool anythingShown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace norva::desktop
