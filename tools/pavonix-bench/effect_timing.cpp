#include "tools/pavonix-bench/effect_timing.h"

#include <algorithm>
#include <cstring>

#include "engine/transitions/canvas.h"
#include "engine/transitions/effects.h"
#include "engine/transitions/random.h"
#include "engine/transitions/transition_pass.h"
#include "tools/pavonix-bench/stopwatch.h"

namespace pavonix::bench {
namespace {


double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// A slide with detail everywhere, so that no copy is cheaper for its content.
void PaintSlide(Bitmap& b, uint32_t salt) {
  for (int32_t y = 0; y < b.Height(); ++y) {
    uint8_t* row = b.Row(y);
    const uint32_t base = static_cast<uint32_t>(y) * 2654435761u + salt;
    for (size_t i = 0; i < 3 * static_cast<size_t>(b.Width()); ++i) {
      row[i] = static_cast<uint8_t>((base + static_cast<uint32_t>(i) * 40503u) >> 11);
    }
  }
}

}  // namespace

double MeasureFrameCopyMs(int32_t width, int32_t height, int repetitions) {
  Bitmap from(width, height), to(width, height);
  PaintSlide(from, 1);
  to.Fill({});  // touch every page before timing
  std::vector<double> times;
  for (int i = 0; i < std::max(repetitions, 1) * 21; ++i) {
    const Stopwatch watch;
    std::memcpy(to.Data(), from.Data(), from.ByteSize());
    times.push_back(watch.ElapsedMs());
  }
  return Median(times);
}

std::vector<EffectTiming> MeasureEffects(int32_t width, int32_t height, const std::vector<int32_t>& effects,
                                         int repetitions) {
  Bitmap composed(width, height), previous(width, height);
  PaintSlide(composed, 2);
  Canvas canvas(width, height);
  std::vector<EffectTiming> out;
  for (int32_t number : effects) {
    const EffectInfo* info = FindEffect(number);
    std::vector<double> times;
    for (int r = 0; r < repetitions; ++r) {
      // Every repetition starts from the same state, as a new pass would.
      PaintSlide(previous, 3);
      canvas.Pixels().Assign(previous);
      Xoshiro256 random(static_cast<uint64_t>(number) * 977 + static_cast<uint64_t>(r));
      TransitionPass pass(number, composed, previous, random);
      for (int32_t p = 0; p <= 100; p += 5) {
        const Stopwatch watch;
        pass.DrawFrame(canvas, p);
        times.push_back(watch.ElapsedMs());
      }
    }
    out.push_back({number, info ? std::string(info->name) : std::string(), Median(times)});
  }
  return out;
}

}  // namespace pavonix::bench
