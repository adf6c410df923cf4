#include "logo/app/skin_artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "logo/skin_controls.h"

namespace norva::logo {
namespace {

const QColor kBodyTop(78, 94, 122);
const QColor kBodyBottom(44, 54, 74);
const QColor kAccent(255, 176, 64);
const QColor kLabel(214, 224, 238);

// Every column of the track looks the same, so the strip's bare piece can erase the thumb
// anywhere along it.
void drawTrack(QPainter& p, int x, int width, int top) {
  p.fillRect(x, top, width, 25, QColor(40, 50, 68));
  p.fillRect(x, top + 10, width, 2, QColor(16, 20, 28));
  p.fillRect(x, top + 12, width, 3, QColor(92, 108, 132));
  p.fillRect(x, top + 15, width, 1, QColor(140, 156, 180));
}

void drawThumb(QPainter& p, int x, int top) {
  p.fillRect(x, top, 9, 25, QColor(40, 50, 68));
  QLinearGradient g(x, 0, x + 9, 0);
  g.setColorAt(0, QColor(255, 214, 140));
  g.setColorAt(1, QColor(214, 130, 30));
  p.fillRect(x + 1, top + 1, 7, 23, g);
  p.setPen(QColor(120, 70, 10));
  p.drawRect(x, top, 8, 24);
  p.setPen(QColor(120, 70, 10, 160));
  for (int y = top + 8; y <= top + 16; y += 4) p.drawLine(x + 2, y, x + 6, y);
}

void drawButtonBase(QPainter& p, QRect r, bool pressed) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, pressed ? QColor(36, 46, 64) : QColor(104, 122, 150));
  g.setColorAt(1, pressed ? QColor(70, 86, 112) : QColor(54, 66, 88));
  QPainterPath path;
  path.addRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 5, 5);
  p.fillPath(path, g);
  p.setPen(pressed ? QColor(20, 24, 34) : QColor(150, 166, 190));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void drawOpenIcon(QPainter& p, QPointF o) {
  QPainterPath back;
  back.moveTo(o + QPointF(8, 10));
  back.lineTo(o + QPointF(16, 10));
  back.lineTo(o + QPointF(18, 13));
  back.lineTo(o + QPointF(30, 13));
  back.lineTo(o + QPointF(30, 27));
  back.lineTo(o + QPointF(8, 27));
  back.closeSubpath();
  p.setPen(QPen(QColor(110, 70, 10), 1));
  p.setBrush(QColor(236, 176, 70));
  p.drawPath(back);
  QPainterPath front;
  front.moveTo(o + QPointF(8, 27));
  front.lineTo(o + QPointF(12, 17));
  front.lineTo(o + QPointF(34, 17));
  front.lineTo(o + QPointF(30, 27));
  front.closeSubpath();
  p.setBrush(QColor(255, 212, 120));
  p.drawPath(front);
}

void drawSaveIcon(QPainter& p, QPointF o) {
  p.setPen(QPen(QColor(20, 30, 60), 1));
  p.setBrush(QColor(70, 110, 200));
  p.drawRoundedRect(QRectF(o + QPointF(9, 8), QSizeF(20, 20)), 2, 2);
  p.setBrush(QColor(235, 240, 248));
  p.drawRect(QRectF(o + QPointF(13, 8), QSizeF(12, 7)));
  p.setBrush(QColor(40, 50, 70));
  p.drawRect(QRectF(o + QPointF(21, 9), QSizeF(3, 5)));
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(o + QPointF(12, 18), QSizeF(14, 10)));
  p.setPen(QColor(150, 160, 180));
  for (int i = 0; i < 3; ++i)
    p.drawLine(o + QPointF(14, 21 + 2.5 * i), o + QPointF(24, 21 + 2.5 * i));
}

void drawAboutIcon(QPainter& p, QPointF o) {
  p.setPen(QPen(QColor(20, 60, 120), 1));
  p.setBrush(QColor(80, 150, 235));
  p.drawEllipse(QRectF(o + QPointF(9, 7), QSizeF(20, 20)));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(o + QPointF(17.5, 10), QSizeF(3, 3)));
  p.drawRoundedRect(QRectF(o + QPointF(17.5, 15), QSizeF(3, 9)), 1, 1);
}

void drawConvertArrow(QPainter& p, QRect r, bool pressed) {
  drawButtonBase(p, r, pressed);
  const QPointF o = r.topLeft() + QPointF(pressed ? 1 : 0, pressed ? 1 : 0);
  QPainterPath arrow;
  arrow.moveTo(o + QPointF(5, 6));
  arrow.lineTo(o + QPointF(15, 6));
  arrow.lineTo(o + QPointF(15, 3));
  arrow.lineTo(o + QPointF(24, 8.5));
  arrow.lineTo(o + QPointF(15, 14));
  arrow.lineTo(o + QPointF(15, 11));
  arrow.lineTo(o + QPointF(5, 11));
  arrow.closeSubpath();
  p.setPen(QPen(QColor(120, 70, 10), 1));
  p.setBrush(pressed ? QColor(255, 220, 150) : kAccent);
  p.drawPath(arrow);
}

void drawBigButton(QPainter& p, QRect r, bool pressed, void (*icon)(QPainter&, QPointF)) {
  drawButtonBase(p, r, pressed);
  icon(p, r.topLeft() + QPointF(pressed ? 1 : 0, pressed ? 1 : 0));
}

// Both bitmaps go through one palette so that a colour is the same index in each: the strip's
// bare track piece then matches the face's track exactly.
struct EightBitSkin {
  QImage face;
  QImage strip;
};
QImage drawFace();
QImage drawStrip();

const EightBitSkin& eightBitSkin() {
  static const EightBitSkin skin = [] {
    const QImage face = drawFace();
    const QImage strip = drawStrip();
    QImage both(skin::kFaceWidth, skin::kFaceHeight + skin::kStripHeight, QImage::Format_RGB32);
    both.fill(Qt::black);
    QPainter p(&both);
    p.drawImage(0, 0, face);
    p.drawImage(0, skin::kFaceHeight, strip);
    p.end();
    const QImage indexed =
        both.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    return EightBitSkin{indexed.copy(0, 0, skin::kFaceWidth, skin::kFaceHeight),
                        indexed.copy(0, skin::kFaceHeight, skin::kStripWidth, skin::kStripHeight)};
  }();
  return skin;
}

void drawPaneFrame(QPainter& p, const Rect& pane, const QString& title, const QColor& fill) {
  const QRect inner(pane.left, pane.top, pane.width, pane.height);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(18, 22, 32));
  p.drawRoundedRect(inner.adjusted(-6, -6, 6, 6), 6, 6);
  p.setPen(QColor(110, 126, 152));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(inner.adjusted(-6, -6, 5, 5), 6, 6);
  p.fillRect(inner, fill);
  QFont font("WenQuanYi Micro Hei");
  font.setPixelSize(13);
  p.setFont(font);
  p.setPen(kLabel);
  p.drawText(QRect(pane.left, pane.top - 26, pane.width, 18), Qt::AlignLeft | Qt::AlignVCenter,
             title);
}

}  // namespace

QImage makeFaceBitmap() {
  return eightBitSkin().face;
}
QImage makeButtonStrip() {
  return eightBitSkin().strip;
}

QImage makeProgramIcon(int side) {
  QImage icon(side, side, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.scale(side / 32.0, side / 32.0);
  p.setPen(QPen(QColor(20, 24, 34), 1));
  p.setBrush(kBodyTop);
  p.drawRoundedRect(QRectF(1.5, 5.5, 29, 21), 3, 3);
  p.setBrush(QColor(200, 220, 190));
  p.drawRect(QRectF(4.5, 8.5, 23, 15));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 24, 34));
  p.drawEllipse(QRectF(7, 11, 8, 8));
  p.drawRect(QRectF(17, 11, 3, 10));
  p.drawRect(QRectF(17, 18, 8, 3));
  p.end();
  return icon;
}

namespace {

QImage drawFace() {
  QImage face(skin::kFaceWidth, skin::kFaceHeight, QImage::Format_RGB32);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.fillRect(face.rect(), kBodyBottom);
  p.fillRect(0, 45, skin::kFaceWidth, 3, kBodyTop);

  // Tool bar shelf behind the picture buttons and the slider.
  p.fillRect(0, 0, skin::kFaceWidth, 44, QColor(24, 30, 44));
  p.fillRect(0, 44, skin::kFaceWidth, 1, QColor(110, 126, 152));
  p.setRenderHint(QPainter::Antialiasing, false);
  drawTrack(p, skin::kTrackLeft, skin::kTrackRight + skin::kThumbWidth - skin::kTrackLeft,
            skin::kThumbTop);
  p.setPen(QColor(140, 156, 180));
  for (int i = 0; i <= 10; ++i) {
    const int x = skin::kTrackLeft + 4 + i * (skin::kTrackRight - skin::kTrackLeft) / 10;
    p.drawLine(x, 34, x, i % 5 == 0 ? 40 : 37);
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  QFont small("DejaVu Sans");
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(kLabel);
  p.drawText(QRect(122, 8, 18, 24), Qt::AlignCenter, QStringLiteral("T"));

  drawPaneFrame(p, skin::kInputPane, QStringLiteral("原始图像"), kInputPaneFill);
  drawPaneFrame(p, skin::kOutputPane, QStringLiteral("LOGO  128 × 64"), kOutputPaneFill);

  // A channel between the panes that carries the convert button.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(18, 22, 32));
  p.drawRoundedRect(QRect(271, 193, 39, 29), 6, 6);

  QFont brand("DejaVu Sans");
  brand.setPixelSize(11);
  brand.setBold(true);
  p.setFont(brand);
  p.setPen(kAccent);
  p.drawText(QRect(269, 52, 44, 30), Qt::AlignCenter, QStringLiteral("RD710"));
  p.end();
  return face;
}

QImage drawStrip() {
  QImage strip(skin::kStripWidth, skin::kStripHeight, QImage::Format_RGB32);
  strip.fill(QColor(24, 30, 44));
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  struct Big {
    int x;
    void (*icon)(QPainter&, QPointF);
  };
  const Big bigs[] = {{0, drawOpenIcon}, {38, drawSaveIcon}, {190, drawAboutIcon}};
  for (const Big& b : bigs) {
    drawBigButton(p, QRect(b.x, 0, 38, 35), false, b.icon);
    drawBigButton(p, QRect(b.x, 35, 38, 35), true, b.icon);
  }
  drawConvertArrow(p, QRect(228, 0, 29, 17), false);
  drawConvertArrow(p, QRect(228, 18, 29, 17), true);
  p.setRenderHint(QPainter::Antialiasing, false);
  drawThumb(p, skin::kThumbImage.x, skin::kThumbImage.y);
  drawTrack(p, skin::kTrackImage.x, skin::kThumbWidth, skin::kTrackImage.y);
  p.end();
  return strip;
}

}  // namespace

}  // namespace norva::logo
