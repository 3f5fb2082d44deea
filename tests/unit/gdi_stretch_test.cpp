#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/transitions/stretch_blt.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

// Every pixel names its own column and row (B = x, G = y, R = 0x5A), so a copy's
// result tells which source pixel each destination pixel took.
Bitmap NumberedBitmap(int32_t width, int32_t height) {
  Bitmap b(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) b.SetPixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0x5A});
  return b;
}

// The source column each pixel of one target row took: -1 where untouched.
std::vector<int> SourceColumns(const Bitmap& target, int32_t y) {
  std::vector<int> cols;
  for (int32_t x = 0; x < target.Width(); ++x) {
    const Color c = target.Pixel(x, y);
    cols.push_back(c.R == 0x5A ? c.B : -1);
  }
  return cols;
}

std::vector<int> SourceRows(const Bitmap& target, int32_t x) {
  std::vector<int> rows;
  for (int32_t y = 0; y < target.Height(); ++y) {
    const Color c = target.Pixel(x, y);
    rows.push_back(c.R == 0x5A ? c.G : -1);
  }
  return rows;
}

struct AxisCase {
  std::string label;
  int32_t targetSize;
  int32_t d, dLen;  // destination along the axis
  int32_t sourceSize;
  int32_t s, sLen;
  std::vector<int> expected;  // the source coordinate per target coordinate, -1 untouched
};

// One table serves both axes: the columns run with a full-height copy, the rows
// with a full-width one.  They differ only where a shrink maps several source
// steps onto one destination step: along x the last shows, along y the first.
const AxisCase kSharedCases[] = {
    {"identity", 6, 1, 4, 6, 1, 4, {-1, 1, 2, 3, 4, -1}},
    {"10 to 11 repeats 4", 11, 0, 11, 10, 0, 10, {0, 1, 2, 3, 4, 4, 5, 6, 7, 8, 9}},
    {"2 to 6", 6, 0, 6, 2, 0, 2, {0, 0, 0, 1, 1, 1}},
    {"mirrored: width -4 at 5 covers 2 to 5", 8, 5, -4, 8, 0, 4, {-1, -1, 3, 2, 1, 0, -1, -1}},
    {"zero width draws nothing", 4, 0, 0, 4, 0, 4, {-1, -1, -1, -1}},
    {"zero source width draws nothing", 4, 0, 4, 4, 0, 0, {-1, -1, -1, -1}},
    {"unscaled source past the bitmap shrinks the destination", 10, 0, 10, 64, 60, 10,
     {60, 61, 62, 63, -1, -1, -1, -1, -1, -1}},
    {"unscaled source before the bitmap", 6, 0, 6, 8, -2, 6, {-1, -1, 0, 1, 2, 3}},
    {"clipped at the target's far edge", 5, 2, 6, 6, 0, 6, {-1, -1, 0, 1, 2}},
    {"clipped at the target's near edge", 5, -2, 4, 6, 0, 4, {2, 3, -1, -1, -1}},
    {"zoomed, clipped at both ends", 4, -3, 12, 3, 0, 3, {0, 1, 1, 1}},
    {"2 into 1 takes the first", 2, 0, 1, 4, 2, 2, {2, -1}},
};

TEST(StretchBlt, ColumnsAndRowsFollowGdi) {
  for (const AxisCase& c : kSharedCases) {
    Bitmap target = test::PoisonedBitmap(c.targetSize, 3);
    StretchBlt(target, c.d, 0, c.dLen, 3, NumberedBitmap(c.sourceSize, 3), c.s, 0, c.sLen, 3);
    EXPECT_EQ(SourceColumns(target, 1), c.expected) << "columns: " << c.label;

    Bitmap tall = test::PoisonedBitmap(3, c.targetSize);
    StretchBlt(tall, 0, c.d, 3, c.dLen, NumberedBitmap(3, c.sourceSize), 0, c.s, 3, c.sLen);
    EXPECT_EQ(SourceRows(tall, 1), c.expected) << "rows: " << c.label;
  }
}

TEST(StretchBlt, ShrinkKeepsLastColumnButFirstRow) {
  Bitmap wide = test::PoisonedBitmap(9, 2);
  StretchBlt(wide, 0, 0, 9, 2, NumberedBitmap(10, 2), 0, 0, 10, 2);
  EXPECT_EQ(SourceColumns(wide, 0), (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8, 9})) << "10 to 9 drops column 4";

  Bitmap tall = test::PoisonedBitmap(2, 9);
  StretchBlt(tall, 0, 0, 2, 9, NumberedBitmap(2, 10), 0, 0, 2, 10);
  EXPECT_EQ(SourceRows(tall, 0), (std::vector<int>{0, 1, 2, 3, 4, 6, 7, 8, 9})) << "10 to 9 drops row 5";

  // Squeezed into a single column, the source loses its last pixel first, so the
  // column shows the last but one.
  Bitmap column = test::PoisonedBitmap(3, 2);
  StretchBlt(column, 1, 0, 1, 2, NumberedBitmap(9, 2), 0, 0, 9, 2);
  EXPECT_EQ(SourceColumns(column, 0), (std::vector<int>{-1, 7, -1})) << "9 into 1";
}

// Mirroring must give the same columns as the plain copy, in reverse: a check of
// the row gather on wide rows of every length modulo its 4-pixel groups.
TEST(StretchBlt, MirroredRowsAreTheRowsReversed) {
  for (int32_t width = 2; width <= 67; width += 3) {  // a single column squeezes differently
    for (int32_t sourceWidth : {1, 7, 40, 250}) {
      const Bitmap source = NumberedBitmap(sourceWidth, 2);
      Bitmap plain = test::PoisonedBitmap(width, 2), mirrored = test::PoisonedBitmap(width, 2);
      StretchBlt(plain, 0, 0, width, 2, source, 0, 0, sourceWidth, 2);
      StretchBlt(mirrored, width - 1, 0, -width, 2, source, 0, 0, sourceWidth, 2);
      std::vector<int> reversed = SourceColumns(mirrored, 1);
      std::reverse(reversed.begin(), reversed.end());
      ASSERT_EQ(SourceColumns(plain, 1), reversed) << width << " from " << sourceWidth;
      ASSERT_EQ(std::count(reversed.begin(), reversed.end(), -1), 0) << width << " from " << sourceWidth;
    }
  }
}

TEST(StretchBlt, ReturnsTheWrittenRectangle) {
  Bitmap target = test::PoisonedBitmap(20, 10);
  const Bitmap source = NumberedBitmap(8, 8);
  EXPECT_EQ(StretchBlt(target, 5, 2, 40, 40, source, 0, 0, 8, 8), (TRect{5, 2, 20, 10}));
  EXPECT_EQ(StretchBlt(target, 5, 2, 0, 4, source, 0, 0, 8, 8), (TRect{}));
  EXPECT_EQ(BitBlt(target, -3, -3, 8, 8, source, 0, 0), (TRect{0, 0, 5, 5}));
  EXPECT_EQ(target.Pixel(0, 0), (Color{3, 3, 0x5A}));
}

TEST(StretchBlt, CopyWithinOneBitmapReadsTheOriginal) {
  Bitmap b = NumberedBitmap(8, 1);
  StretchBlt(b, 1, 0, 7, 1, b, 0, 0, 7, 1);  // shift right by one, overlapping
  EXPECT_EQ(SourceColumns(b, 0), (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 6}));
  Bitmap c = NumberedBitmap(8, 1);
  CopyThroughRegion(c, c, Region::FromRect(0, 0, 7, 1), -1, 0);  // shift left by one
  EXPECT_EQ(SourceColumns(c, 0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7}));
}

TEST(CopyThroughRegion, CopiesExactlyTheRegionsPixels) {
  const Bitmap source = NumberedBitmap(12, 10);
  Bitmap target = test::PoisonedBitmap(12, 10);
  Region region = Region::FromRect(-5, -5, 4, 4);
  region.Unite(Region::FromRect(8, 6, 30, 30));
  region.Unite(Region::FromRect(6, 0, 7, 10));
  EXPECT_EQ(CopyThroughRegion(target, source, region), (TRect{0, 0, 12, 10}));

  Bitmap expected = test::PoisonedBitmap(12, 10);
  for (int32_t y = 0; y < 10; ++y)
    for (int32_t x = 0; x < 12; ++x)
      if (region.Contains(x, y)) expected.SetPixel(x, y, source.Pixel(x, y));
  EXPECT_EQ(test::DescribeDifference(expected, target), "");

  // With an offset, target (x, y) takes source (x - dx, y - dy).
  Bitmap shifted = test::PoisonedBitmap(12, 10);
  EXPECT_EQ(CopyThroughRegion(shifted, source, Region::FromRect(0, 0, 12, 10), 3, 2), (TRect{3, 2, 12, 10}));
  EXPECT_EQ(shifted.Pixel(3, 2), source.Pixel(0, 0));
  EXPECT_EQ(shifted.Pixel(2, 2), (Color{0xCC, 0xCC, 0xCC}));
  EXPECT_EQ(CopyThroughRegion(shifted, source, Region{}), (TRect{}));
}

}  // namespace
}  // namespace pavonix
