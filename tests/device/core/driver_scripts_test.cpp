// The driver scripts byte for byte for each kind of Windows, and which versions are which kind.
#include "device/driver_scripts.h"

#include <gtest/gtest.h>

namespace norva::device {
namespace {

struct ScriptCase {
  DriverScript script;
  WindowsKind kind;
  const char* windowsFolder;
  const char* expected;
};

const ScriptCase kScripts[] = {
    {DriverScript::Uninstall, WindowsKind::XpOrLater, "C:\\WINDOWS\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf C:\\WINDOWS\\inf\\wd_virtual.inf remove\r\n"
     "@del C:\\WINDOWS\\system32\\drivers\\winpnp.sys\r\n"
     "@del C:\\WINDOWS\\system32\\drivers\\windrvr.sys\r\n"
     "@del C:\\WINDOWS\\inf\\TCC730_USB.inf\r\n"
     "@del C:\\WINDOWS\\inf\\TCC730_USB.PNF\r\n"
     "@del C:\\WINDOWS\\inf\\wd_virtual.inf\r\n"
     "@echo Removing was completed.\r\n"},
    {DriverScript::Install, WindowsKind::XpOrLater, "C:\\WINDOWS\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf C:\\WINDOWS\\inf\\wd_virtual.inf remove\r\n"
     "@del C:\\WINDOWS\\system32\\drivers\\winpnp.sys\r\n"
     "@del C:\\WINDOWS\\system32\\drivers\\windrvr.sys\r\n"
     "@del C:\\WINDOWS\\inf\\TCC730_USB.inf\r\n"
     "@del C:\\WINDOWS\\inf\\TCC730_USB.PNF\r\n"
     "@del C:\\WINDOWS\\inf\\wd_virtual.inf\r\n"
     "@echo Removing was completed.\r\n"
     "\r\n"
     "@echo Installing new driver...\r\n"
     "copy windrvr.sys C:\\WINDOWS\\system32\\drivers\r\n"
     "copy TCC730_USB.inf C:\\WINDOWS\\inf\r\n"
     "copy wd_virtual.inf C:\\WINDOWS\\inf\r\n"
     "wdreg -inf C:\\WINDOWS\\inf\\wd_virtual.inf install\r\n"
     "@echo Installation was completed."},
    {DriverScript::Uninstall, WindowsKind::Windows2000, "C:\\WINNT\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf C:\\WINNT\\inf\\wd_virtual.inf remove\r\n"
     "@del C:\\WINNT\\system32\\drivers\\winpnp.sys 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\system32\\drivers\\windrvr.sys 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\TCC730_USB.inf 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\TCC730_USB.PNF 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\wd_virtual.inf 1> nul 2> nul\r\n"
     "@echo Removing was completed.\r\n"},
    {DriverScript::Install, WindowsKind::Windows2000, "C:\\WINNT\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf C:\\WINNT\\inf\\wd_virtual.inf remove\r\n"
     "@del C:\\WINNT\\system32\\drivers\\winpnp.sys 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\system32\\drivers\\windrvr.sys 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\TCC730_USB.inf 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\TCC730_USB.PNF 1> nul 2> nul\r\n"
     "@del C:\\WINNT\\inf\\wd_virtual.inf 1> nul 2> nul\r\n"
     "@echo Removing was completed.\r\n"
     "\r\n"
     "@echo Installing new driver...\r\n"
     "copy windrvr.sys C:\\WINNT\\system32\\drivers\\\r\n"
     "copy TCC730_USB.inf C:\\WINNT\\inf\\\r\n"
     "copy wd_virtual.inf C:\\WINNT\\inf\\\r\n"
     "wdreg -inf C:\\WINNT\\inf\\wd_virtual.inf install\r\n"
     "@echo Installation was completed."},
    {DriverScript::Uninstall, WindowsKind::Version4, "D:\\WIN\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf D:\\WIN\\inf\\wd_virtual.inf remove\r\n"
     "@del D:\\WIN\\system32\\drivers\\winpnp.sys\r\n"
     "@del D:\\WIN\\system32\\drivers\\windrvr.sys\r\n"
     "@del D:\\WIN\\inf\\TCC730_USB.inf\r\n"
     "@del D:\\WIN\\inf\\TCC730_USB.PNF\r\n"
     "@del D:\\WIN\\inf\\wd_virtual.inf\r\n"
     "@echo Removing was completed.\r\n"},
    {DriverScript::Install, WindowsKind::Version4, "D:\\WIN\\",
     "@echo ************NORVA Digital Player RD710************ \r\n"
     "@echo Removing previous driver...\r\n"
     "@wdreg -inf D:\\WIN\\inf\\wd_virtual.inf remove\r\n"
     "@del D:\\WIN\\system32\\drivers\\winpnp.sys\r\n"
     "@del D:\\WIN\\system32\\drivers\\windrvr.sys\r\n"
     "@del D:\\WIN\\inf\\TCC730_USB.inf\r\n"
     "@del D:\\WIN\\inf\\TCC730_USB.PNF\r\n"
     "@del D:\\WIN\\inf\\wd_virtual.inf\r\n"
     "@echo Removing was completed.\r\n"
     "\r\n"
     "@echo Installing new driver...\r\n"
     "copy windrvr.sys D:\\WIN\\system32\\drivers\r\n"
     "copy TCC730_USB.inf D:\\WIN\\inf\r\n"
     "copy wd_virtual.inf D:\\WIN\\inf\r\n"
     "wdreg -inf D:\\WIN\\inf\\wd_virtual.inf install\r\n"
     "@echo Installation was completed."},
};

TEST(DriverScripts, TextsAreExactForEveryKind) {
  for (const ScriptCase& c : kScripts) {
    SCOPED_TRACE(std::string(toString(c.script)) + " for " + toString(c.kind));
    EXPECT_EQ(driverScriptText(c.script, c.windowsFolder, c.kind), c.expected);
  }
}

struct VersionCase {
  unsigned major;
  unsigned minor;
  std::optional<WindowsKind> kind;
};

// Around the two boundaries: major 4/5/6 and minor 0/1 of major 5.
const VersionCase kVersions[] = {
    {3, 51, std::nullopt},          {4, 0, WindowsKind::Version4},
    {4, 10, WindowsKind::Version4}, {5, 0, WindowsKind::Windows2000},
    {5, 1, WindowsKind::XpOrLater}, {5, 2, WindowsKind::XpOrLater},
    {6, 0, WindowsKind::XpOrLater}, {10, 0, WindowsKind::XpOrLater},
};

TEST(DriverScripts, WindowsKindFollowsTheVersion) {
  for (const VersionCase& c : kVersions) {
    SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
    EXPECT_EQ(windowsKindOf(c.major, c.minor), c.kind);
  }
}

TEST(DriverScripts, WindowsFolderIsTheSystemFolderCutAfterItsLastBackslash) {
  EXPECT_EQ(windowsFolderOf("C:\\WINDOWS\\system32"), "C:\\WINDOWS\\");
  EXPECT_EQ(windowsFolderOf("C:\\WINNT\\System32\\"), "C:\\WINNT\\System32\\");
  EXPECT_EQ(windowsFolderOf("nofolder"), "nofolder");
}

}  // namespace
}  // namespace norva::device
