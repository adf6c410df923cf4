#include <gtest/gtest.h>

#include <fstream>

#include "base/service/file_io.h"
#include "logo/service/lgo_association.h"
#include "test_support/temp_dir.h"

namespace norva::logo {
namespace {

struct Fixture {
  TempDir dir;
  std::vector<std::vector<std::string>> tools;
  RegistryStore store{dir.path() / "registry" / "classes_root.reg"};
  LgoAssociation association{store, "/opt/norva suite/glyphane", dir.path() / "data",
                             [this](const std::vector<std::string>& c) { tools.push_back(c); }};
};

TEST(LgoAssociation, RegisterWritesTheKeysAndTheDesktopAssociation) {
  Fixture f;
  ASSERT_EQ(f.association.registerType(), RegisterOutcome::Registered);
  EXPECT_EQ(f.store.value(".lgo", ""), "Logo.LgoFile");
  EXPECT_EQ(f.store.value("Logo.LgoFile\\DefaultIcon", ""), "/opt/norva suite/glyphane,-127");
  EXPECT_EQ(f.store.value("Logo.LgoFile\\shell\\open\\command", ""),
            "\"/opt/norva suite/glyphane\" %L");
  EXPECT_EQ(f.store.value("Logo.LgoFile\\shell\\Open Lgo file with Glyphane\\command", ""),
            "\"/opt/norva suite/glyphane\" %L");

  // Persisted: a fresh store on the same file sees the keys.
  RegistryStore reopened(f.dir.path() / "registry" / "classes_root.reg");
  EXPECT_EQ(reopened.value(".LGO", ""), "Logo.LgoFile");

  const auto desktop = readWholeFile(f.association.desktopFile());
  ASSERT_EQ(desktop.status, ReadResult::Status::Ok);
  const std::string text(desktop.bytes.begin(), desktop.bytes.end());
  EXPECT_NE(text.find("Exec=\"/opt/norva suite/glyphane\" %f\n"), std::string::npos);
  EXPECT_NE(text.find("MimeType=application/x-norva-lgo;\n"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(f.association.mimePackage()));
  ASSERT_EQ(f.tools.size(), 2u);
  EXPECT_EQ(f.tools[0][0], "update-mime-database");
  EXPECT_EQ(f.tools[0][1], (f.dir.path() / "data" / "mime").string());
}

TEST(LgoAssociation, UnregisterDeletesSevenKeysAndStopsAtTheFirstApplicationsKey) {
  Fixture f;
  ASSERT_EQ(f.association.registerType(), RegisterOutcome::Registered);
  EXPECT_EQ(f.association.unregisterType(), 7);
  EXPECT_TRUE(f.store.keyExists(".lgo"));
  EXPECT_FALSE(f.store.value(".lgo", ""));
  EXPECT_FALSE(f.store.keyExists("Logo.LgoFile"));
  EXPECT_FALSE(std::filesystem::exists(f.association.desktopFile()));
  EXPECT_FALSE(std::filesystem::exists(f.association.mimePackage()));
}

TEST(LgoAssociation, UnregisterWithApplicationsKeysGoesOnAndStopsAtAKeyWithSubkeys) {
  Fixture f;
  ASSERT_EQ(f.association.registerType(), RegisterOutcome::Registered);
  ASSERT_TRUE(f.store.createKey("Applications\\Glyphane.exe\\shell\\open\\command"));
  ASSERT_TRUE(f.store.createKey("Applications\\Glyphane.exe\\shell\\edit"));
  // open\command, open go; the "Open Lgo file" command key is missing: stop there.
  EXPECT_EQ(f.association.unregisterType(), 9);
  EXPECT_TRUE(f.store.keyExists("Applications\\Glyphane.exe\\shell\\edit"));
}

TEST(LgoAssociation, RegisterSaysWhichPartCouldNotBeWritten) {
  std::vector<std::vector<std::string>> tools;
  const auto record = [&](const std::vector<std::string>& c) { tools.push_back(c); };
  {
    // The store's folder is a file: the first key fails and nothing after it is tried.
    TempDir dir;
    { std::ofstream(dir.path() / "registry") << "x"; }
    RegistryStore store(dir.path() / "registry" / "classes_root.reg");
    LgoAssociation association(store, "/bin/glyphane", dir.path() / "data", record);
    EXPECT_EQ(association.registerType(), RegisterOutcome::KeyNotWritten);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data"));
    EXPECT_TRUE(tools.empty());
  }
  {
    // The data folder is a file: the keys are written, the desktop files cannot be.
    TempDir dir;
    { std::ofstream(dir.path() / "data") << "x"; }
    RegistryStore store(dir.path() / "classes_root.reg");
    LgoAssociation association(store, "/bin/glyphane", dir.path() / "data", record);
    EXPECT_EQ(association.registerType(), RegisterOutcome::DesktopFilesNotWritten);
    EXPECT_EQ(store.value(".lgo", ""), "Logo.LgoFile");
  }
}

TEST(LgoAssociation, UnregisterBeforeRegisterDeletesNothing) {
  Fixture f;
  EXPECT_EQ(f.association.unregisterType(), 0);
  EXPECT_TRUE(f.tools.empty());
}

}  // namespace
}  // namespace norva::logo

namespace norva::logo {
namespace {

std::string dataFile(const char* name) {
  const auto read = readWholeFile(std::filesystem::path(NORVA_TEST_DATA_DIR) / ".." / ".." /
                                  "data" / "logo" / name);
  return std::string(read.bytes.begin(), read.bytes.end());
}

TEST(LgoAssociation, PackagedDesktopFilesMatchWhatRegisteringWrites) {
  TempDir dir;
  RegistryStore store(dir.path() / "s.reg");
  LgoAssociation association(store, "glyphane", dir.path());
  EXPECT_EQ(dataFile("norva-glyphane.desktop"), association.desktopEntryText());
  EXPECT_EQ(dataFile("norva-lgo.xml"), LgoAssociation::mimePackageText());
}

}  // namespace
}  // namespace norva::logo
