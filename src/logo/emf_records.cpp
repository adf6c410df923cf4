#include "logo/emf_records.h"

#include <cstdint>
#include <utility>

#include "logo/metafile_drawing.h"

namespace norva::logo {
namespace {

constexpr size_t kRecordHeaderBytes = 8;  // type, size in bytes
constexpr uint32_t kStockObjectFlag = 0x80000000u;
constexpr uint32_t kMapModeIsotropic = 7;
constexpr uint32_t kMapModeAnisotropic = 8;
constexpr uint32_t kFillModeWinding = 2;
// The poly records: a bounding box (16 bytes), a count, then the points.
constexpr size_t kPolyCountAt = 16;
constexpr size_t kPolyPointsAt = 20;

enum class PointSize { Long, Short };  // 32-bit or 16-bit coordinates

// Stock objects are selected by index with the top bit set.
void selectStock(DrawingState& d, uint32_t index) {
  switch (index & 0x7FFFFFFF) {
    case 0:  // WHITE_BRUSH
      d.brush = {true, {255, 255, 255}};
      break;
    case 1:  // LTGRAY_BRUSH
      d.brush = {true, {192, 192, 192}};
      break;
    case 2:  // GRAY_BRUSH
      d.brush = {true, {128, 128, 128}};
      break;
    case 3:  // DKGRAY_BRUSH
      d.brush = {true, {64, 64, 64}};
      break;
    case 4:  // BLACK_BRUSH
      d.brush = {true, {0, 0, 0}};
      break;
    case 5:  // NULL_BRUSH
      d.brush.visible = false;
      break;
    case 6:  // WHITE_PEN
      d.pen = {true, {255, 255, 255}, 0};
      break;
    case 7:  // BLACK_PEN
      d.pen = {true, {0, 0, 0}, 0};
      break;
    case 8:  // NULL_PEN
      d.pen.visible = false;
      break;
    default:
      break;
  }
}

// `count` points from `at`; none when they do not all fit.
std::vector<MetaPoint> points(const DrawingState& d, const RecordBytes& r, size_t at, size_t count,
                              PointSize size) {
  std::vector<MetaPoint> out;
  const size_t step = size == PointSize::Short ? 4 : 8;
  if (at + count * step > r.size()) return out;
  for (size_t i = 0; i < count; ++i, at += step) {
    if (size == PointSize::Short)
      out.push_back(d.map(r.i16(at), r.i16(at + 2)));
    else
      out.push_back(d.map(r.i32(at), r.i32(at + 4)));
  }
  return out;
}

void setWindowExt(DrawingState& d, const RecordBytes& r) {
  if (r.i32(0) != 0 && r.i32(4) != 0) d.wExtX = r.i32(0), d.wExtY = r.i32(4);
}

void setWindowOrg(DrawingState& d, const RecordBytes& r) {
  d.wOrgX = r.i32(0), d.wOrgY = r.i32(4);
}

void setViewportExt(DrawingState& d, const RecordBytes& r) {
  if (r.i32(0) != 0 && r.i32(4) != 0) d.vExtX = r.i32(0), d.vExtY = r.i32(4);
}

void setViewportOrg(DrawingState& d, const RecordBytes& r) {
  d.vOrgX = r.i32(0), d.vOrgY = r.i32(4);
}

// Only the isotropic and anisotropic modes scale window to viewport.
void setMapMode(DrawingState& d, const RecordBytes& r) {
  d.scaled = r.u32(0) == kMapModeIsotropic || r.u32(0) == kMapModeAnisotropic;
}

void setPolyFillMode(DrawingState& d, const RecordBytes& r) {
  d.winding = r.u32(0) == kFillModeWinding;
}

void saveDc(DrawingState& d, const RecordBytes&) {
  d.saveDc();
}

void restoreDc(DrawingState& d, const RecordBytes& r) {
  d.restoreDc(r.i32(0));
}

// Inside a path a move starts a new figure.
void moveTo(DrawingState& d, const RecordBytes& r) {
  d.current = d.map(r.i32(0), r.i32(4));
  if (d.inPath) d.path.push_back({d.current});
}

void lineTo(DrawingState& d, const RecordBytes& r) {
  d.lineTo(d.map(r.i32(0), r.i32(4)));
}

void selectObject(DrawingState& d, const RecordBytes& r) {
  if (r.u32(0) & kStockObjectFlag)
    selectStock(d, r.u32(0));
  else
    d.select(r.u32(0));
}

void deleteObject(DrawingState& d, const RecordBytes& r) {
  d.remove(r.u32(0));
}

// Index, style, width (a point: x is the width), colour.
void createPen(DrawingState& d, const RecordBytes& r) {
  MetaPen pen{penStyleVisible(r.u32(4)), r.colour(16), d.mapWidth(r.i32(8))};
  d.storeObjectAt(r.u32(0), {GdiObject::Type::Pen, pen, {}});
}

// Index, four offsets and sizes of a bitmap, style, width, brush style, colour.
void extCreatePen(DrawingState& d, const RecordBytes& r) {
  MetaPen pen{penStyleVisible(r.u32(20)), r.colour(32), d.mapWidth(r.i32(24))};
  d.storeObjectAt(r.u32(0), {GdiObject::Type::Pen, pen, {}});
}

// Index, style, colour, hatch.
void createBrushIndirect(DrawingState& d, const RecordBytes& r) {
  d.storeObjectAt(r.u32(0), {GdiObject::Type::Brush, {}, brushOf(r.u32(4), r.colour(8))});
}

// Left, top, right, bottom, then the corner size for rounded rectangles.
void box(DrawingState& d, const RecordBytes& r, MetaShape::Kind kind) {
  d.box(kind, r.i32(0), r.i32(4), r.i32(8), r.i32(12), r.i32(16), r.i32(20));
}

void ellipse(DrawingState& d, const RecordBytes& r) {
  box(d, r, MetaShape::Kind::Ellipse);
}
void rectangle(DrawingState& d, const RecordBytes& r) {
  box(d, r, MetaShape::Kind::Rectangle);
}
void roundRect(DrawingState& d, const RecordBytes& r) {
  box(d, r, MetaShape::Kind::RoundRect);
}

enum class Figure { Bezier, Polygon, Polyline };

// A figure of its own; the last point becomes the current position.
void poly(DrawingState& d, const RecordBytes& r, PointSize size, Figure figure) {
  auto pts = points(d, r, kPolyPointsAt, r.u32(kPolyCountAt), size);
  if (figure == Figure::Bezier) pts = flattenBezier(pts);
  if (!pts.empty()) d.current = pts.back();
  d.figure(std::move(pts), figure == Figure::Polygon);
}

void polyBezier(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Long, Figure::Bezier);
}
void polygon(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Long, Figure::Polygon);
}
void polyline(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Long, Figure::Polyline);
}
void polyBezier16(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Short, Figure::Bezier);
}
void polygon16(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Short, Figure::Polygon);
}
void polyline16(DrawingState& d, const RecordBytes& r) {
  poly(d, r, PointSize::Short, Figure::Polyline);
}

// Lines on from the current position.
void polyTo(DrawingState& d, const RecordBytes& r, PointSize size, bool bezier) {
  auto pts = points(d, r, kPolyPointsAt, r.u32(kPolyCountAt), size);
  pts.insert(pts.begin(), d.current);
  if (bezier) pts = flattenBezier(pts);
  for (size_t i = 1; i < pts.size(); ++i) d.lineTo(pts[i]);
}

void polyBezierTo(DrawingState& d, const RecordBytes& r) {
  polyTo(d, r, PointSize::Long, true);
}
void polylineTo(DrawingState& d, const RecordBytes& r) {
  polyTo(d, r, PointSize::Long, false);
}
void polyBezierTo16(DrawingState& d, const RecordBytes& r) {
  polyTo(d, r, PointSize::Short, true);
}
void polylineTo16(DrawingState& d, const RecordBytes& r) {
  polyTo(d, r, PointSize::Short, false);
}

// Bounding box, figure count, total point count, each figure's count, then all the points:
// one shape of several figures.
void polyPoly(DrawingState& d, const RecordBytes& r, PointSize size, bool closed) {
  const size_t polys = r.u32(16);
  const size_t total = r.u32(20);
  if (polys > r.size() / 4 || 24 + polys * 4 > r.size()) return;
  const size_t at = 24 + polys * 4;
  auto all = points(d, r, at, total, size);
  if (all.size() != total) return;
  MetaShape shape;
  shape.closed = shape.fill = closed;
  size_t next = 0;
  for (size_t k = 0; k < polys; ++k) {
    const size_t count = r.u32(24 + 4 * k);
    if (count > all.size() - next) break;
    shape.figures.emplace_back(all.begin() + static_cast<ptrdiff_t>(next),
                               all.begin() + static_cast<ptrdiff_t>(next + count));
    next += count;
  }
  d.add(std::move(shape));
}

void polyPolyline(DrawingState& d, const RecordBytes& r) {
  polyPoly(d, r, PointSize::Long, false);
}
void polyPolygon(DrawingState& d, const RecordBytes& r) {
  polyPoly(d, r, PointSize::Long, true);
}
void polyPolyline16(DrawingState& d, const RecordBytes& r) {
  polyPoly(d, r, PointSize::Short, false);
}
void polyPolygon16(DrawingState& d, const RecordBytes& r) {
  polyPoly(d, r, PointSize::Short, true);
}

void beginPath(DrawingState& d, const RecordBytes&) {
  d.inPath = true, d.path.clear();
}

// The path stays open for filling or stroking; nothing to do when it ends.
void endPath(DrawingState&, const RecordBytes&) {}

void closeFigure(DrawingState& d, const RecordBytes&) {
  if (!d.path.empty() && !d.path.back().empty()) d.path.back().push_back(d.path.back().front());
}

void fillPath(DrawingState& d, const RecordBytes&) {
  d.finishPath(true, false);
}
void strokeAndFillPath(DrawingState& d, const RecordBytes&) {
  d.finishPath(true, true);
}
void strokePath(DrawingState& d, const RecordBytes&) {
  d.finishPath(false, true);
}

constexpr HandlerEntry<EmfRecord> kHandlers[] = {
    {EmfRecord::SetWindowExtEx, setWindowExt},
    {EmfRecord::SetWindowOrgEx, setWindowOrg},
    {EmfRecord::SetViewportExtEx, setViewportExt},
    {EmfRecord::SetViewportOrgEx, setViewportOrg},
    {EmfRecord::SetMapMode, setMapMode},
    {EmfRecord::SetPolyFillMode, setPolyFillMode},
    {EmfRecord::SaveDc, saveDc},
    {EmfRecord::RestoreDc, restoreDc},
    {EmfRecord::MoveToEx, moveTo},
    {EmfRecord::LineTo, lineTo},
    {EmfRecord::SelectObject, selectObject},
    {EmfRecord::DeleteObject, deleteObject},
    {EmfRecord::CreatePen, createPen},
    {EmfRecord::ExtCreatePen, extCreatePen},
    {EmfRecord::CreateBrushIndirect, createBrushIndirect},
    {EmfRecord::Ellipse, ellipse},
    {EmfRecord::Rectangle, rectangle},
    {EmfRecord::RoundRect, roundRect},
    {EmfRecord::PolyBezier, polyBezier},
    {EmfRecord::Polygon, polygon},
    {EmfRecord::Polyline, polyline},
    {EmfRecord::PolyBezier16, polyBezier16},
    {EmfRecord::Polygon16, polygon16},
    {EmfRecord::Polyline16, polyline16},
    {EmfRecord::PolyBezierTo, polyBezierTo},
    {EmfRecord::PolylineTo, polylineTo},
    {EmfRecord::PolyBezierTo16, polyBezierTo16},
    {EmfRecord::PolylineTo16, polylineTo16},
    {EmfRecord::PolyPolyline, polyPolyline},
    {EmfRecord::PolyPolygon, polyPolygon},
    {EmfRecord::PolyPolyline16, polyPolyline16},
    {EmfRecord::PolyPolygon16, polyPolygon16},
    {EmfRecord::BeginPath, beginPath},
    {EmfRecord::EndPath, endPath},
    {EmfRecord::CloseFigure, closeFigure},
    {EmfRecord::FillPath, fillPath},
    {EmfRecord::StrokeAndFillPath, strokeAndFillPath},
    {EmfRecord::StrokePath, strokePath},
};

}  // namespace

std::optional<Metafile> parseEmf(RecordBytes file) {
  if (file.size() < kEmfHeaderBytes || file.u32(0) != 1 || file.u32(40) != kEmfSignature)
    return std::nullopt;
  const int64_t frameLeft = file.i32(24), frameTop = file.i32(28);
  const int64_t frameRight = file.i32(32), frameBottom = file.i32(36);
  const double deviceW = file.i32(72), deviceH = file.i32(76);
  const double mmW = file.i32(80), mmH = file.i32(84);
  if (deviceW <= 0 || deviceH <= 0 || mmW <= 0 || mmH <= 0) return std::nullopt;
  Metafile meta;
  const int64_t w = frameRight - frameLeft, h = frameBottom - frameTop;
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return std::nullopt;
  meta.himetricWidth = static_cast<int32_t>(w);
  meta.himetricHeight = static_cast<int32_t>(h);

  DrawingState d;
  d.scaled = false;  // MM_TEXT until the file says otherwise
  // The frame is inclusive-inclusive in 0.01 mm; in reference device pixels:
  const double pxPerHimX = deviceW / (mmW * 100), pxPerHimY = deviceH / (mmH * 100);
  d.frameX = double(frameLeft) * pxPerHimX;
  d.frameY = double(frameTop) * pxPerHimY;
  d.frameW = double(w) * pxPerHimX;
  d.frameH = double(h) * pxPerHimY;
  if (!(d.frameW > 0) || !(d.frameH > 0)) return std::nullopt;

  // The header is itself the first record (type 1) and is passed over like any unknown one.
  size_t pos = 0;
  while (pos + kRecordHeaderBytes <= file.size()) {
    const uint32_t type = file.u32(pos);
    const uint64_t size = file.u32(pos + 4);
    if (size < kRecordHeaderBytes || size % 4 != 0 || size > file.size() - pos) break;
    const RecordBytes params =
        file.sub(pos + kRecordHeaderBytes, static_cast<size_t>(size - kRecordHeaderBytes));
    pos += static_cast<size_t>(size);
    if (type == static_cast<uint32_t>(EmfRecord::Eof)) break;
    if (const RecordHandler handle = handlerFor<EmfRecord>(kHandlers, type)) handle(d, params);
  }
  meta.shapes = std::move(d.shapes);
  return meta;
}

}  // namespace norva::logo
