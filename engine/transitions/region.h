// Regions with the pixel coverage of Windows GDI regions.
//
// CONTRACT (implemented in region.cpp / region_shapes.cpp):
// - A Region is a set of pixels stored as y-x banded, half-open rectangles, as
//   GetRegionData reports them: bands sorted top to bottom, rectangles within a band
//   sorted left to right, not touching, and vertically adjacent bands with equal
//   spans merged.
// - FromRect, FromRoundRect and FromPolygon give exactly the pixels that
//   CreateRectRgn, CreateRoundRectRgn and CreatePolygonRgn (WINDING) give.
// - Unite, Intersect and Xor are CombineRgn with RGN_OR, RGN_AND and RGN_XOR.
// - RegionBuilder unites many patches at once without the quadratic cost of
//   uniting them one by one; the result is the same set of pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "engine/transitions/geometry.h"

namespace pavonix {

class Region {
 public:
  Region() = default;  // empty

  static Region FromRect(const TRect& r);
  static Region FromRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return FromRect(TRect{left, top, right, bottom});
  }
  static Region FromRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                              int32_t ellipseWidth, int32_t ellipseHeight);
  static Region FromPolygon(std::span<const TPoint> points);

  void Unite(const Region& other);
  void Intersect(const Region& other);
  void Xor(const Region& other);

  bool IsEmpty() const { return rects_.empty(); }
  // Bounding box; (0, 0, 0, 0) when empty.
  TRect Bounds() const;
  bool Contains(int32_t x, int32_t y) const;
  // The banded rectangles.
  std::span<const TRect> Rects() const { return rects_; }

  // Checks the banding invariants; used by the tests and by debug builds.
  bool IsValid() const;

  friend bool operator==(const Region&, const Region&) = default;

 private:
  std::vector<TRect> rects_;
  friend class RegionBuilder;
};

// Collects patches and makes their union in one sweep.
//
// Memory: a builder takes its patch list from a small per-thread pool and gives
// it back when it goes, so that the builder of every frame reuses the memory of
// the frame before instead of touching fresh pages.
class RegionBuilder {
 public:
  RegionBuilder();
  ~RegionBuilder();
  RegionBuilder(RegionBuilder&& other) noexcept;
  RegionBuilder& operator=(RegionBuilder&& other) noexcept;
  RegionBuilder(const RegionBuilder&) = delete;
  RegionBuilder& operator=(const RegionBuilder&) = delete;

  void Add(const TRect& r);  // corners in either order, as CreateRectRgn takes them
  void Add(const Region& r);
  size_t PatchCount() const;
  // The union of everything added; std::nullopt when nothing was added (an
  // empty patch still counts as added and gives an empty region).
  std::optional<Region> Finish();
  void Clear();

 private:
  std::vector<TRect> patches_;
  bool any_ = false;
};

}  // namespace pavonix
