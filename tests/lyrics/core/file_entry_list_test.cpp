#include "lyrics/file_entry_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace norva::lyr {
namespace {

std::vector<std::string> names(const FileEntryList& list) {
  std::vector<std::string> out;
  for (const FileEntry& entry : list.entries()) out.push_back(entry.folder + entry.name);
  return out;
}

TEST(FileEntryList, SameFileTwiceLeavesOneRowSameNameInTwoFoldersGivesTwo) {
  FileEntryList list;
  EXPECT_TRUE(list.add({"song.lrc", "/music/a/", 10}));
  EXPECT_FALSE(list.add({"SONG.LRC", "/Music/A/", 10}));
  EXPECT_FALSE(list.add({"song.lrc", "/music/a/", 10}));
  EXPECT_TRUE(list.add({"song.lrc", "/music/b/", 12}));
  EXPECT_TRUE(list.add({"song2.lrc", "/music/a/", 3}));
  EXPECT_EQ(names(list), (std::vector<std::string>{"/music/a/song.lrc", "/music/b/song.lrc",
                                                   "/music/a/song2.lrc"}));
}

TEST(FileEntryList, RemoveTakesTheSelectedRowsAndClearTakesAll) {
  FileEntryList list;
  for (const char* name : {"a", "b", "c", "d", "e"}) list.add({name, "/f/", 1});
  const std::vector<size_t> selected{3, 0, 3, 9};
  list.remove(selected);
  EXPECT_EQ(names(list), (std::vector<std::string>{"/f/b", "/f/c", "/f/e"}));
  list.clear();
  EXPECT_TRUE(list.empty());
  // A cleared list takes the files again.
  EXPECT_TRUE(list.add({"a", "/f/", 1}));
}

TEST(FileEntryList, SortsByNameWithoutRegardToCase) {
  FileEntryList list;
  for (const char* name : {"b.lyr", "A.lyr", "C.lyr", "_x.lyr", "\xB0\xA1.lyr"})
    list.add({name, "/out/", 0});
  list.add({"a.lyr", "/other/", 0});
  list.sortByName();
  std::vector<std::string> sorted;
  for (const FileEntry& entry : list.entries()) sorted.push_back(entry.name);
  // Letters are folded to lower case, so '_' (0x5F) comes before them; equal names keep their
  // order; GBK bytes come after ASCII.
  EXPECT_EQ(sorted, (std::vector<std::string>{"_x.lyr", "A.lyr", "a.lyr", "b.lyr", "C.lyr",
                                              "\xB0\xA1.lyr"}));
}

TEST(FileEntryList, PathSplitsAtTheLastSlash) {
  EXPECT_EQ(fileEntryOf("/a/b/song.mp3", 7), (FileEntry{"song.mp3", "/a/b/", 7}));
  EXPECT_EQ(fileEntryOf("song.mp3", 7), (FileEntry{"song.mp3", "./", 7}));
  EXPECT_EQ(fileEntryOf("/a/b/song.mp3", 7).path(), "/a/b/song.mp3");
}

}  // namespace
}  // namespace norva::lyr
