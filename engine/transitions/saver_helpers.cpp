#include "engine/transitions/saver_helpers.h"

#include <algorithm>
#include <array>

#include "engine/transitions/stretch_blt.h"

namespace pavonix {

TRect StretchCopyMirrored(Bitmap& target, TRect D, const Bitmap& bitmap, TRect S, bool mirrorHorizontally,
                          bool mirrorVertically) {
  S = IntersectRect(S, bitmap.Bounds());
  // Each side moves one pixel outward as it swaps.  A negative width -n at x covers
  // x - n + 1 to x, so D = (100, 0, 150, h) becomes x = 151, width -52: columns 100
  // to 151, one more than D on the right.  The fold strips are drawn exactly so.
  if (mirrorHorizontally) {
    const int32_t left = D.Left;
    D.Left = D.Right + 1;
    D.Right = left - 1;
  }
  if (mirrorVertically) {
    const int32_t top = D.Top;
    D.Top = D.Bottom + 1;
    D.Bottom = top - 1;
  }
  return StretchBlt(target, D.Left, D.Top, D.Width(), D.Height(), bitmap, S.Left, S.Top, S.Width(), S.Height());
}

Region MakeTriangleRegion(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t X3, int32_t Y3) {
  const std::array<TPoint, 4> points{{{X1, Y1}, {X2, Y2}, {X3, Y3}, {X1, Y1}}};
  return Region::FromPolygon(points);
}

std::optional<Region> MakeBlindsRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t S, int32_t KX,
                                       int32_t KY) {
  RegionBuilder result;

  if (KX != 0) {
    const bool secondHalf = A > W;
    // Snapping a nearly full strip to the whole width hides the last thin sliver
    // that the 5 % frame step would otherwise leave for the next frame.
    const int32_t a = (!secondHalf && A + S > W) ? W : A;
    for (int32_t y = secondHalf ? 5 : 0; y < H + 5; y += 10) {
      if (secondHalf) {
        result.Add(TRect{0, y - 5, W, y});
        if (KX == 1 || KX == 4) result.Add(TRect{2 * W - a, y, W, y + 5});
        if (KX == 2 || KX == 5) result.Add(TRect{0, y, a - W, y + 5});
        continue;
      }
      switch (KX) {
        case 1:
        case 5:
          result.Add(TRect{W - a, y, W, y + 5});
          break;
        case 2:
        case 4:
          result.Add(TRect{0, y, a, y + 5});
          break;
        case 3:
          result.Add(TRect{W - a, y, W, y + 5});
          result.Add(TRect{0, y + 5, a, y + 10});
          break;
        default:
          break;
      }
    }
  }

  if (KY != 0) {
    const bool secondHalf = B > H;
    const int32_t b = (!secondHalf && B + S > H) ? H : B;
    for (int32_t x = secondHalf ? 5 : 0; x < W + 5; x += 10) {
      if (secondHalf) {
        result.Add(TRect{x - 5, 0, x, H});
        if (KY == 1 || KY == 4) result.Add(TRect{x, 2 * H - b, x + 5, H});
        if (KY == 2 || KY == 5) result.Add(TRect{x, 0, x + 5, b - H});
        continue;
      }
      switch (KY) {
        case 1:
        case 5:
          result.Add(TRect{x, H - b, x + 5, H});
          break;
        case 2:
        case 4:
          result.Add(TRect{x, 0, x + 5, b});
          break;
        case 3:
          result.Add(TRect{x, H - b, x + 5, H});
          result.Add(TRect{x + 5, 0, x + 10, b});
          break;
        default:
          break;
      }
    }
  }

  return result.Finish();
}

namespace {

// The difference of two independent draws, the first drawn first, so that a
// seeded source gives the same edges on every platform.
int32_t Jitter(RandomSource& random, int32_t J) {
  const int32_t r1 = random.Random(J);
  const int32_t r2 = random.Random(J);
  return r1 - r2;
}

}  // namespace

std::optional<Region> MakeRaggedRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                       RandomSource& random) {
  RegionBuilder result;

  if (KX != 0) {
    // Once the wipe is complete its edge must be straight, or it would never close.
    const int32_t J = A < W ? W / 7 : 0;
    for (int32_t y = 0; y < H; y += 5) {
      // Each band overlaps the next by the remainder, so the last band ends at H.
      const int32_t bottom = y + 5 + H % 5;
      switch (KX) {
        case 1:
          result.Add(TRect{W - A + Jitter(random, J), y, W, bottom});
          break;
        case 2:
          result.Add(TRect{0, y, A + Jitter(random, J), bottom});
          break;
        case 3: {
          const int32_t left = Jitter(random, J);
          const int32_t right = Jitter(random, J);
          result.Add(TRect{half(W - A + left), y, half(W), bottom});
          result.Add(TRect{half(W), y, half(W + A + right), bottom});
          break;
        }
        case 4: {
          const int32_t fromRight = Jitter(random, J);
          const int32_t fromLeft = Jitter(random, J);
          result.Add(TRect{W - half(A + fromRight), y, W, bottom});
          result.Add(TRect{0, y, half(A + fromLeft), bottom});
          break;
        }
        default:
          break;
      }
    }
  }

  if (KY != 0) {
    const int32_t J = B < H ? H / 7 : 0;
    for (int32_t x = 0; x < W; x += 5) {
      const int32_t right = x + 5 + W % 5;
      switch (KY) {
        case 1:
          result.Add(TRect{x, H - B + Jitter(random, J), right, H});
          break;
        case 2:
          result.Add(TRect{x, 0, right, B + Jitter(random, J)});
          break;
        case 3: {
          const int32_t top = Jitter(random, J);
          const int32_t bottom = Jitter(random, J);
          result.Add(TRect{x, half(H - B + top), right, half(H)});
          result.Add(TRect{x, half(H), right, half(H + B + bottom)});
          break;
        }
        case 4: {
          const int32_t fromBottom = Jitter(random, J);
          const int32_t fromTop = Jitter(random, J);
          result.Add(TRect{x, H - half(B + fromBottom), right, H});
          result.Add(TRect{x, 0, right, half(B + fromTop)});
          break;
        }
        default:
          break;
      }
    }
  }

  return result.Finish();
}

namespace {

// The fringe's measures for a side of length size at advance a: depth E, block
// size f, block positions n, and the count lim of near blocks taken more often.
struct FringeMeasures {
  int32_t f;
  int32_t n;
  int32_t lim;
};

FringeMeasures MeasureFringe(int32_t a, int32_t size) {
  const int32_t E = a < size ? size / 10 : 0;
  const int32_t f = std::max(E / 20, 2);
  return {f, E / f, (3 * E / f) / 4};
}

// Block k, counted from the edge, is taken with chance 2/k near the edge and 1/k
// further out, so the fringe thins with the distance.
bool TakeBlock(RandomSource& random, int32_t k, int32_t lim) {
  const int32_t c = k <= lim ? 1 : 0;
  return random.Random(k) <= c;
}

}  // namespace

std::optional<Region> MakeFringeRegion(int32_t A, int32_t B, int32_t W, int32_t H, int32_t KX, int32_t KY,
                                       RandomSource& random) {
  RegionBuilder result;

  if (KX == 1 || KX == 2) {
    const FringeMeasures fm = MeasureFringe(A, W);
    const int32_t f = fm.f;
    // Rows of height f at a step of half f: each row overlaps the next by half.
    for (int32_t y = 0; y < H; y += half(f)) {
      if (KX == 1) {
        result.Add(TRect{W - A, y, W, y + f});
        for (int32_t k = fm.n; k >= 1; --k) {
          if (!TakeBlock(random, k, fm.lim)) continue;
          const int32_t L = W - A - k * f;
          result.Add(TRect{L, y, L + f, y + f});
        }
      } else {
        result.Add(TRect{0, y, A, y + f});
        for (int32_t k = fm.n; k >= 1; --k) {
          if (!TakeBlock(random, k, fm.lim)) continue;
          const int32_t R = A + k * f;
          result.Add(TRect{R - f, y, R, y + f});
        }
      }
    }
  }

  if (KY == 1 || KY == 2) {
    const FringeMeasures fm = MeasureFringe(B, H);
    const int32_t f = fm.f;
    for (int32_t x = 0; x < W; x += half(f)) {
      if (KY == 1) {
        result.Add(TRect{x, H - B, x + f, H});
        for (int32_t k = fm.n; k >= 1; --k) {
          if (!TakeBlock(random, k, fm.lim)) continue;
          const int32_t T = H - B - k * f;
          result.Add(TRect{x, T, x + f, T + f});
        }
      } else {
        result.Add(TRect{x, 0, x + f, B});
        for (int32_t k = fm.n; k >= 1; --k) {
          if (!TakeBlock(random, k, fm.lim)) continue;
          const int32_t V = B + k * f;
          result.Add(TRect{x, V - f, x + f, V});
        }
      }
    }
  }

  return result.Finish();
}

std::optional<Region> MakeDissolveRegion(int32_t W, int32_t H, int32_t p, RandomSource& random) {
  // The blocks grow as the transition goes on, so late frames fill the gaps.
  const int32_t b = std::max(std::min(W, H) / 50 + p / 10, 1);
  RegionBuilder result;
  for (int32_t x = 0; x < W; x += b) {
    for (int32_t y = 0; y < H; y += b) {
      if (random.Random(100) < p) result.Add(TRect{x - b, y - b, x + b, y + b});
    }
  }
  return result.Finish();
}

}  // namespace pavonix
