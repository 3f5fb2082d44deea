// The band writer shared by the region files: it appends bands top to bottom to a
// region's rectangle list and keeps the list in its one canonical form (see the
// top of region.cpp).  Internal to the region implementation.
#pragma once

#include <span>
#include <vector>

#include "engine/transitions/geometry.h"

namespace pavonix::region_detail {

struct Span {
  int32_t left;
  int32_t right;
  friend bool operator==(const Span&, const Span&) = default;
};

// Bands must come top to bottom without overlapping, each with its spans sorted,
// disjoint and not touching.  A band that continues the one above with the same
// spans is merged into it; empty bands and spans are dropped.
class BandWriter {
 public:
  explicit BandWriter(std::vector<TRect>& out) : out_(out) { out_.clear(); }

  void Append(int32_t top, int32_t bottom, std::span<const Span> spans) {
    if (spans.empty() || top >= bottom) return;
    if (!out_.empty() && out_.back().Bottom == top && SameSpans(spans)) {
      for (size_t i = lastBand_; i < out_.size(); ++i) out_[i].Bottom = bottom;
      return;
    }
    lastBand_ = out_.size();
    for (const Span& s : spans) out_.push_back({s.left, top, s.right, bottom});
  }

  // A band of one span, as the shapes make them row by row.
  void Append(int32_t top, int32_t bottom, int32_t left, int32_t right) {
    if (left >= right) return;
    const Span s{left, right};
    Append(top, bottom, std::span<const Span>(&s, 1));
  }

 private:
  bool SameSpans(std::span<const Span> spans) const {
    if (out_.size() - lastBand_ != spans.size()) return false;
    for (size_t i = 0; i < spans.size(); ++i) {
      const TRect& r = out_[lastBand_ + i];
      if (r.Left != spans[i].left || r.Right != spans[i].right) return false;
    }
    return true;
  }

  std::vector<TRect>& out_;
  size_t lastBand_ = 0;
};

// Per-thread working memory of the region code.  Building a large region into a
// vector that grows from nothing touches fresh pages every frame, which costs
// far more than the building on the machines we run on; these buffers keep their
// capacity from one frame to the next.
//
// The band buffer holds one result being built; no operation that uses it calls
// another that does.  The result is then copied out at its exact size.
std::vector<TRect>& BandBuffer();

// Rectangle lists lent out and given back; the capacity stays with the pool.
std::vector<TRect> TakeRectList();
void GiveBackRectList(std::vector<TRect>&& list);

}  // namespace pavonix::region_detail
