// Pictures and runs shared by the effect tests.
#pragma once

#include <cstdint>
#include <string>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/canvas.h"
#include "engine/transitions/region.h"
#include "engine/transitions/transition_pass.h"

namespace pavonix::test {

// The new slide: every pixel differs from its neighbours, and no pixel has the
// poison's blue byte (0xCC), so a poisoned pixel left in place is always visible.
Bitmap NewSlide(int32_t width, int32_t height);
// The old slide: a different pattern, also free of the poison.
Bitmap OldSlide(int32_t width, int32_t height);

// Runs all 21 frames of an effect (p = 0, 5, ..., 100) on the canvas, with the
// random draws seeded.  previous is the slide shown before (the cross-fade
// changes it).
void RunAllFrames(int32_t effect, Canvas& canvas, const Bitmap& composed, Bitmap& previous, uint64_t seed = 1);

// The pixels of a region inside (0, 0, w, h) as rows of '#' (in) and '.' (out).
std::string Coverage(const Region& region, int32_t w, int32_t h);
// The same picture of a predicate.
template <class Inside>
std::string CoverageOf(int32_t w, int32_t h, Inside inside) {
  std::string out;
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) out += inside(x, y) ? '#' : '.';
    out += '\n';
  }
  return out;
}

// Where two coverage pictures differ: the first differing pixel and how many.
std::string DescribeCoverageDifference(const std::string& expected, const std::string& actual, int32_t w);

// A poisoned bitmap with the composed slide copied into each given rectangle.
Bitmap PoisonWith(const Bitmap& composed, std::initializer_list<TRect> rects);

}  // namespace pavonix::test
