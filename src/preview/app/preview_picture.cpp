#include "preview/app/preview_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace norva::preview {

QPixmap previewPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const double s = size / 32.0;
  painter.scale(s, s);
  // A teal disc with a light rim, the colours of the name panel.
  painter.setPen(QPen(QColor(200, 200, 250), 1.5));
  painter.setBrush(QColor(6, 60, 60));
  painter.drawEllipse(QRectF(1, 1, 30, 30));
  // Two joined eighth notes.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(200, 200, 250));
  painter.drawEllipse(QRectF(8, 19, 6, 4.5));
  painter.drawEllipse(QRectF(17, 17, 6, 4.5));
  painter.drawRect(QRectF(12.6, 9, 1.6, 12));
  painter.drawRect(QRectF(21.6, 7, 1.6, 12));
  QPainterPath beam;
  beam.moveTo(12.6, 9);
  beam.lineTo(23.2, 7);
  beam.lineTo(23.2, 10);
  beam.lineTo(12.6, 12);
  beam.closeSubpath();
  painter.drawPath(beam);
  return picture;
}

}  // namespace norva::preview
