#pragma once
// A prompter that may be asked from the device worker: a question from another thread is
// carried to the user-interface thread and the worker waits for the answer there. Asked on the
// user-interface thread it asks at once.
#include <QObject>

#include "base/prompter.h"

namespace norva::device {

class GuiThreadPrompter : public Prompter {
 public:
  // `target` lives on the user-interface thread and must outlive every question.
  GuiThreadPrompter(Prompter& target, QObject& guiObject) : target_(target), gui_(guiObject) {}
  Answer show(const Message& message) override;

 private:
  Prompter& target_;
  QObject& gui_;
};

}  // namespace norva::device
