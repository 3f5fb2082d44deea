// The choice of the next slide and the next effect, and the widening of the target.
// The thread is never started here: the choices are called directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "engine/package/mpf_format.h"
#include "engine/transitions/slide_thread.h"

namespace pavonix {
namespace {

// Hands out the draws it was given, then fails the test.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::deque<int32_t> draws) : draws_(std::move(draws)) {}
  int32_t Random(int32_t n) override {
    if (draws_.empty()) {
      ADD_FAILURE() << "more draws than scripted";
      return 0;
    }
    const int32_t d = draws_.front();
    draws_.pop_front();
    EXPECT_LT(d, n) << "scripted draw out of range";
    return d;
  }
  size_t Left() const { return draws_.size(); }

 private:
  std::deque<int32_t> draws_;
};

class Chooser final : public TPreviewScreensaverBasics {
 public:
  Chooser(const PackageHeader& header, RandomSource& random, const TRect& target = {0, 0, 8, 6})
      : TPreviewScreensaverBasics(Environment(header, random, target)) {}

  // What a pass does with the choice of slide: it counts as shown even if it fails.
  int32_t Picture() { return FLastPicture = NextPicture(); }
  using TPreviewScreensaverBasics::NextEffect;
  using TPreviewScreensaverBasics::TargetRect;
  const std::vector<int32_t>& PictureList() const { return FPictureList; }

 private:
  static SlideThreadEnvironment Environment(const PackageHeader& header, RandomSource& random,
                                            const TRect& target) {
    SlideThreadEnvironment env;
    env.header = &header;
    env.random = &random;
    env.targetRect = target;
    return env;
  }
};

PackageHeader Header(uint16_t imageCount, uint16_t randomOrder, std::string_view mask = "1") {
  PackageHeader h;
  h.SetImageCount(imageCount);
  h.SetRandomOrder(randomOrder);
  h.SetEffectMask(mask);
  return h;
}

TEST(NextPicture, SequentialOrderWrapsToTheFirstSlide) {
  struct Case {
    const char* label;
    uint16_t imageCount;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"three slides", 3, {0, 1, 2, 0, 1, 2, 0}},
      {"one slide", 1, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    const PackageHeader header = Header(c.imageCount, 0);
    Xoshiro256 random(1);
    Chooser chooser(header, random);
    std::vector<int32_t> got;
    for (size_t i = 0; i < c.expected.size(); ++i) got.push_back(chooser.Picture());
    EXPECT_EQ(got, c.expected) << c.label;
  }
}

TEST(NextPicture, RandomOrderShowsEverySlideOncePerCycleAndNeverTwiceInARow) {
  for (uint16_t count : {2, 3, 7}) {
    const PackageHeader header = Header(count, 1);
    Xoshiro256 random(count * 977u);
    Chooser chooser(header, random);
    int32_t previous = -1;
    for (int cycle = 0; cycle < 200; ++cycle) {
      std::set<int32_t> seen;
      for (int i = 0; i < count; ++i) {
        const int32_t n = chooser.Picture();
        ASSERT_TRUE(n >= 0 && n < count) << count << " slides: slide " << n;
        EXPECT_TRUE(seen.insert(n).second) << count << " slides, cycle " << cycle << ": slide " << n << " twice";
        EXPECT_NE(n, previous) << count << " slides, cycle " << cycle << ": slide " << n << " twice in a row";
        previous = n;
      }
    }
  }
}

TEST(NextPicture, RandomOrderDrawsAgainWhenACycleWouldRepeatTheLastSlide) {
  // Cycle 1: draw 1 from {0, 1}, then the remaining 0.  Cycle 2: the draws 0 and 0
  // hit slide 0 again and are thrown away; 1 gives slide 1; then the remaining 0.
  const PackageHeader header = Header(2, 1);
  ScriptedRandom random({1, 0, 0, 0, 1, 0});
  Chooser chooser(header, random);
  std::vector<int32_t> got;
  for (int i = 0; i < 4; ++i) got.push_back(chooser.Picture());
  EXPECT_EQ(got, (std::vector<int32_t>{1, 0, 1, 0}));
  EXPECT_EQ(random.Left(), 0u);
}

TEST(NextPicture, RandomOrderWithOneSlideShowsItEveryTime) {
  const PackageHeader header = Header(1, 1);
  ScriptedRandom random({0, 0, 0});
  Chooser chooser(header, random);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(chooser.Picture(), 0) << "pass " << i;
}

TEST(NextPicture, NoSlidesIsAnError) {
  for (uint16_t order : {0, 1}) {
    const PackageHeader header = Header(0, order);
    Xoshiro256 random(1);
    Chooser chooser(header, random);
    EXPECT_ANY_THROW(chooser.Picture()) << "order " << order;
  }
}

TEST(NextEffect, EveryEnabledEffectOncePerCycle) {
  struct Case {
    const char* label;
    std::string mask;
    std::vector<int32_t> enabled;
  };
  const Case cases[] = {
      {"two effects", "0100001", {2, 7}},
      {"scattered", "1" + std::string(116, '0') + "1x0001", {1, 118, 119, 123}},
      {"beyond 126", std::string(126, '0') + "11", {127, 128}},
      {"one effect", "001", {3}},
  };
  for (const Case& c : cases) {
    const PackageHeader header = Header(1, 0, c.mask);
    Xoshiro256 random(42);
    Chooser chooser(header, random);
    for (int cycle = 0; cycle < 50; ++cycle) {
      std::vector<int32_t> got;
      for (size_t i = 0; i < c.enabled.size(); ++i) got.push_back(chooser.NextEffect());
      std::sort(got.begin(), got.end());
      ASSERT_EQ(got, c.enabled) << c.label << ", cycle " << cycle;
    }
  }
}

TEST(NextEffect, TwoEffectsComeInBothOrders) {
  // Random order within a cycle, and the same effect can end one cycle and open
  // the next.
  const PackageHeader header = Header(1, 0, "11");
  Xoshiro256 random(7);
  Chooser chooser(header, random);
  std::set<std::vector<int32_t>> orders;
  int repeatsAcrossCycles = 0;
  int32_t last = 0;
  for (int cycle = 0; cycle < 64; ++cycle) {
    const int32_t a = chooser.NextEffect();
    const int32_t b = chooser.NextEffect();
    repeatsAcrossCycles += a == last;
    orders.insert({a, b});
    last = b;
  }
  EXPECT_EQ(orders, (std::set<std::vector<int32_t>>{{1, 2}, {2, 1}}));
  EXPECT_GT(repeatsAcrossCycles, 0);
}

TEST(NextEffect, TheMaskIsReadAgainWhenTheCycleStartsOver) {
  PackageHeader header = Header(1, 0, "1");
  Xoshiro256 random(3);
  Chooser chooser(header, random);
  EXPECT_EQ(chooser.NextEffect(), 1);
  header.SetEffectMask("0001");
  EXPECT_EQ(chooser.NextEffect(), 4);
  header.SetEffectMask("0");
  EXPECT_ANY_THROW(chooser.NextEffect()) << "no effect enabled";
}

TEST(IncludeRect, WidensTheTargetSideBySide) {
  struct Case {
    const char* label;
    TRect added;
    TRect expected;
  };
  const TRect start{10, 20, 110, 220};
  const Case cases[] = {
      {"inside", {20, 30, 40, 50}, start},
      {"beyond every side", {0, 5, 300, 400}, {0, 5, 300, 400}},
      {"left and bottom only", {-4, 100, 50, 230}, {-4, 20, 110, 230}},
      {"empty far away still counts", {500, 600, 500, 600}, {10, 20, 500, 600}},
  };
  for (const Case& c : cases) {
    const PackageHeader header = Header(1, 0);
    Xoshiro256 random(1);
    Chooser chooser(header, random, start);
    chooser.IncludeRect(c.added);
    EXPECT_EQ(chooser.TargetRect(), c.expected) << c.label;
  }
}

}  // namespace
}  // namespace pavonix
