#pragma once
// The drawing state both metafile formats play their records into: the object table, the
// selected pen and brush, the mapping from logical coordinates to the picture's frame, the
// current position, an open path and the saved states of SaveDC.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "logo/metafile.h"
#include "logo/metafile_bytes.h"

namespace norva::logo {

inline constexpr size_t kMaxMetaObjects = 4096;
inline constexpr size_t kMaxMetaShapes = 100000;

struct GdiObject {
  enum class Type { Pen, Brush, Other } type = Type::Other;
  MetaPen pen;
  MetaBrush brush;
};

class DrawingState {
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

  void saveDc();
  // `level` below 0 goes back that many saves; above 0 names a save counted from 1.
  void restoreDc(int64_t level);

  MetaPoint map(double lx, double ly) const;
  // A pen width in logical units as a fraction of the frame's width.
  double mapWidth(double logical) const;

  // Into the first free slot of the table (WMF's rule).
  void storeObject(GdiObject object);
  // Into the slot the record names (EMF's rule).
  void storeObjectAt(size_t index, GdiObject object);
  void select(size_t index);
  void remove(size_t index);

  // Adds a shape in the selected pen and brush, if it shows at all.
  void add(MetaShape shape);
  // A polygon (closed) or polyline; inside a path it becomes one of the path's figures.
  void figure(std::vector<MetaPoint> points, bool closed);
  void box(MetaShape::Kind kind, double l, double t, double r, double b, double rw = 0,
           double rh = 0);
  void lineTo(MetaPoint to);
  void finishPath(bool fill, bool stroke);

 private:
  struct Saved {
    MetaPen pen;
    MetaBrush brush;
    bool winding;
    double wOrgX, wOrgY, wExtX, wExtY, vOrgX, vOrgY, vExtX, vExtY;
    bool scaled;
  };
  std::vector<Saved> saved_;
};

// One record kind and the function that plays its parameters.
using RecordHandler = void (*)(DrawingState&, const RecordBytes&);

template <typename Record>
struct HandlerEntry {
  Record record;
  RecordHandler handle;
};

// The handler of the record numbered `code`, or nothing for a record that is passed over.
template <typename Record>
RecordHandler handlerFor(std::span<const HandlerEntry<Record>> table, uint32_t code) {
  for (const auto& entry : table)
    if (static_cast<uint32_t>(entry.record) == code) return entry.handle;
  return nullptr;
}

// Cubic Bezier pieces (start, then three points per piece) flattened into line segments.
std::vector<MetaPoint> flattenBezier(const std::vector<MetaPoint>& points);

// A brush of `style` (1 is the hollow brush, which paints nothing) and colour.
MetaBrush brushOf(uint32_t style, Rgb colour);

// The pen style's low four bits; 5 is the null pen.
constexpr bool penStyleVisible(uint32_t style) {
  return (style & 0x0F) != 5;
}

}  // namespace norva::logo
