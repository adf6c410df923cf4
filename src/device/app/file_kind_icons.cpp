#include "device/app/file_kind_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "base/file_names.h"

namespace norva::device {
namespace {

constexpr int kSizes[] = {16, 32, 48};

template <typename Draw>
QIcon drawnIcon(Draw draw) {
  QIcon icon;
  for (const int size : kSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

void drawPage(QPainter& p, const QColor& band) {
  p.setPen(QPen(QColor(90, 90, 90), 0.8));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3, 1.5, 10, 13));
  p.fillRect(QRectF(3.4, 1.9, 9.2, 3), band);
}

void drawNote(QPainter& p, const QColor& color) {
  p.setPen(QPen(color, 1.2));
  p.drawLine(QPointF(10, 6), QPointF(10, 11.5));
  p.setBrush(color);
  p.drawEllipse(QPointF(8.6, 11.8), 1.6, 1.2);
  p.drawLine(QPointF(10, 6), QPointF(12, 7));
}

}  // namespace

const char* toString(FileKind kind) {
  switch (kind) {
    case FileKind::Folder:
      return "folder";
    case FileKind::Song:
      return "song";
    case FileKind::Lyric:
      return "lyric";
    case FileKind::Other:
      return "other";
  }
  return "unknown";
}

FileKind fileKindOf(const QString& name, bool folder) {
  if (folder) return FileKind::Folder;
  const std::string text = name.toStdString();
  for (const char* song : {".mp3", ".mpr", ".wav", ".tcw", ".tvf"})
    if (endsWithIgnoringCase(text, song)) return FileKind::Song;
  for (const char* lyric : {".lyr", ".lrc", ".tly", ".smi"})
    if (endsWithIgnoringCase(text, lyric)) return FileKind::Lyric;
  return FileKind::Other;
}

QIcon fileKindIcon(FileKind kind) {
  switch (kind) {
    case FileKind::Folder:
      return drawnIcon([](QPainter& p) {
        p.setPen(QPen(QColor(150, 110, 20), 0.8));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 13, 9));
        p.drawRect(QRectF(1.5, 3, 5, 1.5));
      });
    case FileKind::Song:
      return drawnIcon([](QPainter& p) {
        drawPage(p, QColor(60, 120, 200));
        drawNote(p, QColor(30, 60, 140));
      });
    case FileKind::Lyric:
      return drawnIcon([](QPainter& p) {
        drawPage(p, QColor(70, 160, 90));
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        for (const double y : {7.0, 9.5, 12.0}) p.drawLine(QPointF(5, y), QPointF(11, y));
      });
    case FileKind::Other:
      return drawnIcon([](QPainter& p) { drawPage(p, QColor(170, 170, 170)); });
  }
  return {};
}

QIcon applicationIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(35, 70, 120));
    p.drawRoundedRect(QRectF(3, 0.5, 10, 15), 2, 2);
    p.setBrush(QColor(170, 200, 150));
    p.drawRect(QRectF(4.5, 2, 7, 5));
    p.setBrush(QColor(220, 220, 230));
    p.drawEllipse(QPointF(8, 11.5), 2.6, 2.6);
    p.setBrush(QColor(35, 70, 120));
    p.drawEllipse(QPointF(8, 11.5), 0.9, 0.9);
    p.setPen(QPen(QColor(30, 50, 30), 0.6));
    p.drawLine(QPointF(5.5, 3.7), QPointF(10.5, 3.7));
    p.drawLine(QPointF(5.5, 5.3), QPointF(9, 5.3));
  });
}

QIcon parentFolderIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 0.8));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 5.5, 13, 9));
    p.setPen(QPen(QColor(30, 90, 30), 1.4));
    p.drawLine(QPointF(8, 13), QPointF(8, 2));
    p.drawLine(QPointF(8, 2), QPointF(5, 5));
    p.drawLine(QPointF(8, 2), QPointF(11, 5));
  });
}

QIcon audioPlayIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 140, 60));
    QPainterPath triangle;
    triangle.moveTo(4, 2.5);
    triangle.lineTo(13, 8);
    triangle.lineTo(4, 13.5);
    triangle.closeSubpath();
    p.drawPath(triangle);
  });
}

}  // namespace norva::device
