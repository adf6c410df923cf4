#include "desktop/desktop_opener.h"

#include <gtest/gtest.h>

#include <QDir>
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
