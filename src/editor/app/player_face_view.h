#pragma once
// The player's 128 x 64 monochrome face: a lyric screen drawn in the player's font size (16-pixel
// rows for the large font, 8-pixel rows for the small one), without smoothing, and shown
// enlarged with square pixels. A message (such as a compile error) takes the face's place.
#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace norva::editor {

class PlayerFaceView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFaceWidth = 128;
  static constexpr int kFaceHeight = 64;

  explicit PlayerFaceView(QWidget* parent = nullptr);

  // A screen's text (lines separated by CR) for a font class (1 large, 2 small); an empty
  // text is a blank screen.
  void showScreen(const QString& screen, uint8_t fontClass);
  // A message instead of the face.
  void showMessage(const QString& message);

  const QString& screen() const { return screen_; }
  const QString& message() const { return message_; }
  // The face as the player would light it: white pixels lit, black unlit.
  const QImage& face() const { return face_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void drawFace(uint8_t fontClass);

  QString screen_;
  QString message_;
  QImage face_;
};

}  // namespace norva::editor
