#include "engine/transitions/fitting.h"

#include <cmath>

namespace pavonix {
namespace {

int32_t Trunc(double v) { return static_cast<int32_t>(std::trunc(v)); }

}  // namespace

TRect FitRect(int32_t A, int32_t B, int32_t C, int32_t D) {
  TRect r{0, 0, A, B};
  if (B < D && A < C) {  // taller and wider than the target
    r.Bottom = Trunc(static_cast<double>(A) / C * D);
    if (B < r.Bottom) {
      r.Right = Trunc(static_cast<double>(B) / r.Bottom * r.Right);
      r.Bottom = B;
    }
  } else if (B < D) {  // only taller
    r.Right = Trunc(static_cast<double>(B) / D * C);
  } else if (A < C) {  // only wider
    r.Bottom = Trunc(static_cast<double>(A) / C * D);
  } else {
    r = {0, 0, C, D};
  }
  return r;
}

TRect CenterRect(const TRect& outer, const TRect& inner) {
  TRect r;
  r.Left = outer.Left + half(outer.Right - outer.Left) - half(inner.Right - inner.Left);
  r.Top = outer.Top + half(outer.Bottom - outer.Top) - half(inner.Bottom - inner.Top);
  r.Right = r.Left + (inner.Right - inner.Left);
  r.Bottom = r.Top + (inner.Bottom - inner.Top);
  return r;
}

}  // namespace pavonix
