#include "base/service/registry_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "test_support/temp_dir.h"

namespace norva {
namespace {

TEST(RegistryStore, KeysValuesAndTheSubkeyRule) {
  TempDir dir;
  const auto file = dir.path() / "store.reg";
  RegistryStore store(file);
  EXPECT_FALSE(store.setValue("A\\B", "", "x")) << "the key must exist";
  ASSERT_TRUE(store.createKey("A\\B\\C"));
  EXPECT_TRUE(store.keyExists("a\\b"));
  ASSERT_TRUE(store.setValue("A\\B", "", "default"));
  ASSERT_TRUE(store.setValue("A\\B", "Name", "tab\there\nline \\ end"));
  ASSERT_TRUE(store.setValue("a\\b", "NAME", "second"));  // same value, other case
  EXPECT_EQ(store.value("A\\B", "name"), "second");
  EXPECT_EQ(store.value("A\\B", ""), "default");
  EXPECT_FALSE(store.deleteKey("A\\B")) << "a key with subkeys cannot be deleted";
  EXPECT_FALSE(store.deleteKey("A\\X"));
  EXPECT_TRUE(store.deleteKey("A\\B\\C"));
  EXPECT_EQ(store.subkeys("A"), std::vector<std::string>{"B"});

  RegistryStore reopened(file);
  EXPECT_EQ(reopened.value("A\\B", "Name"), "second");
  EXPECT_EQ(reopened.value("A\\B", ""), "default");
  EXPECT_FALSE(reopened.keyExists("A\\B\\C"));
  EXPECT_TRUE(reopened.deleteValue("A\\B", "name"));
  EXPECT_FALSE(reopened.deleteValue("A\\B", "name"));
}

TEST(RegistryStore, TextFormRoundTripsAwkwardStrings) {
  TempDir dir;
  RegistryStore store(dir.path() / "s.reg");
  ASSERT_TRUE(store.createKey("K\\with space"));
  ASSERT_TRUE(store.setValue("K\\with space", "n\t1", "\"C:\\x\" %L\r\n"));
  RegistryStore again(dir.path() / "s.reg");
  EXPECT_EQ(again.value("K\\with space", "n\t1"), "\"C:\\x\" %L\r\n");
}

TEST(RegistryStore, DamagedFileIsNeverOverwritten) {
  TempDir dir;
  const auto file = dir.path() / "bad.reg";
  {
    std::ofstream out(file, std::ios::binary);
    out << "norva-registry 1\nX\tgarbage\n";
  }
  RegistryStore store(file);
  EXPECT_FALSE(store.writable());
  EXPECT_FALSE(store.createKey("A"));
  EXPECT_FALSE(RegistryStore::parse("norva-registry 1\nV\tno-tab\n"));
  EXPECT_FALSE(RegistryStore::parse("norva-registry 1\nK\t\\q\n"));
  EXPECT_FALSE(RegistryStore::parse("norva-registry 1\nK\tA"));  // no final line feed
  EXPECT_TRUE(RegistryStore::parse("norva-registry 1\n"));
}

TEST(RegistryStore, FailedWriteIsUndone) {
  TempDir dir;
  { std::ofstream out(dir.path() / "file"); }
  RegistryStore store(dir.path() / "file" / "store.reg");  // parent is a file: writes fail
  EXPECT_FALSE(store.createKey("A"));
  EXPECT_FALSE(store.keyExists("A"));
}

// Names fold only the 26 ASCII capitals onto small letters. The rows sit at the edges of the
// two letter ranges, where a fold of the whole 0x40-0x5F block or of bytes above 0x7F (GBK lead
// and trail bytes) would wrongly make two different names one.
struct FoldCase {
  char stored;
  char lookedUp;
  bool same;
};

TEST(RegistryStore, NamesFoldOnlyAsciiCapitals) {
  const FoldCase cases[] = {
      {'@', '`', false},       {'`', '@', false},       {'A', 'a', true},
      {'a', 'A', true},        {'Z', 'z', true},        {'z', 'Z', true},
      {'[', '{', false},       {'{', '[', false},       {'M', 'm', true},
      {'\xC1', '\xE1', false}, {'\xE1', '\xC1', false}, {'\xDA', '\xFA', false},
      {'\x80', '\xA0', false},
  };
  for (const auto& c : cases) {
    TempDir dir;
    RegistryStore store(dir.path() / "store.reg");
    const std::string stored = std::string("Key") + c.stored;
    const std::string lookedUp = std::string("key") + c.lookedUp;
    ASSERT_TRUE(store.createKey(stored));
    EXPECT_EQ(store.keyExists(lookedUp), c.same) << int(uint8_t(c.stored));
    ASSERT_TRUE(store.setValue(stored, std::string("v") + c.stored, "x"));
    EXPECT_EQ(store.value(stored, std::string("V") + c.lookedUp).has_value(), c.same)
        << int(uint8_t(c.stored));
  }
}

TEST(RegistryStore, FolderFollowsTheEnvironment) {
  ::setenv("NORVA_REGISTRY_DIR", "/tmp/norva-reg-here", 1);
  EXPECT_EQ(RegistryStore::defaultFolder(), "/tmp/norva-reg-here");
  ::unsetenv("NORVA_REGISTRY_DIR");
  ::setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
  EXPECT_EQ(RegistryStore::defaultFolder(), "/tmp/xdg-data/norva/registry");
  ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace norva
