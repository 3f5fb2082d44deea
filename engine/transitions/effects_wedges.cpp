// Effects 110 to 126: diagonal wipes, wedges, the fan and the checkerboard built of
// triangles; the random dissolve and fringe wipes; the cross-fade, the one effect
// that mixes the two slides; and 119 to 121, numbers without a drawing of their
// own, which show the new slide whole in every frame.
#include <mutex>

#include "engine/transitions/blend.h"
#include "engine/transitions/effects.h"
#include "engine/transitions/effects_step.h"
#include "engine/transitions/saver_helpers.h"

namespace pavonix {
namespace {

constexpr FinishKind kRegion = FinishKind::Region;
constexpr int32_t kPause = 60;
constexpr int32_t kNoPause = 0;

void Triangle(Frame& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  f.region = MakeTriangleRegion(x1, y1, x2, y2, x3, y3);
}

void UniteTriangle(Frame& f, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  f.region->Unite(MakeTriangleRegion(x1, y1, x2, y2, x3, y3));
}

// Four blades about the centre, each sweeping along one edge clockwise.
void FanClockwise(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  const int32_t cx = half(w);
  const int32_t cy = half(h);
  Triangle(f, cx, cy, 0, h, 0, h - ph);
  UniteTriangle(f, 0, 0, pw, 0, cx, cy);
  UniteTriangle(f, w - pw, h, cx, cy, w, h);
  UniteTriangle(f, cx, cy, w, 0, w, ph);
}

// A triangle grows from the top-left corner of each of 10 x 10 cells.  All hundred
// are the same triangle moved by whole pixels, which moves its pixels exactly, so
// it is scanned once and its rows are placed in every cell: at 4K that saves
// ninety-nine polygon scans a frame.
void CheckerDiagonal(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  const int32_t q = pw / 5;
  const int32_t d = MulDiv(q, h, w);
  const Region triangle = MakeTriangleRegion(0, 0, q, 0, 0, d);
  RegionBuilder result;
  for (int32_t i = 0; i <= 9; ++i) {
    for (int32_t j = 0; j <= 9; ++j) {
      const int32_t x = (j * w) / 10;
      const int32_t y = (i * h) / 10;
      result.Add(TRect{});  // each cell's triangle counts as a patch, even an empty one
      for (const TRect& r : triangle.Rects()) result.Add(TRect{r.Left + x, r.Top + y, r.Right + x, r.Bottom + y});
    }
  }
  f.region = result.Finish();
}

// Each frame blends the result of the frame before, so the new slide makes up
// 5 % after the first step with weight 5 and all of it after the step with 100.
void CrossFade(Frame& f) {
  std::lock_guard lock(f.canvas.Lock());
  f.changed = BlendBitmapsAndShow(f.previous, f.composed, f.v.p, f.canvas.Pixels());
}

constexpr EffectInfo kRows[] = {
    {110, "DiagonalFromTopLeft", kRegion, kNoPause, STEP(Triangle(f, 0, 0, 2 * pw, 0, 0, 2 * ph))},
    {111, "DiagonalFromTopRight", kRegion, kNoPause, STEP(Triangle(f, w, 0, w - 2 * pw, 0, w, 2 * ph))},
    {112, "DiagonalFromBottomLeft", kRegion, kNoPause, STEP(Triangle(f, 0, h, 2 * pw, h, 0, h - 2 * ph))},
    {113, "DiagonalFromBottomRight", kRegion, kNoPause, STEP(Triangle(f, w, h, w - 2 * pw, h, w, h - 2 * ph))},
    {114, "WedgesFromSides", kRegion, kPause,
     STEP(Triangle(f, w, h, w, 0, w - pw, 0); UniteTriangle(f, 0, h, 0, 0, pw, h))},
    {115, "WedgesFromTopAndBottom", kRegion, kPause,
     STEP(Triangle(f, w, h, 0, h, 0, h - ph); UniteTriangle(f, w, 0, 0, 0, w, ph))},
    {116, "FanClockwise", kRegion, kPause, FanClockwise},
    {117, "CheckerDiagonal", kRegion, kNoPause, CheckerDiagonal},
    {118, "CrossFade", FinishKind::SelfDrawn, kNoPause, CrossFade},
    {119, "", FinishKind::WholeSlide, kNoPause, nullptr},
    {120, "", FinishKind::WholeSlide, kNoPause, nullptr},
    {121, "", FinishKind::WholeSlide, kNoPause, nullptr},
    {122, "Dissolve", kRegion, kNoPause, STEP(f.region = MakeDissolveRegion(w, h, p, f.random))},
    {123, "FringeFromRight", kRegion, kNoPause, STEP(f.region = MakeFringeRegion(pw, ph, w, h, 1, 0, f.random))},
    {124, "FringeFromLeft", kRegion, kNoPause, STEP(f.region = MakeFringeRegion(pw, ph, w, h, 2, 0, f.random))},
    {125, "FringeFromBottom", kRegion, kNoPause, STEP(f.region = MakeFringeRegion(pw, ph, w, h, 0, 1, f.random))},
    {126, "FringeFromTop", kRegion, kNoPause, STEP(f.region = MakeFringeRegion(pw, ph, w, h, 0, 2, f.random))},
};

#undef STEP

static_assert(effects_detail::ListsNumbers(kRows, effects_detail::kWedgesFirst, effects_detail::kWedgesLast));

}  // namespace

std::span<const EffectInfo> WedgeEffects() { return kRows; }

}  // namespace pavonix
