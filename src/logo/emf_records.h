#pragma once
// Enhanced metafiles (EMF): the records clip art draws with, each played by a handler of its
// own.
#include <cstdint>
#include <optional>

#include "logo/metafile.h"
#include "logo/metafile_bytes.h"

namespace norva::logo {

inline constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
inline constexpr size_t kEmfHeaderBytes = 88;

// Record types of the records we play (all others are passed over).
enum class EmfRecord : uint32_t {
  PolyBezier = 2,
  Polygon = 3,
  Polyline = 4,
  PolyBezierTo = 5,
  PolylineTo = 6,
  PolyPolyline = 7,
  PolyPolygon = 8,
  SetWindowExtEx = 9,
  SetWindowOrgEx = 10,
  SetViewportExtEx = 11,
  SetViewportOrgEx = 12,
  Eof = 14,
  SetMapMode = 17,
  SetPolyFillMode = 19,
  MoveToEx = 27,
  SaveDc = 33,
  RestoreDc = 34,
  SelectObject = 37,
  CreatePen = 38,
  CreateBrushIndirect = 39,
  DeleteObject = 40,
  Ellipse = 42,
  Rectangle = 43,
  RoundRect = 44,
  LineTo = 54,
  BeginPath = 59,
  EndPath = 60,
  CloseFigure = 61,
  FillPath = 62,
  StrokeAndFillPath = 63,
  StrokePath = 64,
  PolyBezier16 = 85,
  Polygon16 = 86,
  Polyline16 = 87,
  PolyBezierTo16 = 88,
  PolylineTo16 = 89,
  PolyPolyline16 = 90,
  PolyPolygon16 = 91,
  ExtCreatePen = 95,
};

// Nothing when the header is not an EMF header or the picture has no area.
std::optional<Metafile> parseEmf(RecordBytes file);

}  // namespace norva::logo
