#pragma once
// The logo converter's fixed-size window: the menu and the skinned client area of 582 x 350.
#include <QMainWindow>
#include <QUrl>
#include <functional>

namespace norva::logo {

class GlyphaneController;
class SkinView;

class GlyphaneWindow : public QMainWindow {
 public:
  GlyphaneWindow(GlyphaneController& controller, std::function<bool(const QUrl&)> openUrl,
                 QWidget* parent = nullptr);

  QAction* action(int command) const;
  SkinView* skinView() const { return view_; }

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  QAction* addCommand(QMenu* menu, const QString& text, int command);
  void showAbout();

  GlyphaneController& controller_;
  std::function<bool(const QUrl&)> openUrl_;
  SkinView* view_;
  std::vector<std::pair<int, QAction*>> actions_;
};

}  // namespace norva::logo
