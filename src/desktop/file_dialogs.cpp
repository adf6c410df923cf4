#include "desktop/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>

namespace norva::desktop {

QString nameFilter(const QString& label, const QString& patterns) {
  return label + QStringLiteral(" (") + patterns.split(u';', Qt::SkipEmptyParts).join(u' ') + u')';
}

void configureFileDialog(QFileDialog& dialog, const FileDialogSetup& setup, DialogMode mode) {
  const bool save = mode == DialogMode::Save;
  dialog.setWindowTitle(setup.title);
  dialog.setNameFilter(setup.filter);
  dialog.setDefaultSuffix(setup.defaultSuffix);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
}

std::optional<QString> QtFileDialogs::run(const FileDialogSetup& setup, DialogMode mode,
                                          const QString& startFolder) {
  QFileDialog dialog(parent_, setup.title, startFolder);
  configureFileDialog(dialog, setup, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  selectedFilter_ =
      std::max(0, static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
  return dialog.selectedFiles().front();
}

std::optional<QString> QtFileDialogs::chooseOpen(const FileDialogSetup& setup,
                                                 const QString& startFolder) {
  return run(setup, DialogMode::Open, startFolder);
}

std::optional<QString> QtFileDialogs::chooseSave(const FileDialogSetup& setup,
                                                 const QString& startFolder) {
  return run(setup, DialogMode::Save, startFolder);
}

QString RememberedFolder::start() {
  if (folder_.isEmpty()) folder_ = QDir::currentPath();
  return folder_;
}

void RememberedFolder::remember(const QString& chosenFile) {
  folder_ = QFileInfo(chosenFile).absolutePath();
}

}  // namespace norva::desktop
