#include "device/driver_scripts.h"

#include <array>

namespace norva::device {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kQuiet = " 1> nul 2> nul";

}  // namespace

const char* toString(WindowsKind kind) {
  switch (kind) {
    case WindowsKind::XpOrLater:
      return "Windows XP or later";
    case WindowsKind::Windows2000:
      return "Windows 2000";
    case WindowsKind::Version4:
      return "Windows 4.x";
  }
  return "unknown";
}

const char* toString(DriverScript script) {
  return script == DriverScript::Install ? "install" : "uninstall";
}

std::optional<WindowsKind> windowsKindOf(unsigned major, unsigned minor) {
  if (major == 5 && minor == 0) return WindowsKind::Windows2000;
  if (major >= 5) return WindowsKind::XpOrLater;
  if (major == 4) return WindowsKind::Version4;
  return std::nullopt;
}

const char* driverScriptFileName(DriverScript script) {
  return script == DriverScript::Install ? "install.bat" : "uninstall.bat";
}

std::string windowsFolderOf(std::string_view systemFolder) {
  const size_t last = systemFolder.rfind('\\');
  if (last == std::string_view::npos) return std::string(systemFolder);
  return std::string(systemFolder.substr(0, last + 1));
}

std::string driverScriptText(DriverScript script, std::string_view windowsFolder,
                             WindowsKind kind) {
  const std::string w(windowsFolder);
  const bool w2k = kind == WindowsKind::Windows2000;
  const std::string quiet = w2k ? std::string(kQuiet) : std::string();
  const std::string slash = w2k ? "\\" : "";
  const std::array<std::string, 9> removal = {
      "@echo ************NORVA Digital Player RD710************ ",
      "@echo Removing previous driver...",
      "@wdreg -inf " + w + "inf\\wd_virtual.inf remove",
      "@del " + w + "system32\\drivers\\winpnp.sys" + quiet,
      "@del " + w + "system32\\drivers\\windrvr.sys" + quiet,
      "@del " + w + "inf\\TCC730_USB.inf" + quiet,
      "@del " + w + "inf\\TCC730_USB.PNF" + quiet,
      "@del " + w + "inf\\wd_virtual.inf" + quiet,
      "@echo Removing was completed.",
  };
  std::string text;
  for (const std::string& line : removal) {
    text += line;
    text += kLineEnd;
  }
  if (script == DriverScript::Uninstall) return text;
  const std::array<std::string, 6> installation = {
      "@echo Installing new driver...",
      "copy windrvr.sys " + w + "system32\\drivers" + slash,
      "copy TCC730_USB.inf " + w + "inf" + slash,
      "copy wd_virtual.inf " + w + "inf" + slash,
      "wdreg -inf " + w + "inf\\wd_virtual.inf install",
      "@echo Installation was completed.",
  };
  text += kLineEnd;
  for (size_t i = 0; i < installation.size(); ++i) {
    if (i > 0) text += kLineEnd;
    text += installation[i];
  }
  return text;
}

}  // namespace norva::device
