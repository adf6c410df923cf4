#pragma once
// The file dialogs the editor's commands need, as an interface the windows implement with the
// system's dialogs and tests script.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

#include "editor/file_filters.h"

namespace norva::editor {

struct FileDialogRequest {
  std::vector<FileFilter> filters;  // may be empty: no filter list
  std::filesystem::path initialName;
};

struct ChosenFile {
  std::filesystem::path path;
  size_t filterIndex = 0;  // the selected filter, 0-based
  bool operator==(const ChosenFile&) const = default;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // An existing file; nothing when the user cancelled.
  virtual std::optional<ChosenFile> choosePathToOpen(const FileDialogRequest& request) = 0;
  // A name to save under. The dialog itself asks before an existing file of exactly that name
  // is overwritten (the answer No keeps the dialog open); nothing when the user cancelled.
  virtual std::optional<ChosenFile> choosePathToSave(const FileDialogRequest& request) = 0;
};

}  // namespace norva::editor
