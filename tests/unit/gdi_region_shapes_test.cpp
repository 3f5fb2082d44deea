#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/transitions/random.h"
#include "engine/transitions/region.h"
#include "tests/unit/gdi_support.h"

namespace pavonix {
namespace {

using test::DescribeMaskDifference;
using test::MaskOf;
using test::MaskOfRows;

struct ShapeCase {
  std::string label;
  std::function<Region()> make;
  std::vector<TRect> expected;  // the rows GDI reports, in any banding
};

// Shapes read back from Wine's GDI with GetRegionData.
TEST(RegionShapes, MatchGdiRows) {
  const TPoint triangle[] = {{0, 0}, {10, 0}, {0, 6}, {0, 0}};
  const ShapeCase cases[] = {
      {"rect", [] { return Region::FromRect(2, 3, 7, 9); }, {{2, 3, 7, 9}}},
      {"rect with reversed corners", [] { return Region::FromRect(5, 5, 0, 0); }, {{0, 0, 5, 5}}},
      {"rect without width", [] { return Region::FromRect(5, 0, 5, 9); }, {}},
      {"round rect 20x10 ellipse 18x9",
       [] { return Region::FromRoundRect(0, 0, 20, 10, 18, 9); },
       {{5, 0, 14, 1}, {2, 1, 17, 2}, {1, 2, 18, 3}, {0, 3, 19, 4}, {0, 4, 19, 5}, {0, 5, 19, 6}, {1, 6, 18, 7},
        {2, 7, 17, 8}, {5, 8, 14, 9}}},
      {"round rect with reversed corners",
       [] { return Region::FromRoundRect(20, 10, 0, 0, 18, 9); },
       {{5, 0, 14, 1}, {2, 1, 17, 2}, {1, 2, 18, 3}, {0, 3, 19, 4}, {0, 4, 19, 5}, {0, 5, 19, 6}, {1, 6, 18, 7},
        {2, 7, 17, 8}, {5, 8, 14, 9}}},
      {"round rect with a small ellipse is a rect one short",
       [] { return Region::FromRoundRect(0, 0, 10, 10, 1, 8); },
       {{0, 0, 9, 9}}},
      {"round rect of width 0 is a column left of it",
       [] { return Region::FromRoundRect(10, 0, 10, 8, 4, 4); },
       {{9, 0, 10, 7}}},
      {"round rect of width 1 is empty", [] { return Region::FromRoundRect(10, 0, 11, 8, 4, 4); }, {}},
      {"triangle", [&] { return Region::FromPolygon(triangle); },
       {{0, 0, 10, 1}, {0, 1, 9, 2}, {0, 2, 7, 3}, {0, 3, 5, 4}, {0, 4, 4, 5}, {0, 5, 2, 6}}},
      {"degenerate triangle", [] {
         const TPoint flat[] = {{0, 0}, {0, 0}, {0, 0}, {0, 0}};
         return Region::FromPolygon(flat);
       }, {}},
  };
  const TRect window{-5, -5, 30, 20};
  for (const ShapeCase& c : cases) {
    const Region got = c.make();
    EXPECT_TRUE(got.IsValid()) << c.label;
    EXPECT_EQ(DescribeMaskDifference(MaskOfRows(c.expected, window), MaskOf(got, window)), "") << c.label;
  }
}

uint64_t TestSeed() {
  const char* text = std::getenv("PAVONIX_SEED");
  return text ? std::strtoull(text, nullptr, 10) : 20240611;
}

// The winding rule stated pixel by pixel: a pixel is inside when the edges
// crossing its row at or left of its top-left corner wind around it.  Exact
// rational comparisons, no scan conversion: an independent reference.
bool InsidePolygon(const std::vector<TPoint>& points, int64_t x, int64_t y) {
  int winding = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const TPoint& a = points[i == 0 ? points.size() - 1 : i - 1];
    const TPoint& b = points[i];
    if (a.Y == b.Y) continue;
    const TPoint& top = a.Y < b.Y ? a : b;
    const TPoint& bottom = a.Y < b.Y ? b : a;
    if (y < top.Y || y >= bottom.Y) continue;
    // The edge's x at row y is top.X + (y - top.Y) * dx / dy; it counts when <= x.
    const int64_t dx = int64_t{bottom.X} - top.X, dy = int64_t{bottom.Y} - top.Y;
    if ((x - top.X) * dy >= (y - top.Y) * dx) winding += a.Y < b.Y ? 1 : -1;
  }
  return winding != 0;
}

TEST(RegionShapes, RandomPolygonsFollowTheWindingRule) {
  const uint64_t seed = TestSeed();
  Xoshiro256 random(seed);
  const TRect window{-22, -22, 22, 22};
  for (int iteration = 0; iteration < 300; ++iteration) {
    std::vector<TPoint> points;
    const int n = 3 + random.Random(5);
    for (int k = 0; k < n; ++k) points.push_back({random.Random(41) - 20, random.Random(41) - 20});
    if (iteration % 2) points.push_back(points.front());  // closed by hand, as the triangles are
    const Region got = Region::FromPolygon(points);
    test::Mask expected(window);
    for (int32_t y = window.Top; y < window.Bottom; ++y)
      for (int32_t x = window.Left; x < window.Right; ++x) expected.At(x, y) = InsidePolygon(points, x, y);
    ASSERT_TRUE(got.IsValid()) << "seed " << seed << ", iteration " << iteration;
    ASSERT_EQ(DescribeMaskDifference(expected, MaskOf(got, window)), "")
        << "seed " << seed << " (PAVONIX_SEED replays it), iteration " << iteration;
  }
}

// Rounded rectangles have no simpler reference than GDI itself (the oracle test
// under Wine compares them); here their shape: inside the rectangle less its
// right column and bottom row, one span per row over a run of rows without
// holes, symmetric about both axes, and widening from the top row to the middle.
// (The tip rows of a narrow ellipse may come out empty, as they do in GDI.)
TEST(RegionShapes, RandomRoundRectsAreSymmetricAndConvex) {
  const uint64_t seed = TestSeed();
  Xoshiro256 random(seed + 1);
  for (int iteration = 0; iteration < 400; ++iteration) {
    const int32_t l = random.Random(81) - 40, t = random.Random(81) - 40;
    const int32_t r = random.Random(81) - 40, b = random.Random(81) - 40;
    const int32_t ew = random.Random(121) - 60, eh = random.Random(121) - 60;
    const std::string label = "seed " + std::to_string(seed) + ", iteration " + std::to_string(iteration) +
                              ": (" + std::to_string(l) + ", " + std::to_string(t) + ", " + std::to_string(r) +
                              ", " + std::to_string(b) + ", " + std::to_string(ew) + ", " + std::to_string(eh) + ")";
    const Region got = Region::FromRoundRect(l, t, r, b, ew, eh);
    ASSERT_TRUE(got.IsValid()) << label;
    if (got.IsEmpty()) continue;
    // The rectangle that remains, and its centre rows and columns.
    const int32_t left = std::min(l, r), right = std::max(l, r) - 1;
    const int32_t top = std::min(t, b), bottom = std::max(t, b) - 1;
    const TRect box = got.Bounds();
    if (right > left && bottom > top) {
      ASSERT_TRUE(box.Left >= left && box.Right <= right && box.Top >= top && box.Bottom <= bottom) << label;
      ASSERT_EQ(box.Top - top, bottom - box.Bottom) << label << ": empty tip rows differ";
    }
    std::vector<std::pair<int32_t, int32_t>> rows;  // the span of each row, top to bottom
    for (int32_t y = box.Top; y < box.Bottom; ++y) {
      int32_t spans = 0, from = 0, to = 0;
      for (const TRect& rect : got.Rects()) {
        if (rect.Top <= y && y < rect.Bottom) {
          ++spans;
          from = rect.Left;
          to = rect.Right;
        }
      }
      ASSERT_EQ(spans, 1) << label << ", row " << y;
      rows.emplace_back(from, to);
    }
    for (size_t i = 0; i < rows.size(); ++i) {
      const auto [from, to] = rows[i];
      if (right > left) {
        ASSERT_EQ(from - left, right - to) << label << ": row " << box.Top + int32_t(i) << " is lopsided";
      }
      ASSERT_EQ(rows[i], rows[rows.size() - 1 - i]) << label << ": rows " << i << " from the top and bottom differ";
      if (i > 0 && 2 * i <= rows.size()) {
        ASSERT_LE(from, rows[i - 1].first) << label << ": narrows before the middle at row " << i;
      }
    }
  }
}

}  // namespace
}  // namespace pavonix
