// Timing of the effects' frames and of the full-frame copy they are held against.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pavonix::bench {

struct EffectTiming {
  int32_t number = 0;
  std::string name;
  double msPerFrame = 0;  // median over every frame of every repetition
};

// The median time of one memcpy of a whole 24-bit frame of width x height, from
// one mapped buffer into another: the least any frame can cost.
double MeasureFrameCopyMs(int32_t width, int32_t height, int repetitions);

// Draws each effect's 21 frames repetitions times on a canvas of width x height,
// with no pauses, and times each frame (the region or rectangles and the drawing).
std::vector<EffectTiming> MeasureEffects(int32_t width, int32_t height, const std::vector<int32_t>& effects,
                                         int repetitions);

}  // namespace pavonix::bench
