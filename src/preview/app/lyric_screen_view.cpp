#include "preview/app/lyric_screen_view.h"

#include <QPainter>
#include <QRegularExpression>

namespace norva::preview {

LyricScreenView::LyricScreenView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void LyricScreenView::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

QStringList LyricScreenView::screenLines(const QString& text) {
  static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\r|\n"));
  return text.split(kLineBreak);
}

void LyricScreenView::drawScreen(QPainter& painter, const QRect& area, const QString& text) {
  const QStringList lines = screenLines(text);
  const QFontMetrics metrics = painter.fontMetrics();
  const int lineHeight = metrics.height();
  if (lines.size() > 1 && lineHeight * lines.size() <= area.height()) {
    const int top = area.top() + (area.height() - lineHeight * static_cast<int>(lines.size())) / 2;
    for (int i = 0; i < lines.size(); ++i) {
      const QRect row(area.left(), top + i * lineHeight, area.width(), lineHeight);
      painter.drawText(row, Qt::AlignVCenter | Qt::AlignLeft, lines[i]);
    }
    return;
  }
  const QString row = lines.join(QChar(' '));
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                   metrics.elidedText(row, Qt::ElideRight, area.width()));
}

QSize LyricScreenView::sizeHint() const {
  return {120, fontMetrics().height()};
}

QSize LyricScreenView::minimumSizeHint() const {
  return {0, fontMetrics().height()};
}

void LyricScreenView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  drawScreen(painter, rect().adjusted(3, 0, -3, 0), text_);
}

}  // namespace norva::preview
