#pragma once
// One lyric screen drawn as text: its lines (CR, LF or CR LF between them) one under another,
// or, where the view is too low for all of them, on one row separated by spaces. The preview's
// status bar shows the lyric through it; any window that shows the player's screen can too.
#include <QString>
#include <QStringList>
#include <QWidget>

namespace norva::preview {

class LyricScreenView : public QWidget {
  Q_OBJECT
 public:
  explicit LyricScreenView(QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }

  // The lines of a screen text.
  static QStringList screenLines(const QString& text);
  // Draws `text` into `area`: stacked lines when they fit its height, else one row.
  static void drawScreen(QPainter& painter, const QRect& area, const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

}  // namespace norva::preview
