#include "desktop/program_settings.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <fstream>
#include <iterator>

#include "env_scope.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::desktop {
namespace {

using norva::testing::EnvScope;

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QString qpath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

TEST(ProgramSettings, IdentityIsNorvaAndTheProgramsName) {
  norva::testing::offscreenApp<QApplication>();
  setProgramIdentity(QStringLiteral("Glyphane"));
  EXPECT_EQ(QCoreApplication::organizationName(), QStringLiteral("Norva"));
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Glyphane"));
}

TEST(ProgramSettings, WrittenUnderTheConfigFolderFromTheEnvironment) {
  TempDir dir;
  const EnvScope config("XDG_CONFIG_HOME", (dir.path() / "config").string());
  {
    auto settings = openProgramSettings(QStringLiteral("Glyphane"));
    settings->beginGroup(QStringLiteral("Options"));
    settings->setValue(QStringLiteral("Threshold"), 389);
    settings->endGroup();
    settings->sync();
    EXPECT_EQ(settings->status(), QSettings::NoError);
  }
  const auto file = dir.path() / "config" / "Norva" / "Glyphane.conf";
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(fileText(file), "[Options]\nThreshold=389\n");

  auto reopened = openProgramSettings(QStringLiteral("Glyphane"));
  EXPECT_EQ(reopened->value(QStringLiteral("Options/Threshold")).toInt(), 389);
  auto other = openProgramSettings(QStringLiteral("Trelliq"));
  EXPECT_FALSE(other->contains(QStringLiteral("Options/Threshold")))
      << "each program has its own settings";
}

TEST(ProgramSettings, ConfigFolderFallsBackToHomeWhenTheVariableIsUnusable) {
  TempDir dir;
  const EnvScope home("HOME", dir.path().string());
  const struct {
    std::optional<std::string> xdg;
    QString expected;
  } cases[] = {
      {std::nullopt, qpath(dir.path() / ".config")},
      {std::string(), qpath(dir.path() / ".config")},
      {std::string("relative/config"), qpath(dir.path() / ".config")},
      {std::string("/somewhere/else/"), QStringLiteral("/somewhere/else")},
  };
  for (const auto& c : cases) {
    const EnvScope config("XDG_CONFIG_HOME", c.xdg);
    EXPECT_EQ(userConfigFolder(), c.expected) << c.xdg.value_or("(unset)");
  }
  const EnvScope config("XDG_CONFIG_HOME", std::nullopt);
  EXPECT_EQ(openProgramSettings(QStringLiteral("Sontrava"))->fileName(),
            qpath(dir.path() / ".config" / "Norva" / "Sontrava.conf"));
}

}  // namespace
}  // namespace norva::desktop
