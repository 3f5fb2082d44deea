// The region shapes: rectangles, rounded rectangles and polygons, each with the
// pixel coverage that GDI gives them.  Wine's GDI, which we check against, rules
// where the documentation is silent; the rules are spelled out at each shape.
#include <algorithm>
#include <vector>

#include "engine/transitions/region.h"
#include "engine/transitions/region_bands.h"

namespace pavonix {
namespace {

// ceil(n / d) for d > 0.
int64_t CeilDiv(int64_t n, int64_t d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

}  // namespace

// CreateRectRgn: the corners may come in either order; a rectangle without width
// or height is empty.
Region Region::FromRect(const TRect& r) {
  Region region;
  const TRect n = NormalizeRect(r);
  if (!n.IsEmpty()) region.rects_.push_back(n);
  return region;
}

// CreateRoundRectRgn.  GDI leaves the right column and the bottom row out, limits
// the corner ellipse to what remains, and treats an ellipse narrower or lower than
// two pixels as no rounding at all.  The corner insets come from an integer
// midpoint walk along the lower-right quarter of the ellipse (Zingl's
// ellipse-in-rectangle form), one inset per row; the upper rows mirror the lower
// ones, and the middle row stretches over the straight part of the sides.
//
// For an ellipse far taller than wide (about 1.8 times the square of its width
// or more), the walk stops short of the last rows of the tip, whose contents GDI
// then leaves undefined (it reads memory it never wrote).  Here they keep the
// inset of the last row reached: the tip goes on straight down, or stays closed
// when that row was already empty (GDI too leaves the tip row of a narrow
// ellipse empty when the walk overshoots the middle there).
Region Region::FromRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ellipseWidth,
                             int32_t ellipseHeight) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  // In 64 bits: the edges may sit at the ends of the 32-bit range.
  const int64_t r = int64_t{right} - 1;
  const int64_t b = int64_t{bottom} - 1;
  const int64_t ew = std::min<int64_t>(r - left, std::abs(int64_t{ellipseWidth}));
  const int64_t eh = std::min<int64_t>(b - top, std::abs(int64_t{ellipseHeight}));
  if (ew < 2 || eh < 2) {
    return FromRect(left, top, static_cast<int32_t>(r), static_cast<int32_t>(b));
  }

  // inset[k] for the rows k = eh / 2 ... eh - 1 of the ellipse's bounding box.
  const int64_t middle = eh / 2;
  std::vector<int64_t> inset(static_cast<size_t>(eh), -1);
  {
    const int64_t a = ew - 1;
    const int64_t c = eh - 1;
    const int64_t odd = c & 1;
    const int64_t stepX = 8 * c * c;
    const int64_t stepY = 8 * a * a;
    int64_t ex = 4 * c * c * (1 - a);
    int64_t ey = 4 * a * a * (1 + odd);
    int64_t err = ex + ey + a * a * odd;
    int64_t x = 0;
    int64_t row = middle;
    inset[static_cast<size_t>(row)] = 0;
    while (x <= ew / 2) {
      const int64_t e2 = 2 * err;
      if (e2 >= ex) {
        ++x;
        ex += stepX;
        err += ex;
      }
      if (e2 <= ey) {
        ++row;
        ey += stepY;
        err += ey;
        if (row < eh) inset[static_cast<size_t>(row)] = x;
      }
    }
    for (int64_t k = middle + 1; k < eh; ++k) {
      if (inset[static_cast<size_t>(k)] < 0) inset[static_cast<size_t>(k)] = inset[static_cast<size_t>(k - 1)];
    }
  }

  // The rows come top to bottom, one span each, so they go straight into bands.
  std::vector<TRect>& bands = region_detail::BandBuffer();
  region_detail::BandWriter writer(bands);
  auto add = [&](int64_t rowTop, int64_t rowBottom, int64_t in) {
    writer.Append(static_cast<int32_t>(rowTop), static_cast<int32_t>(rowBottom), static_cast<int32_t>(left + in),
                  static_cast<int32_t>(r - in));
  };
  for (int64_t i = 0; i < middle; ++i) add(top + i, top + i + 1, inset[static_cast<size_t>(eh - 1 - i)]);
  add(top + middle, b - eh + middle + 1, 0);
  for (int64_t k = middle + 1; k < eh; ++k) add(b - eh + k, b - eh + k + 1, inset[static_cast<size_t>(k)]);
  Region region;
  region.rects_.assign(bands.begin(), bands.end());
  return region;
}

// CreatePolygonRgn with WINDING fill.  A pixel belongs to the polygon when its
// top-left corner does: each edge crosses row y (for top <= y < bottom of the
// edge) at its exact x for that y, rounded up, and the pixels from a crossing
// that makes the winding number non-zero up to (not including) the crossing that
// brings it back to zero are inside.  So left and top edges count, right and
// bottom edges don't, and horizontal edges play no part.
Region Region::FromPolygon(std::span<const TPoint> points) {
  if (points.size() < 2) return {};
  struct Edge {
    int64_t topX, topY, bottomY, dx, dy;
    int32_t winding;
  };
  std::vector<Edge> edges;
  int64_t yMin = INT64_MAX, yMax = INT64_MIN;
  for (size_t i = 0; i < points.size(); ++i) {
    const TPoint& from = points[i == 0 ? points.size() - 1 : i - 1];
    const TPoint& to = points[i];
    if (from.Y == to.Y) continue;
    const bool down = from.Y < to.Y;
    const TPoint& upper = down ? from : to;
    const TPoint& lower = down ? to : from;
    edges.push_back({upper.X, upper.Y, lower.Y, int64_t{lower.X} - upper.X, int64_t{lower.Y} - upper.Y,
                     down ? 1 : -1});
    yMin = std::min<int64_t>(yMin, upper.Y);
    yMax = std::max<int64_t>(yMax, lower.Y);
  }
  if (edges.empty()) return {};
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.topY < b.topY; });

  struct Crossing {
    int64_t x;
    int32_t winding;
  };
  std::vector<TRect>& bands = region_detail::BandBuffer();
  region_detail::BandWriter writer(bands);
  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  std::vector<region_detail::Span> spans;
  size_t nextEdge = 0;
  for (int64_t y = yMin; y < yMax; ++y) {
    std::erase_if(active, [y](const Edge* e) { return e->bottomY <= y; });
    while (nextEdge < edges.size() && edges[nextEdge].topY == y) active.push_back(&edges[nextEdge++]);
    crossings.clear();
    for (const Edge* e : active) {
      crossings.push_back({e->topX + CeilDiv((y - e->topY) * e->dx, e->dy), e->winding});
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    // Crossings at the same x are taken together, so no empty or touching spans
    // come out and each row is a band of its own in canonical form.
    spans.clear();
    int32_t winding = 0;
    int64_t start = 0;
    for (size_t i = 0; i < crossings.size();) {
      const int64_t x = crossings[i].x;
      const bool wasInside = winding != 0;
      for (; i < crossings.size() && crossings[i].x == x; ++i) winding += crossings[i].winding;
      const bool inside = winding != 0;
      if (inside && !wasInside) start = x;
      if (!inside && wasInside) spans.push_back({static_cast<int32_t>(start), static_cast<int32_t>(x)});
    }
    writer.Append(static_cast<int32_t>(y), static_cast<int32_t>(y + 1), spans);
  }
  Region region;
  region.rects_.assign(bands.begin(), bands.end());
  return region;
}

}  // namespace pavonix
