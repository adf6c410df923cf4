#pragma once
// Per-user program settings: QSettings under organisation "Norva" and the program's application
// name. On Linux that is an INI file, <config folder>/Norva/<application>.conf, where the config
// folder is $XDG_CONFIG_HOME (an absolute path) or else ~/.config; tests point XDG_CONFIG_HOME
// at a temporary folder. Elsewhere it is the system's native per-user store.
#include <QSettings>
#include <QString>
#include <memory>

namespace norva::desktop {

inline constexpr const char* kOrganisationName = "Norva";

// Names the running program: organisation "Norva" and `applicationName` (for example
// "Glyphane"), as QSettings and the desktop see them.
void setProgramIdentity(const QString& applicationName);

// The user's config folder as the environment says now (not cached).
QString userConfigFolder();

// The settings of `applicationName`, read from and written to the store described above.
std::unique_ptr<QSettings> openProgramSettings(const QString& applicationName);

}  // namespace norva::desktop
