#include "preview/app/info_panel.h"

#include <QPainter>

namespace norva::preview {

const QColor InfoPanel::kBackground{6, 60, 60};
const QColor InfoPanel::kTextColour{200, 200, 250};

InfoPanel::InfoPanel(std::unique_ptr<TickSource> animation, QWidget* parent)
    : QWidget(parent), animation_(std::move(animation)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void InfoPanel::setText(const QString& text) {
  text_ = text;
  stepsLeft_ = kAnimationSteps;
  animation_->start(kAnimationStep, [this] { step(); });
  update();
}

void InfoPanel::step() {
  if (stepsLeft_ > 0) --stepsLeft_;
  if (stepsLeft_ == 0) animation_->stop();
  update();
}

QSize InfoPanel::sizeHint() const {
  return {160, fontMetrics().height() * 2 + 4};
}

void InfoPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  painter.setPen(kTextColour);
  const QRect area = rect().adjusted(6, 0, -6, 0);
  // Eases in: fast at first, slowing down as the name reaches its place.
  const double left = static_cast<double>(stepsLeft_) / kAnimationSteps;
  const int offset = static_cast<int>(area.width() * left * left);
  painter.setClipRect(area);
  painter.drawText(area.translated(offset, 0), Qt::AlignCenter,
                   fontMetrics().elidedText(text_, Qt::ElideMiddle, area.width()));
}

}  // namespace norva::preview
