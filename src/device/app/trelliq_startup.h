#pragma once
// Start-up pieces of the device manager that tests can drive without starting the program:
// the command line, and the prompter of a --screenshot run.
#include <QString>
#include <QStringList>
#include <optional>

#include "base/prompter.h"

namespace norva::device {

inline constexpr const char* kApplicationName = "Trelliq";

struct TrelliqArguments {
  std::optional<QString> screenshot;  // --screenshot PNG: save the window and quit
  bool help = false;                  // --help, -h
  bool version = false;               // --version
  QString error;                      // an argument the program does not know
};

TrelliqArguments parseTrelliqArguments(const QStringList& argumentsAfterProgram);
QString trelliqUsage();

// Nothing of a --screenshot run may wait for a click: each message goes to standard error as
// "[caption] text", is answered at once (No or Cancel to questions), and the run fails.
class ScreenshotPrompter : public Prompter {
 public:
  Answer show(const Message& message) override;
  bool anythingShown() const { return shown_; }

 private:
  bool shown_ = false;
};

}  // namespace norva::device
