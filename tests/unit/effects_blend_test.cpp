#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/transitions/blend.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

uint8_t ExactBlend(int32_t t, int32_t u, int32_t a) { return static_cast<uint8_t>((100 - a) * t / 100 + a * u / 100); }

TEST(BlendBitmaps, MultiplierDividesExactlyForEveryByteAndWeight) {
  for (int32_t c = 0; c <= 99; ++c) {
    const uint32_t m = blend_detail::BlendMultiplier(c);
    ASSERT_LT(m, 65536u) << "weight " << c << " does not fit a 16-bit lane";
    for (uint32_t t = 0; t <= 255; ++t) {
      ASSERT_EQ((t * m) >> 16, c * t / 100) << "weight " << c << ", byte " << t;
    }
  }
}

// Every (t, u) pair for every weight, through each code path the build has.
TEST(BlendBitmaps, MatchesTheExactFormulaForAllBytesAndWeights) {
  std::vector<uint8_t> t0(65536 + 5), u(65536 + 5);  // +5: the vector loop's tail too
  for (size_t i = 0; i < t0.size(); ++i) {
    t0[i] = static_cast<uint8_t>(i & 0xFF);
    u[i] = static_cast<uint8_t>((i >> 8) & 0xFF);
  }
  using Path = void (*)(uint8_t*, const uint8_t*, size_t, int32_t, uint8_t*);
  std::vector<std::pair<const char*, Path>> paths{{"scalar", blend_detail::BlendBytesScalar}};
#ifdef __SSE2__
  paths.emplace_back("sse2", blend_detail::BlendBytesSse2);
#endif
  for (const auto& [label, blend] : paths) {
    for (int32_t a = 1; a <= 99; ++a) {
      std::vector<uint8_t> t = t0, out(t0.size(), 0xCC);
      blend(t.data(), u.data(), t.size(), a, out.data());
      for (size_t i = 0; i < t.size(); ++i) {
        const uint8_t expected = ExactBlend(t0[i], u[i], a);
        ASSERT_EQ(t[i], expected) << label << ": t " << int(t0[i]) << ", u " << int(u[i]) << ", a " << a;
        ASSERT_EQ(out[i], expected) << label << " (copy): t " << int(t0[i]) << ", u " << int(u[i]) << ", a " << a;
      }
    }
  }
  // The ends of the scale go through the bitmap routine: no-op and exact copy.
  for (int32_t a : {0, 100}) {
    Bitmap T(256, 256), U(256, 256);
    for (int32_t y = 0; y < 256; ++y) {
      std::memset(T.Row(y), y, 3 * 256);
      for (int32_t x = 0; x < 256; ++x) U.SetPixel(x, y, {uint8_t(x), uint8_t(x), uint8_t(x)});
    }
    const Bitmap expected = a == 0 ? T : U;
    BlendBitmaps(T, U, a);
    EXPECT_EQ(test::DescribeDifference(expected, T), "") << "a " << a;
  }
}

TEST(BlendBitmaps, TruncatesEachHalfOnItsOwn) {
  Bitmap T(3, 1), U(3, 1);
  T.Fill({255, 255, 255});
  U.Fill({255, 255, 255});
  BlendBitmaps(T, U, 50);
  EXPECT_EQ(T.Pixel(2, 0), (Color{254, 254, 254}));
}

TEST(BlendBitmaps, SizesThatDifferBlendOnlyWhatBothCover) {
  struct Case {
    const char* label;
    int32_t tw, th, uw, uh;
  };
  const Case cases[] = {
      {"target larger", 9, 7, 5, 3},
      {"target smaller", 5, 3, 9, 7},  // must not write past the target
      {"target narrower, taller", 4, 9, 8, 2},
  };
  for (const Case& c : cases) {
    Bitmap T = test::PoisonedBitmap(c.tw, c.th);
    Bitmap U(c.uw, c.uh);
    U.Fill({10, 20, 30});
    BlendBitmaps(T, U, 100);
    for (int32_t y = 0; y < c.th; ++y) {
      for (int32_t x = 0; x < c.tw; ++x) {
        const bool covered = x < c.uw && y < c.uh;
        const Color expected = covered ? Color{10, 20, 30} : Color{0xCC, 0xCC, 0xCC};
        ASSERT_EQ(T.Pixel(x, y), expected) << c.label << " at (" << x << ", " << y << ")";
      }
    }
  }
}

TEST(BlendBitmaps, BlendAndShowIsBlendThenWholeCopy) {
  struct Case {
    const char* label;
    int32_t shownW, shownH, a;
  };
  const Case cases[] = {
      {"same size", 37, 11, 35},
      {"larger target canvas", 45, 15, 60},
      {"smaller target canvas", 20, 6, 5},
      {"weight 0 still shows", 37, 11, 0},
      {"weight 100", 37, 11, 100},
  };
  for (const Case& c : cases) {
    Bitmap T(37, 11), U(37, 11);
    for (int32_t y = 0; y < 11; ++y) {
      for (int32_t x = 0; x < 37; ++x) {
        T.SetPixel(x, y, {uint8_t(7 * x), uint8_t(3 * y), uint8_t(x + y)});
        U.SetPixel(x, y, {uint8_t(200 - x), uint8_t(9 * y), uint8_t(x * y)});
      }
    }
    Bitmap expectedT = T;
    BlendBitmaps(expectedT, U, c.a);
    Bitmap shown = test::PoisonedBitmap(c.shownW, c.shownH);
    const TRect changed = BlendBitmapsAndShow(T, U, c.a, shown);
    EXPECT_EQ(test::DescribeDifference(expectedT, T), "") << c.label;
    EXPECT_EQ(changed, (TRect{0, 0, std::min(37, c.shownW), std::min(11, c.shownH)})) << c.label;
    for (int32_t y = 0; y < c.shownH; ++y) {
      for (int32_t x = 0; x < c.shownW; ++x) {
        const Color expected = x < 37 && y < 11 ? expectedT.Pixel(x, y) : Color{0xCC, 0xCC, 0xCC};
        ASSERT_EQ(shown.Pixel(x, y), expected) << c.label << " at (" << x << ", " << y << ")";
      }
    }
  }
}

}  // namespace
}  // namespace pavonix
