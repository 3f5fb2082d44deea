#include "engine/transitions/slide_clock.h"

#include <chrono>
#include <thread>

namespace pavonix {

void StopRequest::Request() {
  {
    // Set under the mutex so that a waiter cannot test the flag, miss the change
    // and then sleep through the notification.
    std::lock_guard<std::mutex> hold(mutex_);
    requested_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
}

bool StopRequest::WaitFor(int32_t ms) {
  if (ms <= 0) return Requested();
  std::unique_lock<std::mutex> hold(mutex_);
  return wake_.wait_for(hold, std::chrono::milliseconds(ms), [this] { return Requested(); });
}

void SystemSlideClock::Sleep(int32_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SystemSlideClock::Wait(int32_t ms, StopRequest& stop) { stop.WaitFor(ms); }

SystemSlideClock& SystemSlideClock::Instance() {
  static SystemSlideClock clock;
  return clock;
}

}  // namespace pavonix
