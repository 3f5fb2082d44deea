// Moving one 24-bit bitmap toward another by a percentage: the cross-fade.
//
// Every byte becomes ((100 - a) * t) div 100 + (a * u) div 100, each product divided
// on its own and truncated, so 255 and 255 at a = 50 give 127 + 127 = 254, and
// a = 100 gives an exact copy of u.  The divisions are done as a multiplication
// and a shift that gives the same result for every byte value and weight; an SSE2
// path does sixteen bytes at a time where the target has it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"

namespace pavonix {

// T moves a percent (0 to 100; values outside are taken as the nearer end) toward
// U, over the part that both bitmaps cover.
void BlendBitmaps(Bitmap& T, const Bitmap& U, int32_t a);

// BlendBitmaps, and then T copied whole onto shown at (0, 0), clipped to shown, in
// one pass over the pixels.  Returns the part of shown that was written.
TRect BlendBitmapsAndShow(Bitmap& T, const Bitmap& U, int32_t a, Bitmap& shown);

namespace blend_detail {

// c * t div 100 for t in 0..255 is (t * BlendMultiplier(c)) >> 16, for c in 0..99.
uint32_t BlendMultiplier(int32_t c);

// n bytes of t blended toward u with the weight a (1 to 99); when out is given the
// result goes there too.  Scalar and SSE2 variants give identical bytes.
void BlendBytesScalar(uint8_t* t, const uint8_t* u, size_t n, int32_t a, uint8_t* out);
#ifdef __SSE2__
void BlendBytesSse2(uint8_t* t, const uint8_t* u, size_t n, int32_t a, uint8_t* out);
#endif

}  // namespace blend_detail
}  // namespace pavonix
