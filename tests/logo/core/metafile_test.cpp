#include <gtest/gtest.h>

#include "../metafile_builder.h"
#include "logo/metafile.h"

namespace norva::logo {
namespace {

using testing::EmfBuilder;
using testing::WmfBuilder;

TEST(Metafile, NaturalSizeInPixelsRoundsAsTheLoaderDoes) {
  EXPECT_EQ(himetricToPixels(2540, 96), 96);
  EXPECT_EQ(himetricToPixels(100, 96), 4);  // (9600 + 1270) / 2540 = 4
  EXPECT_EQ(himetricToPixels(13, 96), 0);
}

TEST(Metafile, PlaceableWmfShapesInTheirPensAndBrushes) {
  // 1440 units an inch: 720 x 360 units is half an inch by a quarter.
  const auto file = WmfBuilder(720, 360, 1440)
                        .record(0x02FC, {0, 0x00FF, 0x0000, 0})  // red brush -> slot 0
                        .record(0x02FA, {5, 0, 0, 0, 0})         // null pen -> slot 1
                        .record(0x012D, {0})
                        .record(0x012D, {1})
                        .record(0x041B, {360, 360, 0, 0})  // left half
                        .record(0x0324, {3, 360, 0, 720, 0, 720, 360})
                        .finish();
  ASSERT_TRUE(looksLikeMetafile(file));
  const auto meta = parseMetafile(file);
  ASSERT_TRUE(meta);
  EXPECT_EQ(meta->himetricWidth, 1270);
  EXPECT_EQ(meta->himetricHeight, 635);
  ASSERT_EQ(meta->shapes.size(), 2u);
  const MetaShape& rect = meta->shapes[0];
  EXPECT_EQ(rect.kind, MetaShape::Kind::Rectangle);
  EXPECT_TRUE(rect.fill);
  EXPECT_FALSE(rect.stroke);
  EXPECT_EQ(rect.brush.colour, (Rgb{255, 0, 0}));
  EXPECT_DOUBLE_EQ(rect.corner.x, 0.0);
  EXPECT_DOUBLE_EQ(rect.opposite.x, 0.5);
  EXPECT_DOUBLE_EQ(rect.opposite.y, 1.0);
  const MetaShape& triangle = meta->shapes[1];
  ASSERT_EQ(triangle.figures.size(), 1u);
  ASSERT_EQ(triangle.figures[0].size(), 3u);
  EXPECT_DOUBLE_EQ(triangle.figures[0][1].x, 1.0);
  EXPECT_TRUE(triangle.closed);
}

TEST(Metafile, WmfWindowRecordsRemapCoordinates) {
  const auto file = WmfBuilder(100, 100, 100)
                        .record(0x020B, {50, 50})  // window origin (50, 50)
                        .record(0x020C, {10, 10})  // window extent 10 x 10
                        .record(0x0418, {60, 60, 55, 55})
                        .finish();
  const auto meta = parseMetafile(file);
  ASSERT_TRUE(meta);
  ASSERT_EQ(meta->shapes.size(), 1u);
  EXPECT_EQ(meta->shapes[0].kind, MetaShape::Kind::Ellipse);
  EXPECT_DOUBLE_EQ(meta->shapes[0].corner.x, 0.5);
  EXPECT_DOUBLE_EQ(meta->shapes[0].opposite.y, 1.0);
}

TEST(Metafile, EmfFrameAndRecords) {
  // Frame 2000 x 1000 hundredths of a mm = 200 x 100 device pixels.
  const auto file = EmfBuilder(2000, 1000)
                        .record(39, {1, 0, 0x00000000, 0})  // black brush as object 1
                        .record(37, {1})
                        .record(37, {0x80000008})     // NULL_PEN
                        .record(43, {0, 0, 100, 50})  // rectangle
                        .record(37, {0x80000007})     // BLACK_PEN
                        .record(27, {0, 100})         // move to
                        .record(54, {200, 100})       // line to
                        .finish();
  const auto meta = parseMetafile(file);
  ASSERT_TRUE(meta);
  EXPECT_EQ(meta->himetricWidth, 2000);
  EXPECT_EQ(meta->himetricHeight, 1000);
  ASSERT_EQ(meta->shapes.size(), 2u);
  EXPECT_EQ(meta->shapes[0].kind, MetaShape::Kind::Rectangle);
  EXPECT_FALSE(meta->shapes[0].stroke);
  EXPECT_DOUBLE_EQ(meta->shapes[0].opposite.x, 0.5);
  EXPECT_DOUBLE_EQ(meta->shapes[0].opposite.y, 0.5);
  EXPECT_TRUE(meta->shapes[1].stroke);
  EXPECT_FALSE(meta->shapes[1].fill);
  EXPECT_DOUBLE_EQ(meta->shapes[1].figures[0][1].x, 1.0);
}

TEST(Metafile, TruncatedAndHostileInputIsSafe) {
  const auto huge =
      parseMetafile(EmfBuilder(2000, 1000).record(86, {0, 0, 0, 0, 0x7FFFFFFF}).finish());
  ASSERT_TRUE(huge);  // the huge point count is ignored, not read
  EXPECT_TRUE(huge->shapes.empty());

  // Header (88 bytes), a rectangle record (24 bytes, ends at 112), then EOF. Every cut reads
  // only what it was given: no header below 88 bytes, the rectangle only once it is whole.
  const auto file = EmfBuilder(2000, 1000).record(43, {0, 0, 100, 50}).finish();
  ASSERT_EQ(file.size(), 132u);
  for (size_t n = 0; n <= file.size(); ++n) {
    const auto cut = parseMetafile(std::span<const uint8_t>(file).first(n));
    if (n < 88) {
      EXPECT_FALSE(cut) << n;
    } else {
      ASSERT_TRUE(cut) << n;
      EXPECT_EQ(cut->shapes.size(), n < 112 ? 0u : 1u) << n;
    }
  }
  auto wmf = WmfBuilder(100, 100, 0).finish();
  EXPECT_FALSE(parseMetafile(wmf)) << "0 units an inch";
  EXPECT_FALSE(parseMetafile(EmfBuilder(0, 1000).finish()));
  EXPECT_FALSE(looksLikeMetafile(std::vector<uint8_t>{'B', 'M', 0, 0}));
}

}  // namespace
}  // namespace norva::logo

namespace norva::logo {
namespace {

TEST(Metafile, RestoreDcBringsBackTheSavedBrushAndWindow) {
  const auto file = testing::WmfBuilder(100, 100, 100)
                        .record(0x02FC, {0, 0x0000, 0x0000, 0})  // black brush, slot 0
                        .record(0x012D, {0})
                        .record(0x001E, {})                      // SAVEDC
                        .record(0x02FC, {0, 0x00FF, 0x0000, 0})  // red brush, slot 1
                        .record(0x012D, {1})
                        .record(0x020C, {10, 10})                    // window extent 10 x 10
                        .record(0x0127, {static_cast<int>(0xFFFF)})  // RESTOREDC -1
                        .record(0x041B, {50, 50, 0, 0})
                        .record(0x0127, {static_cast<int>(0xFFFF)})  // nothing left to restore
                        .finish();
  const auto meta = parseMetafile(file);
  ASSERT_TRUE(meta);
  ASSERT_EQ(meta->shapes.size(), 1u);
  EXPECT_EQ(meta->shapes[0].brush.colour, (Rgb{0, 0, 0}));
  EXPECT_DOUBLE_EQ(meta->shapes[0].opposite.x, 0.5);
}

}  // namespace
}  // namespace norva::logo

namespace norva::logo {
namespace {

// Four points (0,0) (100,50) (200,100) (200,0) in device units of the 200 x 100 pixel frame,
// as 32-bit pairs or as 16-bit pairs packed in one word.
std::vector<uint32_t> fourPoints(bool shortPoints) {
  const uint32_t xy[4][2] = {{0, 0}, {100, 50}, {200, 100}, {200, 0}};
  std::vector<uint32_t> words;
  for (const auto& p : xy) {
    if (shortPoints) {
      words.push_back(p[0] | (p[1] << 16));
    } else {
      words.push_back(p[0]);
      words.push_back(p[1]);
    }
  }
  return words;
}

struct PolyCase {
  const char* what;
  uint32_t type;
  bool shortPoints;
  bool multi;     // the poly-poly form: two figures of two points each
  size_t shapes;  // PolyBezierTo / PolylineTo draw one line a segment
  size_t firstFigurePoints;
  bool closed;
  MetaPoint second;  // the first figure's second point, in frame units
};

// Second points: a Bezier piece (0,0) (.5,.5) (1,1) (1,0) at t = 1/16 is (767/8192, 765/8192);
// from the current position (0,0) through (0,0) (.5,.5) (1,1) it is (47/8192, 47/8192). A
// PolylineTo starts with a line from the current position to the first point, (0,0).
TEST(Metafile, EveryEmfPolyRecordKindDrawsItsFigure) {
  const PolyCase cases[] = {
      {"PolyBezier", 2, false, false, 1, 17, false, {0.0936279296875, 0.0933837890625}},
      {"Polygon", 3, false, false, 1, 4, true, {0.5, 0.5}},
      {"Polyline", 4, false, false, 1, 4, false, {0.5, 0.5}},
      {"PolyBezier16", 85, true, false, 1, 17, false, {0.0936279296875, 0.0933837890625}},
      {"Polygon16", 86, true, false, 1, 4, true, {0.5, 0.5}},
      {"Polyline16", 87, true, false, 1, 4, false, {0.5, 0.5}},
      {"PolyBezierTo", 5, false, false, 16, 2, false, {0.0057373046875, 0.0057373046875}},
      {"PolylineTo", 6, false, false, 4, 2, false, {0, 0}},
      {"PolyBezierTo16", 88, true, false, 16, 2, false, {0.0057373046875, 0.0057373046875}},
      {"PolylineTo16", 89, true, false, 4, 2, false, {0, 0}},
      {"PolyPolyline", 7, false, true, 1, 2, false, {0.5, 0.5}},
      {"PolyPolygon", 8, false, true, 1, 2, true, {0.5, 0.5}},
      {"PolyPolyline16", 90, true, true, 1, 2, false, {0.5, 0.5}},
      {"PolyPolygon16", 91, true, true, 1, 2, true, {0.5, 0.5}},
  };
  for (const auto& c : cases) {
    std::vector<uint32_t> params = {0, 0, 200, 100};  // bounds
    if (c.multi) {
      params.insert(params.end(), {2, 4, 2, 2});  // two figures, four points, two each
    } else if (c.type == 5 || c.type == 88) {
      params.push_back(3);  // one Bezier piece from the current position
    } else {
      params.push_back(4);
    }
    auto points = fourPoints(c.shortPoints);
    if (c.type == 5 || c.type == 88) points.resize(c.shortPoints ? 3 : 6);
    params.insert(params.end(), points.begin(), points.end());
    const auto file = EmfBuilder(2000, 1000)
                          .record(39, {1, 0, 0x00000000, 0})  // black brush as object 1
                          .record(37, {1})
                          .record(27, {0, 0})  // move to (0, 0)
                          .record(c.type, params)
                          .finish();
    const auto meta = parseMetafile(file);
    ASSERT_TRUE(meta) << c.what;
    ASSERT_EQ(meta->shapes.size(), c.shapes) << c.what;
    const MetaShape& shape = meta->shapes[0];
    ASSERT_FALSE(shape.figures.empty()) << c.what;
    EXPECT_EQ(shape.figures.size(), c.multi ? 2u : 1u) << c.what;
    EXPECT_EQ(shape.figures[0].size(), c.firstFigurePoints) << c.what;
    EXPECT_EQ(shape.closed, c.closed) << c.what;
    EXPECT_EQ(shape.fill, c.closed) << c.what;
    EXPECT_DOUBLE_EQ(shape.figures[0][1].x, c.second.x) << c.what;
    EXPECT_DOUBLE_EQ(shape.figures[0][1].y, c.second.y) << c.what;
  }
}

}  // namespace
}  // namespace norva::logo
