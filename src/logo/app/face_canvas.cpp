#include "logo/app/face_canvas.h"

#include <QPainter>

#include "logo/app/skin_artwork.h"
#include "logo/logo_conversion.h"

namespace norva::logo {
namespace {

QRect paneRect(const Rect& pane) {
  return QRect(pane.left, pane.top, pane.width, pane.height);
}

}  // namespace

FaceCanvas::FaceCanvas(const QImage& faceBitmap, const QImage& buttonStrip)
    : face_(faceBitmap.convertToFormat(QImage::Format_RGB32)),
      strip_(buttonStrip.convertToFormat(QImage::Format_RGB32)),
      work_(skin::kWorkSurfaceSide, skin::kWorkSurfaceSide, QImage::Format_RGB32) {}

bool FaceCanvas::ready() const {
  return !face_.isNull() && !strip_.isNull() && !work_.isNull() &&
         face_.size() == QSize(skin::kFaceWidth, skin::kFaceHeight) &&
         strip_.size() == QSize(skin::kStripWidth, skin::kStripHeight);
}

void FaceCanvas::fillPanes() {
  for (int y = 0; y < skin::kInputPane.height; ++y)
    for (int x = 0; x < skin::kInputPane.width; ++x) {
      face_.setPixel(skin::kInputPane.left + x, skin::kInputPane.top + y, kInputPaneFill.rgb());
      face_.setPixel(skin::kOutputPane.left + x, skin::kOutputPane.top + y, kOutputPaneFill.rgb());
    }
}

void FaceCanvas::drawPicture(const RgbImage& picture) {
  const Point at = centredInPane(skin::kInputPane, static_cast<int>(picture.width),
                                 static_cast<int>(picture.height));
  const QRect pane = paneRect(skin::kInputPane);
  for (unsigned y = 0; y < picture.height; ++y)
    for (unsigned x = 0; x < picture.width; ++x) {
      const QPoint target(at.x + static_cast<int>(x), at.y + static_cast<int>(y));
      if (!pane.contains(target)) continue;
      const Rgb c = picture.at(x, y);
      face_.setPixel(target, qRgb(c.r, c.g, c.b));
    }
}

void FaceCanvas::drawLogo(const LogoBitmap& logo) {
  const unsigned w = std::min<unsigned>(logo.width, skin::kWorkSurfaceSide);
  const unsigned h = std::min<unsigned>(logo.height, skin::kWorkSurfaceSide);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) {
      const Rgb c = lgoValueColour(logo.depth, logo.pixel(x, y));
      work_.setPixel(static_cast<int>(x), static_cast<int>(y), qRgb(c.r, c.g, c.b));
    }
  const Point at = centredInPane(skin::kOutputPane, static_cast<int>(w), static_cast<int>(h));
  const QRect target = QRect(at.x, at.y, static_cast<int>(w), static_cast<int>(h))
                           .intersected(paneRect(skin::kOutputPane));
  if (target.isEmpty()) return;
  QPainter p(&face_);
  p.drawImage(target.topLeft(), work_,
              QRect(target.left() - at.x, target.top() - at.y, target.width(), target.height()));
}

void FaceCanvas::copyFromStrip(QPoint from, QRect to) {
  QPainter p(&face_);
  p.drawImage(to.topLeft(), strip_, QRect(from, to.size()));
}

void FaceCanvas::drawButton(const SkinButton& button) {
  const Point from = button.pressed ? button.pressedImage : button.normalImage;
  copyFromStrip(QPoint(from.x, from.y), QRect(button.place.left, button.place.top,
                                              button.place.width, button.place.height));
}

void FaceCanvas::drawThumb(int left) {
  copyFromStrip(QPoint(skin::kThumbImage.x, skin::kThumbImage.y),
                QRect(left, skin::kThumbTop, skin::kThumbWidth, skin::kThumbImageHeight));
}

void FaceCanvas::eraseThumb(int left) {
  copyFromStrip(QPoint(skin::kTrackImage.x, skin::kTrackImage.y),
                QRect(left, skin::kThumbTop, skin::kThumbWidth, skin::kThumbImageHeight));
}

}  // namespace norva::logo
