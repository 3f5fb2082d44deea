#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/transitions/effects.h"

namespace pavonix {
namespace {

TEST(EffectCatalogue, HasEveryNumberOnceInOrder) {
  const auto all = AllEffects();
  ASSERT_EQ(all.size(), 126u);
  std::set<std::string_view> names;
  for (size_t i = 0; i < all.size(); ++i) {
    const EffectInfo& e = all[i];
    EXPECT_EQ(e.number, static_cast<int32_t>(i) + 1);
    EXPECT_EQ(FindEffect(e.number), &e);
    const bool drawsItself = e.finish != FinishKind::WholeSlide;
    EXPECT_EQ(!e.name.empty(), drawsItself) << e.number;
    if (!e.name.empty()) {
      EXPECT_TRUE(names.insert(e.name).second) << "name used twice: " << e.name;
    }
  }
  EXPECT_EQ(FindEffect(0), nullptr);
  EXPECT_EQ(FindEffect(127), nullptr);
  EXPECT_EQ(FindEffect(-1), nullptr);
}

// The finishing kinds and pauses, range by range as the drawing pass lists them.
TEST(EffectCatalogue, FinishingKindAndPauseByNumber) {
  struct Range {
    int32_t first, last;
    FinishKind finish;
    int32_t pauseMs;
  };
  const Range ranges[] = {
      {1, 57, FinishKind::StretchCopy, 20},    {58, 64, FinishKind::Region, 60},
      {65, 68, FinishKind::Region, 0},         {69, 75, FinishKind::Region, 60},
      {76, 79, FinishKind::Region, 0},         {80, 83, FinishKind::Region, 60},
      {84, 89, FinishKind::Region, 0},         {90, 93, FinishKind::Region, 60},
      {94, 113, FinishKind::Region, 0},        {114, 116, FinishKind::Region, 60},
      {117, 117, FinishKind::Region, 0},       {118, 118, FinishKind::SelfDrawn, 0},
      {119, 121, FinishKind::WholeSlide, 0},   {122, 126, FinishKind::Region, 0},
  };
  int32_t expectedNext = 1;
  for (const Range& r : ranges) {
    ASSERT_EQ(r.first, expectedNext);
    for (int32_t n = r.first; n <= r.last; ++n) {
      const EffectInfo* e = FindEffect(n);
      ASSERT_NE(e, nullptr) << n;
      EXPECT_EQ(e->finish, r.finish) << "effect " << n;
      EXPECT_EQ(e->pauseMs, r.pauseMs) << "effect " << n;
    }
    expectedNext = r.last + 1;
  }
  EXPECT_EQ(expectedNext, 127);
}

TEST(EffectCatalogue, NamesAtTheFamilyBorders) {
  const std::pair<int32_t, std::string_view> cases[] = {
      {1, "StretchInFromRight"}, {17, "SmearFromRight"}, {18, "StretchInFromBottom"},
      {57, "QuadrantsSlideIn"},  {58, "CurveFromLeft"},  {109, "RaggedInFromAllSides"},
      {110, "DiagonalFromTopLeft"}, {118, "CrossFade"}, {122, "Dissolve"}, {126, "FringeFromTop"},
  };
  for (const auto& [number, name] : cases) EXPECT_EQ(FindEffect(number)->name, name) << number;
}

}  // namespace
}  // namespace pavonix
