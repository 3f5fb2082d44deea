// Copies between 24-bit bitmaps that pick pixels the way GDI's StretchBlt does in
// COLORONCOLOR mode.
//
// A stretched copy is separable: each axis maps destination coordinates to source
// coordinates on its own, and a destination pixel (x, y) takes the source pixel
// (column map of x, row map of y).  Each axis follows GDI's digital line from the
// destination origin to the far corner:
//
// - growing (|destination| >= |source|): destination step i takes source step
//   s(i) = the largest s with 2 |dst| s < (2i + 1) |src|, so a repeated source
//   pixel sits where the centre of the destination pixel crosses a source edge;
// - shrinking: source step j lands on destination step d(j), the same formula with
//   the roles swapped.  Several source steps share a destination step; along x the
//   last of them shows (each one is written over the one before), along y the
//   first (GDI skips the later rows).
//
// Negative extents run the steps the other way: an extent -n at x covers x - n + 1
// to x, and x itself takes step 0.  Only the steps whose destination lies in the
// destination rectangle and the target, and whose source lies in the source
// rectangle and the source bitmap, are drawn; GDI finds those through rectangles
// mapped with truncating division and widened by a pixel, which the code below
// reproduces, quirks included.
//
// Per copy, the column map is worked out once as byte offsets; rows that repeat
// the row above are copied from it, and unscaled rows are one memcpy.
#include "engine/transitions/stretch_blt.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace pavonix {
namespace {

// The row gather packs pixels into words byte by byte in memory order.
static_assert(std::endian::native == std::endian::little, "the pixel packing assumes a little-endian machine");

struct Range {
  int64_t begin = 0;
  int64_t end = 0;
  bool Empty() const { return end <= begin; }
};

Range Intersect(Range a, Range b) { return {std::max(a.begin, b.begin), std::min(a.end, b.end)}; }

// The pixels an extent covers: n at x covers x .. x + n - 1; -n covers
// x - n + 1 .. x.
Range Covered(int64_t x, int64_t n) { return n >= 0 ? Range{x, x + n} : Range{x + n + 1, x + 1}; }

// Division truncating toward zero, as C does it.
int64_t TruncDiv(int64_t a, int64_t b) { return a / b; }

// One axis of a copy: destination coordinates [first, first + source.size()) and
// the source coordinate each one takes.
struct AxisMap {
  int64_t first = 0;
  std::vector<int32_t> source;
  bool Empty() const { return source.empty(); }
};

struct AxisInput {
  int64_t dst, dstLen;  // destination origin and extent
  int64_t src, srcLen;  // source origin and extent
  int64_t dstLimit;     // target size along this axis
  int64_t srcLimit;     // source bitmap size along this axis
  // The source extent the steps are walked with.  GDI takes one source pixel
  // less when it squeezes a source into a single column or row, after it has
  // worked out the visible parts with the full extent.
  int64_t lineSrcLen;
};

AxisInput Axis(int32_t dst, int32_t dstLen, int32_t src, int32_t srcLen, int32_t dstLimit, int32_t srcLimit) {
  const int64_t line = (dstLen == 1 && srcLen > 1) ? int64_t{srcLen} - 1 : srcLen;
  return {dst, dstLen, src, srcLen, dstLimit, srcLimit, line};
}

// The visible parts of both sides, as GDI works them out before drawing.  When
// the extents differ, GDI maps the visible source into destination coordinates
// (truncating, then widened by one pixel), and back again; and when the copy
// mirrors while the source reaches outside its bitmap, it moves the destination
// origin so that the drawn part is not mirrored into place.  Both are reproduced.
struct Visible {
  Range dst, src;
  int64_t dstOrigin = 0;
  bool any = false;
};

Visible VisibleParts(const AxisInput& in, bool stretching) {
  Visible v;
  v.dstOrigin = in.dst;
  v.dst = Intersect(Covered(in.dst, in.dstLen), {0, in.dstLimit});
  v.src = Intersect(Covered(in.src, in.srcLen), {0, in.srcLimit});
  if (v.dst.Empty() || v.src.Empty()) return v;
  if (!stretching) {
    // Unscaled: the two visible parts, lined up, are cut to their overlap.
    const int64_t shift = in.dst - in.src;
    const Range both = Intersect(v.dst, {v.src.begin + shift, v.src.end + shift});
    v.dst = both;
    v.src = {both.begin - shift, both.end - shift};
    v.any = !both.Empty();
    return v;
  }
  // Visible source mapped into the destination.
  const int64_t srcOffset = in.src + (in.srcLen < 0 ? 1 : 0);
  int64_t lo = TruncDiv((v.src.begin - srcOffset) * in.dstLen, in.srcLen);
  int64_t hi = TruncDiv((v.src.end - srcOffset) * in.dstLen, in.srcLen);
  if (lo > hi) std::swap(lo, hi);
  if (in.srcLen < 0 && in.dstLen > 0 &&
      (in.src + in.srcLen + 1 < v.src.begin || in.src > v.src.end)) {
    v.dstOrigin += (in.dstLen - hi) - lo;
  } else if (in.srcLen > 0 && in.dstLen < 0 && (in.src < v.src.begin || in.src + in.srcLen > v.src.end)) {
    v.dstOrigin -= hi - (in.dstLen - lo);
  }
  v.dst = Intersect(v.dst, {v.dstOrigin + lo - 1, v.dstOrigin + hi + 1});
  if (v.dst.Empty()) return v;
  // And the visible destination mapped back into the source.
  const int64_t dstOffset = v.dstOrigin + (in.dstLen < 0 ? 1 : 0);
  lo = in.src + TruncDiv((v.dst.begin - dstOffset) * in.srcLen, in.dstLen);
  hi = in.src + TruncDiv((v.dst.end - dstOffset) * in.srcLen, in.dstLen);
  if (lo > hi) std::swap(lo, hi);
  v.src = Intersect(v.src, {lo - 1, hi + 1});
  v.any = !v.src.Empty();
  return v;
}

// Walks the digital line of one axis and keeps the steps inside both visible
// parts.  lastWins says which of several source steps landing on the same
// destination step shows when shrinking.  direct: the narrowed source has come
// out the size of the destination after all, and GDI then copies the visible
// source block straight into the visible destination.
AxisMap MapAxis(const AxisInput& in, bool stretching, bool direct, bool lastWins) {
  AxisMap map;
  if (in.dstLen == 0 || in.srcLen == 0) return map;
  const Visible v = VisibleParts(in, stretching);
  if (!v.any) return map;
  const int64_t dn = std::abs(in.dstLen), sn = std::abs(in.lineSrcLen);
  const int64_t dStep = in.dstLen < 0 ? -1 : 1, sStep = in.lineSrcLen < 0 ? -1 : 1;
  auto inside = [](const Range& r, int64_t x) { return x >= r.begin && x < r.end; };
  int64_t lo = INT64_MAX, hi = INT64_MIN;
  std::vector<std::pair<int64_t, int64_t>> pairs;  // (destination, source)
  if (direct) {
    for (int64_t d = v.dst.begin; d < v.dst.end; ++d) {
      const int64_t s = v.src.begin + (d - v.dst.begin);
      if (inside(v.src, s)) pairs.emplace_back(d, s);
    }
  } else if (dn >= sn) {
    // Growing: one source step per destination step.  Only destination steps
    // inside the visible destination can be drawn, so walk just those.
    int64_t iFirst = dStep > 0 ? v.dst.begin - v.dstOrigin : v.dstOrigin - (v.dst.end - 1);
    int64_t iLast = dStep > 0 ? v.dst.end - 1 - v.dstOrigin : v.dstOrigin - v.dst.begin;
    iFirst = std::max<int64_t>(iFirst, 0);
    iLast = std::min<int64_t>(iLast, dn - 1);
    for (int64_t i = iFirst; i <= iLast; ++i) {
      const int64_t d = v.dstOrigin + i * dStep;
      const int64_t s = in.src + ((2 * i + 1) * sn - 1) / (2 * dn) * sStep;
      if (inside(v.dst, d) && inside(v.src, s)) pairs.emplace_back(d, s);
    }
  } else {
    int64_t jFirst = sStep > 0 ? v.src.begin - in.src : in.src - (v.src.end - 1);
    int64_t jLast = sStep > 0 ? v.src.end - 1 - in.src : in.src - v.src.begin;
    jFirst = std::max<int64_t>(jFirst, 0);
    jLast = std::min<int64_t>(jLast, sn - 1);
    for (int64_t j = jFirst; j <= jLast; ++j) {
      const int64_t s = in.src + j * sStep;
      const int64_t d = v.dstOrigin + ((2 * j + 1) * dn - 1) / (2 * sn) * dStep;
      if (inside(v.dst, d) && inside(v.src, s)) pairs.emplace_back(d, s);
    }
  }
  if (pairs.empty()) return map;
  for (const auto& [d, s] : pairs) {
    lo = std::min(lo, d);
    hi = std::max(hi, d);
  }
  map.first = lo;
  map.source.assign(static_cast<size_t>(hi - lo + 1), -1);
  for (const auto& [d, s] : pairs) {
    int32_t& slot = map.source[static_cast<size_t>(d - lo)];
    if (slot < 0 || lastWins) slot = static_cast<int32_t>(s);
  }
  return map;
}

// Copies one destination row from a source row through a column map of byte
// offsets.  Each pixel moves as one 4-byte load and store whose fourth byte the
// next pixel overwrites, so the row's last pixel moves as 3 bytes.  A 4-byte load
// of a source row's last pixel reads the first byte after it, which lies in the
// row's padding or the next row; only for the bitmap's last row without padding
// is that outside the buffer, and the caller passes safe = false for it.
void GatherRow(uint8_t* dst, const uint8_t* srcRow, const uint32_t* offsets, size_t count, bool safe,
               size_t srcRowBytes) {
  if (count == 0) return;
  size_t i = 0;
  const size_t last = count - 1;
  if (safe) {
    // Four pixels at a time are packed into 12 bytes and stored as two 8-byte
    // words; the second word's last 4 bytes are rewritten by the next group, so
    // the loop stops while a whole group and one more pixel remain.
    for (; i + 5 <= last; i += 4) {
      uint32_t a, b, c, d;
      std::memcpy(&a, srcRow + offsets[i], 4);
      std::memcpy(&b, srcRow + offsets[i + 1], 4);
      std::memcpy(&c, srcRow + offsets[i + 2], 4);
      std::memcpy(&d, srcRow + offsets[i + 3], 4);
      const uint64_t p0 = a & 0xFFFFFFu, p1 = b & 0xFFFFFFu, p2 = c & 0xFFFFFFu, p3 = d & 0xFFFFFFu;
      const uint64_t low = p0 | (p1 << 24) | (p2 << 48);
      const uint64_t high = (p2 >> 16) | (p3 << 8);
      std::memcpy(dst + 3 * i, &low, 8);
      std::memcpy(dst + 3 * i + 8, &high, 8);
    }
    for (; i < last; ++i) {
      uint32_t pixel;
      std::memcpy(&pixel, srcRow + offsets[i], 4);
      std::memcpy(dst + 3 * i, &pixel, 4);
    }
  } else {
    for (; i < last; ++i) {
      if (offsets[i] + 4 <= srcRowBytes) {
        uint32_t pixel;
        std::memcpy(&pixel, srcRow + offsets[i], 4);
        std::memcpy(dst + 3 * i, &pixel, 4);
      } else {
        std::memcpy(dst + 3 * i, srcRow + offsets[i], 3);
      }
    }
  }
  std::memcpy(dst + 3 * last, srcRow + offsets[last], 3);
}

// Copies n bytes (a whole number of pixels) without a library call for the
// short spans that blinds, fringes and ragged edges are made of; every byte is
// written once or more, but none outside [dst, dst + n).
inline void CopySpan(uint8_t* dst, const uint8_t* src, size_t n) {
  if (n >= 128) {
    std::memcpy(dst, src, n);
  } else if (n >= 16) {
    size_t i = 0;
    for (; i + 16 <= n; i += 16) std::memcpy(dst + i, src + i, 16);
    if (i < n) std::memcpy(dst + n - 16, src + n - 16, 16);
  } else if (n >= 8) {
    uint64_t a, b;
    std::memcpy(&a, src, 8);
    std::memcpy(&b, src + n - 8, 8);
    std::memcpy(dst, &a, 8);
    std::memcpy(dst + n - 8, &b, 8);
  } else if (n >= 4) {
    uint32_t a, b;
    std::memcpy(&a, src, 4);
    std::memcpy(&b, src + n - 4, 4);
    std::memcpy(dst, &a, 4);
    std::memcpy(dst + n - 4, &b, 4);
  } else if (n > 0) {
    std::memcpy(dst, src, 2);
    dst[n - 1] = src[n - 1];
  }
}

}  // namespace

TRect StretchBlt(Bitmap& target, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap& source,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
  if (target.IsEmpty() || source.IsEmpty()) return {};
  if (&target == &source) {
    // Rows are read while others are written: a copy within one bitmap reads
    // from a snapshot, as GDI's own copies do.
    const Bitmap snapshot(source);
    return StretchBlt(target, dx, dy, dw, dh, snapshot, sx, sy, sw, sh);
  }
  const bool stretching = !(dw == sw && dh == sh);
  const AxisInput vertical = Axis(dy, dh, sy, sh, target.Height(), source.Height());
  const AxisInput horizontal = Axis(dx, dw, sx, sw, target.Width(), source.Width());
  const bool direct = stretching && horizontal.lineSrcLen == dw && vertical.lineSrcLen == dh;
  const AxisMap rows = MapAxis(vertical, stretching, direct, false);
  if (rows.Empty()) return {};
  const AxisMap cols = MapAxis(horizontal, stretching, direct, true);
  if (cols.Empty()) return {};

  const size_t width = cols.source.size();
  const int32_t x0 = static_cast<int32_t>(cols.first);
  const int32_t y0 = static_cast<int32_t>(rows.first);
  // A row whose source columns run on one by one (unscaled, not mirrored) is one
  // block; any other goes through the column map.
  bool contiguous = true;
  for (size_t i = 1; i < width && contiguous; ++i) contiguous = cols.source[i] == cols.source[i - 1] + 1;
  std::vector<uint32_t> offsets;
  if (!contiguous) {
    offsets.resize(width);
    for (size_t i = 0; i < width; ++i) offsets[i] = 3 * static_cast<uint32_t>(cols.source[i]);
  }
  const size_t bytes = 3 * width;
  const size_t srcRowBytes = 3 * static_cast<size_t>(source.Width());
  const bool padded = source.Stride() > srcRowBytes;
  const size_t srcByte = 3 * static_cast<size_t>(cols.source[0]);
  for (size_t k = 0; k < rows.source.size(); ++k) {
    uint8_t* out = target.Row(y0 + static_cast<int32_t>(k)) + 3 * static_cast<size_t>(x0);
    if (k > 0 && rows.source[k] == rows.source[k - 1]) {
      std::memcpy(out, target.Row(y0 + static_cast<int32_t>(k) - 1) + 3 * static_cast<size_t>(x0), bytes);
      continue;
    }
    const uint8_t* in = source.Row(rows.source[k]);
    if (contiguous) {
      std::memcpy(out, in + srcByte, bytes);
    } else {
      GatherRow(out, in, offsets.data(), width, rows.source[k] + 1 < source.Height() || padded, srcRowBytes);
    }
  }
  return {x0, y0, x0 + static_cast<int32_t>(width), y0 + static_cast<int32_t>(rows.source.size())};
}

TRect BitBlt(Bitmap& target, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap& source, int32_t sx,
             int32_t sy) {
  return StretchBlt(target, dx, dy, w, h, source, sx, sy, w, h);
}

TRect CopyThroughRegion(Bitmap& target, const Bitmap& source, const Region& region, int32_t dx, int32_t dy) {
  if (&target == &source) {
    const Bitmap snapshot(source);
    return CopyThroughRegion(target, snapshot, region, dx, dy);
  }
  // Target pixels that can be written: inside the target and over the source
  // (worked out in 64 bits, so that no offset can overflow).
  auto clamp = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  const TRect over{dx, dy, clamp(int64_t{dx} + source.Width()), clamp(int64_t{dy} + source.Height())};
  const TRect limit = IntersectRect(target.Bounds(), over);
  if (limit.IsEmpty()) return {};
  TRect written{};
  std::vector<TRect> band;  // the current band's spans, clipped
  const std::span<const TRect> rects = region.Rects();
  for (size_t i = 0; i < rects.size();) {
    const int32_t top = rects[i].Top;
    const int32_t bottom = rects[i].Bottom;
    band.clear();
    for (; i < rects.size() && rects[i].Top == top; ++i) {
      const int32_t left = std::max(rects[i].Left, limit.Left);
      const int32_t right = std::min(rects[i].Right, limit.Right);
      if (left < right) band.push_back({left, top, right, bottom});
    }
    const int32_t y0 = std::max(top, limit.Top);
    const int32_t y1 = std::min(bottom, limit.Bottom);
    if (band.empty() || y0 >= y1) continue;
    for (int32_t y = y0; y < y1; ++y) {
      uint8_t* out = target.Row(y);
      const uint8_t* in = source.Row(y - dy);
      for (const TRect& s : band) {
        CopySpan(out + 3 * static_cast<size_t>(s.Left), in + 3 * static_cast<size_t>(s.Left - dx),
                 3 * static_cast<size_t>(s.Right - s.Left));
      }
    }
    written = UnionRect(written, TRect{band.front().Left, y0, band.back().Right, y1});
  }
  return written;
}

}  // namespace pavonix
