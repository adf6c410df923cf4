#include "logo/app/file_dialogs.h"

#include <QFileDialog>

namespace norva::logo {
namespace {

std::optional<QString> run(QWidget* parent, bool save, const QString& startFolder) {
  QFileDialog dialog(parent, QString::fromUtf8(save ? kSaveTitle : kOpenTitle), startFolder);
  dialog.setNameFilter(QString::fromUtf8(save ? kSaveFilter : kOpenFilter));
  dialog.setDefaultSuffix(QStringLiteral("lgo"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks its own overwrite question when it writes.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtFileDialogs::chooseOpen(const QString& startFolder) {
  return run(parent_, false, startFolder);
}

std::optional<QString> QtFileDialogs::chooseSave(const QString& startFolder) {
  return run(parent_, true, startFolder);
}

}  // namespace norva::logo
