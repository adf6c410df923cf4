#include "editor/app/player_face_view.h"

#include <QFontDatabase>
#include <QPainter>

#include "lyrics/lyr_layout.h"
#include "preview/app/lyric_screen_view.h"

namespace norva::editor {
namespace {

constexpr int kScale = 2;
constexpr int kLargeRowPixels = 16;
constexpr int kSmallRowPixels = 8;
const QColor kUnlit(24, 40, 24);
const QColor kLit(200, 230, 190);

}  // namespace

PlayerFaceView::PlayerFaceView(QWidget* parent)
    : QWidget(parent), face_(kFaceWidth, kFaceHeight, QImage::Format_RGB32) {
  face_.fill(Qt::black);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void PlayerFaceView::showScreen(const QString& screen, uint8_t fontClass) {
  screen_ = screen;
  message_.clear();
  drawFace(fontClass);
  update();
}

void PlayerFaceView::showMessage(const QString& message) {
  screen_.clear();
  message_ = message;
  face_.fill(Qt::black);
  update();
}

void PlayerFaceView::drawFace(uint8_t fontClass) {
  face_.fill(Qt::black);
  if (!screen_.isEmpty()) {
    QPainter painter(&face_);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(fontClass == lyr::kFontClassLarge ? kLargeRowPixels : kSmallRowPixels);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(Qt::white);
    preview::LyricScreenView::drawScreen(painter, face_.rect(), screen_);
  }
}

QSize PlayerFaceView::sizeHint() const {
  return {kFaceWidth * kScale + 8, kFaceHeight * kScale + 8};
}

QSize PlayerFaceView::minimumSizeHint() const {
  return sizeHint();
}

void PlayerFaceView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area((width() - kFaceWidth * kScale) / 2, (height() - kFaceHeight * kScale) / 2,
                   kFaceWidth * kScale, kFaceHeight * kScale);
  painter.fillRect(area, kUnlit);
  if (!message_.isEmpty()) {
    painter.setPen(kLit);
    painter.drawText(area.adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap, message_);
    return;
  }
  QImage shown = face_;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      shown.setPixelColor(x, y, qGray(shown.pixel(x, y)) > 127 ? kLit : kUnlit);
  painter.drawImage(area, shown);  // scaled without smoothing: square pixels
}

}  // namespace norva::editor
