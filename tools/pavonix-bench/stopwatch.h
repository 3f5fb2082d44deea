// The clock of the measurements: the time the measuring thread itself has run,
// where the system keeps it finely, so that other programs sharing the processor
// do not count as drawing time; the wall clock elsewhere.
#pragma once

#include <chrono>
#if defined(__linux__)
#include <time.h>
#endif

namespace pavonix::bench {

class Stopwatch {
 public:
  Stopwatch() : start_(Now()) {}
  double ElapsedMs() const { return (Now() - start_) * 1e3; }
  // Which clock the figures come from, for the report.
  static const char* ClockName() {
#if defined(__linux__)
    return "thread CPU time";
#else
    return "wall clock";
#endif
  }

 private:
  static double Now() {
#if defined(__linux__)
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
  }
  double start_;
};

}  // namespace pavonix::bench
