#include "desktop/desktop_opener.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <vector>

namespace norva::desktop {
namespace {

TEST(DesktopOpener, ManualIsTheFileBesideTheProgram) {
  const struct {
    QString program;
    QString expected;
  } cases[] = {
      {QStringLiteral("/opt/norva/bin/glyphane"),
       QStringLiteral("file:///opt/norva/bin/RD710_CHS.pdf")},
      {QStringLiteral("/glyphane"), QStringLiteral("file:///RD710_CHS.pdf")},
      {QStringLiteral("/a b/c/glyphane"), QStringLiteral("file:///a%20b/c/RD710_CHS.pdf")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(manualUrl(c.program, QStringLiteral("RD710_CHS.pdf")).toString(QUrl::FullyEncoded),
              c.expected)
        << c.program.toStdString();
  EXPECT_EQ(manualUrl(QStringLiteral("bin/glyphane"), QStringLiteral("m.pdf")),
            QUrl::fromLocalFile(QDir::currentPath() + QStringLiteral("/bin/m.pdf")))
      << "a relative program path is taken from the current folder";
}

// An installed program finds the manual in the suite's documentation folder when there is none
// beside it; a manual beside the program (the build tree) comes first.
TEST(DesktopOpener, ManualOfAnInstalledProgramIsInTheDocumentationFolder) {
  const struct {
    const char* name;
    bool beside;
    bool installed;
    const char* expected;  // under the prefix
  } cases[] = {
      {"neither", false, false, "/bin/RD710_CHS.pdf"},
      {"installed only", false, true, "/share/doc/norva-suite/RD710_CHS.pdf"},
      {"both", true, true, "/bin/RD710_CHS.pdf"},
  };
  for (const auto& c : cases) {
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/norva-suite")));
    auto touch = [&](const char* relative) {
      QFile file(prefix.path() + QString::fromUtf8(relative));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    };
    if (c.beside) touch("/bin/RD710_CHS.pdf");
    if (c.installed) touch("/share/doc/norva-suite/RD710_CHS.pdf");
    EXPECT_EQ(
        manualUrl(prefix.path() + QStringLiteral("/bin/trelliq"), QStringLiteral("RD710_CHS.pdf")),
        QUrl::fromLocalFile(prefix.path() + QString::fromUtf8(c.expected)))
        << c.name;
  }
}

TEST(DesktopOpener, OpenManualGoesThroughTheOpenerAndReportsItsAnswer) {
  std::vector<QUrl> opened;
  bool accept = true;
  const UrlOpener opener = [&](const QUrl& url) {
    opened.push_back(url);
    return accept;
  };
  EXPECT_TRUE(openManual(opener, QStringLiteral("/x/prog"), QStringLiteral("m.pdf")));
  accept = false;
  EXPECT_FALSE(openManual(opener, QStringLiteral("/x/prog"), QStringLiteral("m.pdf")));
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(QStringLiteral("/x/m.pdf")));
  EXPECT_FALSE(openManual(UrlOpener(), QStringLiteral("/x/prog"), QStringLiteral("m.pdf")));
}

}  // namespace
}  // namespace norva::desktop
