#include "device/app/dialog_file_chooser.h"

#include <QStringList>

namespace norva::device {

QString dialogFilterOf(const std::string& pairs) {
  const QStringList parts = QString::fromStdString(pairs).split('\n');
  QStringList descriptions;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    if (!parts[i].isEmpty()) descriptions << parts[i];
  return descriptions.join(QStringLiteral(";;"));
}

std::optional<std::string> DialogFileChooser::chooseFileToOpen(void* /*owner*/,
                                                               const std::string& title,
                                                               const std::string& filter,
                                                               const std::string& initialPath) {
  const desktop::FileDialogSetup setup{QString::fromStdString(title), dialogFilterOf(filter), {}};
  const auto chosen = dialogs_.chooseOpen(setup, QString::fromStdString(initialPath));
  if (!chosen) return std::nullopt;
  return chosen->toStdString();
}

}  // namespace norva::device
