#include "tests/unit/test_support.h"

#include <atomic>
#include <cstdio>
#include <random>
#include <sstream>

namespace pavonix::test {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  for (;;) {
    std::ostringstream name;
    name << "pavonix-test-" << std::hex << device() << "-" << counter++;
    path_ = std::filesystem::temp_directory_path() / name.str();
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Bitmap PoisonedBitmap(int32_t width, int32_t height) {
  Bitmap b(width, height);
  b.Fill({0xCC, 0xCC, 0xCC});
  return b;
}

std::string DescribeDifference(const Bitmap& expected, const Bitmap& actual) {
  std::ostringstream out;
  if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
    out << "expected size " << expected.Width() << "x" << expected.Height() << ", got " << actual.Width()
        << "x" << actual.Height();
    return out.str();
  }
  bool found = false;
  TRect box{};
  for (int32_t y = 0; y < expected.Height(); ++y) {
    for (int32_t x = 0; x < expected.Width(); ++x) {
      const Color e = expected.Pixel(x, y);
      const Color a = actual.Pixel(x, y);
      if (e == a) continue;
      if (!found) {
        char text[160];
        std::snprintf(text, sizeof text, "first difference at (%d, %d): expected BGR %02X%02X%02X, got %02X%02X%02X",
                      x, y, e.B, e.G, e.R, a.B, a.G, a.R);
        out << text;
        found = true;
        box = {x, y, x + 1, y + 1};
      } else {
        box = UnionRect(box, TRect{x, y, x + 1, y + 1});
      }
    }
  }
  if (found) {
    out << "; differences within (" << box.Left << ", " << box.Top << ", " << box.Right << ", " << box.Bottom << ")";
  }
  return out.str();
}

}  // namespace pavonix::test
