#include "preview/app/preview_status_bar.h"

#include <QHBoxLayout>

namespace norva::preview {

const QColor PreviewStatusBar::kBackground{212, 212, 212};

PreviewStatusBar::PreviewStatusBar(QWidget* parent)
    : QWidget(parent), lyric_(new LyricScreenView(this)), time_(new QLabel(this)) {
  QPalette grey = palette();
  grey.setColor(QPalette::Window, kBackground);
  setPalette(grey);
  setAutoFillBackground(true);
  setMinimumHeight(kMinimumHeight);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  time_->setFixedWidth(kTimePartWidth);
  time_->setAlignment(Qt::AlignCenter);
  time_->setFrameShape(QFrame::Panel);
  time_->setFrameShadow(QFrame::Sunken);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(lyric_, 1);
  layout->addWidget(time_);
}

}  // namespace norva::preview
