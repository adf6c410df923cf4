#include "logo/metafile.h"

#include <algorithm>
#include <cmath>

namespace norva::logo {
namespace {

// Bounded little-endian access to one record's bytes: reads past the end give 0, and callers
// check counts against size() before walking arrays.
class Bytes {
 public:
  explicit Bytes(std::span<const uint8_t> bytes) : b_(bytes) {}
  size_t size() const { return b_.size(); }
  uint32_t u8(size_t at) const { return at < b_.size() ? b_[at] : 0u; }
  uint32_t u16(size_t at) const { return u8(at) | (u8(at + 1) << 8); }
  int32_t i16(size_t at) const { return static_cast<int16_t>(u16(at)); }
  uint32_t u32(size_t at) const { return u16(at) | (u16(at + 2) << 16); }
  int32_t i32(size_t at) const { return static_cast<int32_t>(u32(at)); }
  Rgb colour(size_t at) const {
    return Rgb{static_cast<uint8_t>(u8(at)), static_cast<uint8_t>(u8(at + 1)),
               static_cast<uint8_t>(u8(at + 2))};
  }
  Bytes sub(size_t at, size_t n) const {
    if (at >= b_.size()) return Bytes({});
    return Bytes(b_.subspan(at, std::min(n, b_.size() - at)));
  }

 private:
  std::span<const uint8_t> b_;
};

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr uint32_t kEmfSignature = 0x464D4520;
constexpr size_t kMaxObjects = 4096;
constexpr size_t kMaxShapes = 100000;

struct GdiObject {
  enum class Type { Pen, Brush, Other } type = Type::Other;
  MetaPen pen;
  MetaBrush brush;
};

// The drawing state both formats share: object table, selected pen and brush, the mapping from
// logical coordinates to the picture's frame, the current position and an open path.
class Player {
 public:
  std::vector<MetaShape> shapes;
  std::vector<std::optional<GdiObject>> objects;
  MetaPen pen;
  MetaBrush brush;
  bool winding = false;
  MetaPoint current;

  // Logical -> device (window/viewport), then device -> frame.
  double wOrgX = 0, wOrgY = 0, wExtX = 1, wExtY = 1;
  double vOrgX = 0, vOrgY = 0, vExtX = 1, vExtY = 1;
  bool scaled = true;  // window/viewport scaling applies (anisotropic map modes)
  double frameX = 0, frameY = 0, frameW = 1, frameH = 1;  // frame in device units

  bool inPath = false;
  std::vector<std::vector<MetaPoint>> path;

  // SaveDC / RestoreDC: the selected objects and the mapping.
  struct Saved {
    MetaPen pen;
    MetaBrush brush;
    bool winding;
    double wOrgX, wOrgY, wExtX, wExtY, vOrgX, vOrgY, vExtX, vExtY;
    bool scaled;
  };
  std::vector<Saved> saved;

  void saveDc() {
    if (saved.size() < kMaxObjects)
      saved.push_back(
          {pen, brush, winding, wOrgX, wOrgY, wExtX, wExtY, vOrgX, vOrgY, vExtX, vExtY, scaled});
  }
  // `level` below 0 goes back that many saves; above 0 names a save counted from 1.
  void restoreDc(int64_t level) {
    size_t keep = 0;
    if (level < 0) {
      if (static_cast<uint64_t>(-level) > saved.size()) return;
      keep = saved.size() - static_cast<size_t>(-level);
    } else {
      if (level == 0 || static_cast<uint64_t>(level) > saved.size()) return;
      keep = static_cast<size_t>(level) - 1;
    }
    const Saved s = saved[keep];
    saved.resize(keep);
    pen = s.pen, brush = s.brush, winding = s.winding;
    wOrgX = s.wOrgX, wOrgY = s.wOrgY, wExtX = s.wExtX, wExtY = s.wExtY;
    vOrgX = s.vOrgX, vOrgY = s.vOrgY, vExtX = s.vExtX, vExtY = s.vExtY;
    scaled = s.scaled;
  }

  MetaPoint map(double lx, double ly) const {
    double dx = lx - wOrgX;
    double dy = ly - wOrgY;
    if (scaled) {
      dx = dx * vExtX / wExtX;
      dy = dy * vExtY / wExtY;
    }
    return {(dx + vOrgX - frameX) / frameW, (dy + vOrgY - frameY) / frameH};
  }
  double mapWidth(double logical) const {
    const double w = scaled ? logical * std::abs(vExtX / wExtX) : logical;
    return std::abs(w / frameW);
  }

  void storeObject(GdiObject object) {
    for (auto& slot : objects) {
      if (!slot) {
        slot = object;
        return;
      }
    }
    if (objects.size() < kMaxObjects) objects.push_back(object);
  }
  void storeObjectAt(size_t index, GdiObject object) {
    if (index >= kMaxObjects) return;
    if (index >= objects.size()) objects.resize(index + 1);
    objects[index] = object;
  }
  void select(size_t index) {
    if (index >= objects.size() || !objects[index]) return;
    if (objects[index]->type == GdiObject::Type::Pen) pen = objects[index]->pen;
    if (objects[index]->type == GdiObject::Type::Brush) brush = objects[index]->brush;
  }
  void remove(size_t index) {
    if (index < objects.size()) objects[index].reset();
  }

  void add(MetaShape shape) {
    if (shapes.size() >= kMaxShapes) return;
    shape.pen = pen;
    shape.brush = brush;
    shape.winding = winding;
    shape.stroke = shape.stroke && pen.visible;
    shape.fill = shape.fill && brush.visible;
    if (shape.fill || shape.stroke) shapes.push_back(std::move(shape));
  }
  void figure(std::vector<MetaPoint> points, bool closed) {
    if (points.empty()) return;
    if (inPath) {
      path.push_back(std::move(points));
      return;
    }
    MetaShape shape;
    shape.figures.push_back(std::move(points));
    shape.closed = closed;
    shape.fill = closed;
    add(std::move(shape));
  }
  void box(MetaShape::Kind kind, double l, double t, double r, double b, double rw = 0,
           double rh = 0) {
    MetaShape shape;
    shape.kind = kind;
    shape.corner = map(l, t);
    shape.opposite = map(r, b);
    const MetaPoint origin = map(0, 0);
    const MetaPoint radius = map(rw / 2, rh / 2);
    shape.radius = {std::abs(radius.x - origin.x), std::abs(radius.y - origin.y)};
    shape.fill = true;
    add(std::move(shape));
  }
  void lineTo(MetaPoint to) {
    if (inPath) {
      if (path.empty()) path.push_back({current});
      path.back().push_back(to);
    } else {
      figure({current, to}, false);
    }
    current = to;
  }
  void finishPath(bool fill, bool stroke) {
    inPath = false;
    if (path.empty()) return;
    MetaShape shape;
    shape.figures = std::move(path);
    path.clear();
    shape.closed = fill;
    shape.fill = fill;
    shape.stroke = stroke;
    add(std::move(shape));
  }
};

// Cubic Bezier pieces (start, then three points per piece) flattened into line segments.
std::vector<MetaPoint> flattenBezier(const std::vector<MetaPoint>& points) {
  std::vector<MetaPoint> out;
  if (points.empty()) return out;
  out.push_back(points[0]);
  constexpr int kSteps = 16;
  for (size_t i = 1; i + 2 < points.size(); i += 3) {
    const MetaPoint p0 = out.back(), p1 = points[i], p2 = points[i + 1], p3 = points[i + 2];
    for (int s = 1; s <= kSteps; ++s) {
      const double t = double(s) / kSteps, u = 1 - t;
      out.push_back(
          {u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x,
           u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y});
    }
  }
  return out;
}

MetaPen wmfPen(const Player& p, const Bytes& params) {
  MetaPen pen;
  pen.visible = (params.u16(0) & 0x0F) != 5;  // PS_NULL
  pen.width = p.mapWidth(params.i16(2));
  pen.colour = params.colour(6);
  return pen;
}

MetaBrush brushOf(uint32_t style, Rgb colour) {
  MetaBrush brush;
  brush.visible = style != 1;  // BS_NULL / BS_HOLLOW
  brush.colour = colour;
  return brush;
}

std::optional<Metafile> parseWmf(Bytes file) {
  // Placeable header (22 bytes): key, handle, bounding box, units per inch, reserved, checksum.
  if (file.size() < 22 + 18) return std::nullopt;
  const int32_t left = file.i16(6), top = file.i16(8), right = file.i16(10), bottom = file.i16(12);
  const int32_t inch = static_cast<int32_t>(file.u16(14));
  if (inch == 0 || right == left || bottom == top) return std::nullopt;
  const Bytes header = file.sub(22, 18);
  const uint32_t headerWords = header.u16(2);
  if ((header.u16(0) != 1 && header.u16(0) != 2) || headerWords != 9) return std::nullopt;

  Metafile meta;
  meta.himetricWidth = static_cast<int32_t>(std::abs(right - left) * int64_t{2540} / inch);
  meta.himetricHeight = static_cast<int32_t>(std::abs(bottom - top) * int64_t{2540} / inch);
  if (meta.himetricWidth <= 0 || meta.himetricHeight <= 0) return std::nullopt;

  Player p;
  p.objects.resize(std::min<size_t>(header.u16(10), kMaxObjects));
  // The picture is played with the bounding box as its window; the file may set another.
  p.wOrgX = left;
  p.wOrgY = top;
  p.wExtX = right - left;
  p.wExtY = bottom - top;

  size_t pos = 22 + 18;
  while (pos + 6 <= file.size()) {
    const uint64_t recordBytes = uint64_t{file.u32(pos)} * 2;
    const uint32_t function = file.u16(pos + 4);
    if (recordBytes < 6 || recordBytes > file.size() - pos) break;
    const Bytes r = file.sub(pos + 6, static_cast<size_t>(recordBytes - 6));
    pos += static_cast<size_t>(recordBytes);
    if (function == 0x0000) break;  // META_EOF
    switch (function) {
      case 0x020B:  // SETWINDOWORG
        p.wOrgX = r.i16(2), p.wOrgY = r.i16(0);
        break;
      case 0x020C:  // SETWINDOWEXT
        if (r.i16(2) != 0 && r.i16(0) != 0) p.wExtX = r.i16(2), p.wExtY = r.i16(0);
        break;
      case 0x0106:  // SETPOLYFILLMODE
        p.winding = r.u16(0) == 2;
        break;
      case 0x001E:  // SAVEDC
        p.saveDc();
        break;
      case 0x0127:  // RESTOREDC
        p.restoreDc(r.i16(0));
        break;
      case 0x02FA:  // CREATEPENINDIRECT
        p.storeObject({GdiObject::Type::Pen, wmfPen(p, r), {}});
        break;
      case 0x02FC:  // CREATEBRUSHINDIRECT
        p.storeObject({GdiObject::Type::Brush, {}, brushOf(r.u16(0), r.colour(2))});
        break;
      case 0x02FB:
      case 0x00F7:
      case 0x01F9:
      case 0x0142:
      case 0x06FF:  // other objects
        p.storeObject({});
        break;
      case 0x012D:  // SELECTOBJECT
        p.select(r.u16(0));
        break;
      case 0x01F0:  // DELETEOBJECT
        p.remove(r.u16(0));
        break;
      case 0x0214:  // MOVETO
        p.current = p.map(r.i16(2), r.i16(0));
        break;
      case 0x0213:  // LINETO
        p.lineTo(p.map(r.i16(2), r.i16(0)));
        break;
      case 0x041B:  // RECTANGLE
        p.box(MetaShape::Kind::Rectangle, r.i16(6), r.i16(4), r.i16(2), r.i16(0));
        break;
      case 0x0418:  // ELLIPSE
        p.box(MetaShape::Kind::Ellipse, r.i16(6), r.i16(4), r.i16(2), r.i16(0));
        break;
      case 0x061C:  // ROUNDRECT
        p.box(MetaShape::Kind::RoundRect, r.i16(10), r.i16(8), r.i16(6), r.i16(4), r.i16(2),
              r.i16(0));
        break;
      case 0x0324:    // POLYGON
      case 0x0325: {  // POLYLINE
        const size_t count = r.u16(0);
        if (2 + count * 4 > r.size()) break;
        std::vector<MetaPoint> points;
        for (size_t i = 0; i < count; ++i)
          points.push_back(p.map(r.i16(2 + 4 * i), r.i16(4 + 4 * i)));
        p.figure(std::move(points), function == 0x0324);
        break;
      }
      case 0x0538: {  // POLYPOLYGON
        const size_t polygons = r.u16(0);
        size_t at = 2 + polygons * 2;
        if (at > r.size()) break;
        MetaShape shape;
        shape.closed = shape.fill = true;
        for (size_t k = 0; k < polygons; ++k) {
          const size_t count = r.u16(2 + 2 * k);
          if (at + count * 4 > r.size()) break;
          std::vector<MetaPoint> points;
          for (size_t i = 0; i < count; ++i, at += 4)
            points.push_back(p.map(r.i16(at), r.i16(at + 2)));
          shape.figures.push_back(std::move(points));
        }
        p.add(std::move(shape));
        break;
      }
      default:
        break;
    }
  }
  meta.shapes = std::move(p.shapes);
  return meta;
}

// EMF stock objects: selected by index with the top bit set.
void selectStock(Player& p, uint32_t index) {
  switch (index & 0x7FFFFFFF) {
    case 0:
      p.brush = {true, {255, 255, 255}};
      break;
    case 1:
      p.brush = {true, {192, 192, 192}};
      break;
    case 2:
      p.brush = {true, {128, 128, 128}};
      break;
    case 3:
      p.brush = {true, {64, 64, 64}};
      break;
    case 4:
      p.brush = {true, {0, 0, 0}};
      break;
    case 5:
      p.brush.visible = false;
      break;
    case 6:
      p.pen = {true, {255, 255, 255}, 0};
      break;
    case 7:
      p.pen = {true, {0, 0, 0}, 0};
      break;
    case 8:
      p.pen.visible = false;
      break;
    default:
      break;
  }
}

std::vector<MetaPoint> emfPoints(const Player& p, const Bytes& r, size_t at, size_t count,
                                 bool shortPoints) {
  std::vector<MetaPoint> points;
  const size_t step = shortPoints ? 4 : 8;
  if (at + count * step > r.size()) return points;
  for (size_t i = 0; i < count; ++i, at += step) {
    if (shortPoints)
      points.push_back(p.map(r.i16(at), r.i16(at + 2)));
    else
      points.push_back(p.map(r.i32(at), r.i32(at + 4)));
  }
  return points;
}

std::optional<Metafile> parseEmf(Bytes file) {
  if (file.size() < 88 || file.u32(0) != 1 || file.u32(40) != kEmfSignature) return std::nullopt;
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

  Player p;
  p.scaled = false;  // MM_TEXT until the file says otherwise
  // The frame is inclusive-inclusive in 0.01 mm; in reference device pixels:
  const double pxPerHimX = deviceW / (mmW * 100), pxPerHimY = deviceH / (mmH * 100);
  p.frameX = double(frameLeft) * pxPerHimX;
  p.frameY = double(frameTop) * pxPerHimY;
  p.frameW = double(w) * pxPerHimX;
  p.frameH = double(h) * pxPerHimY;
  if (!(p.frameW > 0) || !(p.frameH > 0)) return std::nullopt;

  size_t pos = 0;
  while (pos + 8 <= file.size()) {
    const uint32_t type = file.u32(pos);
    const uint64_t size = file.u32(pos + 4);
    if (size < 8 || size % 4 != 0 || size > file.size() - pos) break;
    const Bytes r = file.sub(pos + 8, static_cast<size_t>(size - 8));
    pos += static_cast<size_t>(size);
    switch (type) {
      case 14:  // EOF
        pos = file.size();
        break;
      case 9:  // SETWINDOWEXTEX
        if (r.i32(0) != 0 && r.i32(4) != 0) p.wExtX = r.i32(0), p.wExtY = r.i32(4);
        break;
      case 10:  // SETWINDOWORGEX
        p.wOrgX = r.i32(0), p.wOrgY = r.i32(4);
        break;
      case 11:  // SETVIEWPORTEXTEX
        if (r.i32(0) != 0 && r.i32(4) != 0) p.vExtX = r.i32(0), p.vExtY = r.i32(4);
        break;
      case 12:  // SETVIEWPORTORGEX
        p.vOrgX = r.i32(0), p.vOrgY = r.i32(4);
        break;
      case 17:  // SETMAPMODE (iso/aniso)
        p.scaled = r.u32(0) == 7 || r.u32(0) == 8;
        break;
      case 19:  // SETPOLYFILLMODE
        p.winding = r.u32(0) == 2;
        break;
      case 33:  // SAVEDC
        p.saveDc();
        break;
      case 34:  // RESTOREDC
        p.restoreDc(r.i32(0));
        break;
      case 27:  // MOVETOEX
        p.current = p.map(r.i32(0), r.i32(4));
        break;
      case 54:  // LINETO
        p.lineTo(p.map(r.i32(0), r.i32(4)));
        break;
      case 37:  // SELECTOBJECT
        if (r.u32(0) & 0x80000000u)
          selectStock(p, r.u32(0));
        else
          p.select(r.u32(0));
        break;
      case 40:  // DELETEOBJECT
        p.remove(r.u32(0));
        break;
      case 38: {  // CREATEPEN: index, style, width (POINTL), colour
        MetaPen pen{(r.u32(4) & 0x0F) != 5, r.colour(16), p.mapWidth(r.i32(8))};
        p.storeObjectAt(r.u32(0), {GdiObject::Type::Pen, pen, {}});
        break;
      }
      case 95: {  // EXTCREATEPEN: index, 4 offsets/sizes, style, width, brush style, colour
        MetaPen pen{(r.u32(20) & 0x0F) != 5, r.colour(32), p.mapWidth(r.i32(24))};
        p.storeObjectAt(r.u32(0), {GdiObject::Type::Pen, pen, {}});
        break;
      }
      case 39:  // CREATEBRUSHINDIRECT: index, style, colour, hatch
        p.storeObjectAt(r.u32(0), {GdiObject::Type::Brush, {}, brushOf(r.u32(4), r.colour(8))});
        break;
      case 42:
      case 43:
      case 44: {  // ELLIPSE, RECTANGLE, ROUNDRECT
        const auto kind = type == 42   ? MetaShape::Kind::Ellipse
                          : type == 43 ? MetaShape::Kind::Rectangle
                                       : MetaShape::Kind::RoundRect;
        p.box(kind, r.i32(0), r.i32(4), r.i32(8), r.i32(12), r.i32(16), r.i32(20));
        break;
      }
      case 2:
      case 3:
      case 4:
      case 85:
      case 86:
      case 87: {  // POLYBEZIER, POLYGON, POLYLINE
        const bool shortPoints = type >= 85;
        auto points = emfPoints(p, r, 20, r.u32(16), shortPoints);
        if (type == 2 || type == 85) points = flattenBezier(points);
        if (!points.empty()) p.current = points.back();
        p.figure(std::move(points), type == 3 || type == 86);
        break;
      }
      case 5:
      case 6:
      case 88:
      case 89: {  // POLYBEZIERTO, POLYLINETO
        const bool shortPoints = type >= 88;
        auto points = emfPoints(p, r, 20, r.u32(16), shortPoints);
        points.insert(points.begin(), p.current);
        if (type == 5 || type == 88) points = flattenBezier(points);
        for (size_t i = 1; i < points.size(); ++i) p.lineTo(points[i]);
        break;
      }
      case 7:
      case 8:
      case 90:
      case 91: {  // POLYPOLYLINE, POLYPOLYGON
        const bool shortPoints = type >= 90;
        const size_t polys = r.u32(16);
        const size_t total = r.u32(20);
        if (polys > r.size() / 4 || 24 + polys * 4 > r.size()) break;
        size_t at = 24 + polys * 4;
        auto all = emfPoints(p, r, at, total, shortPoints);
        if (all.size() != total) break;
        MetaShape shape;
        shape.closed = shape.fill = type == 8 || type == 91;
        size_t next = 0;
        for (size_t k = 0; k < polys; ++k) {
          const size_t count = r.u32(24 + 4 * k);
          if (count > all.size() - next) break;
          shape.figures.emplace_back(all.begin() + static_cast<ptrdiff_t>(next),
                                     all.begin() + static_cast<ptrdiff_t>(next + count));
          next += count;
        }
        p.add(std::move(shape));
        break;
      }
      case 59:  // BEGINPATH
        p.inPath = true, p.path.clear();
        break;
      case 60:  // ENDPATH
        break;
      case 61:  // CLOSEFIGURE
        if (!p.path.empty() && !p.path.back().empty())
          p.path.back().push_back(p.path.back().front());
        break;
      case 62:  // FILLPATH
        p.finishPath(true, false);
        break;
      case 63:  // STROKEANDFILLPATH
        p.finishPath(true, true);
        break;
      case 64:  // STROKEPATH
        p.finishPath(false, true);
        break;
      default:
        break;
    }
    if (type == 27 && p.inPath) p.path.push_back({p.current});
  }
  meta.shapes = std::move(p.shapes);
  return meta;
}

}  // namespace

bool looksLikeMetafile(std::span<const uint8_t> bytes) {
  const Bytes b(bytes);
  return (b.size() >= 4 && b.u32(0) == kPlaceableKey) ||
         (b.size() >= 44 && b.u32(0) == 1 && b.u32(40) == kEmfSignature);
}

std::optional<Metafile> parseMetafile(std::span<const uint8_t> bytes) {
  const Bytes b(bytes);
  if (b.size() >= 4 && b.u32(0) == kPlaceableKey) return parseWmf(b);
  return parseEmf(b);
}

int himetricToPixels(int32_t himetric, int dpi) {
  return static_cast<int>((int64_t{dpi} * himetric + 1270) / 2540);
}

}  // namespace norva::logo
