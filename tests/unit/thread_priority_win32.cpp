// The slide thread's priority hook, on whatever Windows version the test runs
// under (the Wine tests run this program as several versions).
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "engine/startup/os_version.h"
#include "engine/transitions/slide_thread.h"

namespace pavonix {
namespace {

TEST(SlideThreadPriority, TimeCriticalOnlyOnWindows2000AndTheXPFamily) {
  const int osClass = GetOSVersionClass();
  int got = THREAD_PRIORITY_ERROR_RETURN;
  std::thread slideThread([&] {
    RaiseSlideThreadPriority();
    got = GetThreadPriority(GetCurrentThread());
  });
  slideThread.join();
  const int expected = osClass == 5 || osClass == 6 ? THREAD_PRIORITY_TIME_CRITICAL : THREAD_PRIORITY_NORMAL;
  EXPECT_EQ(got, expected) << "OS class " << osClass;
}

}  // namespace
}  // namespace pavonix
