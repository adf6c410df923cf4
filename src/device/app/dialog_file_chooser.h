#pragma once
// DeviceLink's file choice through the program's file dialogs, and a choice made before an
// operation moves to a worker thread (the dialog itself is always shown on the GUI thread).
#include <QString>
#include <optional>
#include <string>

#include "desktop/file_dialogs.h"
#include "device/service/device_host.h"

namespace norva::device {

// The dialog filter of Qt from description/pattern pairs separated by line feeds
// ("Intel Hex File(*.hex)\n*.hex\n"): the descriptions, which carry their patterns.
QString dialogFilterOf(const std::string& pairs);

class DialogFileChooser : public FileChooser {
 public:
  explicit DialogFileChooser(desktop::FileDialogs& dialogs) : dialogs_(dialogs) {}
  std::optional<std::string> chooseFileToOpen(void* owner, const std::string& title,
                                              const std::string& filter,
                                              const std::string& initialPath) override;

 private:
  desktop::FileDialogs& dialogs_;
};

// Answers with a choice already made.
class ChosenFile : public FileChooser {
 public:
  explicit ChosenFile(std::string path) : path_(std::move(path)) {}
  std::optional<std::string> chooseFileToOpen(void*, const std::string&, const std::string&,
                                              const std::string&) override {
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace norva::device
