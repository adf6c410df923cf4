#include "desktop/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace norva::desktop {
namespace {

std::optional<QString> run(QWidget* parent, const FileDialogSetup& setup, DialogMode mode,
                           const QString& startFolder) {
  QFileDialog dialog(parent, setup.title, startFolder);
  configureFileDialog(dialog, setup, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

void configureFileDialog(QFileDialog& dialog, const FileDialogSetup& setup, DialogMode mode) {
  const bool save = mode == DialogMode::Save;
  dialog.setWindowTitle(setup.title);
  dialog.setNameFilter(setup.filter);
  dialog.setDefaultSuffix(setup.defaultSuffix);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
}

std::optional<QString> QtFileDialogs::chooseOpen(const FileDialogSetup& setup,
                                                 const QString& startFolder) {
  return run(parent_, setup, DialogMode::Open, startFolder);
}

std::optional<QString> QtFileDialogs::chooseSave(const FileDialogSetup& setup,
                                                 const QString& startFolder) {
  return run(parent_, setup, DialogMode::Save, startFolder);
}

QString RememberedFolder::start() {
  if (folder_.isEmpty()) folder_ = QDir::currentPath();
  return folder_;
}

void RememberedFolder::remember(const QString& chosenFile) {
  folder_ = QFileInfo(chosenFile).absolutePath();
}

}  // namespace norva::desktop
