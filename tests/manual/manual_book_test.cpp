// Reading the manual's chapters: their order, titles and pictures.
#include <gtest/gtest.h>
#include <QFile>

#include "manual_book.h"
#include "test_support/temp_dir.h"

namespace norva::manual {
namespace {

TEST(ManualBook, ChapterTitleIsTheFirstLevelOneHeading) {
  const struct {
    const char* markdown;
    const char* title;
  } rows[] = {
      {"# 概述\n\ntext\n# 第二\n", "概述"},
      {"intro\n## sub\n#   标题  \n", "标题"},
      {"## only a section\n", ""},
      {"#no blank\n", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(chapterTitle(QString::fromUtf8(row.markdown)), QString::fromUtf8(row.title))
        << row.markdown;
}

TEST(ManualBook, ImageNamesAreListedOnceInTheirOrder) {
  const QString markdown =
      QStringLiteral("![a](b.png) text ![](c.png)\n![again](b.png) [link](d.html) ![x](sub/e.png)");
  EXPECT_EQ(imageNames(markdown), (QStringList{"b.png", "c.png", "sub/e.png"}));
}

void writeFile(const std::filesystem::path& path, const char* text) {
  QFile file(QString::fromStdString(path.string()));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

TEST(ManualBook, ChaptersAreTakenInTheOrderOfTheirFileNames) {
  TempDir dir;
  writeFile(dir.path() / "10-last.md", "# 最后\n");
  writeFile(dir.path() / "02-second.md", "# 第二\n");
  writeFile(dir.path() / "01-first.md", "# 第一\n");
  writeFile(dir.path() / "notes.txt", "not a chapter");
  writeFile(dir.path() / "README.md", "# how to write the chapters\n");
  QString error;
  const auto chapters = loadChapters(QString::fromStdString(dir.path().string()), error);
  ASSERT_EQ(chapters.size(), 3u) << error.toStdString();
  EXPECT_EQ(chapters[0].pageName, "01-first.html");
  EXPECT_EQ(chapters[1].title, QStringLiteral("第二"));
  EXPECT_EQ(chapters[2].fileName, "10-last.md");
}

TEST(ManualBook, AChapterWithoutTitleOrAnEmptyFolderIsRefused) {
  TempDir dir;
  QString error;
  EXPECT_TRUE(loadChapters(QString::fromStdString(dir.path().string()), error).empty());
  EXPECT_TRUE(error.contains("no chapter")) << error.toStdString();
  writeFile(dir.path() / "01-untitled.md", "## a section only\n");
  error.clear();
  EXPECT_TRUE(loadChapters(QString::fromStdString(dir.path().string()), error).empty());
  EXPECT_TRUE(error.contains("01-untitled.md")) << error.toStdString();
}

}  // namespace
}  // namespace norva::manual
