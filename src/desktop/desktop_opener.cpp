#include "desktop/desktop_opener.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace norva::desktop {

bool openWithDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

QUrl manualUrl(const QString& programPath, const QString& manualFileName) {
  QString folder = QFileInfo(programPath).absolutePath();
  if (!folder.endsWith('/')) folder += '/';
  return QUrl::fromLocalFile(folder + manualFileName);
}

bool openManual(const UrlOpener& openUrl, const QString& programPath,
                const QString& manualFileName) {
  return openUrl && openUrl(manualUrl(programPath, manualFileName));
}

}  // namespace norva::desktop
