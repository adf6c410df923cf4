#pragma once
// Draws a parsed metafile with QPainter at its natural size.
#include <QImage>

#include "logo/metafile.h"

namespace norva::logo {

// A white picture of the metafile's natural size at `dpiX` x `dpiY` with its shapes drawn
// (no smoothing, as the system's own metafile player draws). Null when the size is 0 or huge.
QImage renderMetafile(const Metafile& metafile, int dpiX, int dpiY);

}  // namespace norva::logo
