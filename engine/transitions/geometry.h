// Integer geometry shared by the package decoder, the renderer and the effects.
//
// Rectangles are half-open: Right and Bottom lie just outside the area, and a
// rectangle may be given with its corners in either order (the region and copy
// routines say how they treat that).  All arithmetic is on signed 32-bit values,
// widened to 64 bits wherever a product could overflow.
#pragma once

#include <algorithm>
#include <cstdint>

namespace pavonix {

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  constexpr int32_t Width() const { return Right - Left; }
  constexpr int32_t Height() const { return Bottom - Top; }
  // True when the rectangle covers no pixel (also for reversed corners).
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// x divided by 2, truncated toward zero: half(-5) == -2.
constexpr int32_t half(int32_t x) { return x / 2; }

// The platform's MulDiv: a * b / c with a 64-bit product, rounded to the nearest
// integer with halves away from zero.  A zero divisor, or a quotient that does not
// fit in 32 bits, gives -1 as the platform does.
constexpr int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
  if (c == 0) return -1;
  int64_t num = static_cast<int64_t>(a) * b;
  int64_t den = c;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const int64_t q = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int32_t>(q);
}

// The platform's IntersectRect: the common part of a and b, or (0, 0, 0, 0)
// when they do not overlap.
constexpr TRect IntersectRect(const TRect& a, const TRect& b) {
  const TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}

// The smallest rectangle holding both; an empty rectangle adds nothing.
constexpr TRect UnionRect(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b.IsEmpty() ? TRect{} : b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

// Corners put in order: Left <= Right and Top <= Bottom.
constexpr TRect NormalizeRect(const TRect& r) {
  return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
          std::max(r.Top, r.Bottom)};
}

}  // namespace pavonix
