#pragma once
// The skin bitmaps, drawn in code so they are reproducible from source: IDB_FACE (582 x 350,
// the whole client area) and IDB_BUTTON (257 x 70, normal button images on top, pressed ones
// below, the slider thumb and a piece of bare track). Both are 8 bits per pixel.
#include <QImage>

namespace norva::logo {

QImage makeFaceBitmap();
QImage makeButtonStrip();
// The program's icon: a small monochrome screen showing a logo.
QImage makeProgramIcon(int side);

// Fill colours of the panes while a picture is shown.
inline const QColor kInputPaneFill(160, 232, 200);
inline const QColor kOutputPaneFill(230, 220, 210);

}  // namespace norva::logo
