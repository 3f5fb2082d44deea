#include "engine/transitions/random.h"

#include <chrono>

namespace pavonix {
namespace {

uint64_t SplitMix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

Xoshiro256::Xoshiro256(uint64_t seed) {
  for (uint64_t& s : s_) s = SplitMix64(seed);
}

Xoshiro256 Xoshiro256::FromClock() {
  const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
  const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
  return Xoshiro256(static_cast<uint64_t>(wall) ^ Rotl(static_cast<uint64_t>(steady), 32));
}

uint64_t Xoshiro256::Next() {
  const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
  const uint64_t t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = Rotl(s_[3], 45);
  return result;
}

int32_t Xoshiro256::Random(int32_t n) {
  if (n <= 1) return 0;
  // Lemire's multiply-and-reject: unbiased, one multiplication in the common case.
  const uint64_t range = static_cast<uint64_t>(n);
  for (;;) {
    const uint64_t x = Next() >> 32;
    const uint64_t m = x * range;
    const uint32_t low = static_cast<uint32_t>(m);
    if (low >= range || low >= static_cast<uint32_t>((0x100000000ull - range) % range)) {
      return static_cast<int32_t>(m >> 32);
    }
  }
}

}  // namespace pavonix
