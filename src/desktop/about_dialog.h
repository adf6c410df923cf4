#pragma once
// The programs' about box: icon, one program line, the maker's web address as a link that opens
// in the browser, and "确  定". Each program gives its own texts.
#include <QAbstractButton>
#include <QDialog>
#include <QString>

#include "desktop/desktop_opener.h"

namespace norva::desktop {

struct AboutTexts {
  QString title;       // window caption
  QString line;        // the program's name and version
  QString webAddress;  // shown as the link and opened when it is clicked
};

// A text link: underlined, blue (0, 0, 238), red (238, 0, 0) while pressed, hand cursor,
// transparent background, sized to its text plus one pixel of height.
class LinkButton : public QAbstractButton {
 public:
  explicit LinkButton(const QString& text, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QColor textColour() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class AboutDialog : public QDialog {
 public:
  AboutDialog(const AboutTexts& texts, UrlOpener openUrl, QWidget* parent = nullptr);
  LinkButton* link() const { return link_; }
  QAbstractButton* okButton() const { return ok_; }

 private:
  LinkButton* link_;
  QAbstractButton* ok_;
};

}  // namespace norva::desktop
