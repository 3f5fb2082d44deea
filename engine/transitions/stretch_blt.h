// Copies between 24-bit bitmaps with the pixel behaviour of GDI.
//
// CONTRACT (implemented in stretch_blt.cpp):
// - StretchBlt is StretchBlt with SRCCOPY in COLORONCOLOR mode: each destination
//   pixel takes one source pixel, columns and rows are repeated or dropped exactly as
//   GDI does it, negative destination extents mirror, a source rectangle reaching
//   outside the source bitmap is clipped with the destination shrunk in proportion,
//   and the destination is clipped to the target bitmap.  Returns the rectangle of
//   the target that was written (empty when nothing was).
// - BitBlt is the unscaled copy of a w x h block.
// - CopyThroughRegion copies source pixel (x, y) to target pixel (x + dx, y + dy)
//   for every pixel of the region (in target coordinates) that lies in both bitmaps;
//   it returns the bounding box of what was written.
// - Source and target may be the same bitmap; the copy then reads a snapshot.
#pragma once

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/region.h"

namespace pavonix {

TRect StretchBlt(Bitmap& target, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap& source,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh);

TRect BitBlt(Bitmap& target, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap& source,
             int32_t sx, int32_t sy);

TRect CopyThroughRegion(Bitmap& target, const Bitmap& source, const Region& region, int32_t dx = 0,
                        int32_t dy = 0);

}  // namespace pavonix
