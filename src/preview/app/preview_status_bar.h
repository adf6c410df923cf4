#pragma once
// The preview window's status bar: part 0 (lyric screen and messages) from the left edge to
// 40 pixels before the right edge, part 1 (the time) the last 40 pixels; grey, at least 22
// pixels high.
#include <QLabel>
#include <QWidget>

#include "preview/app/lyric_screen_view.h"

namespace norva::preview {

class PreviewStatusBar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kTimePartWidth = 40;
  static constexpr int kMinimumHeight = 22;
  static const QColor kBackground;

  explicit PreviewStatusBar(QWidget* parent = nullptr);

  LyricScreenView& lyricPart() { return *lyric_; }
  QLabel& timePart() { return *time_; }

 private:
  LyricScreenView* lyric_;
  QLabel* time_;
};

}  // namespace norva::preview
