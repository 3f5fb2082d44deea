// The oracle cases outside the catalogue: shapes and copies from a table of
// corner cases, and random ones from a seed.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/transitions/random.h"
#include "engine/transitions/stretch_blt.h"
#include "tests/wine/gdi_oracle.h"

namespace pavonix::oracle {

Bitmap NumberedBitmap(int32_t w, int32_t h) {
  Bitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      b.SetPixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                        static_cast<uint8_t>(((x >> 8) & 15) | ((y >> 8) << 4))});
  return b;
}

namespace {

std::string Format(const char* format, auto... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

Bitmap Poisoned(int32_t w, int32_t h) {
  Bitmap b(w, h);
  b.Fill({0xCC, 0xCC, 0xCC});
  return b;
}

struct RoundRectCase {
  int32_t l, t, r, b, ew, eh;
};

void CompareRoundRect(Report& report, const RoundRectCase& c, const std::string& label) {
  if (!GdiDefinesRoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh)) {
    report.Skip();
    return;
  }
  report.Regions(label, GdiRegion::RoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh).ReadBack(),
                 Region::FromRoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh));
}

void ComparePolygon(Report& report, const std::vector<TPoint>& points, const std::string& label) {
  report.Regions(label, GdiRegion::Polygon(points).ReadBack(), Region::FromPolygon(points));
}

// One stretched copy into a poisoned target, by GDI and by us.
struct CopyCase {
  int32_t targetW, targetH, sourceW, sourceH;
  int32_t dx, dy, dw, dh, sx, sy, sw, sh;
};

void CompareCopy(Report& report, const CopyCase& c, const std::string& label) {
  const Bitmap source = NumberedBitmap(c.sourceW, c.sourceH);
  GdiBitmap gdiSource(c.sourceW, c.sourceH), gdiTarget(c.targetW, c.targetH);
  gdiSource.Load(source);
  Bitmap ours = Poisoned(c.targetW, c.targetH);
  gdiTarget.Load(ours);
  gdiTarget.StretchFrom(c.dx, c.dy, c.dw, c.dh, gdiSource, c.sx, c.sy, c.sw, c.sh);
  StretchBlt(ours, c.dx, c.dy, c.dw, c.dh, source, c.sx, c.sy, c.sw, c.sh);
  report.Pixels(label, gdiTarget.Read(), ours);
}

std::string CopyLabel(const char* name, const CopyCase& c) {
  return Format("%s: %dx%d <- %dx%d, dst (%d, %d, %d x %d), src (%d, %d, %d x %d)", name, c.targetW, c.targetH,
                c.sourceW, c.sourceH, c.dx, c.dy, c.dw, c.dh, c.sx, c.sy, c.sw, c.sh);
}

}  // namespace

void RunShapeTableCases(Report& report) {
  const RoundRectCase roundRects[] = {
      {0, 0, 20, 10, 18, 9},   {20, 10, 0, 0, 18, 9},  {0, 0, 10, 10, 1, 8},    {10, 0, 10, 8, 4, 4},
      {10, 0, 11, 8, 4, 4},    {0, 5, 8, 5, 4, 4},     {0, 0, 2, 2, 2, 2},      {0, 0, 3, 3, 2, 2},
      {0, 0, 3, 3, 3, 3},      {0, 0, 100, 60, -40, -30}, {0, 0, 7, 7, 99, 99}, {-5, -5, 5, 5, 10, 10},
      {0, 0, 1000, 3, 500, 500}, {0, 0, 30, 30, 29, 2}, {0, 0, 30, 30, 2, 2},
  };
  for (const RoundRectCase& c : roundRects) {
    CompareRoundRect(report, c, Format("round rect (%d, %d, %d, %d, %d, %d)", c.l, c.t, c.r, c.b, c.ew, c.eh));
  }
  const std::vector<std::vector<TPoint>> polygons = {
      {{0, 0}, {10, 0}, {0, 6}, {0, 0}},
      {{0, 0}, {0, 0}, {0, 0}, {0, 0}},
      {{0, 0}, {10, 0}, {10, 0}, {0, 0}},
      {{5, 5}, {5, 5}, {5, 9}, {5, 5}},
      {{0, 0}, {7, 3}, {2, 9}, {0, 0}},
      {{7, 3}, {0, 0}, {2, 9}, {7, 3}},
      {{0, 0}, {10, 0}, {10, 10}, {0, 10}},        // a rectangle
      {{0, 0}, {10, 10}, {10, 0}, {0, 10}},        // a bow tie: crossing edges
      {{0, 5}, {10, 5}, {2, 0}, {5, 10}, {8, 0}},  // a star: winding 2 in the middle
      {{-3, -3}, {3, -1}, {-1, 4}, {-3, -3}},
      {{0, 0}, {1, 0}, {0, 1}, {0, 0}},
      {{0, 0}, {1000, 1}, {0, 2}, {0, 0}},  // long and thin
  };
  for (size_t i = 0; i < polygons.size(); ++i) {
    std::string label = "polygon";
    for (const TPoint& p : polygons[i]) label += Format(" (%d, %d)", p.X, p.Y);
    ComparePolygon(report, polygons[i], label);
  }
}

void RunRandomRegionCases(Report& report, uint64_t seed) {
  Xoshiro256 random(seed);
  auto coord = [&](int32_t range) { return random.Random(2 * range + 1) - range; };
  for (int i = 0; i < 1500; ++i) {
    const int32_t range = i % 3 == 0 ? 40 : i % 3 == 1 ? 400 : 4000;
    const RoundRectCase c{coord(range), coord(range), coord(range), coord(range), coord(2 * range),
                          coord(2 * range)};
    CompareRoundRect(report, c,
                     Format("random round rect %d (%d, %d, %d, %d, %d, %d)", i, c.l, c.t, c.r, c.b, c.ew, c.eh));
  }
  for (int i = 0; i < 1500; ++i) {
    const int32_t range = i % 2 == 0 ? 30 : 3000;
    std::vector<TPoint> points;
    const int n = i % 4 == 0 ? 3 + random.Random(6) : 4;
    for (int k = 0; k < n; ++k) points.push_back({coord(range), coord(range)});
    if (n == 4) points[3] = points[0];  // the triangles of the effects, closed by hand
    std::string label = Format("random polygon %d:", i);
    for (const TPoint& p : points) label += Format(" (%d, %d)", p.X, p.Y);
    ComparePolygon(report, points, label);
  }
  // Combinations of random shapes and of many rectangles.
  for (int i = 0; i < 600; ++i) {
    auto shape = [&](GdiRegion& gdi, Region& ours, std::string& text) {
      const int kind = random.Random(3);
      if (kind == 0) {
        const int32_t l = coord(60), t = coord(60), r = coord(60), b = coord(60);
        gdi = GdiRegion::Rect(l, t, r, b);
        ours = Region::FromRect(l, t, r, b);
        text = Format("rect (%d, %d, %d, %d)", l, t, r, b);
      } else if (kind == 1) {
        RoundRectCase c{coord(60), coord(60), coord(60), coord(60), coord(120), coord(120)};
        if (!GdiDefinesRoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh)) c.eh = 0;  // a plain rectangle
        gdi = GdiRegion::RoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh);
        ours = Region::FromRoundRect(c.l, c.t, c.r, c.b, c.ew, c.eh);
        text = Format("round rect (%d, %d, %d, %d, %d, %d)", c.l, c.t, c.r, c.b, c.ew, c.eh);
      } else {
        const TPoint points[] = {{coord(60), coord(60)}, {coord(60), coord(60)}, {coord(60), coord(60)}};
        gdi = GdiRegion::Polygon(points);
        ours = Region::FromPolygon(points);
        text = Format("triangle (%d, %d) (%d, %d) (%d, %d)", points[0].X, points[0].Y, points[1].X, points[1].Y,
                      points[2].X, points[2].Y);
      }
    };
    GdiRegion gdiA = GdiRegion::Rect(0, 0, 0, 0), gdiB = GdiRegion::Rect(0, 0, 0, 0);
    Region a, b;
    std::string textA, textB;
    shape(gdiA, a, textA);
    shape(gdiB, b, textB);
    const int op = random.Random(3);
    const char* names[] = {"or", "and", "xor"};
    if (op == 0) {
      gdiA.Or(gdiB);
      a.Unite(b);
    } else if (op == 1) {
      gdiA.And(gdiB);
      a.Intersect(b);
    } else {
      gdiA.Xor(gdiB);
      a.Xor(b);
    }
    report.Regions(Format("random combination %d: ", i) + textA + " " + names[op] + " " + textB, gdiA.ReadBack(),
                   a);
  }
  // Thousands of overlapping squares, as a dissolve at 4K unites them.
  for (int i = 0; i < 4; ++i) {
    GdiRegion gdi = GdiRegion::Rect(0, 0, 0, 0);
    RegionBuilder builder;
    const int32_t step = 20 + random.Random(40);
    for (int32_t x = 0; x < 3840; x += step)
      for (int32_t y = 0; y < 2160; y += step)
        if (random.Random(100) < 60) {
          gdi.Or(GdiRegion::Rect(x - step, y - step, x + step, y + step));
          builder.Add(TRect{x - step, y - step, x + step, y + step});
        }
    report.Regions(Format("random squares %d, step %d", i, step), gdi.ReadBack(),
                   builder.Finish().value_or(Region{}));
  }
}

void RunCopyTableCases(Report& report) {
  const CopyCase cases[] = {
      {11, 3, 10, 3, 0, 0, 11, 3, 0, 0, 10, 3},      {9, 3, 10, 3, 0, 0, 9, 3, 0, 0, 10, 3},
      {3, 11, 3, 10, 0, 0, 3, 11, 0, 0, 3, 10},      {3, 9, 3, 10, 0, 0, 3, 9, 0, 0, 3, 10},
      {20, 4, 20, 4, 12, 0, -8, 4, 0, 0, 8, 4},      {4, 20, 4, 20, 0, 12, 4, -8, 0, 0, 4, 8},
      {20, 4, 64, 4, 0, 0, 10, 4, 60, 0, 10, 4},     {20, 4, 64, 4, 0, 0, 20, 4, 60, 0, 10, 4},
      {20, 4, 64, 4, 15, 0, -10, 4, 60, 0, 10, 4},   {20, 4, 64, 4, 15, 0, -10, 4, -4, 0, 10, 4},
      {20, 4, 64, 4, 15, 0, -20, 4, 60, 0, 10, 4},   {20, 4, 16, 4, 0, 0, 20, 4, 12, 0, -10, 4},
      {20, 4, 16, 4, 0, 0, 20, 4, 5, 0, -10, 4},     {20, 20, 16, 16, -5, -5, 30, 30, -3, -3, 20, 20},
      {800, 4, 800, 4, 0, 0, 1560, 4, 0, 0, 40, 4},  // ZoomOutLeft at p = 5
      {800, 4, 800, 4, 0, 0, 800, 4, 0, 0, 1, 4},    {20, 4, 3000, 4, 0, 0, 7, 4, 0, 0, 3000, 4},
      {9, 9, 5, 5, 0, 0, 0, 9, 0, 0, 5, 5},          {9, 9, 5, 5, 0, 0, 9, 9, 0, 0, 0, 5},
      {800, 600, 800, 600, -360, -270, 1920, 1440, 0, 0, 800, 600},
      {801, 601, 801, 601, 200, 0, 401, 601, 200, 0, 401, 601},
  };
  for (const CopyCase& c : cases) CompareCopy(report, c, CopyLabel("copy", c));
}

void RunRandomCopyCases(Report& report, uint64_t seed) {
  Xoshiro256 random(seed ^ 0x5EED);
  for (int i = 0; i < 2500; ++i) {
    CopyCase c{};
    c.targetW = 1 + random.Random(i % 5 == 0 ? 400 : 40);
    c.targetH = 1 + random.Random(40);
    c.sourceW = 1 + random.Random(i % 7 == 0 ? 500 : 40);
    c.sourceH = 1 + random.Random(40);
    auto around = [&](int32_t size) { return random.Random(3 * size + 1) - size; };
    auto extent = [&](int32_t size) { return random.Random(4 * size + 1) - (i % 3 == 0 ? 2 * size : size / 4); };
    c.dx = around(c.targetW);
    c.dy = around(c.targetH);
    c.dw = extent(c.targetW);
    c.dh = extent(c.targetH);
    c.sx = around(c.sourceW);
    c.sy = around(c.sourceH);
    c.sw = extent(c.sourceW);
    c.sh = extent(c.sourceH);
    if (i % 2 == 0) {
      // Mostly the effects' kind: the source inside the bitmap, positive.
      c.sx = random.Random(c.sourceW);
      c.sy = random.Random(c.sourceH);
      c.sw = 1 + random.Random(c.sourceW - c.sx);
      c.sh = 1 + random.Random(c.sourceH - c.sy);
    }
    CompareCopy(report, c, CopyLabel(Format("random copy %d", i).c_str(), c));
  }
  // Copies through random regions.
  for (int i = 0; i < 300; ++i) {
    const int32_t w = 1 + random.Random(60), h = 1 + random.Random(60);
    const Bitmap source = NumberedBitmap(w, h);
    GdiBitmap gdiSource(w, h), gdiTarget(w, h);
    gdiSource.Load(source);
    Bitmap ours = Poisoned(w, h);
    gdiTarget.Load(ours);
    GdiRegion gdi = GdiRegion::Rect(0, 0, 0, 0);
    Region region;
    for (int k = random.Random(6); k >= 0; --k) {
      const int32_t l = random.Random(w + 20) - 10, t = random.Random(h + 20) - 10;
      const int32_t r = l + random.Random(40) - 10, b = t + random.Random(40) - 10;
      if (k % 2 && GdiDefinesRoundRect(l, t, r, b, 12, 12)) {
        gdi.Or(GdiRegion::RoundRect(l, t, r, b, 12, 12));
        region.Unite(Region::FromRoundRect(l, t, r, b, 12, 12));
      } else {
        gdi.Xor(GdiRegion::Rect(l, t, r, b));
        region.Xor(Region::FromRect(l, t, r, b));
      }
    }
    gdiTarget.CopyThrough(gdiSource, gdi);
    CopyThroughRegion(ours, source, region);
    report.Pixels(Format("copy through random region %d, %dx%d", i, w, h), gdiTarget.Read(), ours);
  }
}

}  // namespace pavonix::oracle
