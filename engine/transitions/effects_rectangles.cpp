// Effects 1 to 57: the new slide arrives by stretched copies of rectangles of the
// composed slide.  Each step sets the frame's last copy (D from S) and any copies
// drawn before it; the transition pass draws them in that order and pauses 20 ms.
// Whatever a rectangle reaches beyond the target is clipped by the canvas.
#include "engine/transitions/effects.h"
#include "engine/transitions/effects_step.h"

namespace pavonix {
namespace {

constexpr FinishKind kCopy = FinishKind::StretchCopy;
constexpr int32_t kPause = 20;

// The fold strips show the slide just beyond the moving edge, mirrored, as if it
// were folded back there.  The strip grows with the edge over the first fifth of
// the way, keeps a tenth of the target in the middle and shrinks over the last
// fifth, so it vanishes exactly when the wipe completes.
void FoldStripFromLeft(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  int32_t F;
  if (pw < w / 5) {
    F = pw + half(pw);
  } else if (w < w / 5 + pw) {
    F = pw + half(w - pw);
  } else {
    F = pw + w / 10;
  }
  f.EarlierMirrored({pw, 0, F, h}, {F, 0, 2 * F - pw, h}, true, false);
}

void FoldStripFromRight(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  const int32_t E = w - pw;
  int32_t G;
  if (pw < w / 5) {
    G = E - half(pw);
  } else if (E < w / 5) {
    G = E - half(E);
  } else {
    G = E - w / 10;
  }
  f.EarlierMirrored({G, 0, E, h}, {2 * G - E, 0, G, h}, true, false);
}

void FoldStripFromTop(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  int32_t F;
  if (ph < h / 5) {
    F = ph + half(ph);
  } else if (h < h / 5 + ph) {
    F = ph + half(h - ph);
  } else {
    F = ph + h / 10;
  }
  f.EarlierMirrored({0, ph, w, F}, {0, F, w, 2 * F - ph}, false, true);
}

void FoldStripFromBottom(Frame& f) {
  const auto [w, h, p, pw, ph, m] = f.v;
  const int32_t E = h - ph;
  int32_t G;
  if (ph < h / 5) {
    G = E - half(ph);
  } else if (E < h / 5) {
    G = E - half(E);
  } else {
    G = E - h / 10;
  }
  f.EarlierMirrored({0, G, w, E}, {0, 2 * G - E, w, G}, false, true);
}

// Where a row gives one rectangle for both, D and S are the same: the slide is
// revealed in place, unscaled.
constexpr EffectInfo kRows[] = {
    {1, "StretchInFromRight", kCopy, kPause, STEP(f.Last({w - pw, 0, w, h}, {0, 0, w, h}))},
    {2, "StretchInFromLeft", kCopy, kPause, STEP(f.Last({0, 0, pw, h}, {0, 0, w, h}))},
    {3, "SlideInFromRight", kCopy, kPause, STEP(f.Last({w - pw, 0, 2 * w - pw, h}, {0, 0, w, h}))},
    {4, "SlideInFromLeft", kCopy, kPause, STEP(f.Last({pw - w, 0, pw, h}, {0, 0, w, h}))},
    {5, "WipeFromLeft", kCopy, kPause, STEP(f.Last({0, 0, pw, h}, {0, 0, pw, h}))},
    {6, "WipeFromRight", kCopy, kPause, STEP(f.Last({w - pw, 0, w, h}, {w - pw, 0, w, h}))},
    {7, "ZoomOutLeft", kCopy, kPause, STEP(f.Last({0, 0, 2 * w - pw, h}, {0, 0, pw, h}))},
    {8, "ZoomOutRight", kCopy, kPause, STEP(f.Last({pw - w, 0, w, h}, {w - pw, 0, w, h}))},
    {9, "ZoomOutFromCenterH", kCopy, kPause,
     STEP(f.Last({pw - w, 0, 2 * w - pw, h}, {half(w - pw), 0, half(pw + w), h}))},
    {10, "StretchOutFromCenterH", kCopy, kPause, STEP(f.Last({half(w - pw), 0, half(pw + w), h}, {0, 0, w, h}))},
    {11, "WipeOutFromCenterH", kCopy, kPause,
     STEP(f.Last({half(w - pw), 0, half(pw + w), h}, {half(w - pw), 0, half(pw + w), h}))},
    {12, "WipeInFromSides", kCopy, kPause, STEP(f.Earlier({0, 0, half(pw) + 1, h}, {0, 0, half(pw) + 1, h});
                                                 f.Last({w - half(pw) - 1, 0, w, h}, {w - half(pw) - 1, 0, w, h}))},
    {13, "StretchInFromSides", kCopy, kPause, STEP(f.Earlier({0, 0, half(pw) + 1, h}, {0, 0, half(w) + 1, h});
                                                    f.Last({w - half(pw) - 1, 0, w, h}, {half(w), 0, w, h}))},
    {14, "FoldFromLeft", kCopy, kPause, STEP(FoldStripFromLeft(f); f.Last({0, 0, pw, h}, {0, 0, pw, h}))},
    {15, "FoldFromRight", kCopy, kPause, STEP(FoldStripFromRight(f); f.Last({w - pw, 0, w, h}, {w - pw, 0, w, h}))},
    {16, "SmearFromLeft", kCopy, kPause,
     STEP(f.Earlier({0, 0, pw, h}, {0, 0, pw, h}); f.Last({pw, 0, w, h}, {pw, 0, pw + w / 20, h}))},
    {17, "SmearFromRight", kCopy, kPause,
     STEP(f.Earlier({w - pw, 0, w, h}, {w - pw, 0, w, h}); f.Last({0, 0, w - pw, h}, {w - pw - w / 20, 0, w - pw, h}))},

    {18, "StretchInFromBottom", kCopy, kPause, STEP(f.Last({0, h - ph, w, h}, {0, 0, w, h}))},
    {19, "StretchInFromTop", kCopy, kPause, STEP(f.Last({0, 0, w, ph}, {0, 0, w, h}))},
    {20, "SlideInFromBottom", kCopy, kPause, STEP(f.Last({0, h - ph, w, 2 * h - ph}, {0, 0, w, h}))},
    {21, "SlideInFromTop", kCopy, kPause, STEP(f.Last({0, ph - h, w, ph}, {0, 0, w, h}))},
    {22, "WipeFromTop", kCopy, kPause, STEP(f.Last({0, 0, w, ph}, {0, 0, w, ph}))},
    {23, "WipeFromBottom", kCopy, kPause, STEP(f.Last({0, h - ph, w, h}, {0, h - ph, w, h}))},
    {24, "ZoomOutTop", kCopy, kPause, STEP(f.Last({0, 0, w, 2 * h - ph}, {0, 0, w, ph}))},
    {25, "ZoomOutBottom", kCopy, kPause, STEP(f.Last({0, ph - h, w, h}, {0, h - ph, w, h}))},
    {26, "ZoomOutFromCenterV", kCopy, kPause,
     STEP(f.Last({0, ph - h, w, 2 * h - ph}, {0, half(h - ph), w, half(ph + h)}))},
    {27, "StretchOutFromCenterV", kCopy, kPause, STEP(f.Last({0, half(h - ph), w, half(ph + h)}, {0, 0, w, h}))},
    {28, "WipeOutFromCenterV", kCopy, kPause,
     STEP(f.Last({0, half(h - ph), w, half(ph + h)}, {0, half(h - ph), w, half(ph + h)}))},
    {29, "WipeInFromTopAndBottom", kCopy, kPause, STEP(f.Earlier({0, 0, w, half(ph) + 1}, {0, 0, w, half(ph) + 1});
                                                        f.Last({0, h - half(ph) - 1, w, h}, {0, h - half(ph) - 1, w, h}))},
    {30, "StretchInFromTopAndBottom", kCopy, kPause, STEP(f.Earlier({0, 0, w, half(ph) + 1}, {0, 0, w, half(h) + 1});
                                                           f.Last({0, h - half(ph) - 1, w, h}, {0, half(h), w, h}))},
    {31, "FoldFromTop", kCopy, kPause, STEP(FoldStripFromTop(f); f.Last({0, 0, w, ph}, {0, 0, w, ph}))},
    {32, "FoldFromBottom", kCopy, kPause, STEP(FoldStripFromBottom(f); f.Last({0, h - ph, w, h}, {0, h - ph, w, h}))},
    {33, "SmearFromTop", kCopy, kPause,
     STEP(f.Earlier({0, 0, w, ph}, {0, 0, w, ph}); f.Last({0, ph, w, h}, {0, ph, w, ph + h / 20}))},
    {34, "SmearFromBottom", kCopy, kPause,
     STEP(f.Earlier({0, h - ph, w, h}, {0, h - ph, w, h}); f.Last({0, 0, w, h - ph}, {0, h - ph - h / 20, w, h - ph}))},

    {35, "StretchInFromBottomRight", kCopy, kPause, STEP(f.Last({w - pw, h - ph, w, h}, {0, 0, w, h}))},
    {36, "StretchInFromTopRight", kCopy, kPause, STEP(f.Last({w - pw, 0, w, ph}, {0, 0, w, h}))},
    {37, "StretchInFromTopLeft", kCopy, kPause, STEP(f.Last({0, 0, pw, ph}, {0, 0, w, h}))},
    {38, "StretchInFromBottomLeft", kCopy, kPause, STEP(f.Last({0, h - ph, pw, h}, {0, 0, w, h}))},
    {39, "SlideInFromBottomRight", kCopy, kPause,
     STEP(f.Last({w - pw, h - ph, 2 * w - pw, 2 * h - ph}, {0, 0, w, h}))},
    {40, "SlideInFromTopRight", kCopy, kPause, STEP(f.Last({w - pw, ph - h, 2 * w - pw, ph}, {0, 0, w, h}))},
    {41, "SlideInFromTopLeft", kCopy, kPause, STEP(f.Last({pw - w, ph - h, pw, ph}, {0, 0, w, h}))},
    {42, "SlideInFromBottomLeft", kCopy, kPause, STEP(f.Last({pw - w, h - ph, pw, 2 * h - ph}, {0, 0, w, h}))},
    {43, "WipeFromTopLeft", kCopy, kPause, STEP(f.Last({0, 0, pw, ph}, {0, 0, pw, ph}))},
    {44, "WipeFromBottomLeft", kCopy, kPause, STEP(f.Last({0, h - ph, pw, h}, {0, h - ph, pw, h}))},
    {45, "WipeFromBottomRight", kCopy, kPause, STEP(f.Last({w - pw, h - ph, w, h}, {w - pw, h - ph, w, h}))},
    {46, "WipeFromTopRight", kCopy, kPause, STEP(f.Last({w - pw, 0, w, ph}, {w - pw, 0, w, ph}))},
    {47, "ZoomOutTopLeft", kCopy, kPause, STEP(f.Last({0, 0, 2 * w - pw, 2 * h - ph}, {0, 0, pw, ph}))},
    {48, "ZoomOutBottomLeft", kCopy, kPause, STEP(f.Last({0, ph - h, 2 * w - pw, h}, {0, h - ph, pw, h}))},
    {49, "ZoomOutBottomRight", kCopy, kPause, STEP(f.Last({pw - w, ph - h, w, h}, {w - pw, h - ph, w, h}))},
    {50, "ZoomOutTopRight", kCopy, kPause, STEP(f.Last({pw - w, 0, w, 2 * h - ph}, {w - pw, 0, w, ph}))},
    {51, "ZoomOutFromCenter", kCopy, kPause,
     STEP(f.Last({pw - w, ph - h, 2 * w - pw, 2 * h - ph},
                 {half(w - pw), half(h - ph), half(pw + w), half(ph + h)}))},
    {52, "StretchOutFromCenter", kCopy, kPause,
     STEP(f.Last({half(w - pw), half(h - ph), half(pw + w), half(ph + h)}, {0, 0, w, h}))},
    {53, "BoxWipeOut", kCopy, kPause,
     STEP(f.Last({half(w - pw), half(h - ph), half(pw + w), half(ph + h)},
                 {half(w - pw), half(h - ph), half(pw + w), half(ph + h)}))},
    {54, "BoxWipeIn", kCopy, kPause,
     STEP(f.Earlier({0, 0, w, half(ph)}, {0, 0, w, half(ph)});
          f.Earlier({0, h - half(ph), w, h}, {0, h - half(ph), w, h});
          f.Earlier({0, 0, half(pw), h}, {0, 0, half(pw), h});
          f.Last({w - half(pw), 0, w, h}, {w - half(pw), 0, w, h}))},
    // The corner and quadrant copies overlap by a pixel or two in the middle, and
    // some squeeze a source one pixel wider or narrower than its destination: that
    // is how these effects have always looked, so the rectangles stay exactly so.
    {55, "CornersWipeIn", kCopy, kPause,
     STEP(f.Earlier({0, 0, half(pw) + 1, half(ph) + 1}, {0, 0, half(pw) + 1, half(ph) + 1});
          f.Earlier({0, h - half(ph) - 1, half(pw) + 1, h}, {0, h - half(ph) - 1, half(pw) + 1, h});
          f.Earlier({w - half(pw) - 1, h - half(ph) - 1, w, h}, {w - half(pw) - 1, h - half(ph) - 1, w, h});
          f.Last({w - half(pw) - 1, 0, w, half(ph) + 1}, {w - half(pw) - 1, 0, w, half(ph) + 1}))},
    {56, "CornersStretchIn", kCopy, kPause,
     STEP(f.Earlier({0, 0, half(pw) + 1, half(ph) + 1}, {0, 0, half(w) + 1, half(h) + 1});
          f.Earlier({0, h - half(ph), half(pw) + 1, h}, {0, half(h) + 1, half(w) + 1, h});
          f.Earlier({w - half(pw), h - half(ph), w, h}, {half(w) + 1, half(h) + 1, w, h});
          f.Last({w - half(pw), 0, w, half(ph) + 1}, {half(w) + 1, 0, w, half(h) + 1}))},
    {57, "QuadrantsSlideIn", kCopy, kPause,
     STEP(f.Earlier({half(pw - w), 0, half(pw) + 1, half(h) + 1}, {0, 0, half(w) + 1, half(h) + 1});
          f.Earlier({half(w) - 1, half(ph - h), w, half(ph) + 1}, {half(w) - 1, 0, w, half(h) + 1});
          f.Earlier({w - half(pw), half(h) - 1, half(w - pw) + w, h}, {half(w) + 1, half(h) - 1, w, h});
          f.Last({0, h - half(ph), half(w) + 1, half(h - ph) + h}, {0, half(h) + 1, half(w) + 1, h}))},
};

#undef STEP

static_assert(effects_detail::ListsNumbers(kRows, effects_detail::kRectanglesFirst, effects_detail::kRectanglesLast));

}  // namespace

std::span<const EffectInfo> RectangleEffects() { return kRows; }

}  // namespace pavonix
