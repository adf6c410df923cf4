#pragma once
// Test double of the file chooser: answers from a script and records every request.
#include <deque>
#include <vector>

#include "editor/service/file_chooser.h"

namespace norva::editor {

class ScriptedFileChooser : public FileChooser {
 public:
  // Answers in order (std::nullopt: the user cancels); once they run out, every dialog is
  // cancelled.
  explicit ScriptedFileChooser(std::deque<std::optional<ChosenFile>> answers = {})
      : answers_(std::move(answers)) {}

  void push(std::optional<ChosenFile> answer) { answers_.push_back(std::move(answer)); }

  std::optional<ChosenFile> choosePathToOpen(const FileDialogRequest& request) override {
    openRequests.push_back(request);
    return next();
  }
  std::optional<ChosenFile> choosePathToSave(const FileDialogRequest& request) override {
    saveRequests.push_back(request);
    return next();
  }

  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;

 private:
  std::optional<ChosenFile> next() {
    if (answers_.empty()) return std::nullopt;
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  std::deque<std::optional<ChosenFile>> answers_;
};

}  // namespace norva::editor
