#pragma once
// Test double of the file dialogs: answers from a script, in order (nothing, as a cancel, when
// the script is used up), and a record of every dialog shown with its folder.
#include <deque>
#include <optional>
#include <vector>

#include "desktop/file_dialogs.h"

namespace norva::desktop {

class ScriptedFileDialogs : public FileDialogs {
 public:
  struct Script {
    std::deque<std::optional<QString>> answers;
    std::vector<QString> starts;
    std::vector<FileDialogSetup> setups;

    std::optional<QString> answer(const FileDialogSetup& setup, const QString& start) {
      setups.push_back(setup);
      starts.push_back(start);
      if (answers.empty()) return std::nullopt;
      auto next = answers.front();
      answers.pop_front();
      return next;
    }
  };

  Script open, save;
  int filter = 0;  // what selectedFilter() reports

  std::optional<QString> chooseOpen(const FileDialogSetup& setup, const QString& start) override {
    return open.answer(setup, start);
  }
  std::optional<QString> chooseSave(const FileDialogSetup& setup, const QString& start) override {
    return save.answer(setup, start);
  }
  int selectedFilter() const override { return filter; }
};

}  // namespace norva::desktop
