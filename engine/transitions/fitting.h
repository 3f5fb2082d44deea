// Fitting a picture into the target and centring it.
#pragma once

#include "engine/transitions/geometry.h"

namespace pavonix {

// Scales a picture of C x D down, keeping its proportions, so that it fits a target
// of A x B; a picture that fits keeps its size.  Returns (0, 0, width, height).
// The divisions are done in double precision, in the order written, and truncated.
TRect FitRect(int32_t A, int32_t B, int32_t C, int32_t D);

// Places inner's size in the middle of outer; the two halvings are separate, so an
// outer width of 800 and an inner width of 401 give Left = 400 - 200 = 200.
TRect CenterRect(const TRect& outer, const TRect& inner);

}  // namespace pavonix
