#pragma once
// The logo converter's fixed-size window: the menu and the skinned client area of 582 x 350.
#include <QMainWindow>

#include "desktop/about_dialog.h"
#include "desktop/desktop_opener.h"

namespace norva::logo {

class GlyphaneController;
class SkinView;

// The logo converter's texts in the about box.
desktop::AboutTexts glyphaneAboutTexts();

class GlyphaneWindow : public QMainWindow {
 public:
  GlyphaneWindow(GlyphaneController& controller, desktop::UrlOpener openUrl,
                 QWidget* parent = nullptr);

  QAction* action(int command) const;
  SkinView* skinView() const { return view_; }

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  QAction* addCommand(QMenu* menu, const QString& text, int command);
  void showAbout();

  GlyphaneController& controller_;
  desktop::UrlOpener openUrl_;
  SkinView* view_;
  std::vector<std::pair<int, QAction*>> actions_;
};

}  // namespace norva::logo
