#include "engine/transitions/effects.h"

#include <array>

namespace pavonix {

using namespace effects_detail;

// The family tables tile 1 to 126 without gap or overlap (each file proves that its
// own table lists its range in order).
static_assert(kRectanglesFirst == kFirstEffect && kRectanglesLast + 1 == kCurvesFirst &&
              kCurvesLast + 1 == kWedgesFirst && kWedgesLast == kLastEffect);

namespace {

using Catalogue = std::array<EffectInfo, kLastEffect - kFirstEffect + 1>;

Catalogue MakeCatalogue() {
  Catalogue all{};
  size_t i = 0;
  for (const auto& family : {RectangleEffects(), CurveEffects(), WedgeEffects()}) {
    for (const EffectInfo& row : family) all.at(i++) = row;
  }
  return all;
}

const Catalogue& TheCatalogue() {
  static const Catalogue all = MakeCatalogue();
  return all;
}

}  // namespace

std::span<const EffectInfo> AllEffects() { return TheCatalogue(); }

const EffectInfo* FindEffect(int32_t number) {
  if (number < kFirstEffect || number > kLastEffect) return nullptr;
  return &TheCatalogue()[static_cast<size_t>(number - kFirstEffect)];
}

}  // namespace pavonix
