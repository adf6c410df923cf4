#include "desktop/desktop_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace norva::desktop {

bool openWithDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

QUrl manualUrl(const QString& programPath, const QString& manualFileName) {
  QString folder = QFileInfo(programPath).absolutePath();
  if (!folder.endsWith('/')) folder += '/';
  const QString beside = folder + manualFileName;
  if (QFileInfo::exists(beside)) return QUrl::fromLocalFile(beside);
  const QString installed =
      QDir::cleanPath(folder + QStringLiteral(NORVA_DOC_FOLDER "/") + manualFileName);
  return QUrl::fromLocalFile(QFileInfo::exists(installed) ? installed : beside);
}

bool openManual(const UrlOpener& openUrl, const QString& programPath,
                const QString& manualFileName) {
  return openUrl && openUrl(manualUrl(programPath, manualFileName));
}

}  // namespace norva::desktop
