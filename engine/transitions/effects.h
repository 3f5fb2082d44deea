// The catalogue of transition effects: one row per effect number.
//
// To add or change an effect:
// - Find its family file: effects_rectangles.cpp (stretched copies, 1-57),
//   effects_curves.cpp (rounded, blind and ragged regions, 58-109) or
//   effects_wedges.cpp (triangles, dissolve, fringe, cross-fade, 110-126).
// - Its row is {number, name, finishing kind, pause in ms, frame step}.  Numbers are
//   what the package's effect mask enables, so they never move; each family's
//   table lists its numbers in order, and a static_assert in its file and in
//   effects.cpp proves that 1 to 126 are all there, once each.
// - A frame step only computes: copy steps set the frame's rectangles (and any
//   earlier copies), region steps build the frame's region.  The transition pass
//   does the drawing under the canvas lock, by the row's finishing kind; only the
//   cross-fade draws itself.
// - Then add the effect's case to the tests of its family and look at its contact
//   sheet from pavonix-render --gallery.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/canvas.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/random.h"
#include "engine/transitions/region.h"
#include "engine/transitions/transition_pass.h"

namespace pavonix {

// What the transition pass does after an effect's frame step.
enum class FinishKind {
  StretchCopy,  // the earlier copies, then the stretched copy of S onto D
  Region,       // the composed slide at (0, 0) through the frame's region, if any
  SelfDrawn,    // nothing: the step has drawn the frame itself
  WholeSlide,   // the composed slide whole at (0, 0)
};

// The destination and source rectangles of the copy effects.  Both start as
// (0, 0, w, h) for each pass; a step changes the sides it moves.
struct PassRects {
  TRect D;
  TRect S;
};

// A copy drawn before the frame's last one.  Mirrored copies go through
// StretchCopyMirrored (the fold strips), the others are plain stretched copies.
struct EarlierCopy {
  TRect D;
  TRect S;
  bool mirrorHorizontally = false;
  bool mirrorVertically = false;
  bool mirrored = false;
};

// Everything a frame step works with and produces for one frame.
struct Frame {
  FrameValues v;
  PassRects& rects;
  RandomSource& random;
  const Bitmap& composed;
  Bitmap& previous;
  Canvas& canvas;  // only self-drawing steps touch it, under its lock

  std::array<EarlierCopy, 3> earlier{};
  int32_t earlierCount = 0;
  std::optional<Region> region;  // none: nothing is drawn this frame
  TRect changed{};               // what a self-drawing step drew

  void Earlier(const TRect& d, const TRect& s) { earlier.at(earlierCount++) = EarlierCopy{d, s}; }
  void EarlierMirrored(const TRect& d, const TRect& s, bool horizontally, bool vertically) {
    earlier.at(earlierCount++) = EarlierCopy{d, s, horizontally, vertically, true};
  }
  void Last(const TRect& d, const TRect& s) {
    rects.D = d;
    rects.S = s;
  }
};

using FrameStep = void (*)(Frame&);

struct EffectInfo {
  int32_t number;
  std::string_view name;  // empty for the numbers without a drawing of their own
  FinishKind finish;
  int32_t pauseMs;
  FrameStep step;  // none for WholeSlide
};

constexpr int32_t kFirstEffect = 1;
constexpr int32_t kLastEffect = 126;

// The row of an effect number, or nullptr for a number without one.
const EffectInfo* FindEffect(int32_t number);

// Every row, in number order.
std::span<const EffectInfo> AllEffects();

// The family tables; each lists its numbers in order without gaps.
std::span<const EffectInfo> RectangleEffects();  // 1-57
std::span<const EffectInfo> CurveEffects();      // 58-109
std::span<const EffectInfo> WedgeEffects();      // 110-126

namespace effects_detail {

constexpr int32_t kRectanglesFirst = 1, kRectanglesLast = 57;
constexpr int32_t kCurvesFirst = 58, kCurvesLast = 109;
constexpr int32_t kWedgesFirst = 110, kWedgesLast = 126;

// True when the rows carry the numbers first, first + 1, ..., last in that order,
// so that each number is present exactly once and its row is found by index.
template <size_t N>
constexpr bool ListsNumbers(const EffectInfo (&rows)[N], int32_t first, int32_t last) {
  if (static_cast<int64_t>(N) != static_cast<int64_t>(last) - first + 1) return false;
  for (size_t i = 0; i < N; ++i) {
    if (rows[i].number != first + static_cast<int32_t>(i)) return false;
    if ((rows[i].step == nullptr) != (rows[i].finish == FinishKind::WholeSlide)) return false;
  }
  return true;
}

}  // namespace effects_detail
}  // namespace pavonix
