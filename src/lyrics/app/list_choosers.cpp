#include "lyrics/app/list_choosers.h"

#include <QFileDialog>
#include <QFileInfo>

namespace norva::lyr::app {

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString qtFilters(std::string_view labelsAndPatterns) {
  const QStringList parts = qt(labelsAndPatterns).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << desktop::nameFilter(parts[i], parts[i + 1]);
  return filters.join(QStringLiteral(";;"));
}

QString chosenFolder(const QString& path) {
  const QFileInfo info(path);
  QString folder = info.isSymLink() ? info.symLinkTarget() : path;
  if (!folder.endsWith(u'/')) folder += u'/';
  return folder;
}

QStringList QtListChoosers::chooseFiles(const desktop::FileDialogSetup& setup) {
  QFileDialog dialog(parent_, setup.title, folder_.start(), setup.filter);
  desktop::configureFileDialog(dialog, setup, desktop::DialogMode::Open);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (!files.isEmpty()) folder_.remember(files.front());
  return files;
}

std::optional<QString> QtListChoosers::chooseFolder(const QString& title) {
  const QString folder =
      QFileDialog::getExistingDirectory(parent_, title, QString(), QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

}  // namespace norva::lyr::app
