// Small helpers shared by the unit test programs.  Area-specific helpers live in
// files of their own (<area>_support.h) next to the tests that use them.
#pragma once

#include <filesystem>
#include <string>

#include "engine/transitions/bitmap.h"

namespace pavonix::test {

// A fresh folder under the system's temporary folder, removed with its contents
// when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Every byte 0xCC: pixels that a step did not touch stay visible in a comparison.
Bitmap PoisonedBitmap(int32_t width, int32_t height);

// Empty when the bitmaps are equal; otherwise says where they differ: the sizes,
// or the first differing pixel with both values and the bounding box of all
// differences.
std::string DescribeDifference(const Bitmap& expected, const Bitmap& actual);

}  // namespace pavonix::test
