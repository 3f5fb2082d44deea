// Helpers of the renderer tests: regions as plain pixel masks, and readable
// descriptions of where two masks differ.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "engine/transitions/geometry.h"
#include "engine/transitions/region.h"

namespace pavonix::test {

// One flag per pixel of a window of the plane.
struct Mask {
  TRect window;
  std::vector<uint8_t> bits;

  explicit Mask(const TRect& w)
      : window(w), bits(static_cast<size_t>(w.Width()) * static_cast<size_t>(w.Height()), 0) {}
  bool InWindow(int32_t x, int32_t y) const {
    return x >= window.Left && x < window.Right && y >= window.Top && y < window.Bottom;
  }
  uint8_t& At(int32_t x, int32_t y) {
    return bits[static_cast<size_t>(y - window.Top) * static_cast<size_t>(window.Width()) +
                static_cast<size_t>(x - window.Left)];
  }
  uint8_t At(int32_t x, int32_t y) const { return const_cast<Mask*>(this)->At(x, y); }
  void FillRect(const TRect& r, uint8_t v = 1) {
    const TRect c = IntersectRect(r, window);
    for (int32_t y = c.Top; y < c.Bottom; ++y)
      for (int32_t x = c.Left; x < c.Right; ++x) At(x, y) = v;
  }
};

inline Mask MaskOf(const Region& region, const TRect& window) {
  Mask m(window);
  for (const TRect& r : region.Rects()) m.FillRect(r);
  return m;
}

inline Mask MaskOfRows(const std::vector<TRect>& rects, const TRect& window) {
  Mask m(window);
  for (const TRect& r : rects) m.FillRect(r);
  return m;
}

// Empty when equal; otherwise the first differing pixel (row by row) and the
// bounding box of all differences.
inline std::string DescribeMaskDifference(const Mask& expected, const Mask& actual) {
  bool found = false;
  TRect box{};
  std::ostringstream out;
  for (int32_t y = expected.window.Top; y < expected.window.Bottom; ++y) {
    for (int32_t x = expected.window.Left; x < expected.window.Right; ++x) {
      if (expected.At(x, y) == actual.At(x, y)) continue;
      if (!found) {
        out << "first difference at (" << x << ", " << y << "): expected " << (expected.At(x, y) ? "in" : "out")
            << ", got " << (actual.At(x, y) ? "in" : "out");
        box = {x, y, x + 1, y + 1};
        found = true;
      } else {
        box = UnionRect(box, TRect{x, y, x + 1, y + 1});
      }
    }
  }
  if (found) out << "; differences within (" << box.Left << ", " << box.Top << ", " << box.Right << ", " << box.Bottom << ")";
  return out.str();
}

}  // namespace pavonix::test
