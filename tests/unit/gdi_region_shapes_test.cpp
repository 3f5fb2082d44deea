#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

}  // namespace
}  // namespace pavonix
