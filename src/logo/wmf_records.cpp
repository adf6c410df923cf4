#include "logo/wmf_records.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "logo/metafile_drawing.h"

namespace norva::logo {
namespace {

constexpr size_t kPlaceableHeaderBytes = 22;
constexpr size_t kStandardHeaderBytes = 18;
constexpr size_t kRecordHeaderBytes = 6;  // size in 16-bit words (4 bytes), function (2)

// Parameters are 16-bit words; points are stored y before x in the single-point records.
void setWindowOrg(DrawingState& d, const RecordBytes& r) {
  d.wOrgX = r.i16(2), d.wOrgY = r.i16(0);
}

void setWindowExt(DrawingState& d, const RecordBytes& r) {
  if (r.i16(2) != 0 && r.i16(0) != 0) d.wExtX = r.i16(2), d.wExtY = r.i16(0);
}

void setPolyFillMode(DrawingState& d, const RecordBytes& r) {
  d.winding = r.u16(0) == 2;
}

void saveDc(DrawingState& d, const RecordBytes&) {
  d.saveDc();
}

void restoreDc(DrawingState& d, const RecordBytes& r) {
  d.restoreDc(r.i16(0));
}

void createPenIndirect(DrawingState& d, const RecordBytes& r) {
  MetaPen pen;
  pen.visible = penStyleVisible(r.u16(0));
  pen.width = d.mapWidth(r.i16(2));
  pen.colour = r.colour(6);
  d.storeObject({GdiObject::Type::Pen, pen, {}});
}

void createBrushIndirect(DrawingState& d, const RecordBytes& r) {
  d.storeObject({GdiObject::Type::Brush, {}, brushOf(r.u16(0), r.colour(2))});
}

// Fonts, palettes, pattern brushes and regions take a slot in the table but draw nothing.
void createOtherObject(DrawingState& d, const RecordBytes&) {
  d.storeObject({});
}

void selectObject(DrawingState& d, const RecordBytes& r) {
  d.select(r.u16(0));
}

void deleteObject(DrawingState& d, const RecordBytes& r) {
  d.remove(r.u16(0));
}

void moveTo(DrawingState& d, const RecordBytes& r) {
  d.current = d.map(r.i16(2), r.i16(0));
}

void lineTo(DrawingState& d, const RecordBytes& r) {
  d.lineTo(d.map(r.i16(2), r.i16(0)));
}

// Bottom, right, top, left.
void rectangle(DrawingState& d, const RecordBytes& r) {
  d.box(MetaShape::Kind::Rectangle, r.i16(6), r.i16(4), r.i16(2), r.i16(0));
}

void ellipse(DrawingState& d, const RecordBytes& r) {
  d.box(MetaShape::Kind::Ellipse, r.i16(6), r.i16(4), r.i16(2), r.i16(0));
}

// Corner height, corner width, bottom, right, top, left.
void roundRect(DrawingState& d, const RecordBytes& r) {
  d.box(MetaShape::Kind::RoundRect, r.i16(10), r.i16(8), r.i16(6), r.i16(4), r.i16(2), r.i16(0));
}

// A count, then that many (x, y) points.
void polyPoints(DrawingState& d, const RecordBytes& r, bool closed) {
  const size_t count = r.u16(0);
  if (2 + count * 4 > r.size()) return;
  std::vector<MetaPoint> points;
  for (size_t i = 0; i < count; ++i) points.push_back(d.map(r.i16(2 + 4 * i), r.i16(4 + 4 * i)));
  d.figure(std::move(points), closed);
}

void polygon(DrawingState& d, const RecordBytes& r) {
  polyPoints(d, r, true);
}

void polyline(DrawingState& d, const RecordBytes& r) {
  polyPoints(d, r, false);
}

// A polygon count, the point count of each, then all the points: one filled shape.
void polyPolygon(DrawingState& d, const RecordBytes& r) {
  const size_t polygons = r.u16(0);
  size_t at = 2 + polygons * 2;
  if (at > r.size()) return;
  MetaShape shape;
  shape.closed = shape.fill = true;
  for (size_t k = 0; k < polygons; ++k) {
    const size_t count = r.u16(2 + 2 * k);
    if (at + count * 4 > r.size()) break;
    std::vector<MetaPoint> points;
    for (size_t i = 0; i < count; ++i, at += 4) points.push_back(d.map(r.i16(at), r.i16(at + 2)));
    shape.figures.push_back(std::move(points));
  }
  d.add(std::move(shape));
}

constexpr HandlerEntry<WmfRecord> kHandlers[] = {
    {WmfRecord::SetWindowOrg, setWindowOrg},
    {WmfRecord::SetWindowExt, setWindowExt},
    {WmfRecord::SetPolyFillMode, setPolyFillMode},
    {WmfRecord::SaveDc, saveDc},
    {WmfRecord::RestoreDc, restoreDc},
    {WmfRecord::CreatePenIndirect, createPenIndirect},
    {WmfRecord::CreateBrushIndirect, createBrushIndirect},
    {WmfRecord::CreateFontIndirect, createOtherObject},
    {WmfRecord::CreatePalette, createOtherObject},
    {WmfRecord::CreatePatternBrush, createOtherObject},
    {WmfRecord::DibCreatePatternBrush, createOtherObject},
    {WmfRecord::CreateRegion, createOtherObject},
    {WmfRecord::SelectObject, selectObject},
    {WmfRecord::DeleteObject, deleteObject},
    {WmfRecord::MoveTo, moveTo},
    {WmfRecord::LineTo, lineTo},
    {WmfRecord::Rectangle, rectangle},
    {WmfRecord::Ellipse, ellipse},
    {WmfRecord::RoundRect, roundRect},
    {WmfRecord::Polygon, polygon},
    {WmfRecord::Polyline, polyline},
    {WmfRecord::PolyPolygon, polyPolygon},
};

}  // namespace

std::optional<Metafile> parseWmf(RecordBytes file) {
  // Placeable header: key, handle, bounding box, units per inch, reserved, checksum.
  if (file.size() < kPlaceableHeaderBytes + kStandardHeaderBytes) return std::nullopt;
  const int32_t left = file.i16(6), top = file.i16(8), right = file.i16(10), bottom = file.i16(12);
  const int32_t inch = static_cast<int32_t>(file.u16(14));
  if (inch == 0 || right == left || bottom == top) return std::nullopt;
  const RecordBytes header = file.sub(kPlaceableHeaderBytes, kStandardHeaderBytes);
  const uint32_t headerWords = header.u16(2);
  if ((header.u16(0) != 1 && header.u16(0) != 2) || headerWords != 9) return std::nullopt;

  Metafile meta;
  meta.himetricWidth = static_cast<int32_t>(std::abs(right - left) * int64_t{2540} / inch);
  meta.himetricHeight = static_cast<int32_t>(std::abs(bottom - top) * int64_t{2540} / inch);
  if (meta.himetricWidth <= 0 || meta.himetricHeight <= 0) return std::nullopt;

  DrawingState d;
  d.objects.resize(std::min<size_t>(header.u16(10), kMaxMetaObjects));
  // The picture is played with the bounding box as its window; the file may set another.
  d.wOrgX = left;
  d.wOrgY = top;
  d.wExtX = right - left;
  d.wExtY = bottom - top;

  size_t pos = kPlaceableHeaderBytes + kStandardHeaderBytes;
  while (pos + kRecordHeaderBytes <= file.size()) {
    const uint64_t recordBytes = uint64_t{file.u32(pos)} * 2;
    const uint32_t function = file.u16(pos + 4);
    if (recordBytes < kRecordHeaderBytes || recordBytes > file.size() - pos) break;
    const RecordBytes params =
        file.sub(pos + kRecordHeaderBytes, static_cast<size_t>(recordBytes - kRecordHeaderBytes));
    pos += static_cast<size_t>(recordBytes);
    if (function == static_cast<uint32_t>(WmfRecord::Eof)) break;
    if (const RecordHandler handle = handlerFor<WmfRecord>(kHandlers, function)) handle(d, params);
  }
  meta.shapes = std::move(d.shapes);
  return meta;
}

}  // namespace norva::logo
