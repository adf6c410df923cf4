#pragma once
// "设定音频位置": one number field in milliseconds, 0 to 5,000,000, with OK and Cancel. OK with
// anything else shows the range message and keeps the dialog open.
#include <QDialog>
#include <cstdint>
#include <optional>

#include "base/prompter.h"

class QLineEdit;

namespace norva::editor {

class SetPositionDialog : public QDialog {
  Q_OBJECT
 public:
  SetPositionDialog(Prompter& prompter, QWidget* parent = nullptr);

  QLineEdit* field() const { return field_; }
  // The accepted entry; nothing before OK was accepted.
  std::optional<int64_t> milliseconds() const { return milliseconds_; }

  // Runs the dialog; the entered milliseconds, nothing when cancelled.
  static std::optional<int64_t> ask(Prompter& prompter, QWidget* parent);

 public slots:
  void accept() override;

 private:
  Prompter& prompter_;
  QLineEdit* field_ = nullptr;
  std::optional<int64_t> milliseconds_;
};

}  // namespace norva::editor
