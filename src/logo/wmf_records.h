#pragma once
// Placeable Windows metafiles (WMF with the 22-byte placeable header): the records clip art
// draws with, each played by a handler of its own.
#include <cstdint>
#include <optional>

#include "logo/metafile.h"
#include "logo/metafile_bytes.h"

namespace norva::logo {

inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

// Record function numbers of the records we play (all others are passed over).
enum class WmfRecord : uint16_t {
  Eof = 0x0000,
  SaveDc = 0x001E,
  CreatePalette = 0x00F7,
  SetPolyFillMode = 0x0106,
  RestoreDc = 0x0127,
  SelectObject = 0x012D,
  DibCreatePatternBrush = 0x0142,
  DeleteObject = 0x01F0,
  CreatePatternBrush = 0x01F9,
  SetWindowOrg = 0x020B,
  SetWindowExt = 0x020C,
  LineTo = 0x0213,
  MoveTo = 0x0214,
  CreatePenIndirect = 0x02FA,
  CreateFontIndirect = 0x02FB,
  CreateBrushIndirect = 0x02FC,
  Polygon = 0x0324,
  Polyline = 0x0325,
  Ellipse = 0x0418,
  Rectangle = 0x041B,
  PolyPolygon = 0x0538,
  RoundRect = 0x061C,
  CreateRegion = 0x06FF,
};

// Nothing when the placeable or standard header is unusable or the picture has no area.
std::optional<Metafile> parseWmf(RecordBytes file);

}  // namespace norva::logo
