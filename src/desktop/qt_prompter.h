#pragma once
// The prompter of the Qt programs: a modal message box with the message's text, caption,
// icon and buttons.
#include "base/prompter.h"

class QWidget;

namespace norva::desktop {

class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  Answer show(const Message& message) override;

 private:
  QWidget* parent_;
};

}  // namespace norva::desktop
