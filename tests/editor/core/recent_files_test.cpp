#include <gtest/gtest.h>

#include "editor/recent_files.h"

namespace norva::editor {
namespace {

using Entries = std::vector<std::string>;

TEST(RecentFiles, TheFifthFilePushesOutTheOldest) {
  RecentFileList list;
  for (const char* path : {"/a.tly", "/b.tly", "/c.tly", "/d.tly"}) list.add(path);
  EXPECT_EQ(list.entries(), (Entries{"/d.tly", "/c.tly", "/b.tly", "/a.tly"}));
  list.add("/e.tly");
  EXPECT_EQ(list.entries(), (Entries{"/e.tly", "/d.tly", "/c.tly", "/b.tly"}));
}

TEST(RecentFiles, AFileAlreadyListedMovesToTheTop) {
  RecentFileList list({"/a", "/b", "/c"});
  list.add("/c  ");  // the blanks that travel with a recent entry are not part of the path
  EXPECT_EQ(list.entries(), (Entries{"/c", "/a", "/b"}));
  list.add("   ");
  EXPECT_EQ(list.entries().size(), 3u);
}

TEST(RecentFiles, AStoredListKeepsItsOrderAndFourEntries) {
  RecentFileList list({"/1", "/2", "/1", "/3", "/4", "/5"});
  EXPECT_EQ(list.entries(), (Entries{"/1", "/2", "/3", "/4"}));
}

}  // namespace
}  // namespace norva::editor
