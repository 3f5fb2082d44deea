#include "engine/transitions/transition_pass.h"

#include <mutex>

#include "engine/transitions/effects.h"
#include "engine/transitions/saver_helpers.h"
#include "engine/transitions/stretch_blt.h"

namespace pavonix {

FrameValues ComputeFrameValues(int32_t w, int32_t h, int32_t percent, int32_t step) {
  FrameValues v;
  v.w = w;
  v.h = h;
  v.p = percent;
  v.pw = MulDiv(w, percent, 100);
  v.ph = MulDiv(v.pw, h, w);
  v.m = MulDiv(w, step, 90);
  return v;
}

// What lives for the length of one pass: the slides, the random source and the
// copy effects' rectangles.
struct TransitionPass::State {
  const Bitmap& composed;
  Bitmap& previous;
  RandomSource& random;
  PassRects rects;
};

TransitionPass::TransitionPass(int32_t effectNumber, const Bitmap& composed, Bitmap& previous, RandomSource& random)
    : effectNumber_(effectNumber),
      effect_(FindEffect(effectNumber)),
      state_(std::make_unique<State>(State{composed, previous, random, PassRects{composed.Bounds(), composed.Bounds()}})) {}

TransitionPass::~TransitionPass() = default;

int32_t TransitionPass::PauseMs() const { return effect_ ? effect_->pauseMs : 0; }

TRect TransitionPass::DrawFrame(Canvas& canvas, int32_t percent) {
  State& s = *state_;
  const Bitmap& composed = s.composed;

  // Numbers without a drawing of their own (and any number the catalogue does not
  // know) show the new slide at once rather than leave the old one standing.
  if (effect_ == nullptr || effect_->finish == FinishKind::WholeSlide) {
    std::lock_guard lock(canvas.Lock());
    return BitBlt(canvas.Pixels(), 0, 0, composed.Width(), composed.Height(), composed, 0, 0);
  }

  // The step runs outside the lock: building a region can take a while, and the
  // window must be able to repaint meanwhile.
  Frame frame{ComputeFrameValues(composed.Width(), composed.Height(), percent), s.rects, s.random, composed,
              s.previous, canvas};
  effect_->step(frame);

  TRect changed{};
  switch (effect_->finish) {
    case FinishKind::StretchCopy: {
      std::lock_guard lock(canvas.Lock());
      Bitmap& target = canvas.Pixels();
      for (int32_t i = 0; i < frame.earlierCount; ++i) {
        const EarlierCopy& c = frame.earlier[static_cast<size_t>(i)];
        const TRect drawn =
            c.mirrored ? StretchCopyMirrored(target, c.D, composed, c.S, c.mirrorHorizontally, c.mirrorVertically)
                       : StretchBlt(target, c.D.Left, c.D.Top, c.D.Width(), c.D.Height(), composed, c.S.Left,
                                    c.S.Top, c.S.Width(), c.S.Height());
        changed = UnionRect(changed, drawn);
      }
      const TRect& D = s.rects.D;
      const TRect& S = s.rects.S;
      changed = UnionRect(changed, StretchBlt(target, D.Left, D.Top, D.Width(), D.Height(), composed, S.Left, S.Top,
                                              S.Width(), S.Height()));
      break;
    }
    case FinishKind::Region:
      if (frame.region) {
        std::lock_guard lock(canvas.Lock());
        changed = CopyThroughRegion(canvas.Pixels(), composed, *frame.region);
      }
      break;
    case FinishKind::SelfDrawn:
      changed = frame.changed;
      break;
    case FinishKind::WholeSlide:
      break;
  }
  return changed;
}

}  // namespace pavonix
