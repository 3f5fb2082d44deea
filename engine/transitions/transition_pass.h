// One transition: the 21 frames of one numbered effect.
//
// CONTRACT (implemented with the effect catalogue, see effects.h):
// - TransitionPass is made once per drawing pass, after the slide has been composed,
//   with D = S = (0, 0, w, h) and no region.
// - DrawFrame(canvas, p) computes the frame values (pw, ph, m), runs the effect's
//   frame step and then its finishing step.  It takes the canvas lock for the
//   drawing only (regions are built outside the lock) and returns the part of the
//   canvas the frame changed, empty when it drew nothing.  It never sleeps.
// - PauseMs() is the pause the caller makes after each frame (0, 20 or 60).
// - Effect numbers without a row of their own (below 1 or above 126) draw the
//   composed slide whole in every frame, as 119 to 121 do.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/canvas.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/random.h"

namespace pavonix {

struct EffectInfo;

// The values every frame step works with.
struct FrameValues {
  int32_t w = 0;   // width of the composed slide
  int32_t h = 0;   // height of the composed slide
  int32_t p = 0;   // percentage of this frame: 0, 5, ..., 100
  int32_t pw = 0;  // MulDiv(w, p, 100)
  int32_t ph = 0;  // MulDiv(pw, h, w)
  int32_t m = 0;   // MulDiv(w, step, 90): the snap margin of the blinds
};

FrameValues ComputeFrameValues(int32_t w, int32_t h, int32_t percent, int32_t step = 5);

class TransitionPass {
 public:
  // composed: the new slide (FComposed); previous: the slide shown before
  // (FPrevious), which the cross-fade changes in place; random: the draws of the
  // random regions.  All three must outlive the pass.
  TransitionPass(int32_t effectNumber, const Bitmap& composed, Bitmap& previous, RandomSource& random);
  ~TransitionPass();
  TransitionPass(const TransitionPass&) = delete;
  TransitionPass& operator=(const TransitionPass&) = delete;

  TRect DrawFrame(Canvas& canvas, int32_t percent);
  int32_t PauseMs() const;
  int32_t EffectNumber() const { return effectNumber_; }

 private:
  struct State;
  int32_t effectNumber_;
  const EffectInfo* effect_;
  std::unique_ptr<State> state_;
};

}  // namespace pavonix
