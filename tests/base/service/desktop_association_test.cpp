#include "base/service/desktop_association.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "base/service/file_io.h"
#include "test_support/temp_dir.h"

namespace norva {
namespace {

constexpr std::array<std::string_view, 2> kTypes{"application/x-a", "application/x-b"};

struct MimeappsCase {
  const char* name;
  std::string_view before;
  std::string_view afterSet;
};

// Setting the defaults keeps every line that is not one of the two types' defaults.
const MimeappsCase kSetCases[] = {
    {"empty", "",
     "[Default Applications]\napplication/x-a=ed.desktop;\napplication/x-b=ed.desktop;\n"},
    {"other section only", "[Added Associations]\ntext/plain=v.desktop;",
     "[Added Associations]\ntext/plain=v.desktop;\n\n[Default Applications]\n"
     "application/x-a=ed.desktop;\napplication/x-b=ed.desktop;\n"},
    {"replaces another program's default in place",
     "[Default Applications]\ntext/plain=v.desktop;\napplication/x-a=other.desktop;\n"
     "[Added Associations]\napplication/x-a=other.desktop;\n",
     "[Default Applications]\napplication/x-a=ed.desktop;\napplication/x-b=ed.desktop;\n"
     "text/plain=v.desktop;\n[Added Associations]\napplication/x-a=other.desktop;\n"},
};

TEST(DefaultApplication, SetKeepsOtherLines) {
  for (const auto& c : kSetCases)
    EXPECT_EQ(withDefaultApplication(c.before, kTypes, "ed.desktop"), c.afterSet) << c.name;
}

struct RemoveCase {
  const char* name;
  std::string_view before;
  std::string_view after;
};

const RemoveCase kRemoveCases[] = {
    {"ours only: the section and the file's text go",
     "[Default Applications]\napplication/x-a=ed.desktop;\napplication/x-b=ed.desktop\n", ""},
    {"another program's default stays",
     "[Default Applications]\napplication/x-a=other.desktop;\napplication/x-b=ed.desktop;\n",
     "[Default Applications]\napplication/x-a=other.desktop;\n"},
    {"a list naming us among others is not ours",
     "[Default Applications]\napplication/x-a=ed.desktop;other.desktop;\n",
     "[Default Applications]\napplication/x-a=ed.desktop;other.desktop;\n"},
    {"the same line in another section stays",
     "[Added Associations]\napplication/x-a=ed.desktop;\n",
     "[Added Associations]\napplication/x-a=ed.desktop;\n"},
    {"another type naming us stays",
     "[Default Applications]\ntext/plain=ed.desktop;\napplication/x-a=ed.desktop;\n",
     "[Default Applications]\ntext/plain=ed.desktop;\n"},
    {"nothing of ours: the text is left byte for byte", "[Default Applications]\n\n\n",
     "[Default Applications]\n\n\n"},
};

TEST(DefaultApplication, RemoveTakesOnlyOurDefaults) {
  for (const auto& c : kRemoveCases)
    EXPECT_EQ(withoutDefaultApplication(c.before, kTypes, "ed.desktop"), c.after) << c.name;
}

TEST(DefaultApplication, SetThenRemoveGivesTheFileBack) {
  TempDir dir;
  const std::string before = "[Added Associations]\ntext/plain=v.desktop;\n";
  { std::ofstream(mimeappsFile(dir.path())) << before; }
  ASSERT_TRUE(setDefaultApplication(dir.path(), kTypes, "ed.desktop"));
  ASSERT_TRUE(removeDefaultApplication(dir.path(), kTypes, "ed.desktop"));
  const auto read = readWholeFile(mimeappsFile(dir.path()));
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), before);

  // A file the change made is removed again.
  TempDir fresh;
  ASSERT_TRUE(setDefaultApplication(fresh.path() / "config", kTypes, "ed.desktop"));
  ASSERT_TRUE(removeDefaultApplication(fresh.path() / "config", kTypes, "ed.desktop"));
  EXPECT_FALSE(std::filesystem::exists(mimeappsFile(fresh.path() / "config")));
}

TEST(DesktopExecArgument, QuotesAndEscapes) {
  EXPECT_EQ(desktopExecArgument("/opt/a b/x"), "\"/opt/a b/x\"");
  EXPECT_EQ(desktopExecArgument("/o$t/\"q\"`\\"), "\"/o\\\\$t/\\\\\"q\\\\\"\\\\`\\\\\\\\\"");
}

}  // namespace
}  // namespace norva
