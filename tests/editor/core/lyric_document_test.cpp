#include <gtest/gtest.h>

#include "editor/lyric_document.h"

namespace norva::editor {
namespace {

TEST(LyricDocument, StartsAsAnUntitledTextDocument) {
  LyricDocument document;
  EXPECT_TRUE(document.untitled());
  EXPECT_EQ(document.type(), LyricFileType::Text);
  EXPECT_EQ(document.title(), "Untitled");
  EXPECT_EQ(document.windowTitle(), "Untitled - NORVA MP3歌词编辑软件");
  EXPECT_FALSE(document.modified());
}

TEST(LyricDocument, OpeningTakesNamePathAndTypeFromTheFile) {
  LyricDocument document;
  document.edit("old");
  document.setSyncCount(3);
  document.adoptOpenedFile("/music/song.lyr", LyricFileType::Lyr, "<0>a\r\n", LyrFontChoice::Small);
  EXPECT_FALSE(document.modified());
  EXPECT_FALSE(document.untitled());
  EXPECT_EQ(document.title(), "song.lyr");
  EXPECT_EQ(document.path(), "/music/song.lyr");
  EXPECT_EQ(document.syncCount(), 0);
  EXPECT_EQ(document.lyrFont(), LyrFontChoice::Small);

  document.edit("x");
  EXPECT_TRUE(document.modified());
  document.adoptSavedAs("/music/song.tly", LyricFileType::Tly, "x");
  EXPECT_EQ(document.title(), "song.tly");
  EXPECT_EQ(document.lyrFont(), std::nullopt);  // no longer a LYR file
  EXPECT_FALSE(document.modified());

  document.edit("y");
  document.resetToNew();
  EXPECT_EQ(document.title(), "Untitled");
  EXPECT_EQ(document.text(), "");
  EXPECT_EQ(document.type(), LyricFileType::Text);
  EXPECT_TRUE(document.path().empty());
  EXPECT_FALSE(document.modified());
}

}  // namespace
}  // namespace norva::editor
