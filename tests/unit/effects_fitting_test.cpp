#include <gtest/gtest.h>

#include "engine/transitions/fitting.h"
#include "engine/transitions/geometry.h"

namespace pavonix {
namespace {

TEST(FitRect, ScalesDownKeepingProportions) {
  struct Case {
    int32_t a, b, c, d;
    TRect expected;
  };
  const Case cases[] = {
      {800, 600, 1024, 768, {0, 0, 800, 600}},   // wider and taller: one step
      {800, 600, 400, 300, {0, 0, 400, 300}},    // fits
      {800, 600, 1600, 600, {0, 0, 800, 300}},   // only wider
      {800, 600, 600, 1200, {0, 0, 300, 600}},   // only taller
      {800, 600, 1000, 1000, {0, 0, 600, 600}},  // the two-step rule
      {800, 600, 800, 600, {0, 0, 800, 600}},    // exactly the target
      {152, 112, 1920, 1080, {0, 0, 152, 85}},   // a preview: 152 / 1920 * 1080 = 85.5
      {100, 100, 301, 300, {0, 0, 100, 99}},     // truncation, not rounding
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitRect(c.a, c.b, c.c, c.d), c.expected) << c.a << "x" << c.b << " <- " << c.c << "x" << c.d;
  }
}

TEST(CenterRect, HalvesSeparately) {
  EXPECT_EQ(CenterRect({0, 0, 800, 600}, {0, 0, 1024, 768}), (TRect{-112, -84, 912, 684}));
  EXPECT_EQ(CenterRect({0, 0, 800, 600}, {0, 0, 401, 300}), (TRect{200, 150, 601, 450}));
  EXPECT_EQ(CenterRect({0, 0, 801, 601}, {0, 0, 400, 300}), (TRect{200, 150, 600, 450}));
  EXPECT_EQ(CenterRect({10, 20, 810, 620}, {5, 5, 105, 55}), (TRect{360, 295, 460, 345}));
}

TEST(Geometry, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(801, 50, 100), 401);
  EXPECT_EQ(MulDiv(-801, 50, 100), -401);
  EXPECT_EQ(MulDiv(800, 5, 90), 44);
  EXPECT_EQ(MulDiv(1, 1, 2), 1);
  EXPECT_EQ(MulDiv(-1, 1, 2), -1);
  EXPECT_EQ(MulDiv(5, 3, -2), -8);
  EXPECT_EQ(MulDiv(2000000000, 2000000000, 4000000000LL > INT32_MAX ? 2000000000 : 1), 2000000000);
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  EXPECT_EQ(half(-5), -2);
  EXPECT_EQ(half(5), 2);
}

}  // namespace
}  // namespace pavonix
