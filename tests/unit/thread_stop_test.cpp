// Stopping the slide thread: during a transition, during the pause between slides
// and during the wait after a failed pass, and without a canvas.
#include <gtest/gtest.h>

#include <future>

#include "tests/unit/thread_support.h"

namespace pavonix::test {
namespace {

TEST(SlideThreadStop, DuringATransitionEndsThePassAfterTheCurrentFrame) {
  // Slide 0 comes in whole; slide 1 is stopped after its fifth frame (p = 20) of a
  // stretch in from the right, which has then covered only the right fifth.
  ThreadRig rig(20, 10);
  rig.SolidSlides(20, 10);
  rig.OnlyEffect(1);
  const int32_t presentsBeforeStop = 1 + 21 + 5;
  rig.stopWhen = [](const ThreadRig& r) { return r.Count(ThreadEvent::Present) == presentsBeforeStop; };
  ObservedThread thread(rig, {0, 0, 20, 10});
  ASSERT_TRUE(thread.WaitForEnd());

  ASSERT_EQ(rig.Count(ThreadEvent::Present), presentsBeforeStop);
  EXPECT_EQ(rig.log.back().kind, ThreadEvent::Sleep) << "the frame's pause still comes, nothing after it";
  EXPECT_EQ(rig.Count(ThreadEvent::Wait), 1) << "only the pause after the first slide";
  EXPECT_EQ(rig.Loads(), (std::vector<int32_t>{0, 1}));

  Bitmap slide0(20, 10), halfDrawn(20, 10);
  slide0.Fill(SlideColor(0));
  halfDrawn.Fill(SlideColor(0));
  halfDrawn.FillRect({16, 0, 20, 10}, SlideColor(1));
  EXPECT_EQ(DescribeDifference(halfDrawn, rig.canvas.Pixels()), "") << "the half-drawn slide stays";
  EXPECT_EQ(DescribeDifference(slide0, thread.atEnd.previous), "") << "FPrevious keeps the slide before";
  EXPECT_FALSE(thread.atEnd.passBitmapsHeld);
}

TEST(SlideThreadStop, EndsTheLongPauseAtOnce) {
  // An hour's pause, on the real clock: the test can only end if the stop cuts the
  // wait short.
  struct Case {
    const char* label;
    bool readable;
  };
  for (const Case& c : {Case{"pause between slides", true}, Case{"wait after a failed pass", false}}) {
    SCOPED_TRACE(c.label);
    ThreadRig rig(8, 6);
    rig.header.SetInterval(3600);
    rig.OnlyEffect(119);
    if (c.readable) rig.SolidSlides(2, 2);
    std::promise<void> waiting;
    rig.onWait = [&](int32_t ms, StopRequest& stop) {
      waiting.set_value();
      SystemSlideClock::Instance().Wait(ms, stop);
    };
    {
      ObservedThread thread(rig, {0, 0, 8, 6});
      waiting.get_future().wait();
      thread.Terminate();
    }  // destroying the thread waits for it to end
    ASSERT_EQ(rig.Count(ThreadEvent::Wait), 1);
    EXPECT_EQ(rig.log.back().value, 3600000);
  }
}

TEST(SlideThreadStop, WithoutACanvasTheShowEndsAtOnce) {
  ThreadRig rig(8, 6);
  rig.SolidSlides(2, 2);
  rig.OnlyEffect(119);
  rig.withCanvas = false;
  ObservedThread thread(rig, {0, 0, 8, 6});
  ASSERT_TRUE(thread.WaitForEnd());
  EXPECT_TRUE(rig.log.empty());
}

}  // namespace
}  // namespace pavonix::test
