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
      // Taken apart before the pop: copying the optional whole makes GCC warn of a read of an
      // uninitialised QString.
      const bool chosen = answers.front().has_value();
      QString next = chosen ? *answers.front() : QString();
      answers.pop_front();
      if (!chosen) return std::nullopt;
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
