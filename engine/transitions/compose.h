// Composing a decoded picture on black at the size of the target, as every drawing
// pass does before its transition.
#pragma once

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"

namespace pavonix {

// Where the picture goes inside target: centred at its natural size (a larger
// picture is cut off at the edges, never scaled), or, with fitToRect, first scaled
// down to fit the target keeping its proportions.
TRect PlacePicture(const TRect& target, int32_t pictureWidth, int32_t pictureHeight, bool fitToRect);

// Sizes composed to width x height, fills it black and stretch-draws the whole
// picture into place (an unscaled copy when place has the picture's own size).
void ComposeSlide(Bitmap& composed, int32_t width, int32_t height, const Bitmap& picture, const TRect& place);

}  // namespace pavonix
