#pragma once
// The drawing surfaces of the skinned window: the face on which everything is composed, the
// button strip, and the 800 x 800 work surface the logo is drawn on before it is copied into
// the output pane. All in the display's 32-bit format.
#include <QImage>

#include "logo/logo_bitmap.h"
#include "logo/rgb_image.h"
#include "logo/skin_controls.h"

namespace norva::logo {

class FaceCanvas {
 public:
  FaceCanvas(const QImage& faceBitmap, const QImage& buttonStrip);

  // False when a surface could not be made.
  bool ready() const;

  void fillPanes();
  // Copies the picture 1:1 centred into the input pane (clipped to the pane).
  void drawPicture(const RgbImage& picture);
  // Draws the logo on the work surface, then copies its rectangle centred into the output pane.
  void drawLogo(const LogoBitmap& logo);
  void drawButton(const SkinButton& button);
  void drawThumb(int left);
  void eraseThumb(int left);

  const QImage& face() const { return face_; }
  const QImage& workSurface() const { return work_; }

 private:
  void copyFromStrip(QPoint from, QRect to);

  QImage face_;
  QImage strip_;
  QImage work_;
};

}  // namespace norva::logo
