#pragma once
// The small picture in the preview window's top left corner: a note on a disc, drawn here.
#include <QPixmap>

namespace norva::preview {

QPixmap previewPicture(int size = 32);

}  // namespace norva::preview
