#pragma once
// The driver scripts as files beside the program ("drivers/update" in the program's folder),
// and the start-up check for the installed driver. Running a script is a Windows matter: on
// other systems the scripts are written for the user to take to a Windows machine, and the
// start-up check does not apply.
#include <filesystem>
#include <functional>
#include <string>

#include "base/service/file_io.h"
#include "device/driver_scripts.h"

namespace norva::device {

// Whether this system runs the driver scripts (and so checks for the driver at start).
bool driverScriptsRunHere();

// The Windows folder and kind the scripts are written for: "C:\WINDOWS\" of a current
// Windows.
struct ScriptTarget {
  std::string windowsFolder;
  WindowsKind kind = WindowsKind::XpOrLater;
};
ScriptTarget hostScriptTarget();

std::filesystem::path driverScriptFolder(const std::filesystem::path& programFolder);

// Writes the script whole and atomically into the script folder (made when missing).
struct WrittenScript {
  std::filesystem::path path;
  WriteResult write;
};
WrittenScript writeDriverScript(const std::filesystem::path& programFolder, DriverScript script,
                                const ScriptTarget& target);

enum class DriverCheck {
  NotApplicable,    // this system has no such driver
  DriverInstalled,  // the driver's .inf is in the Windows folder
  InstallStarted,   // it was not: the install script was written and started
  InstallNotWritten,
  InstallNotStarted,  // written, but the system would not start it
};
const char* toString(DriverCheck check);

// Starts a written script (hidden console); false when it could not be started.
using ScriptStarter = std::function<bool(const std::filesystem::path& script)>;

// The start-up check: where the scripts run, looks for W + "inf\TCC730_USB.inf" (the
// `driverInfPath` given) and, when it cannot be opened, writes and starts the install script.
DriverCheck checkDriverAtStartup(bool applies, const std::filesystem::path& driverInfPath,
                                 const std::filesystem::path& programFolder,
                                 const ScriptTarget& target, const ScriptStarter& start);

}  // namespace norva::device
