#pragma once
// The dark teal panel at the top of the preview window that shows the file's name. Setting the
// text slides the name in from the right edge to the middle: a 10 ms animation of 100 steps
// that then stops.
#include <QString>
#include <QWidget>
#include <memory>

#include "preview/app/tick_source.h"

namespace norva::preview {

class InfoPanel : public QWidget {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kAnimationStep{10};
  static constexpr int kAnimationSteps = 100;  // one second
  static const QColor kBackground;
  static const QColor kTextColour;

  explicit InfoPanel(std::unique_ptr<TickSource> animation, QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }
  // Steps of the running animation still to come (0 once it has stopped).
  int stepsLeft() const { return stepsLeft_; }
  TickSource& animation() { return *animation_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void step();

  std::unique_ptr<TickSource> animation_;
  QString text_;
  int stepsLeft_ = 0;
};

}  // namespace norva::preview
