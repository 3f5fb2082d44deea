// Regions as y-x banded lists of half-open rectangles.
//
// A region is cut into horizontal bands.  Every rectangle of a band has the band's
// Top and Bottom; within a band the rectangles run left to right and never touch
// (two touching spans would be one span).  Bands run top to bottom without
// overlapping, and two bands that touch vertically never have the same spans
// (they would be one taller band).  So every set of pixels has exactly one form,
// which is what GetRegionData reports for a region after CombineRgn:
//
//        x: 0    4    8   12
//     y=0   +----+         +---+      band [0, 2): (0..4) (12..16)
//           |    |         |   |
//     y=2   |    +---------+   |      band [2, 5): (0..16)
//           |                  |
//     y=5   +------------------+
//
// Every operation is one sweep down the bands of its inputs.  At each y where some
// input band starts or ends, the spans of the inputs are merged along x with the
// operation's truth table, and the resulting band is appended, or merged into the
// band above when it continues it with the same spans.  The cost is linear in the
// number of rectangles in and out.
//
// RegionBuilder unites many patches at once with the same sweep: patches are
// sorted by their top, and at each y where a patch starts or ends, the spans of
// the patches crossing that row are merged.  Uniting thousands of patches one by
// one would copy the growing result every time; the sweep does not.
#include "engine/transitions/region.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "engine/transitions/region_bands.h"

namespace pavonix {
namespace {

using region_detail::BandWriter;
using region_detail::Span;

// Sanitizer builds check every result; a broken invariant stops the test that
// caused it instead of showing up later as a wrong pixel.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSelfCheck = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSelfCheck = true;
#else
constexpr bool kSelfCheck = false;
#endif
#else
constexpr bool kSelfCheck = false;
#endif

// One band of a region being read: rects [begin, end) share Top and Bottom.
class BandCursor {
 public:
  explicit BandCursor(std::span<const TRect> rects) : rects_(rects) { FindEnd(); }
  bool Done() const { return begin_ >= rects_.size(); }
  int32_t Top() const { return rects_[begin_].Top; }
  int32_t Bottom() const { return rects_[begin_].Bottom; }
  std::span<const TRect> Band() const { return rects_.subspan(begin_, end_ - begin_); }
  void Next() {
    begin_ = end_;
    FindEnd();
  }

 private:
  void FindEnd() {
    end_ = begin_;
    while (end_ < rects_.size() && rects_[end_].Top == rects_[begin_].Top) ++end_;
  }
  std::span<const TRect> rects_;
  size_t begin_ = 0;
  size_t end_ = 0;
};

enum class Op { Union, Intersection, Xor };

bool Apply(Op op, bool inA, bool inB) {
  switch (op) {
    case Op::Union:
      return inA || inB;
    case Op::Intersection:
      return inA && inB;
    case Op::Xor:
      return inA != inB;
  }
  return false;
}

// Merges the spans of two bands (each sorted, disjoint, not touching) along x.
// Each span list is read as a rising sequence of edges at which membership
// toggles; where both have an edge at the same x, both toggle before the result is
// looked at, so no empty or touching spans come out.
void MergeSpans(std::span<const TRect> a, std::span<const TRect> b, Op op, std::vector<Span>& out) {
  out.clear();
  size_t ia = 0, ib = 0;  // edge indices: 2k is Left of rect k, 2k + 1 its Right
  const size_t na = 2 * a.size(), nb = 2 * b.size();
  auto edge = [](std::span<const TRect> r, size_t i) { return (i & 1) ? r[i / 2].Right : r[i / 2].Left; };
  bool inA = false, inB = false, inside = false;
  int32_t start = 0;
  while (ia < na || ib < nb) {
    const int32_t xa = ia < na ? edge(a, ia) : INT32_MAX;
    const int32_t xb = ib < nb ? edge(b, ib) : INT32_MAX;
    const int32_t x = std::min(xa, xb);
    if (ia < na && xa == x) {
      inA = !inA;
      ++ia;
    }
    if (ib < nb && xb == x) {
      inB = !inB;
      ++ib;
    }
    const bool now = Apply(op, inA, inB);
    if (now != inside) {
      if (now) {
        start = x;
      } else {
        out.push_back({start, x});
      }
      inside = now;
    }
  }
}

// One pass down the bands of a and b, writing the bands of (a op b) to out.
void Sweep(const std::vector<TRect>& a, const std::vector<TRect>& b, Op op, std::vector<TRect>& out) {
  BandCursor ca(a), cb(b);
  BandWriter writer(out);
  std::vector<Span> spans;
  if (ca.Done() && cb.Done()) return;
  int32_t y = ca.Done() ? cb.Top() : cb.Done() ? ca.Top() : std::min(ca.Top(), cb.Top());
  while (!ca.Done() || !cb.Done()) {
    if (op == Op::Intersection && (ca.Done() || cb.Done())) break;
    const bool aActive = !ca.Done() && ca.Top() <= y;
    const bool bActive = !cb.Done() && cb.Top() <= y;
    int32_t next = INT32_MAX;
    if (!ca.Done()) next = std::min(next, aActive ? ca.Bottom() : ca.Top());
    if (!cb.Done()) next = std::min(next, bActive ? cb.Bottom() : cb.Top());
    if (aActive || bActive) {
      MergeSpans(aActive ? ca.Band() : std::span<const TRect>{}, bActive ? cb.Band() : std::span<const TRect>{},
                 op, spans);
      writer.Append(y, next, spans);
    }
    y = next;
    if (aActive && ca.Bottom() == y) ca.Next();
    if (bActive && cb.Bottom() == y) cb.Next();
  }
}

// Writes the result into out; out may be one of the inputs.
void Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, Op op, std::vector<TRect>& out) {
  std::vector<TRect>& bands = region_detail::BandBuffer();
  Sweep(a, b, op, bands);
  out.assign(bands.begin(), bands.end());
}

void SelfCheck(const Region& r, const char* operation) {
  if constexpr (kSelfCheck) {
    if (!r.IsValid()) {
      std::fprintf(stderr, "pavonix: region invariant broken after %s\n", operation);
      std::abort();
    }
  }
}

}  // namespace

void Region::Unite(const Region& other) {
  if (other.rects_.empty()) return;
  if (rects_.empty()) {
    rects_ = other.rects_;
    return;
  }
  Combine(rects_, other.rects_, Op::Union, rects_);
  SelfCheck(*this, "Unite");
}

void Region::Intersect(const Region& other) {
  Combine(rects_, other.rects_, Op::Intersection, rects_);
  SelfCheck(*this, "Intersect");
}

void Region::Xor(const Region& other) {
  Combine(rects_, other.rects_, Op::Xor, rects_);
  SelfCheck(*this, "Xor");
}

TRect Region::Bounds() const {
  if (rects_.empty()) return {};
  TRect box{rects_.front().Left, rects_.front().Top, rects_.front().Right, rects_.back().Bottom};
  for (const TRect& r : rects_) {
    box.Left = std::min(box.Left, r.Left);
    box.Right = std::max(box.Right, r.Right);
  }
  return box;
}

bool Region::Contains(int32_t x, int32_t y) const {
  // Bottoms rise from band to band, so the first rectangle whose Bottom lies below
  // y starts the only band that can hold the row.
  auto it = std::partition_point(rects_.begin(), rects_.end(), [y](const TRect& r) { return r.Bottom <= y; });
  if (it == rects_.end() || it->Top > y) return false;
  const int32_t top = it->Top;
  for (; it != rects_.end() && it->Top == top; ++it) {
    if (x < it->Left) return false;
    if (x < it->Right) return true;
  }
  return false;
}

bool Region::IsValid() const {
  for (size_t i = 0; i < rects_.size(); ++i) {
    const TRect& r = rects_[i];
    if (r.Left >= r.Right || r.Top >= r.Bottom) return false;
    if (i == 0) continue;
    const TRect& before = rects_[i - 1];
    if (r.Top == before.Top) {
      // Same band: same height, left to right, not touching.
      if (r.Bottom != before.Bottom || r.Left <= before.Right) return false;
    } else if (r.Top < before.Bottom) {
      // A new band starts below the one before.
      return false;
    }
  }
  // Bands that touch must differ, or they would have been merged.
  BandCursor cursor(rects_);
  std::span<const TRect> above;
  for (; !cursor.Done(); cursor.Next()) {
    const std::span<const TRect> band = cursor.Band();
    if (!above.empty() && above.front().Bottom == band.front().Top && above.size() == band.size() &&
        std::equal(above.begin(), above.end(), band.begin(),
                   [](const TRect& a, const TRect& b) { return a.Left == b.Left && a.Right == b.Right; })) {
      return false;
    }
    above = band;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Working memory

namespace region_detail {

std::vector<TRect>& BandBuffer() {
  thread_local std::vector<TRect> buffer;
  return buffer;
}

namespace {
// A few lists are enough: a frame uses one or two builders at a time.
constexpr size_t kPooledLists = 4;

std::vector<std::vector<TRect>>& Pool() {
  thread_local std::vector<std::vector<TRect>> pool;
  return pool;
}
}  // namespace

std::vector<TRect> TakeRectList() {
  std::vector<std::vector<TRect>>& pool = Pool();
  if (pool.empty()) return {};
  std::vector<TRect> list = std::move(pool.back());
  pool.pop_back();
  return list;
}

void GiveBackRectList(std::vector<TRect>&& list) {
  std::vector<std::vector<TRect>>& pool = Pool();
  if (list.capacity() == 0 || pool.size() >= kPooledLists) return;
  list.clear();
  pool.push_back(std::move(list));
}

}  // namespace region_detail

// ---------------------------------------------------------------------------
// RegionBuilder

RegionBuilder::RegionBuilder() : patches_(region_detail::TakeRectList()) {}

RegionBuilder::~RegionBuilder() { region_detail::GiveBackRectList(std::move(patches_)); }

RegionBuilder::RegionBuilder(RegionBuilder&& other) noexcept
    : patches_(std::move(other.patches_)), any_(std::exchange(other.any_, false)) {}

RegionBuilder& RegionBuilder::operator=(RegionBuilder&& other) noexcept {
  if (this != &other) {
    region_detail::GiveBackRectList(std::move(patches_));
    patches_ = std::move(other.patches_);
    any_ = std::exchange(other.any_, false);
  }
  return *this;
}

void RegionBuilder::Add(const TRect& r) {
  any_ = true;
  const TRect n = NormalizeRect(r);
  if (!n.IsEmpty()) patches_.push_back(n);
}

void RegionBuilder::Add(const Region& r) {
  any_ = true;
  patches_.insert(patches_.end(), r.rects_.begin(), r.rects_.end());
}

size_t RegionBuilder::PatchCount() const { return patches_.size(); }

void RegionBuilder::Clear() {
  patches_.clear();
  any_ = false;
}

namespace {

// Sorts patches by Top, then Left.  Patch tops usually lie within a few thousand
// rows, so a counting sort by Top does most of the work in linear time; only the
// few patches sharing a Top are then sorted by Left.
void SortPatches(std::vector<TRect>& patches, std::vector<TRect>& scratch) {
  auto byTopThenLeft = [](const TRect& a, const TRect& b) {
    return a.Top != b.Top ? a.Top < b.Top : a.Left < b.Left;
  };
  int32_t minTop = INT32_MAX, maxTop = INT32_MIN;
  for (const TRect& p : patches) {
    minTop = std::min(minTop, p.Top);
    maxTop = std::max(maxTop, p.Top);
  }
  const int64_t range = int64_t{maxTop} - minTop + 1;
  if (range > 2 * static_cast<int64_t>(patches.size()) + 4096) {
    std::sort(patches.begin(), patches.end(), byTopThenLeft);
    return;
  }
  std::vector<uint32_t> start(static_cast<size_t>(range) + 1, 0);
  for (const TRect& p : patches) ++start[static_cast<size_t>(p.Top - minTop) + 1];
  for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
  scratch.resize(patches.size());
  for (const TRect& p : patches) scratch[start[static_cast<size_t>(p.Top - minTop)]++] = p;
  patches.swap(scratch);
  for (size_t i = 0; i < patches.size();) {
    size_t j = i + 1;
    while (j < patches.size() && patches[j].Top == patches[i].Top) ++j;
    if (j - i > 1) std::sort(patches.begin() + static_cast<ptrdiff_t>(i), patches.begin() + static_cast<ptrdiff_t>(j),
                             byTopThenLeft);
    i = j;
  }
}

// Every y at which a patch starts or ends, in order, once each.
void CollectStops(const std::vector<TRect>& patches, std::vector<int32_t>& stops) {
  stops.clear();
  int32_t minY = INT32_MAX, maxY = INT32_MIN;
  for (const TRect& p : patches) {
    minY = std::min(minY, p.Top);
    maxY = std::max(maxY, p.Bottom);
  }
  const int64_t range = int64_t{maxY} - minY + 1;
  if (range > 4 * static_cast<int64_t>(patches.size()) + 4096) {
    for (const TRect& p : patches) {
      stops.push_back(p.Top);
      stops.push_back(p.Bottom);
    }
    std::sort(stops.begin(), stops.end());
    stops.erase(std::unique(stops.begin(), stops.end()), stops.end());
    return;
  }
  std::vector<uint8_t> marked(static_cast<size_t>(range), 0);
  for (const TRect& p : patches) {
    marked[static_cast<size_t>(p.Top - minY)] = 1;
    marked[static_cast<size_t>(p.Bottom - minY)] = 1;
  }
  for (size_t i = 0; i < marked.size(); ++i) {
    if (marked[i]) stops.push_back(static_cast<int32_t>(minY + static_cast<int64_t>(i)));
  }
}

}  // namespace

std::optional<Region> RegionBuilder::Finish() {
  if (!any_) return std::nullopt;
  Region result;
  if (patches_.empty()) {
    Clear();
    return result;
  }
  std::vector<TRect> scratch = region_detail::TakeRectList();
  SortPatches(patches_, scratch);
  thread_local std::vector<int32_t> stops;
  CollectStops(patches_, stops);

  std::vector<TRect>& bands = region_detail::BandBuffer();
  BandWriter writer(bands);
  std::vector<TRect> active = region_detail::TakeRectList();  // crossing the band, sorted by Left
  std::vector<TRect>& merged = scratch;
  std::vector<Span> spans;
  size_t nextPatch = 0;
  for (size_t s = 0; s + 1 < stops.size(); ++s) {
    const int32_t y = stops[s];
    const int32_t yEnd = stops[s + 1];
    std::erase_if(active, [y](const TRect& r) { return r.Bottom <= y; });
    const size_t firstNew = nextPatch;
    while (nextPatch < patches_.size() && patches_[nextPatch].Top == y) ++nextPatch;
    if (nextPatch > firstNew) {
      // The new patches are already sorted by Left: one merge keeps the order.
      merged.clear();
      std::merge(active.begin(), active.end(), patches_.begin() + static_cast<ptrdiff_t>(firstNew),
                 patches_.begin() + static_cast<ptrdiff_t>(nextPatch), std::back_inserter(merged),
                 [](const TRect& a, const TRect& b) { return a.Left < b.Left; });
      active.swap(merged);
    }
    if (active.empty()) continue;
    spans.clear();
    Span current{active.front().Left, active.front().Right};
    for (size_t i = 1; i < active.size(); ++i) {
      if (active[i].Left <= current.right) {
        current.right = std::max(current.right, active[i].Right);
      } else {
        spans.push_back(current);
        current = {active[i].Left, active[i].Right};
      }
    }
    spans.push_back(current);
    writer.Append(y, yEnd, spans);
  }
  result.rects_.assign(bands.begin(), bands.end());
  region_detail::GiveBackRectList(std::move(scratch));
  region_detail::GiveBackRectList(std::move(active));
  Clear();
  SelfCheck(result, "RegionBuilder::Finish");
  return result;
}

}  // namespace pavonix
