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
    std::vector<FileDialogSpec> specs;

    std::optional<QString> answer(const FileDialogSpec& spec, const QString& start) {
      specs.push_back(spec);
      starts.push_back(start);
      if (answers.empty()) return std::nullopt;
      auto next = answers.front();
      answers.pop_front();
      return next;
    }
  };

  Script open, save;

  std::optional<QString> chooseOpen(const FileDialogSpec& spec, const QString& start) override {
    return open.answer(spec, start);
  }
  std::optional<QString> chooseSave(const FileDialogSpec& spec, const QString& start) override {
    return save.answer(spec, start);
  }
};

}  // namespace norva::desktop
