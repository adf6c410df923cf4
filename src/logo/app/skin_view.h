#pragma once
// The client area: shows the composed face and forwards the mouse to the skin logic; a picture
// file dropped on it is opened.
#include <QWidget>

class QMimeData;

namespace norva::logo {

class GlyphaneController;

class SkinView : public QWidget {
 public:
  explicit SkinView(GlyphaneController& controller, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  // Opens the first local file among dropped data; false when there is none.
  bool openDropped(const QMimeData* mime);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void forward(QMouseEvent* event);
  GlyphaneController& controller_;
};

}  // namespace norva::logo
