#include "desktop/about_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace norva::desktop {

LinkButton::LinkButton(const QString& text, QWidget* parent) : QAbstractButton(parent) {
  setText(text);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_NoSystemBackground);
  setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  setFixedSize(sizeHint());
}

QSize LinkButton::sizeHint() const {
  const QRect r = fontMetrics().boundingRect(QRect(0, 0, 240, 240), Qt::TextSingleLine, text());
  return QSize(r.width(), r.height() + 1);
}

QColor LinkButton::textColour() const {
  return isDown() ? QColor(238, 0, 0) : QColor(0, 0, 238);
}

void LinkButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(textColour());
  p.setFont(font());
  const QRect r = fontMetrics().boundingRect(QRect(0, 0, 240, 240), Qt::TextSingleLine, text());
  p.drawText(QRect(QPoint(0, 0), r.size()), Qt::TextSingleLine, text());
  p.drawLine(0, r.height(), r.width(), r.height());
}

AboutDialog::AboutDialog(const AboutTexts& texts, UrlOpener openUrl, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(texts.title);
  setModal(true);
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  auto* line = new QLabel(texts.line, this);
  link_ = new LinkButton(texts.webAddress, this);
  auto* ok = new QPushButton(QStringLiteral("确  定"), this);
  ok->setDefault(true);
  ok_ = ok;

  auto* text = new QVBoxLayout;
  text->addWidget(line);
  text->addWidget(link_);
  auto* top = new QHBoxLayout;
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(text);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* all = new QVBoxLayout(this);
  all->addLayout(top);
  all->addLayout(buttons);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(link_, &QAbstractButton::clicked, this, [this, openUrl = std::move(openUrl)] {
    if (openUrl) openUrl(QUrl(link_->text()));
  });
}

}  // namespace norva::desktop
