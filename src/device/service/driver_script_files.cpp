#include "device/service/driver_script_files.h"

#include <fstream>

namespace norva::device {

bool driverScriptsRunHere() {
#ifdef _WIN32
  return true;
#else
  return false;
#endif
}

ScriptTarget hostScriptTarget() {
  // The scripts are written for a current Windows in its usual folder. Reading the running
  // system's own folder and version belongs here once the program is built for Windows.
  return ScriptTarget{"C:\\WINDOWS\\", WindowsKind::XpOrLater};
}

std::filesystem::path driverScriptFolder(const std::filesystem::path& programFolder) {
  return programFolder / "drivers" / "update";
}

WrittenScript writeDriverScript(const std::filesystem::path& programFolder, DriverScript script,
                                const ScriptTarget& target) {
  const std::filesystem::path folder = driverScriptFolder(programFolder);
  WrittenScript written{folder / driverScriptFileName(script), {}};
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    written.write.error = folder.string() + ": " + ec.message();
    return written;
  }
  written.write = writeFileAtomically(written.path,
                                      driverScriptText(script, target.windowsFolder, target.kind));
  return written;
}

const char* toString(DriverCheck check) {
  switch (check) {
    case DriverCheck::NotApplicable:
      return "not applicable";
    case DriverCheck::DriverInstalled:
      return "driver installed";
    case DriverCheck::InstallStarted:
      return "install started";
    case DriverCheck::InstallNotWritten:
      return "install script not written";
    case DriverCheck::InstallNotStarted:
      return "install script not started";
  }
  return "unknown";
}

DriverCheck checkDriverAtStartup(bool applies, const std::filesystem::path& driverInfPath,
                                 const std::filesystem::path& programFolder,
                                 const ScriptTarget& target, const ScriptStarter& start) {
  if (!applies) return DriverCheck::NotApplicable;
  if (std::ifstream(driverInfPath).is_open()) return DriverCheck::DriverInstalled;
  const WrittenScript written = writeDriverScript(programFolder, DriverScript::Install, target);
  if (!written.write.ok()) return DriverCheck::InstallNotWritten;
  if (!start || !start(written.path)) return DriverCheck::InstallNotStarted;
  return DriverCheck::InstallStarted;
}

}  // namespace norva::device
