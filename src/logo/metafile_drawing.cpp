#include "logo/metafile_drawing.h"

#include <cmath>
#include <utility>

namespace norva::logo {

void DrawingState::saveDc() {
  if (saved_.size() < kMaxMetaObjects)
    saved_.push_back(
        {pen, brush, winding, wOrgX, wOrgY, wExtX, wExtY, vOrgX, vOrgY, vExtX, vExtY, scaled});
}

void DrawingState::restoreDc(int64_t level) {
  size_t keep = 0;
  if (level < 0) {
    if (static_cast<uint64_t>(-level) > saved_.size()) return;
    keep = saved_.size() - static_cast<size_t>(-level);
  } else {
    if (level == 0 || static_cast<uint64_t>(level) > saved_.size()) return;
    keep = static_cast<size_t>(level) - 1;
  }
  const Saved s = saved_[keep];
  saved_.resize(keep);
  pen = s.pen, brush = s.brush, winding = s.winding;
  wOrgX = s.wOrgX, wOrgY = s.wOrgY, wExtX = s.wExtX, wExtY = s.wExtY;
  vOrgX = s.vOrgX, vOrgY = s.vOrgY, vExtX = s.vExtX, vExtY = s.vExtY;
  scaled = s.scaled;
}

MetaPoint DrawingState::map(double lx, double ly) const {
  double dx = lx - wOrgX;
  double dy = ly - wOrgY;
  if (scaled) {
    dx = dx * vExtX / wExtX;
    dy = dy * vExtY / wExtY;
  }
  return {(dx + vOrgX - frameX) / frameW, (dy + vOrgY - frameY) / frameH};
}

double DrawingState::mapWidth(double logical) const {
  const double w = scaled ? logical * std::abs(vExtX / wExtX) : logical;
  return std::abs(w / frameW);
}

void DrawingState::storeObject(GdiObject object) {
  for (auto& slot : objects) {
    if (!slot) {
      slot = object;
      return;
    }
  }
  if (objects.size() < kMaxMetaObjects) objects.push_back(object);
}

void DrawingState::storeObjectAt(size_t index, GdiObject object) {
  if (index >= kMaxMetaObjects) return;
  if (index >= objects.size()) objects.resize(index + 1);
  objects[index] = object;
}

void DrawingState::select(size_t index) {
  if (index >= objects.size() || !objects[index]) return;
  if (objects[index]->type == GdiObject::Type::Pen) pen = objects[index]->pen;
  if (objects[index]->type == GdiObject::Type::Brush) brush = objects[index]->brush;
}

void DrawingState::remove(size_t index) {
  if (index < objects.size()) objects[index].reset();
}

void DrawingState::add(MetaShape shape) {
  if (shapes.size() >= kMaxMetaShapes) return;
  shape.pen = pen;
  shape.brush = brush;
  shape.winding = winding;
  shape.stroke = shape.stroke && pen.visible;
  shape.fill = shape.fill && brush.visible;
  if (shape.fill || shape.stroke) shapes.push_back(std::move(shape));
}

void DrawingState::figure(std::vector<MetaPoint> points, bool closed) {
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

void DrawingState::box(MetaShape::Kind kind, double l, double t, double r, double b, double rw,
                       double rh) {
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

void DrawingState::lineTo(MetaPoint to) {
  if (inPath) {
    if (path.empty()) path.push_back({current});
    path.back().push_back(to);
  } else {
    figure({current, to}, false);
  }
  current = to;
}

void DrawingState::finishPath(bool fill, bool stroke) {
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

MetaBrush brushOf(uint32_t style, Rgb colour) {
  MetaBrush brush;
  brush.visible = style != 1;  // BS_NULL / BS_HOLLOW
  brush.colour = colour;
  return brush;
}

}  // namespace norva::logo
