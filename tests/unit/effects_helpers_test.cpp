#include <gtest/gtest.h>

#include "engine/transitions/random.h"
#include "engine/transitions/saver_helpers.h"
#include "tests/unit/effects_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

using test::Coverage;
using test::CoverageOf;
using test::DescribeCoverageDifference;

Bitmap ColumnStripes(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, {uint8_t(x), uint8_t(y), 0x11});
  }
  return b;
}

TEST(StretchCopyMirrored, MirroringStepsOnePixelOutOnBothEnds) {
  // D = (100, 0, 150, 10) mirrored is drawn at x = 151 with width -52: columns 100 to
  // 151, source column 0 at the right end.
  const Bitmap source = ColumnStripes(200, 10);
  Bitmap target = test::PoisonedBitmap(200, 10);
  StretchCopyMirrored(target, {100, 0, 150, 10}, source, {0, 0, 52, 10}, true, false);
  for (int32_t x = 0; x < 200; ++x) {
    const Color expected = x >= 100 && x <= 151 ? source.Pixel(151 - x, 3) : Color{0xCC, 0xCC, 0xCC};
    ASSERT_EQ(target.Pixel(x, 3), expected) << "column " << x;
  }
}

TEST(StretchCopyMirrored, MirrorsVertically) {
  const Bitmap source = ColumnStripes(8, 40);
  Bitmap target = test::PoisonedBitmap(8, 40);
  StretchCopyMirrored(target, {0, 10, 8, 20}, source, {0, 0, 8, 12}, false, true);
  for (int32_t y = 0; y < 40; ++y) {
    const Color expected = y >= 10 && y <= 21 ? source.Pixel(2, 21 - y) : Color{0xCC, 0xCC, 0xCC};
    ASSERT_EQ(target.Pixel(2, y), expected) << "row " << y;
  }
}

TEST(StretchCopyMirrored, CutsTheSourceToTheBitmapButNotTheDestination) {
  // 10 source columns left after the cut, stretched over all 20 destination columns.
  const Bitmap source = ColumnStripes(200, 4);
  Bitmap target = test::PoisonedBitmap(40, 4);
  StretchCopyMirrored(target, {10, 0, 30, 4}, source, {190, 0, 260, 4}, false, false);
  for (int32_t x = 0; x < 40; ++x) {
    const Color expected = x >= 10 && x < 30 ? source.Pixel(190 + (x - 10) / 2, 1) : Color{0xCC, 0xCC, 0xCC};
    ASSERT_EQ(target.Pixel(x, 1), expected) << "column " << x;
  }
}

// Strips of 5 at a pitch of 10: at A = 2W (and B = 2H) every way of filling them
// ends with the whole target covered, as does the interleaved one at A = W.
TEST(MakeBlindsRegion, CoversTheTargetWhenComplete) {
  struct Case {
    const char* label;
    int32_t A, B, KX, KY;
  };
  const int32_t W = 97, H = 53;
  const Case cases[] = {
      {"KX 1", 2 * W, 0, 1, 0}, {"KX 2", 2 * W, 0, 2, 0}, {"KX 3 at A = W", W, 0, 3, 0},
      {"KX 4", 2 * W, 0, 4, 0}, {"KX 5", 2 * W, 0, 5, 0}, {"KY 1", 0, 2 * H, 0, 1},
      {"KY 2", 0, 2 * H, 0, 2}, {"KY 3 at B = H", 0, H, 0, 3}, {"KY 4", 0, 2 * H, 0, 4},
      {"KY 5", 0, 2 * H, 0, 5}, {"KX 5, KY 4", 2 * W, 2 * H, 5, 4},
  };
  const std::string all = CoverageOf(W, H, [](int32_t, int32_t) { return true; });
  for (const Case& c : cases) {
    const std::optional<Region> region = MakeBlindsRegion(c.A, c.B, W, H, 0, c.KX, c.KY);
    ASSERT_TRUE(region) << c.label;
    EXPECT_EQ(DescribeCoverageDifference(all, Coverage(*region, W, H), W), "") << c.label;
  }
}

TEST(MakeBlindsRegion, FillsTheStripSetsInTurnAndSnapsNearTheEdge) {
  struct Case {
    const char* label;
    int32_t A, S, KX;
    bool (*inside)(int32_t x, int32_t y);
  };
  // 800 wide: at p = 50 (A = W) the first set is full and the second still empty;
  // at p = 45 (A = 720, margin 44) the first set runs from x = 80 and is not
  // snapped; with a margin of 81 it is.
  const Case cases[] = {
      {"half way from the right", 800, 44, 1, [](int32_t, int32_t y) { return y % 10 < 5; }},
      {"p 45 from the right", 720, 44, 1, [](int32_t x, int32_t y) { return y % 10 < 5 && x >= 80; }},
      {"p 45 snapped", 720, 81, 1, [](int32_t, int32_t y) { return y % 10 < 5; }},
      {"p 45 from the left", 720, 44, 2, [](int32_t x, int32_t y) { return y % 10 < 5 && x < 720; }},
      {"second half, left then right", 1200, 44, 4,
       [](int32_t x, int32_t y) { return y % 10 < 5 || x >= 400; }},
      {"second half, right then left", 1200, 44, 5,
       [](int32_t x, int32_t y) { return y % 10 < 5 || x < 400; }},
      {"interleaved half way", 400, 0, 3,
       [](int32_t x, int32_t y) { return y % 10 < 5 ? x >= 400 : x < 400; }},
  };
  const int32_t W = 800, H = 60;
  for (const Case& c : cases) {
    const std::optional<Region> region = MakeBlindsRegion(c.A, 0, W, H, c.S, c.KX, 0);
    ASSERT_TRUE(region) << c.label;
    EXPECT_EQ(DescribeCoverageDifference(CoverageOf(W, H, c.inside), Coverage(*region, W, H), W), "") << c.label;
  }
}

TEST(RegionBuilders, GiveNoRegionWhenTheyBuildNoPatch) {
  Xoshiro256 random(3);
  EXPECT_FALSE(MakeBlindsRegion(100, 100, 80, 60, 5, 0, 0));
  EXPECT_FALSE(MakeRaggedRegion(40, 40, 80, 60, 0, 0, random));
  EXPECT_FALSE(MakeFringeRegion(40, 40, 80, 60, 0, 0, random));
  EXPECT_FALSE(MakeDissolveRegion(800, 600, 0, random));
  // A patch that is empty still makes a region, an empty one.
  const std::optional<Region> empty = MakeBlindsRegion(0, 0, 80, 60, 0, 2, 0);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->IsEmpty());
}

TEST(MakeRaggedRegion, InFromBothSidesLeavesTheMiddleColumnOfAnOddWidth) {
  struct Case {
    const char* label;
    int32_t W, H, KX, KY;
    bool (*inside)(int32_t x, int32_t y);
  };
  const Case cases[] = {
      {"odd width", 101, 23, 4, 0, [](int32_t x, int32_t) { return x != 50; }},
      {"even width", 100, 23, 4, 0, [](int32_t, int32_t) { return true; }},
      {"odd height", 20, 67, 0, 4, [](int32_t, int32_t y) { return y != 33; }},
      {"out from the centre", 101, 67, 3, 3, [](int32_t, int32_t) { return true; }},
      {"both odd, both ways in", 101, 67, 4, 4, [](int32_t x, int32_t y) { return x != 50 || y != 33; }},
  };
  for (const Case& c : cases) {
    Xoshiro256 random(11);
    const std::optional<Region> region =
        MakeRaggedRegion(c.KX ? c.W : 0, c.KY ? c.H : 0, c.W, c.H, c.KX, c.KY, random);
    ASSERT_TRUE(region) << c.label;
    EXPECT_EQ(DescribeCoverageDifference(CoverageOf(c.W, c.H, c.inside), Coverage(*region, c.W, c.H), c.W), "")
        << c.label;
  }
}

TEST(MakeRaggedRegion, JittersEachBandWithinASeventhOfTheTarget) {
  const int32_t W = 140, H = 50;  // J = 20: each edge moves by -19 to +19
  Xoshiro256 random(5);
  const std::optional<Region> region = MakeRaggedRegion(70, 0, W, H, 2, 0, random);
  ASSERT_TRUE(region);
  bool ragged = false;
  for (int32_t y = 0; y < H; ++y) {
    EXPECT_TRUE(region->Contains(0, y)) << "row " << y;
    EXPECT_TRUE(region->Contains(70 - 20, y)) << "row " << y;
    EXPECT_FALSE(region->Contains(70 + 19, y)) << "row " << y;
    if (region->Contains(70, y) != region->Contains(70, 0)) ragged = true;
  }
  EXPECT_TRUE(ragged) << "no band's edge moved";
}

TEST(MakeFringeRegion, NearestBlocksAreAlwaysTaken) {
  // A = 0, W = 200: E = 20, f = 2, n = 10, lim = 7.  Blocks 1 and 2 are taken
  // whatever the draws, so the first four columns show even before the edge moves.
  for (uint64_t seed : {1u, 2u, 3u}) {
    Xoshiro256 random(seed);
    const std::optional<Region> region = MakeFringeRegion(0, 0, 200, 30, 2, 0, random);
    ASSERT_TRUE(region);
    for (int32_t y = 0; y < 30; ++y) {
      for (int32_t x = 0; x < 4; ++x) ASSERT_TRUE(region->Contains(x, y)) << "(" << x << ", " << y << ")";
    }
    EXPECT_FALSE(region->Contains(20, 5)) << "blocks beyond the fringe depth";
  }
}

TEST(MakeFringeRegion, CompleteWipeIsStraight) {
  Xoshiro256 random(9);
  const std::optional<Region> region = MakeFringeRegion(0, 61, 41, 61, 0, 1, random);
  ASSERT_TRUE(region);
  EXPECT_EQ(region->Bounds(), (TRect{0, 0, 42, 61}));  // bands of f = 2 overlap by half
}

TEST(MakeDissolveRegion, BlockStepGrowsWithPAndFullCoverAtHundred) {
  struct Case {
    const char* label;
    int32_t W, H, p, step;
  };
  const Case cases[] = {
      {"800x600 at 100", 800, 600, 100, 22},
      {"800x600 at 9", 800, 600, 9, 12},
      {"tiny target at 5", 30, 20, 5, 1},
  };
  for (const Case& c : cases) {
    // Every position taken: the first square starts one step before the origin.
    struct Always final : RandomSource {
      int32_t Random(int32_t) override { return 0; }
    } always;
    const std::optional<Region> region = MakeDissolveRegion(c.W, c.H, c.p, always);
    ASSERT_TRUE(region) << c.label;
    EXPECT_EQ(region->Bounds().Left, -c.step) << c.label;
    EXPECT_EQ(region->Bounds().Top, -c.step) << c.label;
  }
  Xoshiro256 random(1);
  const std::optional<Region> full = MakeDissolveRegion(800, 600, 100, random);
  ASSERT_TRUE(full);
  EXPECT_EQ(DescribeCoverageDifference(CoverageOf(800, 600, [](int32_t, int32_t) { return true; }),
                                       Coverage(*full, 800, 600), 800),
            "");
}

TEST(RegionBuilders, SameSeedSameRegion) {
  for (int32_t kind = 0; kind < 3; ++kind) {
    std::optional<Region> first, second;
    for (auto* out : {&first, &second}) {
      Xoshiro256 random(42);
      if (kind == 0) *out = MakeRaggedRegion(60, 30, 120, 90, 3, 4, random);
      if (kind == 1) *out = MakeFringeRegion(60, 30, 120, 90, 1, 2, random);
      if (kind == 2) *out = MakeDissolveRegion(120, 90, 40, random);
    }
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, *second) << "kind " << kind;
  }
}

}  // namespace
}  // namespace pavonix
