#pragma once
// A prompter that may be called from a worker thread: the message is shown by the wrapped
// prompter on the GUI thread while the worker waits for the answer. DeviceLink reports
// failures through its prompter from whatever thread runs the operation, so the program builds
// it with this prompter around its Qt prompter. The GUI thread must keep running its event
// loop while a worker asks (runWithProgress does).
#include "base/prompter.h"

namespace norva::device {

class GuiThreadPrompter : public Prompter {
 public:
  explicit GuiThreadPrompter(Prompter& shown) : shown_(shown) {}
  Answer show(const Message& message) override;

 private:
  Prompter& shown_;
};

}  // namespace norva::device
