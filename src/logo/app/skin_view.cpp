#include "logo/app/skin_view.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "logo/app/glyphane_controller.h"

namespace norva::logo {

SkinView::SkinView(GlyphaneController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
  setFixedSize(skin::kFaceWidth, skin::kFaceHeight);
  setMouseTracking(true);
  setAcceptDrops(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&controller_, &GlyphaneController::faceChanged, this, [this] { update(); });
}

QSize SkinView::sizeHint() const {
  return QSize(skin::kFaceWidth, skin::kFaceHeight);
}

void SkinView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, controller_.canvas().face());
}

void SkinView::forward(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  controller_.mouseStep((event->buttons() & Qt::LeftButton) != 0, Point{at.x(), at.y()});
  // While the thumb is dragged its threshold shows beside the cursor.
  const ThresholdSlider& slider = controller_.slider();
  if (slider.grabbed())
    QToolTip::showText(event->globalPosition().toPoint(),
                       QString::number(thresholdForThumb(slider.thumbLeft())), this);
  else
    QToolTip::hideText();
}

void SkinView::mousePressEvent(QMouseEvent* event) {
  forward(event);
}
void SkinView::mouseMoveEvent(QMouseEvent* event) {
  forward(event);
}
void SkinView::mouseReleaseEvent(QMouseEvent* event) {
  forward(event);
}

void SkinView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

bool SkinView::openDropped(const QMimeData* mime) {
  for (const QUrl& url : mime->urls()) {
    if (url.isLocalFile()) {
      controller_.openFile(url.toLocalFile());
      return true;
    }
  }
  return false;
}

void SkinView::dropEvent(QDropEvent* event) {
  if (openDropped(event->mimeData())) event->acceptProposedAction();
}

}  // namespace norva::logo
