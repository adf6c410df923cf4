#pragma once
// The editor's file chooser on the programs' shared file dialogs: the editor's filter lists in
// Qt's filter syntax, the folder of the last choice as the next start, the selected filter
// handed back with the chosen name, and the question before an existing file is replaced (the
// shared dialogs leave it to the program; No shows the dialog again).
#include "base/prompter.h"
#include "desktop/file_dialogs.h"
#include "editor/service/file_chooser.h"

namespace norva::editor {

// Qt's filter syntax: a label that ends with its one pattern in parentheses ("LYR Files(*.LYR)")
// stays as it is; others get their patterns appended, blank-separated ("所有支持文件(...)
// (*.txt *.smi *.lyr *.lrc)"); filters are joined by ";;". No filters: every file.
QString qtFilterList(const std::vector<FileFilter>& filters);

class DialogFileChooser : public FileChooser {
 public:
  DialogFileChooser(desktop::FileDialogs& dialogs, Prompter& prompter)
      : dialogs_(dialogs), prompter_(prompter) {}

  std::optional<ChosenFile> choosePathToOpen(const FileDialogRequest& request) override;
  std::optional<ChosenFile> choosePathToSave(const FileDialogRequest& request) override;

 private:
  std::optional<ChosenFile> confirmed(const std::optional<QString>& answer,
                                      const FileDialogRequest& request);
  QString start(const FileDialogRequest& request);

  desktop::FileDialogs& dialogs_;
  Prompter& prompter_;
  desktop::RememberedFolder folder_;
};

}  // namespace norva::editor
