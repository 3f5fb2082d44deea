#include "tools/pavonix-render/effect_frames.h"

#include "engine/transitions/canvas.h"
#include "engine/transitions/compose.h"
#include "engine/transitions/random.h"
#include "engine/transitions/transition_pass.h"

namespace pavonix::tools {

namespace {

Bitmap Compose(const Bitmap& picture, const RenderSettings& s) {
  const TRect target{0, 0, s.width, s.height};
  Bitmap composed;
  ComposeSlide(composed, s.width, s.height, picture, PlacePicture(target, picture.Width(), picture.Height(), s.fit));
  return composed;
}

}  // namespace

SlidePair ComposePair(const Bitmap& fromPicture, const Bitmap& toPicture, const RenderSettings& settings) {
  return {Compose(fromPicture, settings), Compose(toPicture, settings)};
}

void RenderFrames(int32_t effect, const SlidePair& slides, const RenderSettings& settings,
                  const std::function<void(int32_t frame, const Bitmap& canvas)>& onFrame) {
  Canvas canvas(settings.width, settings.height);
  canvas.Pixels().Assign(slides.from);
  Bitmap previous = slides.from;
  // A fresh generator per effect: each effect's frames depend on the seed alone,
  // not on which effects were rendered before it.
  Xoshiro256 random(settings.seed);
  TransitionPass pass(effect, slides.to, previous, random);
  for (int32_t frame = 0; frame <= 20; ++frame) {
    pass.DrawFrame(canvas, 5 * frame);
    onFrame(frame, canvas.Pixels());
  }
}

}  // namespace pavonix::tools
