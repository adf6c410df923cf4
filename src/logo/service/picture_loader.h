#pragma once
// Opens a picture file the way the logo converter always has: BMP, then the general picture
// loader (JPEG, GIF, icon, cursor, metafiles), then WBMP, then LGO for names ending in ".lgo".
// The first step that yields a picture wins.
#include <QString>
#include <optional>

#include "logo/logo_bitmap.h"
#include "logo/opened_picture.h"
#include "logo/rgb_image.h"

namespace norva::logo {

struct LoadedPicture {
  enum class Source { Bmp, PictureLoader, Metafile, Wbmp, Lgo };
  Source source = Source::Bmp;
  RgbImage image;                 // at its natural size, before fitting
  std::optional<LogoBitmap> lgo;  // when an LGO file was accepted
};

struct PictureLoaderOptions {
  int dpiX = 96;  // the screen's logical resolution, for metafiles' natural size
  int dpiY = 96;
};

// The loading steps alone; nothing when no step takes the file.
std::optional<LoadedPicture> loadPicture(const QString& path, const PictureLoaderOptions& options);

// Loading and fitting to at most 128 x 64, as the open command does.
OpenedPicture openPicture(const QString& path, const PictureLoaderOptions& options);

}  // namespace norva::logo
