#include "desktop/program_settings.h"

#include <QCoreApplication>
#include <QDir>

namespace norva::desktop {

void setProgramIdentity(const QString& applicationName) {
  QCoreApplication::setOrganizationName(QString::fromUtf8(kOrganisationName));
  QCoreApplication::setApplicationName(applicationName);
}

QString userConfigFolder() {
  // A relative or empty XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
  const QString fromEnvironment = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment))
    return QDir::cleanPath(fromEnvironment);
  return QDir::homePath() + QStringLiteral("/.config");
}

std::unique_ptr<QSettings> openProgramSettings(const QString& applicationName) {
#ifdef _WIN32
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QString::fromUtf8(kOrganisationName), applicationName);
#else
  // QSettings caches the config folder for the whole process; the path is built here so a
  // changed XDG_CONFIG_HOME takes effect.
  const QString file = userConfigFolder() + '/' + QString::fromUtf8(kOrganisationName) + '/' +
                       applicationName + QStringLiteral(".conf");
  return std::make_unique<QSettings>(file, QSettings::IniFormat);
#endif
}

}  // namespace norva::desktop
