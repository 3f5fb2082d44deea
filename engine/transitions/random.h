// The random source of the slide thread and the random region builders.
//
// One generator serves one slide thread and the effects it draws; tests and the
// render tool inject a seeded one so that a run can be repeated exactly.  The
// generator is our own (xoshiro256**) rather than a standard distribution, so that
// the same seed gives the same draws with every compiler and on every platform.
#pragma once

#include <cstdint>

namespace pavonix {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform integer with 0 <= result < n; 0 when n <= 1.
  virtual int32_t Random(int32_t n) = 0;
};

class Xoshiro256 final : public RandomSource {
 public:
  explicit Xoshiro256(uint64_t seed);
  // Seeded from the clock (time of day and a steady counter).
  static Xoshiro256 FromClock();

  int32_t Random(int32_t n) override;
  uint64_t Next();

 private:
  uint64_t s_[4];
};

}  // namespace pavonix
