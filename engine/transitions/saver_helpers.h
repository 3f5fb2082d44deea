// The copy and region routines that the transition effects share: a stretched
// copy that can mirror, and the builders of the triangle, blinds, ragged, fringe
// and dissolve regions.
//
// The builders are exact to the pixel: every halving truncates toward zero on its
// own, every rectangle goes in as given (reversed corners are normalised, as the
// platform's rectangle regions are), and the random ones draw from the source they
// are given in a fixed order, so a seeded source repeats a frame exactly.  A builder
// that made no patch at all returns no region; one whose patches were all empty
// returns an empty region.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/random.h"
#include "engine/transitions/region.h"

namespace pavonix {

// Stretched copy of source rectangle S of bitmap onto destination rectangle D of
// target.  S is first cut to the bitmap (D is not adjusted); mirroring swaps D's
// sides one pixel further out on each end, which is how the platform's negative
// extents are reached.  Returns the part of target that was written.
TRect StretchCopyMirrored(Bitmap& target, TRect D, const Bitmap& bitmap, TRect S, bool mirrorHorizontally,
                          bool mirrorVertically);

// The polygon (X1, Y1), (X2, Y2), (X3, Y3), closed, filled by the winding rule.
Region MakeTriangleRegion(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3);

// Venetian blinds of 5-pixel strips at a pitch of 10 over a W x H target.  A (0 to
// 2W) and B (0 to 2H) are how far the horizontal and vertical parts have come; KX
// and KY (0 to 5, 0 = part left out) choose from which side each set of strips
// fills.  S is the snap margin: a first-half strip within S of the far edge is
// drawn whole.
std::optional<Region> MakeBlindsRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t S, int32_t KX,
                                       int32_t KY);

// A wipe of 5-pixel bands whose edges jitter by up to a seventh of the target until
// the wipe is complete.  KX, KY 0 to 4: 1 from the right / bottom, 2 from the left /
// top, 3 out from the centre, 4 in from both sides.
std::optional<Region> MakeRaggedRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                       RandomSource& random);

// A wipe whose edge frays into random square blocks within a tenth of the target.
// KX, KY 0 to 2: 1 from the right / bottom, 2 from the left / top.
std::optional<Region> MakeFringeRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                       RandomSource& random);

// Overlapping squares on a grid over W x H, each grid position taken with chance
// p percent.  No region at p = 0.
std::optional<Region> MakeDissolveRegion(int32_t W, int32_t H, int32_t p, RandomSource& random);

}  // namespace pavonix
