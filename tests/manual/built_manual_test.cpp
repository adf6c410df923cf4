// What the build made of the manual: a PDF of plausible length beside each program, HTML help
// that links every chapter, and a man page that groff reads without a warning.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "manual_book.h"
#include "test_support/temp_dir.h"

namespace norva::manual {
namespace {

const QString kBuildDir = QStringLiteral(NORVA_MANUAL_BUILD_DIR);

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<Chapter> sourceChapters() {
  QString error;
  auto chapters = loadChapters(QStringLiteral(NORVA_MANUAL_SOURCE), error);
  EXPECT_FALSE(chapters.empty()) << error.toStdString();
  return chapters;
}

// Page objects of the PDF ("/Type /Page", not the "/Type /Pages" tree node).
int pageCount(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-z])"));
  int count = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) ++count;
  return count;
}

TEST(BuiltManual, PdfIsBesideEveryProgramWithAPlausibleNumberOfPages) {
  const QByteArray pdf = readAll(kBuildDir + QStringLiteral("/RD710_CHS.pdf"));
  ASSERT_TRUE(pdf.startsWith("%PDF-")) << "no PDF in " << kBuildDir.toStdString();
  const int pages = pageCount(pdf);
  // A title page and at least a page a chapter; far more would mean runaway pictures.
  const int chapters = static_cast<int>(sourceChapters().size());
  EXPECT_GE(pages, chapters + 1);
  EXPECT_LE(pages, 6 * chapters + 10);
  for (const QString& folder : QStringLiteral(NORVA_PROGRAM_DIRS).split('|'))
    EXPECT_EQ(readAll(folder + QStringLiteral("/RD710_CHS.pdf")), pdf) << folder.toStdString();
}

TEST(BuiltManual, HtmlIndexLinksEveryChapterAndEveryPictureIsThere) {
  const QString help = kBuildDir + QStringLiteral("/HtmlHelp/");
  const QString index = QString::fromUtf8(readAll(help + QStringLiteral("index.html")));
  ASSERT_FALSE(index.isEmpty());
  for (const Chapter& chapter : sourceChapters()) {
    EXPECT_TRUE(index.contains(QStringLiteral("<a href=\"%1\">").arg(chapter.pageName)))
        << chapter.pageName.toStdString();
    const QString page = QString::fromUtf8(readAll(help + chapter.pageName));
    EXPECT_TRUE(page.contains(QStringLiteral("href=\"index.html\"")))
        << chapter.pageName.toStdString();
    for (const QString& picture : imageNames(chapter.markdown))
      EXPECT_TRUE(QFile::exists(help + picture)) << picture.toStdString();
  }
}

// The manual's own install component puts the PDF, the whole HTML help and the man page in
// their install folders.
TEST(BuiltManual, InstallPutsTheManualBesideThePrograms) {
  TempDir prefix;
  QProcess install;
  install.start(QStringLiteral(NORVA_CMAKE),
                {QStringLiteral("--install"), QStringLiteral(NORVA_BUILD_DIR),
                 QStringLiteral("--component"), QStringLiteral("manual"),
                 QStringLiteral("--prefix"), QString::fromStdString(prefix.path().string())});
  ASSERT_TRUE(install.waitForFinished(120000));
  ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
  const QString root = QString::fromStdString(prefix.path().string()) + '/';
  EXPECT_EQ(readAll(root + NORVA_MANUAL_INSTALL_DIR + "/RD710_CHS.pdf"),
            readAll(kBuildDir + "/RD710_CHS.pdf"));
  EXPECT_TRUE(QFile::exists(root + NORVA_HTML_HELP_INSTALL_DIR + "/index.html"));
  for (const Chapter& chapter : sourceChapters())
    EXPECT_TRUE(QFile::exists(root + NORVA_HTML_HELP_INSTALL_DIR + '/' + chapter.pageName))
        << chapter.pageName.toStdString();
  EXPECT_TRUE(QFile::exists(root + NORVA_MAN_INSTALL_DIR + "/norva.1"));
}

TEST(BuiltManual, ManPagePassesGroffWithoutWarnings) {
  const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
  if (groff.isEmpty()) GTEST_SKIP() << "groff is not installed";
  QProcess process;
  process.start(groff, {QStringLiteral("-ww"), QStringLiteral("-man"), QStringLiteral("-z"),
                        kBuildDir + QStringLiteral("/norva.1")});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0);
  EXPECT_EQ(process.readAllStandardError(), QByteArray());
}

}  // namespace
}  // namespace norva::manual
