#include "tests/unit/effects_support.h"

#include <sstream>

#include "engine/transitions/random.h"
#include "tests/unit/test_support.h"

namespace pavonix::test {

Bitmap NewSlide(int32_t width, int32_t height) {
  Bitmap b(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      b.SetPixel(x, y, Color{static_cast<uint8_t>(x % 200), static_cast<uint8_t>(y % 200),
                             static_cast<uint8_t>(0x40 + (x + 3 * y) % 100)});
    }
  }
  return b;
}

Bitmap OldSlide(int32_t width, int32_t height) {
  Bitmap b(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      b.SetPixel(x, y, Color{static_cast<uint8_t>(0xD0 + (x + y) % 40), static_cast<uint8_t>(255 - x % 256),
                             static_cast<uint8_t>(y % 256)});
    }
  }
  return b;
}

void RunAllFrames(int32_t effect, Canvas& canvas, const Bitmap& composed, Bitmap& previous, uint64_t seed) {
  Xoshiro256 random(seed);
  TransitionPass pass(effect, composed, previous, random);
  for (int32_t p = 0; p <= 100; p += 5) pass.DrawFrame(canvas, p);
}

std::string Coverage(const Region& region, int32_t w, int32_t h) {
  return CoverageOf(w, h, [&](int32_t x, int32_t y) { return region.Contains(x, y); });
}

std::string DescribeCoverageDifference(const std::string& expected, const std::string& actual, int32_t w) {
  if (expected == actual) return {};
  if (expected.size() != actual.size()) return "coverage pictures differ in size";
  const int32_t stride = w + 1;
  size_t count = 0;
  size_t first = std::string::npos;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] == actual[i]) continue;
    if (first == std::string::npos) first = i;
    ++count;
  }
  std::ostringstream out;
  out << count << " pixels differ; first at (" << first % stride << ", " << first / stride << "): expected "
      << (expected[first] == '#' ? "inside" : "outside") << ", got " << (actual[first] == '#' ? "inside" : "outside");
  return out.str();
}

Bitmap PoisonWith(const Bitmap& composed, std::initializer_list<TRect> rects) {
  Bitmap b = PoisonedBitmap(composed.Width(), composed.Height());
  for (const TRect& r : rects) {
    const TRect clip = IntersectRect(NormalizeRect(r), composed.Bounds());
    for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
      for (int32_t x = clip.Left; x < clip.Right; ++x) b.SetPixel(x, y, composed.Pixel(x, y));
    }
  }
  return b;
}

}  // namespace pavonix::test
