#pragma once
// Windows metafiles (placeable WMF and EMF) reduced to what clip art draws with: filled and
// outlined polygons, polylines, Bezier curves, rectangles, rounded rectangles and ellipses, in
// the pens and brushes the file selects. Text and embedded bitmaps are passed over.
//
// Coordinates are normalised to the picture's frame: (0, 0) is its top-left corner, (1, 1) its
// bottom-right, so any renderer can draw the shapes at the picture's natural pixel size.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "logo/lgo_format.h"

namespace norva::logo {

struct MetaPoint {
  double x = 0;
  double y = 0;
};

struct MetaPen {
  bool visible = true;
  Rgb colour{0, 0, 0};
  double width = 0;  // in frame widths; 0 draws the thinnest line
};

struct MetaBrush {
  bool visible = true;
  Rgb colour{255, 255, 255};
};

struct MetaShape {
  enum class Kind { Path, Rectangle, RoundRect, Ellipse };
  Kind kind = Kind::Path;
  std::vector<std::vector<MetaPoint>> figures;  // Path: each figure a point list
  bool closed = false;                          // Path: figures are polygons
  bool fill = false;
  bool stroke = true;
  bool winding = false;    // fill rule: nonzero winding, else alternate
  MetaPoint corner{0, 0};  // Rectangle, RoundRect, Ellipse: opposite corners
  MetaPoint opposite{0, 0};
  MetaPoint radius{0, 0};  // RoundRect: corner ellipse half-axes
  MetaPen pen;
  MetaBrush brush;
};

struct Metafile {
  // The picture's natural size in 0.01 mm.
  int32_t himetricWidth = 0;
  int32_t himetricHeight = 0;
  std::vector<MetaShape> shapes;
};

// Recognises a placeable WMF (key D7 CD C6 9A) or an EMF (" EMF" signature) by content.
bool looksLikeMetafile(std::span<const uint8_t> bytes);

// Parses the drawing records; nothing when the header is not a usable metafile header or the
// picture has no area. Records past the data, unknown records and bad object handles are
// ignored, never read beyond the bytes given.
std::optional<Metafile> parseMetafile(std::span<const uint8_t> bytes);

// Natural size in pixels at `dpiX` x `dpiY`: (dpi x himetric + 1270) / 2540.
int himetricToPixels(int32_t himetric, int dpi);

}  // namespace norva::logo
