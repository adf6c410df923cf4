#pragma once
// The about box: icon, program line, the maker's web address as a link, and "确  定".
#include <QAbstractButton>
#include <QDialog>
#include <QUrl>
#include <functional>

namespace norva::logo {

inline constexpr const char* kAboutTitle = "关于Glyphane软件";
inline constexpr const char* kAboutLine = "NORVA RD710 LOGO编辑软件 V1.11";
inline constexpr const char* kMakerWebAddress = "http://www.norva.example/";

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
  AboutDialog(std::function<bool(const QUrl&)> openUrl, QWidget* parent = nullptr);
  LinkButton* link() const { return link_; }
  QAbstractButton* okButton() const { return ok_; }

 private:
  LinkButton* link_;
  QAbstractButton* ok_;
};

}  // namespace norva::logo
