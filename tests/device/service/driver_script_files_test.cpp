// The driver scripts as files beside the program, and the start-up check where it applies.
#include "device/service/driver_script_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

std::string contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const ScriptTarget kTarget{"C:\\WINDOWS\\", WindowsKind::XpOrLater};

TEST(DriverScriptFiles, AreWrittenWholeIntoDriversUpdate) {
  TempDir dir;
  for (DriverScript script : {DriverScript::Install, DriverScript::Uninstall}) {
    const WrittenScript written = writeDriverScript(dir.path(), script, kTarget);
    ASSERT_TRUE(written.write.ok()) << written.write.error;
    EXPECT_EQ(written.path, dir.path() / "drivers" / "update" / driverScriptFileName(script));
    EXPECT_EQ(contents(written.path), driverScriptText(script, "C:\\WINDOWS\\", kTarget.kind));
  }
}

TEST(DriverScriptFiles, AScriptThatCannotBeWrittenSaysWhy) {
  TempDir dir;
  std::ofstream(dir.path() / "drivers") << "a file where the folder would be";
  const WrittenScript written = writeDriverScript(dir.path(), DriverScript::Install, kTarget);
  EXPECT_FALSE(written.write.ok());
  EXPECT_NE(written.write.error.find("drivers"), std::string::npos) << written.write.error;
  EXPECT_EQ(contents(dir.path() / "drivers"), "a file where the folder would be");
}

TEST(DriverScriptFiles, ANameTakenByAFolderIsNotWrittenAndTheFolderStays) {
  TempDir dir;
  const auto taken = dir.path() / "drivers" / "update" / "uninstall.bat";
  std::filesystem::create_directories(taken);
  std::ofstream(taken / "kept.txt") << "kept";
  const WrittenScript written = writeDriverScript(dir.path(), DriverScript::Uninstall, kTarget);
  EXPECT_FALSE(written.write.ok());
  EXPECT_EQ(contents(taken / "kept.txt"), "kept");
}

TEST(DriverCheck, DoesNotApplyOnThisSystem) {
  EXPECT_FALSE(driverScriptsRunHere());
  TempDir dir;
  int started = 0;
  EXPECT_EQ(checkDriverAtStartup(driverScriptsRunHere(), dir.path() / "missing.inf", dir.path(),
                                 kTarget, [&](const auto&) { return ++started, true; }),
            DriverCheck::NotApplicable);
  EXPECT_EQ(started, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "drivers"));
}

TEST(DriverCheck, WhereItAppliesAMissingDriverStartsTheInstallScript) {
  TempDir dir;
  std::vector<std::filesystem::path> started;
  auto start = [&](const std::filesystem::path& script) {
    started.push_back(script);
    return true;
  };
  const auto inf = dir.path() / "TCC730_USB.inf";
  EXPECT_EQ(checkDriverAtStartup(true, inf, dir.path(), kTarget, start),
            DriverCheck::InstallStarted);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], dir.path() / "drivers" / "update" / "install.bat");
  EXPECT_EQ(contents(started[0]),
            driverScriptText(DriverScript::Install, "C:\\WINDOWS\\", WindowsKind::XpOrLater));

  std::ofstream(inf) << "[Version]";
  EXPECT_EQ(checkDriverAtStartup(true, inf, dir.path(), kTarget, start),
            DriverCheck::DriverInstalled);
  EXPECT_EQ(started.size(), 1u);
  std::filesystem::remove(inf);
  EXPECT_EQ(checkDriverAtStartup(true, inf, dir.path(), kTarget, [](const auto&) { return false; }),
            DriverCheck::InstallNotStarted);
}

}  // namespace
}  // namespace norva::device
