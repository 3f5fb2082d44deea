// The oracle cases of the effect catalogue: every region effect's region and every
// copy effect's copies, frame by frame at several target sizes, made once by the
// catalogue with the renderer and once with GDI straight from the effect tables.
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/transitions/effects.h"
#include "engine/transitions/saver_helpers.h"
#include "engine/transitions/stretch_blt.h"
#include "engine/transitions/transition_pass.h"
#include "tests/wine/gdi_oracle.h"

namespace pavonix::oracle {
namespace {

struct Size {
  int32_t w, h;
};

// Odd sizes, 1-pixel extremes, a preview, and full screens up to 4K.
const Size kRegionSizes[] = {{800, 600}, {801, 601}, {640, 480}, {1366, 768}, {1920, 1080}, {3840, 2160},
                             {152, 112}, {17, 9},    {9, 17},    {3, 5},      {2, 2},       {1, 1}};
const Size kCopySizes[] = {{800, 600}, {801, 601}, {152, 112}, {81, 61}, {17, 9}, {9, 17}, {3, 5}, {1, 1}};

std::string Label(int32_t effect, const Size& s, int32_t p) {
  char text[80];
  std::snprintf(text, sizeof text, "effect %d at %dx%d, p = %d", effect, s.w, s.h, p);
  return text;
}

// ---------------------------------------------------------------------------
// The region builders in GDI terms: one CreateRectRgn per patch, each united
// into the result with CombineRgn.

class GdiUnion {
 public:
  void Add(int32_t l, int32_t t, int32_t r, int32_t b) {
    GdiRegion patch = GdiRegion::Rect(l, t, r, b);
    if (!result_) {
      result_.emplace(std::move(patch));
    } else {
      result_->Or(patch);
    }
  }
  void Add(GdiRegion patch) {
    if (!result_) {
      result_.emplace(std::move(patch));
    } else {
      result_->Or(patch);
    }
  }
  std::optional<GdiRegion>& Result() { return result_; }

 private:
  std::optional<GdiRegion> result_;
};

std::optional<GdiRegion> GdiBlinds(int32_t A, int32_t B, int32_t W, int32_t H, int32_t S, int32_t KX, int32_t KY) {
  GdiUnion u;
  if (KX != 0) {
    for (int32_t y = A > W ? 5 : 0; y < H + 5; y += 10) {
      if (A > W) {
        u.Add(0, y - 5, W, y);
        if (KX == 1 || KX == 4) u.Add(2 * W - A, y, W, y + 5);
        if (KX == 2 || KX == 5) u.Add(0, y, A - W, y + 5);
      } else {
        const int32_t a = A + S > W ? W : A;
        if (KX == 1 || KX == 5) u.Add(W - a, y, W, y + 5);
        if (KX == 2 || KX == 4) u.Add(0, y, a, y + 5);
        if (KX == 3) {
          u.Add(W - a, y, W, y + 5);
          u.Add(0, y + 5, a, y + 10);
        }
      }
    }
  }
  if (KY != 0) {
    for (int32_t x = B > H ? 5 : 0; x < W + 5; x += 10) {
      if (B > H) {
        u.Add(x - 5, 0, x, H);
        if (KY == 1 || KY == 4) u.Add(x, 2 * H - B, x + 5, H);
        if (KY == 2 || KY == 5) u.Add(x, 0, x + 5, B - H);
      } else {
        const int32_t b = B + S > H ? H : B;
        if (KY == 1 || KY == 5) u.Add(x, H - b, x + 5, H);
        if (KY == 2 || KY == 4) u.Add(x, 0, x + 5, b);
        if (KY == 3) {
          u.Add(x, H - b, x + 5, H);
          u.Add(x + 5, 0, x + 10, b);
        }
      }
    }
  }
  return std::move(u.Result());
}

// The random builders draw in the catalogue's order (left before right, the
// first of each pair before the second), so that a source with the same seed
// gives the same patches.
int32_t Jitter(RandomSource& random, int32_t J) {
  const int32_t r1 = random.Random(J);
  return r1 - random.Random(J);
}

std::optional<GdiRegion> GdiRagged(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                   RandomSource& random) {
  GdiUnion u;
  if (KX != 0) {
    const int32_t J = A < W ? W / 7 : 0;
    for (int32_t y = 0; y < H; y += 5) {
      const int32_t b = y + 5 + H % 5;
      if (KX == 1) u.Add(W - A + Jitter(random, J), y, W, b);
      if (KX == 2) u.Add(0, y, A + Jitter(random, J), b);
      if (KX == 3) {
        const int32_t j1 = Jitter(random, J), j2 = Jitter(random, J);
        u.Add(half(W - A + j1), y, half(W), b);
        u.Add(half(W), y, half(W + A + j2), b);
      }
      if (KX == 4) {
        const int32_t j1 = Jitter(random, J), j2 = Jitter(random, J);
        u.Add(W - half(A + j1), y, W, b);
        u.Add(0, y, half(A + j2), b);
      }
    }
  }
  if (KY != 0) {
    const int32_t J = B < H ? H / 7 : 0;
    for (int32_t x = 0; x < W; x += 5) {
      const int32_t e = x + 5 + W % 5;
      if (KY == 1) u.Add(x, H - B + Jitter(random, J), e, H);
      if (KY == 2) u.Add(x, 0, e, B + Jitter(random, J));
      if (KY == 3) {
        const int32_t j1 = Jitter(random, J), j2 = Jitter(random, J);
        u.Add(x, half(H - B + j1), e, half(H));
        u.Add(x, half(H), e, half(H + B + j2));
      }
      if (KY == 4) {
        const int32_t j1 = Jitter(random, J), j2 = Jitter(random, J);
        u.Add(x, H - half(B + j1), e, H);
        u.Add(x, 0, e, half(B + j2));
      }
    }
  }
  return std::move(u.Result());
}

std::optional<GdiRegion> GdiFringe(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                   RandomSource& random) {
  GdiUnion u;
  auto measures = [](int32_t a, int32_t size, int32_t& f, int32_t& n, int32_t& lim) {
    const int32_t E = a < size ? size / 10 : 0;
    f = std::max(E / 20, 2);
    n = E / f;
    lim = (3 * E / f) / 4;
  };
  if (KX != 0) {
    int32_t f, n, lim;
    measures(A, W, f, n, lim);
    for (int32_t y = 0; y < H; y += half(f)) {
      GdiUnion band;
      band.Add(KX == 1 ? W - A : 0, y, KX == 1 ? W : A, y + f);
      for (int32_t k = n; k >= 1; --k) {
        if (random.Random(k) > (k <= lim ? 1 : 0)) continue;
        if (KX == 1) {
          const int32_t L = W - A - k * f;
          band.Add(L, y, L + f, y + f);
        } else {
          const int32_t R = A + k * f;
          band.Add(R - f, y, R, y + f);
        }
      }
      u.Add(std::move(*band.Result()));
    }
  }
  if (KY != 0) {
    int32_t f, n, lim;
    measures(B, H, f, n, lim);
    for (int32_t x = 0; x < W; x += half(f)) {
      GdiUnion band;
      band.Add(x, KY == 1 ? H - B : 0, x + f, KY == 1 ? H : B);
      for (int32_t k = n; k >= 1; --k) {
        if (random.Random(k) > (k <= lim ? 1 : 0)) continue;
        if (KY == 1) {
          const int32_t T = H - B - k * f;
          band.Add(x, T, x + f, T + f);
        } else {
          const int32_t V = B + k * f;
          band.Add(x, V - f, x + f, V);
        }
      }
      u.Add(std::move(*band.Result()));
    }
  }
  return std::move(u.Result());
}

std::optional<GdiRegion> GdiDissolve(int32_t W, int32_t H, int32_t p, RandomSource& random) {
  const int32_t b = std::max(std::min(W, H) / 50 + p / 10, 1);
  GdiUnion u;
  for (int32_t x = 0; x < W; x += b)
    for (int32_t y = 0; y < H; y += b)
      if (random.Random(100) < p) u.Add(x - b, y - b, x + b, y + b);
  return std::move(u.Result());
}

GdiRegion GdiTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  const TPoint points[] = {{x1, y1}, {x2, y2}, {x3, y3}, {x1, y1}};
  return GdiRegion::Polygon(points);
}

// The rounded rectangle of the curve and iris effects: left, top, right, bottom,
// ellipse width and height.
std::optional<std::array<int32_t, 6>> RoundRectOf(int32_t e, const FrameValues& v) {
  const int32_t w = v.w, h = v.h, pw = v.pw, ph = v.ph;
  switch (e) {
    case 58: return std::array{-2 * w, -5, 2 * pw, h + 5, 2 * w, 2 * w};
    case 59: return std::array{w - 2 * pw, -5, 3 * w, h + 5, 2 * w, 2 * w};
    case 69: return std::array{-5, -2 * h, w + 5, 2 * ph, 2 * h, 2 * h};
    case 70: return std::array{-5, h - 2 * ph, w + 5, 3 * h, 2 * h, 2 * h};
    case 80: return std::array{-2 * w, -2 * h, 2 * pw, 2 * ph, 2 * w, 2 * h};
    case 81: return std::array{w - 2 * pw, -2 * h, 3 * w, 2 * ph, 2 * w, 2 * h};
    case 82: return std::array{-2 * w, h - 2 * ph, 2 * pw, 3 * h, 2 * w, 2 * h};
    case 83: return std::array{w - 2 * pw, h - 2 * ph, 3 * w, 3 * h, 2 * h, 2 * h};
    case 84: return std::array{half(w) - pw, half(h) - ph, half(w) + pw, half(h) + ph, (9 * pw) / 5, (9 * ph) / 5};
    case 85:
      return std::array{pw - half(w), ph - half(h), half(3 * w) - pw, half(3 * h) - ph, (9 * (w - pw)) / 5,
                        (9 * (h - ph)) / 5};
    default: return std::nullopt;
  }
}

// The frame's region of a region effect, made with GDI from the effect tables.
std::optional<GdiRegion> GdiEffectRegion(int32_t e, const FrameValues& v, RandomSource& random) {
  const int32_t w = v.w, h = v.h, pw = v.pw, ph = v.ph, m = v.m;
  if (const auto rr = RoundRectOf(e, v)) {
    if (e == 85 && NormalizeRect({(*rr)[0], (*rr)[1], (*rr)[2], (*rr)[3]}).IsEmpty()) {
      // The catalogue leaves out the iris once it has shrunk to nothing, where
      // GDI would still make it one pixel and leave a dot of the old slide.
      GdiRegion r = GdiRegion::Rect(0, 0, 0, 0);
      r.Xor(GdiRegion::Rect(0, 0, w, h));
      return r;
    }
    GdiRegion r = GdiRegion::RoundRect((*rr)[0], (*rr)[1], (*rr)[2], (*rr)[3], (*rr)[4], (*rr)[5]);
    if (e == 85) r.Xor(GdiRegion::Rect(0, 0, w, h));
    return r;
  }
  switch (e) {
    case 60: return GdiBlinds(2 * pw, 0, w, h, m, 1, 0);
    case 61: return GdiBlinds(2 * pw, 0, w, h, m, 2, 0);
    case 62: return GdiBlinds(2 * pw, 0, w, h, m, 4, 0);
    case 63: return GdiBlinds(2 * pw, 0, w, h, m, 5, 0);
    case 64: return GdiBlinds(pw, 0, w, h, 0, 3, 0);
    case 65: return GdiRagged(pw, 0, w, h, 1, 0, random);
    case 66: return GdiRagged(pw, 0, w, h, 2, 0, random);
    case 67: return GdiRagged(pw, 0, w, h, 3, 0, random);
    case 68: return GdiRagged(pw, 0, w, h, 4, 0, random);
    case 71: return GdiBlinds(0, 2 * ph, w, h, m, 0, 1);
    case 72: return GdiBlinds(0, 2 * ph, w, h, m, 0, 2);
    case 73: return GdiBlinds(0, 2 * ph, w, h, m, 0, 4);
    case 74: return GdiBlinds(0, 2 * ph, w, h, m, 0, 5);
    case 75: return GdiBlinds(0, ph, w, h, 0, 0, 3);
    case 76: return GdiRagged(0, ph, w, h, 0, 1, random);
    case 77: return GdiRagged(0, ph, w, h, 0, 2, random);
    case 78: return GdiRagged(0, ph, w, h, 0, 3, random);
    case 79: return GdiRagged(0, ph, w, h, 0, 4, random);
    case 86: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 1, 1);
    case 87: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 1, 2);
    case 88: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 2, 1);
    case 89: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 2, 2);
    case 90: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 4, 4);
    case 91: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 4, 5);
    case 92: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 5, 4);
    case 93: return GdiBlinds(2 * pw, 2 * ph, w, h, m, 5, 5);
    case 94: return GdiBlinds(pw, ph, w, h, m, 1, 3);
    case 95: return GdiBlinds(pw, ph, w, h, m, 2, 3);
    case 96: return GdiBlinds(pw, ph, w, h, m, 3, 1);
    case 97: return GdiBlinds(pw, ph, w, h, m, 3, 2);
    case 98: return GdiBlinds(pw, ph, w, h, 0, 3, 3);
    case 99: {
      std::optional<GdiRegion> r = GdiBlinds(2 * pw, 2 * ph, w, h, m, 2, 2);
      std::optional<GdiRegion> other = GdiBlinds(2 * pw, 2 * ph, w, h, m, 1, 1);
      if (r && other) r->And(*other);
      return r;
    }
    case 100: return GdiRagged(pw, ph, w, h, 1, 1, random);
    case 101: return GdiRagged(pw, ph, w, h, 1, 2, random);
    case 102: return GdiRagged(pw, ph, w, h, 2, 1, random);
    case 103: return GdiRagged(pw, ph, w, h, 2, 2, random);
    case 104: return GdiRagged(pw, ph, w, h, 1, 3, random);
    case 105: return GdiRagged(pw, ph, w, h, 2, 3, random);
    case 106: return GdiRagged(pw, ph, w, h, 3, 1, random);
    case 107: return GdiRagged(pw, ph, w, h, 3, 2, random);
    case 108: return GdiRagged(pw, ph, w, h, 3, 3, random);
    case 109: return GdiRagged(pw, ph, w, h, 4, 4, random);
    case 110: return GdiTriangle(0, 0, 2 * pw, 0, 0, 2 * ph);
    case 111: return GdiTriangle(w, 0, w - 2 * pw, 0, w, 2 * ph);
    case 112: return GdiTriangle(0, h, 2 * pw, h, 0, h - 2 * ph);
    case 113: return GdiTriangle(w, h, w - 2 * pw, h, w, h - 2 * ph);
    case 114: {
      GdiRegion l = GdiTriangle(0, h, 0, 0, pw, h);
      GdiRegion r = GdiTriangle(w, h, w, 0, w - pw, 0);
      r.Or(l);
      return r;
    }
    case 115: {
      GdiRegion t = GdiTriangle(w, 0, 0, 0, w, ph);
      GdiRegion r = GdiTriangle(w, h, 0, h, 0, h - ph);
      r.Or(t);
      return r;
    }
    case 116: {
      const int32_t cx = half(w), cy = half(h);
      GdiRegion r = GdiTriangle(cx, cy, 0, h, 0, h - ph);
      r.Or(GdiTriangle(0, 0, pw, 0, cx, cy));
      r.Or(GdiTriangle(w - pw, h, cx, cy, w, h));
      r.Or(GdiTriangle(cx, cy, w, 0, w, ph));
      return r;
    }
    case 117: {
      const int32_t q = pw / 5, d = MulDiv(q, h, w);
      GdiUnion u;
      for (int32_t i = 0; i <= 9; ++i)
        for (int32_t j = 0; j <= 9; ++j) {
          const int32_t x = (j * w) / 10, y = (i * h) / 10;
          u.Add(GdiTriangle(x, y, x + q, y, x, y + d));
        }
      return std::move(u.Result());
    }
    case 122: return GdiDissolve(w, h, v.p, random);
    case 123: return GdiFringe(pw, ph, w, h, 1, 0, random);
    case 124: return GdiFringe(pw, ph, w, h, 2, 0, random);
    case 125: return GdiFringe(pw, ph, w, h, 0, 1, random);
    case 126: return GdiFringe(pw, ph, w, h, 0, 2, random);
    default: return std::nullopt;
  }
}

}  // namespace

void RunEffectRegionCases(Report& report) {
  Bitmap composed(1, 1), previous(1, 1);
  Canvas canvas(1, 1);
  std::vector<const EffectInfo*> effects;
  for (const EffectInfo& e : AllEffects()) {
    if (e.finish == FinishKind::Region) effects.push_back(&e);
  }
  for (const Size& size : kRegionSizes) {
    for (const EffectInfo* e : effects) {
      for (int32_t p = 0; p <= 100; p += 5) {
        const FrameValues v = ComputeFrameValues(size.w, size.h, p);
        const uint64_t seed = 1000003ull * static_cast<uint64_t>(e->number) + static_cast<uint64_t>(p);
        Xoshiro256 ourRandom(seed), gdiRandom(seed);
        PassRects rects{{0, 0, size.w, size.h}, {0, 0, size.w, size.h}};
        Frame frame{v, rects, ourRandom, composed, previous, canvas};
        e->step(frame);
        const auto roundRect = RoundRectOf(e->number, v);
        if (roundRect && !GdiDefinesRoundRect((*roundRect)[0], (*roundRect)[1], (*roundRect)[2], (*roundRect)[3],
                                              (*roundRect)[4], (*roundRect)[5])) {
          report.Skip();
          continue;
        }
        std::optional<GdiRegion> gdi = GdiEffectRegion(e->number, v, gdiRandom);
        const std::string label = Label(e->number, size, p);
        if (gdi.has_value() != frame.region.has_value()) {
          report.Regions(label + (gdi ? " (ours: no region)" : " (GDI: no region)"),
                         gdi ? gdi->ReadBack() : Region{}, frame.region.value_or(Region::FromRect(0, 0, 1, 1)));
          continue;
        }
        if (!gdi) {
          report.Regions(label, Region{}, Region{});
          continue;
        }
        report.Regions(label, gdi->ReadBack(), *frame.region);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Copy effects: each frame's copies, from a poisoned canvas.

namespace {

// StretchCopyMirrored in GDI terms, from its definition.
void GdiCopy(GdiBitmap& target, const GdiBitmap& slide, TRect D, TRect S, bool mirrored, bool horizontal,
             bool vertical) {
  if (mirrored) {
    S = IntersectRect(S, TRect{0, 0, slide.Width(), slide.Height()});
    if (horizontal) D = {D.Right + 1, D.Top, D.Left - 1, D.Bottom};
    if (vertical) D = {D.Left, D.Bottom + 1, D.Right, D.Top - 1};
  }
  target.StretchFrom(D.Left, D.Top, D.Right - D.Left, D.Bottom - D.Top, slide, S.Left, S.Top, S.Right - S.Left,
                     S.Bottom - S.Top);
}

}  // namespace

void RunEffectCopyCases(Report& report) {
  for (const Size& size : kCopySizes) {
    const Bitmap slide = NumberedBitmap(size.w, size.h);
    Bitmap poisoned(size.w, size.h);
    poisoned.Fill({0xCC, 0xCC, 0xCC});
    GdiBitmap gdiSlide(size.w, size.h), gdiTarget(size.w, size.h);
    gdiSlide.Load(slide);
    Bitmap previous(size.w, size.h);
    Canvas canvas(size.w, size.h);
    Xoshiro256 random(1);
    for (const EffectInfo& e : RectangleEffects()) {
      PassRects rects{{0, 0, size.w, size.h}, {0, 0, size.w, size.h}};
      for (int32_t p = 0; p <= 100; p += 5) {
        Frame frame{ComputeFrameValues(size.w, size.h, p), rects, random, slide, previous, canvas};
        e.step(frame);
        Bitmap ours = poisoned;
        gdiTarget.Load(poisoned);
        for (int32_t i = 0; i < frame.earlierCount; ++i) {
          const EarlierCopy& c = frame.earlier[static_cast<size_t>(i)];
          if (c.mirrored) {
            StretchCopyMirrored(ours, c.D, slide, c.S, c.mirrorHorizontally, c.mirrorVertically);
          } else {
            StretchBlt(ours, c.D.Left, c.D.Top, c.D.Width(), c.D.Height(), slide, c.S.Left, c.S.Top, c.S.Width(),
                       c.S.Height());
          }
          GdiCopy(gdiTarget, gdiSlide, c.D, c.S, c.mirrored, c.mirrorHorizontally, c.mirrorVertically);
        }
        const TRect& D = rects.D;
        const TRect& S = rects.S;
        StretchBlt(ours, D.Left, D.Top, D.Width(), D.Height(), slide, S.Left, S.Top, S.Width(), S.Height());
        GdiCopy(gdiTarget, gdiSlide, D, S, false, false, false);
        report.Pixels(Label(e.number, size, p), gdiTarget.Read(), ours);
      }
    }
  }
}

}  // namespace pavonix::oracle
