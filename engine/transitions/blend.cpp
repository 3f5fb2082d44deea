#include "engine/transitions/blend.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace pavonix {
namespace blend_detail {

// ceil(c * 65536 / 100) overshoots c / 100 by less than 1/65536 per unit of t, so
// for t <= 255 the error stays below 0.004, while the fractional part of c * t / 100
// is at most 0.99: the floor never moves.  c = 100 would need 65536, which does not
// fit a 16-bit lane; weights 0 and 100 are handled as no-op and copy instead.
uint32_t BlendMultiplier(int32_t c) { return static_cast<uint32_t>((c * 65536 + 99) / 100); }

void BlendBytesScalar(uint8_t* t, const uint8_t* u, size_t n, int32_t a, uint8_t* out) {
  const uint32_t mt = BlendMultiplier(100 - a);
  const uint32_t mu = BlendMultiplier(a);
  for (size_t i = 0; i < n; ++i) {
    const uint8_t v = static_cast<uint8_t>(((t[i] * mt) >> 16) + ((u[i] * mu) >> 16));
    t[i] = v;
    if (out) out[i] = v;
  }
}

#ifdef __SSE2__
void BlendBytesSse2(uint8_t* t, const uint8_t* u, size_t n, int32_t a, uint8_t* out) {
  const __m128i mt = _mm_set1_epi16(static_cast<int16_t>(BlendMultiplier(100 - a)));
  const __m128i mu = _mm_set1_epi16(static_cast<int16_t>(BlendMultiplier(a)));
  const __m128i zero = _mm_setzero_si128();
  size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const __m128i tv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
    const __m128i uv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(u + i));
    const __m128i lo = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpacklo_epi8(tv, zero), mt),
                                     _mm_mulhi_epu16(_mm_unpacklo_epi8(uv, zero), mu));
    const __m128i hi = _mm_add_epi16(_mm_mulhi_epu16(_mm_unpackhi_epi8(tv, zero), mt),
                                     _mm_mulhi_epu16(_mm_unpackhi_epi8(uv, zero), mu));
    const __m128i v = _mm_packus_epi16(lo, hi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(t + i), v);
    if (out) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), v);
  }
  BlendBytesScalar(t + i, u + i, n - i, a, out ? out + i : nullptr);
}
#endif

namespace {

void BlendBytes(uint8_t* t, const uint8_t* u, size_t n, int32_t a, uint8_t* out) {
  if (a <= 0) {
    if (out) std::memmove(out, t, n);
    return;
  }
  if (a >= 100) {
    std::memcpy(t, u, n);
    if (out) std::memcpy(out, u, n);
    return;
  }
#ifdef __SSE2__
  BlendBytesSse2(t, u, n, a, out);
#else
  BlendBytesScalar(t, u, n, a, out);
#endif
}

}  // namespace
}  // namespace blend_detail

void BlendBitmaps(Bitmap& T, const Bitmap& U, int32_t a) {
  // A smaller target would be written past its end; blend what both cover.
  const int32_t w = std::min(T.Width(), U.Width());
  const int32_t h = std::min(T.Height(), U.Height());
  if (w <= 0 || h <= 0) return;
  a = std::clamp(a, 0, 100);
  const size_t n = 3 * static_cast<size_t>(w);
  for (int32_t y = 0; y < h; ++y) blend_detail::BlendBytes(T.Row(y), U.Row(y), n, a, nullptr);
}

TRect BlendBitmapsAndShow(Bitmap& T, const Bitmap& U, int32_t a, Bitmap& shown) {
  a = std::clamp(a, 0, 100);
  const int32_t bw = std::max(std::min(T.Width(), U.Width()), 0);
  const int32_t bh = std::max(std::min(T.Height(), U.Height()), 0);
  const int32_t cw = std::max(std::min(T.Width(), shown.Width()), 0);
  const int32_t ch = std::max(std::min(T.Height(), shown.Height()), 0);
  const size_t fused = 3 * static_cast<size_t>(std::min(bw, cw));
  for (int32_t y = 0; y < std::max(bh, ch); ++y) {
    uint8_t* out = y < ch ? shown.Row(y) : nullptr;
    if (y < bh) {
      blend_detail::BlendBytes(T.Row(y), U.Row(y), out ? fused : 0, a, out);
      // The rest of the blended part lies outside shown.
      const size_t blended = 3 * static_cast<size_t>(bw);
      const size_t done = out ? fused : 0;
      if (blended > done) blend_detail::BlendBytes(T.Row(y) + done, U.Row(y) + done, blended - done, a, nullptr);
    }
    if (out) {
      // T's pixels beyond U are shown as they are.
      const size_t from = y < bh ? fused : 0;
      const size_t to = 3 * static_cast<size_t>(cw);
      if (to > from) std::memcpy(out + from, T.Row(y) + from, to - from);
    }
  }
  if (cw <= 0 || ch <= 0) return TRect{};
  return TRect{0, 0, cw, ch};
}

}  // namespace pavonix
