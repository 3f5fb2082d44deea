// Running one effect off screen, as the drawing pass runs it, without pauses.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/transitions/bitmap.h"

namespace pavonix::tools {

struct RenderSettings {
  int32_t width = 640;
  int32_t height = 480;
  bool fit = false;  // scale pictures down to fit, as the preview does
  uint64_t seed = 0;
};

// The two pictures as the drawing pass composes slides: centred on black at the
// target size (or fitted into it).
struct SlidePair {
  Bitmap from;
  Bitmap to;
};
SlidePair ComposePair(const Bitmap& fromPicture, const Bitmap& toPicture, const RenderSettings& settings);

// The 21 frames of an effect over the composed slides: the canvas and the
// previous slide start as the from-slide, and onFrame sees the canvas after each
// frame's finishing step (frame 0 to 20, p = 5 * frame).
void RenderFrames(int32_t effect, const SlidePair& slides, const RenderSettings& settings,
                  const std::function<void(int32_t frame, const Bitmap& canvas)>& onFrame);

}  // namespace pavonix::tools
