#pragma once
// The USB driver's batch scripts: which kind of Windows a system version is, and the exact
// text of "install.bat" and "uninstall.bat" for it (CR LF line ends, the Windows folder W
// ending in "\", quiet deletes and trailing "\" on copies only for Windows 2000).
#include <optional>
#include <string>
#include <string_view>

namespace norva::device {

enum class WindowsKind {
  XpOrLater = 0,    // 5.1 and above
  Windows2000 = 1,  // 5.0
  Version4 = 2,     // 4.x
};
const char* toString(WindowsKind kind);

// The kind of a system version; nothing for versions the scripts do not know (both driver
// commands then do nothing).
std::optional<WindowsKind> windowsKindOf(unsigned major, unsigned minor);

enum class DriverScript { Install, Uninstall };
const char* toString(DriverScript script);

// "install.bat" or "uninstall.bat".
const char* driverScriptFileName(DriverScript script);

// The Windows folder from the system folder: cut after its last "\" (so it ends in "\").
// A system folder without "\" gives it unchanged.
std::string windowsFolderOf(std::string_view systemFolder);

// The script text, byte for byte. The uninstall script ends in CR LF; the install script
// goes on after an empty line and has no line end after its last line.
std::string driverScriptText(DriverScript script, std::string_view windowsFolder, WindowsKind kind);

}  // namespace norva::device
