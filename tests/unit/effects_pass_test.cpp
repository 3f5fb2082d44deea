#include <gtest/gtest.h>

#include <vector>

#include "engine/transitions/blend.h"
#include "engine/transitions/effects.h"
#include "engine/transitions/random.h"
#include "engine/transitions/saver_helpers.h"
#include "engine/transitions/transition_pass.h"
#include "tests/unit/effects_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

using test::NewSlide;
using test::OldSlide;
using test::PoisonWith;

constexpr Color kPoison{0xCC, 0xCC, 0xCC};

// One frame from a poisoned canvas.
struct OneFrame {
  Bitmap composed;
  Bitmap previous;
  Canvas canvas;
  TRect changed;

  OneFrame(int32_t effect, int32_t w, int32_t h, int32_t p)
      : composed(NewSlide(w, h)), previous(OldSlide(w, h)), canvas(w, h) {
    canvas.Pixels() = test::PoisonedBitmap(w, h);
    Xoshiro256 random(1);
    TransitionPass pass(effect, composed, previous, random);
    changed = pass.DrawFrame(canvas, p);
  }
};

// Single frames whose result is the new slide in place inside a few rectangles.
TEST(TransitionPass, FramesRevealExactlyTheirRectangles) {
  struct Case {
    const char* label;
    int32_t effect, w, h, p;
    std::vector<TRect> shown;
  };
  const Case cases[] = {
      // pw = MulDiv(801, 50, 100) = 401: D = S = (200, 0, 601, h).
      {"WipeOutFromCenterH, 801 wide at 50", 11, 801, 20, 50, {{200, 0, 601, 20}}},
      {"WipeInFromSides at 0: a column at each edge", 12, 40, 10, 0, {{0, 0, 1, 10}, {39, 0, 40, 10}}},
      {"WipeFromLeft at 35", 5, 60, 20, 35, {{0, 0, 21, 20}}},
      {"WipeFromBottomRight at 50", 45, 40, 30, 50, {{20, 15, 40, 30}}},
      {"CornersWipeIn at 50", 55, 40, 30, 50, {{0, 0, 11, 8}, {0, 22, 11, 30}, {29, 22, 40, 30}, {29, 0, 40, 8}}},
      {"BoxWipeIn at 100 leaves the middle pixel of odd sizes",
       54, 41, 31, 100, {{0, 0, 41, 15}, {0, 16, 41, 31}, {0, 0, 20, 31}, {21, 0, 41, 31}}},
      {"StretchInFromRight at 100", 1, 33, 9, 100, {{0, 0, 33, 9}}},
      {"ZoomOutFromCenter at 100", 51, 33, 9, 100, {{0, 0, 33, 9}}},
      {"CurveFromLeft at 100: the arc lies beyond the target", 58, 64, 48, 100, {{0, 0, 64, 48}}},
      {"IrisOut at 100 covers the corners", 84, 64, 48, 100, {{0, 0, 64, 48}}},
      // The iris of no size would be one pixel by the platform's rule: it hides none.
      {"IrisIn at 100 leaves no dot in the middle", 85, 64, 48, 100, {{0, 0, 64, 48}}},
      {"IrisIn at 0 shows only the corners beyond the large iris", 85, 64, 48, 0, {}},
      {"WedgesFromSides at 100: the triangles share the diagonal", 114, 64, 48, 100, {{0, 0, 64, 48}}},
      {"CrossBlindsMeet at 100", 99, 45, 35, 100, {{0, 0, 45, 35}}},
      {"FringeFromLeft at 100 is straight", 124, 45, 35, 100, {{0, 0, 45, 35}}},
      {"119 shows the slide in the first frame", 119, 20, 10, 0, {{0, 0, 20, 10}}},
      {"120", 120, 20, 10, 0, {{0, 0, 20, 10}}},
      {"121", 121, 20, 10, 0, {{0, 0, 20, 10}}},
      {"a number above the catalogue", 127, 20, 10, 0, {{0, 0, 20, 10}}},
      {"a number below the catalogue", 0, 20, 10, 0, {{0, 0, 20, 10}}},
      {"Dissolve at 0 draws nothing", 122, 20, 10, 0, {}},
      {"SlideInFromLeft at 0 lies outside", 4, 20, 10, 0, {}},
  };
  for (const Case& c : cases) {
    OneFrame run(c.effect, c.w, c.h, c.p);
    Bitmap expected = test::PoisonedBitmap(c.w, c.h);
    TRect box{};
    for (const TRect& r : c.shown) {
      box = UnionRect(box, r);
      for (int32_t y = r.Top; y < r.Bottom; ++y) {
        for (int32_t x = r.Left; x < r.Right; ++x) expected.SetPixel(x, y, run.composed.Pixel(x, y));
      }
    }
    EXPECT_EQ(test::DescribeDifference(expected, run.canvas.Pixels()), "") << c.label;
    EXPECT_EQ(run.changed, box) << c.label;
  }
}

// The checkerboard places one scanned triangle in every cell; it must equal the
// hundred triangles made one by one, at every size and stage.
TEST(TransitionPass, CheckerDiagonalEqualsItsHundredTriangles) {
  struct Size {
    int32_t w, h;
  };
  for (const Size s : {Size{800, 600}, Size{801, 601}, Size{3840, 2160}, Size{17, 9}, Size{1, 1}}) {
    for (int32_t p = 0; p <= 100; p += 25) {
      const FrameValues v = ComputeFrameValues(s.w, s.h, p);
      const int32_t q = v.pw / 5;
      const int32_t d = MulDiv(q, s.h, s.w);
      RegionBuilder expected;
      for (int32_t i = 0; i <= 9; ++i) {
        for (int32_t j = 0; j <= 9; ++j) {
          const int32_t x = (j * s.w) / 10, y = (i * s.h) / 10;
          expected.Add(MakeTriangleRegion(x, y, x + q, y, x, y + d));
        }
      }
      Bitmap composed(1, 1), previous(1, 1);
      Canvas canvas(1, 1);
      Xoshiro256 random(1);
      PassRects rects{};
      Frame frame{v, rects, random, composed, previous, canvas};
      FindEffect(117)->step(frame);
      ASSERT_TRUE(frame.region);
      EXPECT_EQ(*frame.region, *expected.Finish()) << s.w << "x" << s.h << " at p = " << p;
    }
  }
}

TEST(TransitionPass, SmearFromLeftStretchesTheFirstTwentiethAtZero) {
  OneFrame run(16, 80, 6, 0);  // w div 20 = 4 columns over all 80
  for (int32_t y = 0; y < 6; ++y) {
    for (int32_t x = 0; x < 80; ++x) {
      ASSERT_EQ(run.canvas.Pixels().Pixel(x, y), run.composed.Pixel(x / 20, y)) << "(" << x << ", " << y << ")";
    }
  }
}

TEST(TransitionPass, FoldFromLeftShowsTheMirroredStripBeyondTheEdge) {
  // w = 100 at p = 50: F = 60, strip D = (50, 0, 60, h) from S = (60, 0, 70, h),
  // mirrored, so it covers columns 50 to 61 with source columns 69 down to 60.
  OneFrame run(14, 100, 4, 50);
  const Bitmap& canvas = run.canvas.Pixels();
  for (int32_t x = 0; x < 50; ++x) ASSERT_EQ(canvas.Pixel(x, 1), run.composed.Pixel(x, 1)) << x;
  int32_t last = 70;
  for (int32_t x = 50; x <= 61; ++x) {
    const int32_t source = canvas.Pixel(x, 1).B;  // the new slide's blue byte is its column
    ASSERT_GE(source, 60) << "column " << x;
    ASSERT_LE(source, last) << "column " << x << " is not mirrored";
    last = source;
  }
  EXPECT_EQ(canvas.Pixel(50, 1).B, 69);
  EXPECT_EQ(canvas.Pixel(61, 1).B, 60);
  for (int32_t x = 62; x < 100; ++x) ASSERT_EQ(canvas.Pixel(x, 1), kPoison) << x;
}

TEST(TransitionPass, DiagonalFromTopLeftAtHalfIsTheUpperLeftHalf) {
  OneFrame run(110, 800, 600, 50);
  // The triangle (0, 0), (800, 0), (0, 600): a pixel is in when its top-left corner
  // lies strictly left of the long side, 3x < 4 (600 - y).
  const Bitmap expected = test::PoisonWith(run.composed, {});
  Bitmap want = expected;
  for (int32_t y = 0; y < 600; ++y) {
    for (int32_t x = 0; 3 * x < 4 * (600 - y); ++x) want.SetPixel(x, y, run.composed.Pixel(x, y));
  }
  EXPECT_EQ(test::DescribeDifference(want, run.canvas.Pixels()), "");
}

TEST(TransitionPass, CrossFadeBlendsThePreviousSlideAndShowsIt) {
  const int32_t w = 23, h = 7;
  const Bitmap composed = NewSlide(w, h);
  const Bitmap old = OldSlide(w, h);
  Bitmap previous = old;
  Canvas canvas(w, h);
  canvas.Pixels() = test::PoisonedBitmap(w, h);
  Xoshiro256 random(1);
  TransitionPass pass(118, composed, previous, random);

  pass.DrawFrame(canvas, 0);
  EXPECT_EQ(test::DescribeDifference(old, canvas.Pixels()), "") << "p = 0 shows the old slide unchanged";

  pass.DrawFrame(canvas, 5);
  Bitmap expected = old;
  BlendBitmaps(expected, composed, 5);
  EXPECT_EQ(test::DescribeDifference(expected, canvas.Pixels()), "") << "p = 5";
  EXPECT_EQ(test::DescribeDifference(expected, previous), "") << "the blend stays in the previous slide";

  for (int32_t p = 10; p <= 100; p += 5) pass.DrawFrame(canvas, p);
  EXPECT_EQ(test::DescribeDifference(composed, canvas.Pixels()), "") << "p = 100 is exactly the new slide";
  EXPECT_EQ(test::DescribeDifference(composed, previous), "");
}

TEST(TransitionPass, PauseByFinishingKind) {
  const std::pair<int32_t, int32_t> cases[] = {{1, 20}, {57, 20}, {58, 60}, {65, 0}, {116, 60},
                                               {118, 0}, {120, 0}, {0, 0},   {127, 0}};
  Bitmap composed(4, 4), previous(4, 4);
  Xoshiro256 random(1);
  for (const auto& [effect, pause] : cases) {
    EXPECT_EQ(TransitionPass(effect, composed, previous, random).PauseMs(), pause) << "effect " << effect;
  }
}

// After all 21 frames the new slide stands in place, except for the one-pixel gaps
// and one-pixel squeezes that the effects' own rectangles make on purpose.
enum class Sizes { Odd, Even };

struct Exception {
  int32_t effect;
  Sizes sizes;  // the sizes where it shows
  const char* why;
};

TEST(TransitionPass, EveryEffectEndsWithTheNewSlide) {
  // Gaps: pixels that no frame's region or rectangle reaches, so the old slide may
  // stay there.
  const Exception gaps[] = {
      {54, Sizes::Odd, "BoxWipeIn's four bands stop at half the size on both sides"},
      {68, Sizes::Odd, "RaggedInFromSides' halves both stop at half(w)"},
      {79, Sizes::Odd, "RaggedInFromTopAndBottom's halves both stop at half(h)"},
      {109, Sizes::Odd, "RaggedInFromAllSides: both of the above meet in the middle pixel"},
  };
  // Squeezes: every pixel is drawn, but some copies stretch a source one pixel
  // wider or narrower than its destination.
  const Exception squeezes[] = {
      {13, Sizes::Even, "StretchInFromSides: right half from (half(w), 0, w, h) into half(pw) + 1 columns"},
      {30, Sizes::Even, "StretchInFromTopAndBottom: the vertical twin of 13"},
      {56, Sizes::Even, "CornersStretchIn: the lower and right corners come from sources a pixel off"},
      {57, Sizes::Even, "QuadrantsSlideIn: the lower quadrants come from sources a pixel off"},
  };
  struct Size {
    int32_t w, h;
    bool odd;
  };
  for (const Size size : {Size{101, 67, true}, Size{96, 64, false}}) {
    const Bitmap composed = NewSlide(size.w, size.h);
    for (int32_t effect = 1; effect <= 126; ++effect) {
      Bitmap previous = OldSlide(size.w, size.h);
      Canvas canvas(size.w, size.h);
      canvas.Pixels() = test::PoisonedBitmap(size.w, size.h);
      test::RunAllFrames(effect, canvas, composed, previous);
      const Bitmap& got = canvas.Pixels();
      const std::string label = std::to_string(effect) + " at " + std::to_string(size.w) + "x" +
                                std::to_string(size.h);

      auto listed = [&](const auto& table) {
        for (const Exception& e : table) {
          if (e.effect == effect && (e.sizes == Sizes::Odd) == size.odd) return true;
        }
        return false;
      };
      if (listed(squeezes)) {
        for (int32_t y = 0; y < size.h; ++y) {
          for (int32_t x = 0; x < size.w; ++x) ASSERT_NE(got.Pixel(x, y), kPoison) << label << " (" << x << ", " << y << ")";
        }
        EXPECT_NE(test::DescribeDifference(composed, got), "") << label << ": listed as squeezed but exact";
        continue;
      }
      if (listed(gaps)) {
        // The gaps lie on the middle column or row; the rest is exact.
        const int32_t cx = size.w / 2, cy = size.h / 2;
        bool sawGap = false;
        for (int32_t y = 0; y < size.h; ++y) {
          for (int32_t x = 0; x < size.w; ++x) {
            if (got.Pixel(x, y) == composed.Pixel(x, y)) continue;
            const bool onMiddle = (effect == 68 && x == cx) || (effect == 79 && y == cy) || (x == cx && y == cy);
            ASSERT_TRUE(onMiddle) << label << ": differs at (" << x << ", " << y << ")";
            ASSERT_EQ(got.Pixel(x, y), kPoison) << label << ": a gap must keep the old slide";
            sawGap = true;
          }
        }
        EXPECT_TRUE(sawGap || effect == 68 || effect == 79 || effect == 109) << label << ": listed gap not seen";
        continue;
      }
      EXPECT_EQ(test::DescribeDifference(composed, got), "") << label;
    }
  }
}

TEST(TransitionPass, RandomEffectsRepeatWithTheSameSeed) {
  const int32_t w = 90, h = 70;
  const Bitmap composed = NewSlide(w, h);
  for (int32_t effect : {65, 67, 68, 79, 100, 104, 108, 109, 122, 123, 124, 125, 126}) {
    std::vector<Bitmap> results;
    for (uint64_t seed : {5u, 5u, 6u}) {
      Bitmap previous = OldSlide(w, h);
      Canvas canvas(w, h);
      canvas.Pixels() = test::PoisonedBitmap(w, h);
      Xoshiro256 random(seed);
      TransitionPass pass(effect, composed, previous, random);
      for (int32_t p = 0; p <= 25; p += 5) pass.DrawFrame(canvas, p);
      results.push_back(canvas.Pixels());
    }
    EXPECT_EQ(test::DescribeDifference(results[0], results[1]), "") << "effect " << effect << ", same seed";
    EXPECT_NE(test::DescribeDifference(results[0], results[2]), "") << "effect " << effect << ", other seed";
  }
}

}  // namespace
}  // namespace pavonix
