#include "logo/service/metafile_renderer.h"

#include <QPainter>
#include <QPainterPath>

namespace norva::logo {
namespace {

constexpr int kMaxSide = 8192;

QColor toQColor(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

}  // namespace

QImage renderMetafile(const Metafile& metafile, int dpiX, int dpiY) {
  const int width = himetricToPixels(metafile.himetricWidth, dpiX);
  const int height = himetricToPixels(metafile.himetricHeight, dpiY);
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.fill(Qt::white);

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  auto at = [&](MetaPoint p) { return QPointF(p.x * width, p.y * height); };
  for (const MetaShape& shape : metafile.shapes) {
    QPen pen = shape.stroke ? QPen(toQColor(shape.pen.colour)) : QPen(Qt::NoPen);
    if (shape.stroke) pen.setWidthF(std::max(1.0, shape.pen.width * width));
    painter.setPen(pen);
    painter.setBrush(shape.fill ? QBrush(toQColor(shape.brush.colour)) : QBrush(Qt::NoBrush));
    const QRectF box = QRectF(at(shape.corner), at(shape.opposite)).normalized();
    switch (shape.kind) {
      case MetaShape::Kind::Rectangle:
        painter.drawRect(box);
        break;
      case MetaShape::Kind::Ellipse:
        painter.drawEllipse(box);
        break;
      case MetaShape::Kind::RoundRect:
        painter.drawRoundedRect(box, shape.radius.x * width, shape.radius.y * height);
        break;
      case MetaShape::Kind::Path: {
        QPainterPath path;
        path.setFillRule(shape.winding ? Qt::WindingFill : Qt::OddEvenFill);
        for (const auto& figure : shape.figures) {
          if (figure.empty()) continue;
          path.moveTo(at(figure.front()));
          for (size_t i = 1; i < figure.size(); ++i) path.lineTo(at(figure[i]));
          if (shape.closed) path.closeSubpath();
        }
        if (shape.fill) painter.fillPath(path, painter.brush());
        if (shape.stroke) painter.strokePath(path, pen);
        break;
      }
    }
  }
  return image;
}

}  // namespace norva::logo
