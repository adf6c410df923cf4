#pragma once
// What the device operations need from the program around them besides the prompter: an
// open-file dialog and a way to start the raw data viewer. The programs implement them with
// Qt dialogs and QProcess, norva with its command line, tests with doubles.
#include <optional>
#include <string>
#include <vector>

namespace norva::device {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // An existing file chosen by the user, or nothing when cancelled. `filter` is the
  // description/pattern pairs separated by line feeds; `initialPath` is pre-filled.
  virtual std::optional<std::string> chooseFileToOpen(void* owner, const std::string& title,
                                                      const std::string& filter,
                                                      const std::string& initialPath) = 0;
};

class ViewerLauncher {
 public:
  virtual ~ViewerLauncher() = default;
  // Starts `program` with `arguments` as separate words (never through a shell).
  virtual bool start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// Starts a detached process with QProcess.
class ProcessViewerLauncher : public ViewerLauncher {
 public:
  bool start(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace norva::device
