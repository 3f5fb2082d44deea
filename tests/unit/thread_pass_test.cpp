// The drawing pass of the slide thread: black first fill, compose and placement,
// 21 frames with their pauses, the pause between slides, failed passes, and the
// reuse of the per-pass bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/unit/thread_support.h"

namespace pavonix::test {
namespace {

// What the canvas holds after slide n (a solid picture) was drawn whole: the
// target black, the picture at place clipped to the target, the rest untouched.
Bitmap Expected(int32_t canvasW, int32_t canvasH, const TRect& target, const TRect& place, int32_t n) {
  Bitmap b = PoisonedBitmap(canvasW, canvasH);
  b.FillRect(target, Color{});
  b.FillRect(IntersectRect(place, target), SlideColor(n));
  return b;
}

Bitmap Crop(const Bitmap& b, const TRect& r) {
  Bitmap out(r.Width(), r.Height());
  for (int32_t y = r.Top; y < r.Bottom; ++y) {
    for (int32_t x = r.Left; x < r.Right; ++x) out.SetPixel(x - r.Left, y - r.Top, b.Pixel(x, y));
  }
  return out;
}

std::string Kinds(const std::vector<ThreadEvent>& log) {
  std::string s;
  for (const ThreadEvent& e : log) s += "LPSW"[e.kind];
  return s;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

bool StopAtWait(const ThreadRig& rig, int32_t n) { return rig.Count(ThreadEvent::Wait) == n; }

TEST(DrawSlide, FirstPassPaintsTheTargetBlackThenBringsInTheSlide) {
  // A target smaller than the canvas shows that only the target is painted; the
  // widened row shows that IncludeRect reaches the black fill and the placement.
  struct Case {
    const char* label;
    TRect widenTo;  // passed to IncludeRect while the first slide loads; empty: none
    TRect blackened;
    TRect place;
  };
  const Case cases[] = {
      {"target as given", {}, {0, 0, 12, 8}, {4, 2, 8, 6}},
      {"widened target", {0, 0, 16, 12}, {0, 0, 16, 12}, {6, 4, 10, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ThreadRig rig(16, 12);
    rig.SolidSlides(4, 4);
    rig.OnlyEffect(119);
    rig.stopWhen = [](const ThreadRig& r) { return StopAtWait(r, 1); };
    rig.onEvent = [&](const ThreadEvent& e) {
      if (e.kind == ThreadEvent::Load && !c.widenTo.IsEmpty()) rig.thread->IncludeRect(c.widenTo);
    };
    ObservedThread thread(rig, {0, 0, 12, 8});
    ASSERT_TRUE(thread.WaitForEnd());

    EXPECT_EQ(Kinds(rig.log), "LP" + Repeat("P", 21) + "W");
    EXPECT_EQ(rig.log[1].rect, c.blackened);
    Bitmap black = PoisonedBitmap(16, 12);
    black.FillRect(c.blackened, Color{});
    EXPECT_EQ(DescribeDifference(black, rig.shown.at(0)), "") << "after the black fill";
    // The composed slide keeps the size of the first target; only the fill and the
    // centring follow the widened one.
    const Bitmap expected = Expected(16, 12, c.blackened, IntersectRect(c.place, {0, 0, 12, 8}), 0);
    EXPECT_EQ(DescribeDifference(expected, rig.canvas.Pixels()), "") << "after the transition";
    EXPECT_EQ(DescribeDifference(Crop(expected, {0, 0, 12, 8}), thread.atEnd.previous), "") << "FPrevious";
  }
}

TEST(DrawSlide, TwentyOneFramesWithTheirPausesThenTheInterval) {
  struct Case {
    const char* label;
    int32_t effect;
    std::string frame;  // the events of one frame
  };
  const Case cases[] = {
      {"stretch in from the right", 1, "PS"},
      {"no drawing of its own", 119, "P"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ThreadRig rig(12, 8);
    rig.SolidSlides(12, 8);
    rig.OnlyEffect(c.effect);
    rig.stopWhen = [](const ThreadRig& r) { return StopAtWait(r, 2); };
    ObservedThread thread(rig, {0, 0, 12, 8});
    ASSERT_TRUE(thread.WaitForEnd());

    const std::string pass = Repeat(c.frame, 21) + "W";
    EXPECT_EQ(Kinds(rig.log), "LP" + pass + "L" + pass);
    for (const ThreadEvent& e : rig.log) {
      if (e.kind == ThreadEvent::Sleep) {
        EXPECT_EQ(e.value, 20);
      } else if (e.kind == ThreadEvent::Wait) {
        EXPECT_EQ(e.value, 7000);
      }
    }
    EXPECT_EQ(rig.Loads(), (std::vector<int32_t>{0, 1}));
    const Bitmap slide1 = Expected(12, 8, {0, 0, 12, 8}, {0, 0, 12, 8}, 1);
    EXPECT_EQ(DescribeDifference(slide1, rig.canvas.Pixels()), "");
    EXPECT_EQ(DescribeDifference(slide1, thread.atEnd.previous), "") << "FPrevious";
  }
}

TEST(DrawSlide, PlacesThePictureByFitToRect) {
  struct Case {
    const char* label;
    int32_t fitToRect;
    int32_t pictureW, pictureH;
    TRect place;
  };
  const Case cases[] = {
      {"natural size, larger: centred and cropped", 0, 20, 10, {-2, 1, 18, 11}},
      {"natural size, smaller: centred on black", 0, 4, 4, {6, 4, 10, 8}},
      {"fitted, wider: scaled down", 1, 32, 8, {0, 4, 16, 8}},
      {"fitted, taller and wider: scaled down", 1, 20, 30, {4, 0, 12, 12}},
      {"fitted, smaller: keeps its size", 1, 4, 4, {6, 4, 10, 8}},
      {"any flag but 1 keeps the natural size", 2, 20, 10, {-2, 1, 18, 11}},
  };
  for (const Case& c : cases) {
    ThreadRig rig(16, 12);
    rig.SolidSlides(c.pictureW, c.pictureH);
    rig.OnlyEffect(119);
    rig.fitToRect = c.fitToRect;
    rig.stopWhen = [](const ThreadRig& r) { return StopAtWait(r, 1); };
    ObservedThread thread(rig, {0, 0, 16, 12});
    ASSERT_TRUE(thread.WaitForEnd()) << c.label;
    EXPECT_EQ(DescribeDifference(Expected(16, 12, {0, 0, 16, 12}, c.place, 0), rig.canvas.Pixels()), "")
        << c.label;
  }
}

TEST(DrawSlide, AFailedSlideCountsAsChosen) {
  struct Case {
    const char* label;
    uint16_t randomOrder;
  };
  for (const Case& c : {Case{"in sequence", 0}, Case{"in random order", 1}}) {
    SCOPED_TRACE(c.label);
    ThreadRig rig(8, 6);
    rig.header.SetRandomOrder(c.randomOrder);
    rig.OnlyEffect(119);
    const int32_t broken = 1;
    rig.loadSlide = [](Bitmap& picture, int32_t n) {
      if (n == broken) throw std::runtime_error("JPEG error #53");
      picture.SetSize(2, 2);
      picture.Fill(SlideColor(n));
    };
    // Stop in the pause after the broken slide's pass (or after far too many events).
    rig.stopWhen = [](const ThreadRig& r) {
      return r.log.size() > 1000 || (r.log.back().kind == ThreadEvent::Wait && r.Loads().back() == broken);
    };
    ObservedThread thread(rig, {0, 0, 8, 6});
    ASSERT_TRUE(thread.WaitForEnd());

    EXPECT_EQ(thread.atEnd.lastPicture, broken);
    const std::vector<int32_t>& left = thread.atEnd.pictureList;
    EXPECT_EQ(std::count(left.begin(), left.end(), broken), 0) << "the broken slide is still to be shown";
    EXPECT_EQ(rig.log.back().value, 7000) << "a failed pass waits the interval";
    ASSERT_GE(rig.log.size(), 2u);
    EXPECT_EQ(rig.log[rig.log.size() - 2].kind, ThreadEvent::Load) << "the failed pass drew something";
  }
}

TEST(DrawSlide, FailingPassesWaitInsteadOfSpinning) {
  // Over ten minutes of clock time every failed pass is followed by one wait of
  // the interval, and at least a second.
  struct Case {
    const char* label;
    uint16_t imageCount;
    std::string mask;
    bool readable;
    uint16_t interval;
    int32_t waitMs;
    bool blackFill;
  };
  const Case cases[] = {
      {"unreadable slides, interval 0", 3, "1", false, 0, 1000, false},
      {"unreadable slides, interval 5", 3, "1", false, 5, 5000, false},
      {"no enabled effect", 3, "000", true, 0, 1000, true},
      {"no slides", 0, "1", true, 2, 2000, false},
  };
  constexpr int32_t kSpanMs = 600000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ThreadRig rig(8, 6);
    rig.header.SetImageCount(c.imageCount);
    rig.header.SetEffectMask(c.mask);
    rig.header.SetInterval(c.interval);
    if (c.readable) rig.SolidSlides(2, 2);
    int64_t clockMs = 0;
    rig.onEvent = [&](const ThreadEvent& e) {
      if (e.kind == ThreadEvent::Wait) clockMs += e.value;
    };
    // The size bound ends a spinning thread, which never waits.
    rig.stopWhen = [&](const ThreadRig& r) { return clockMs >= kSpanMs || r.log.size() > 10000; };
    ObservedThread thread(rig, {0, 0, 8, 6});
    ASSERT_TRUE(thread.WaitForEnd());

    const int32_t passes = kSpanMs / c.waitMs;
    EXPECT_EQ(rig.Count(ThreadEvent::Wait), passes);
    for (const ThreadEvent& e : rig.log) {
      if (e.kind == ThreadEvent::Wait) {
        EXPECT_EQ(e.value, c.waitMs);
      }
    }
    EXPECT_EQ(rig.Count(ThreadEvent::Load), c.imageCount > 0 ? passes : 0);
    EXPECT_EQ(rig.Count(ThreadEvent::Present), c.blackFill ? 1 : 0);
    EXPECT_FALSE(thread.atEnd.passBitmapsHeld);
    if (c.blackFill) {
      Bitmap black(8, 6);
      black.Fill(Color{});
      EXPECT_EQ(DescribeDifference(black, rig.canvas.Pixels()), "");
    }
  }
}

TEST(DrawSlide, PassBitmapsExistOnlyDuringAPassAndKeepTheirMemory) {
  ThreadRig rig(16, 12);
  rig.SolidSlides(10, 6);
  rig.OnlyEffect(119);
  std::set<const uint8_t*> composedMemory, pictureMemory;
  int heldInPause = 0;
  rig.onEvent = [&](const ThreadEvent& e) {
    const auto* thread = static_cast<const ObservedThread*>(rig.thread);
    // The first pass's black fill comes before the slide is composed.
    if (e.kind == ThreadEvent::Present && thread->Composed() && thread->Composed()->Data()) {
      composedMemory.insert(thread->Composed()->Data());
      pictureMemory.insert(thread->Picture()->Data());
    }
    if (e.kind == ThreadEvent::Wait) heldInPause += thread->Composed() != nullptr || thread->Picture() != nullptr;
  };
  rig.stopWhen = [](const ThreadRig& r) { return StopAtWait(r, 4); };
  ObservedThread thread(rig, {0, 0, 16, 12});
  ASSERT_TRUE(thread.WaitForEnd());

  EXPECT_EQ(composedMemory.size(), 1u) << "FComposed got fresh memory in a later pass";
  EXPECT_EQ(pictureMemory.size(), 1u) << "FPicture got fresh memory in a later pass";
  EXPECT_EQ(heldInPause, 0) << "a pass bitmap outlived its pass";
}

TEST(Canvas, StartsBlackSoThatAShowThatNeverDrawsStaysBlack) {
  Canvas canvas(5, 3);
  Bitmap black(5, 3);
  black.Fill(Color{});
  EXPECT_EQ(DescribeDifference(black, canvas.Pixels()), "");
}

}  // namespace
}  // namespace pavonix::test
