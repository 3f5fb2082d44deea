// The slide thread's stop request and its pauses.
//
// The pauses go through SlideClock so that tests can see every pause the thread
// makes, and end it, without waiting for it.  The pause between slides can be an
// hour long, so it must end as soon as the window asks the thread to stop; the short
// pauses between the frames of a transition are plain sleeps.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace pavonix {

// A one-way flag: once requested it stays requested.  Setting it wakes every
// WaitFor in progress.
class StopRequest {
 public:
  void Request();
  bool Requested() const { return requested_.load(std::memory_order_acquire); }
  // Returns when the stop is requested or after ms milliseconds, whichever comes
  // first; true when the stop has been requested.
  bool WaitFor(int32_t ms);

 private:
  std::atomic<bool> requested_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
};

class SlideClock {
 public:
  virtual ~SlideClock() = default;
  // The pause after a frame of a transition.
  virtual void Sleep(int32_t ms) = 0;
  // The pause after a pass: ends early when stop is requested.
  virtual void Wait(int32_t ms, StopRequest& stop) = 0;
};

// The real clock: a thread sleep and a wait on the stop request.
class SystemSlideClock final : public SlideClock {
 public:
  void Sleep(int32_t ms) override;
  void Wait(int32_t ms, StopRequest& stop) override;
  static SystemSlideClock& Instance();
};

}  // namespace pavonix
