#include "desktop/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <vector>

#include "test_support/qt_test_app.h"

namespace norva::desktop {
namespace {

class AboutDialogTest : public ::testing::Test {
 protected:
  AboutDialogTest() { norva::testing::offscreenApp<QApplication>(); }
  const AboutTexts texts{QStringLiteral("关于Sontrava软件"), QStringLiteral("Program line V2.00"),
                         QStringLiteral("http://www.norva.example/lyrics")};
  std::vector<QUrl> opened;
  UrlOpener opener = [this](const QUrl& url) {
    opened.push_back(url);
    return true;
  };
};

TEST_F(AboutDialogTest, ShowsTheProgramsTexts) {
  AboutDialog about(texts, opener);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("关于Sontrava软件"));
  EXPECT_EQ(about.link()->text(), QStringLiteral("http://www.norva.example/lyrics"));
  EXPECT_EQ(about.okButton()->text(), QStringLiteral("确  定"));
  QStringList labels;
  for (const QLabel* label : about.findChildren<QLabel*>()) labels << label->text();
  EXPECT_TRUE(labels.contains(QStringLiteral("Program line V2.00")));
  EXPECT_TRUE(about.isModal());
}

TEST_F(AboutDialogTest, LinkLooksLikeALinkAndOpensItsAddress) {
  AboutDialog about(texts, opener);
  LinkButton* link = about.link();
  EXPECT_EQ(link->textColour(), QColor(0, 0, 238));
  link->setDown(true);
  EXPECT_EQ(link->textColour(), QColor(238, 0, 0));
  link->setDown(false);
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  const QRect textBox =
      link->fontMetrics().boundingRect(QRect(0, 0, 240, 240), Qt::TextSingleLine, link->text());
  EXPECT_EQ(link->size(), QSize(textBox.width(), textBox.height() + 1));
  EXPECT_TRUE(opened.empty());
  link->click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.norva.example/lyrics")));
}

TEST_F(AboutDialogTest, OkClosesTheBoxAndAMissingOpenerIsHarmless) {
  AboutDialog about(texts, UrlOpener());
  about.link()->click();
  about.show();
  about.okButton()->click();
  EXPECT_EQ(about.result(), QDialog::Accepted);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace norva::desktop
