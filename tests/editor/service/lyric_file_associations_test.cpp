#include "editor/service/lyric_file_associations.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/service/file_io.h"
#include "test_support/temp_dir.h"

namespace norva::editor {
namespace {

constexpr const char* kProgram = "/opt/norva suite/sontrava";

std::string fileText(const std::filesystem::path& file) {
  const auto read = readWholeFile(file);
  return std::string(read.bytes.begin(), read.bytes.end());
}

struct Fixture {
  TempDir dir;
  std::filesystem::path storeFile = dir.path() / "registry" / "classes_root.reg";
  std::vector<std::vector<std::string>> tools;
  RegistryStore store{storeFile};
  LyricFileAssociations associations{
      store,
      kProgram,
      {dir.path() / "data", dir.path() / "config"},
      [this](const std::vector<std::string>& c) { tools.push_back(c); }};
};

TEST(LyricFileAssociations, AssociateWritesTheTwelveValues) {
  Fixture f;
  ASSERT_EQ(f.associations.associate(), AssociationChange::Done);
  const std::pair<const char*, const char*> expected[] = {
      {".lyr", "Zuvoza.LyrFile"},
      {"Zuvoza.LyrFile\\DefaultIcon", "/opt/norva suite/sontrava,-233"},
      {"Zuvoza.LyrFile\\shell\\open\\command", "\"/opt/norva suite/sontrava\" /LYR \"%L\""},
      {"Zuvoza.LyrFile\\shell\\Open LYR file with Zuvoza\\command",
       "\"/opt/norva suite/sontrava\" /LYR \"%L\""},
      {".lrc", "Zuvoza.LrcFile"},
      {"Zuvoza.LrcFile\\DefaultIcon", "/opt/norva suite/sontrava,-222"},
      {"Zuvoza.LrcFile\\shell\\open\\command", "\"/opt/norva suite/sontrava\" /Lrc \"%L\""},
      {"Zuvoza.LrcFile\\shell\\Open Lrc file with Rovoze\\command",
       "\"/opt/norva suite/sontrava\" /Lrc \"%L\""},
      {".tly", "Zuvoza.TlyFile"},
      {"Zuvoza.TlyFile\\DefaultIcon", "/opt/norva suite/sontrava,-227"},
      {"Zuvoza.TlyFile\\shell\\open\\command", "\"/opt/norva suite/sontrava\" /TLY \"%L\""},
      {"Zuvoza.TlyFile\\shell\\Open TLY file with Rovoze\\command",
       "\"/opt/norva suite/sontrava\" /TLY \"%L\""},
  };
  RegistryStore reopened(f.storeFile);  // what is on disk, not only in memory
  for (const auto& [key, value] : expected) EXPECT_EQ(reopened.value(key, ""), value) << key;
  EXPECT_TRUE(f.associations.isAssociated());
}

TEST(LyricFileAssociations, TheTestLooksAtLyrOnlyAndCaseSensitively) {
  struct Case {
    const char* name;
    const char* lyr;  // nullptr: no ".lyr" key
    const char* lrc;
    bool associated;
  };
  const Case cases[] = {
      {"exact", "Zuvoza.LyrFile", nullptr, true},
      {"letter case differs", "zuvoza.lyrfile", "Zuvoza.LrcFile", false},
      {"another program's type", "Other.LyrFile", "Zuvoza.LrcFile", false},
      {"trailing blank", "Zuvoza.LyrFile ", nullptr, false},
      {"no extension key, LRC ours", nullptr, "Zuvoza.LrcFile", false},
  };
  for (const auto& c : cases) {
    Fixture f;
    if (c.lyr) {
      ASSERT_TRUE(f.store.createKey(".lyr") && f.store.setValue(".lyr", "", c.lyr));
    }
    if (c.lrc) {
      ASSERT_TRUE(f.store.createKey(".lrc") && f.store.setValue(".lrc", "", c.lrc));
    }
    EXPECT_EQ(f.associations.isAssociated(), c.associated) << c.name;
  }
  // The key without a default value.
  Fixture f;
  ASSERT_TRUE(f.store.createKey(".lyr"));
  EXPECT_FALSE(f.associations.isAssociated());
}

TEST(LyricFileAssociations, UnassociateRemovesOnlyWhatAssociateWrote) {
  Fixture f;
  // Another program's keys, some under and beside ours, and named values on the extensions.
  for (const char* key :
       {".lyr", ".lrc", ".tly", ".txt", "Applications\\Zuvoza.exe\\shell\\open\\command",
        "Zuvoza.TlyFile\\shell\\print\\command"})
    ASSERT_TRUE(f.store.createKey(key));
  ASSERT_TRUE(f.store.setValue(".lyr", "Content Type", "application/x-norva-lyr"));
  ASSERT_TRUE(f.store.setValue(".txt", "", "txtfile"));
  ASSERT_TRUE(f.store.setValue("Applications\\Zuvoza.exe\\shell\\open\\command", "", "x %1"));
  const std::string storeBefore = fileText(f.storeFile);
  const std::string mimeappsBefore = "[Default Applications]\ntext/plain=viewer.desktop;\n";
  std::filesystem::create_directories(f.dir.path() / "config");
  { std::ofstream(f.dir.path() / "config" / "mimeapps.list") << mimeappsBefore; }

  ASSERT_EQ(f.associations.associate(), AssociationChange::Done);
  ASSERT_EQ(f.associations.unassociate(), AssociationChange::Done);

  EXPECT_EQ(fileText(f.storeFile), storeBefore);
  EXPECT_EQ(fileText(f.dir.path() / "config" / "mimeapps.list"), mimeappsBefore);
  EXPECT_FALSE(std::filesystem::exists(f.associations.desktopFile()));
  EXPECT_FALSE(std::filesystem::exists(f.associations.mimePackage()));
  EXPECT_FALSE(f.associations.isAssociated());
}

TEST(LyricFileAssociations, UnassociateLeavesAnotherProgramsExtensionValue) {
  Fixture f;
  ASSERT_EQ(f.associations.associate(), AssociationChange::Done);
  ASSERT_TRUE(f.store.setValue(".lrc", "", "Other.LrcFile"));  // taken over since
  ASSERT_EQ(f.associations.unassociate(), AssociationChange::Done);
  EXPECT_EQ(f.store.value(".lrc", ""), "Other.LrcFile");
  EXPECT_FALSE(f.store.value(".lyr", ""));
  // The extension keys stay; every key of the three types is gone.
  EXPECT_EQ(f.store.subkeys(""), (std::vector<std::string>{".lyr", ".lrc", ".tly"}));
}

TEST(LyricFileAssociations, AssociateWritesTheDesktopFilesAndTheDefaults) {
  Fixture f;
  ASSERT_EQ(f.associations.associate(), AssociationChange::Done);
  EXPECT_EQ(fileText(f.dir.path() / "config" / "mimeapps.list"),
            "[Default Applications]\n"
            "application/x-norva-lyr=norva-sontrava.desktop;\n"
            "application/x-norva-lrc=norva-sontrava.desktop;\n"
            "application/x-norva-tly=norva-sontrava.desktop;\n");
  const std::string desktop =
      fileText(f.dir.path() / "data" / "applications" / "norva-sontrava.desktop");
  EXPECT_NE(desktop.find("\nExec=\"/opt/norva suite/sontrava\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("\nMimeType=application/x-norva-lyr;application/x-norva-lrc;"
                         "application/x-norva-tly;\n"),
            std::string::npos);
  EXPECT_TRUE(
      std::filesystem::exists(f.dir.path() / "data" / "mime" / "packages" / "norva-lyrics.xml"));
  ASSERT_EQ(f.tools.size(), 2u);
  EXPECT_EQ(f.tools[0], (std::vector<std::string>{"update-mime-database",
                                                  (f.dir.path() / "data" / "mime").string()}));
}

TEST(LyricFileAssociations, AStoreThatCannotBeWrittenIsReportedAndNotAssociated) {
  // The store's folder is a file: every key fails.
  TempDir dir;
  { std::ofstream(dir.path() / "registry") << "x"; }
  RegistryStore store(dir.path() / "registry" / "classes_root.reg");
  LyricFileAssociations associations(store, kProgram, {dir.path() / "data", dir.path() / "config"},
                                     [](const std::vector<std::string>&) {});
  EXPECT_EQ(associations.associate(), AssociationChange::KeysIncomplete);
  EXPECT_FALSE(associations.isAssociated());
}

TEST(LyricFileAssociations, PackagedMimeTypesMatchWhatAssociateWrites) {
  const auto read = readWholeFile(std::filesystem::path(NORVA_TEST_DATA_DIR) / ".." / ".." /
                                  "data" / "editor" / "norva-lyrics.xml");
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()),
            LyricFileAssociations::mimePackageText());
}

}  // namespace
}  // namespace norva::editor
