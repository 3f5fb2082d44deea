#include <gtest/gtest.h>

#include <jpeglib.h>
#include <jerror.h>

#include <cstdlib>
#include <string>

#include "engine/package/errors.h"
#include "engine/package/jpeg_decoder.h"
#include "tests/unit/package_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

using test::Bytes;
using test::JpegKind;
using test::JpegPlan;
using Pixel = std::array<uint8_t, 4>;

// Four 16x16 patches, each made of whole blocks and whole chroma MCUs, so that
// their centres carry the colour without bleeding from the neighbours.
JpegPlan Quadrants(JpegKind kind, bool progressive, Pixel tl, Pixel tr, Pixel bl, Pixel br) {
  JpegPlan plan;
  plan.width = 32;
  plan.height = 32;
  plan.kind = kind;
  plan.progressive = progressive;
  plan.pixel = [=](int x, int y) { return y < 16 ? (x < 16 ? tl : tr) : (x < 16 ? bl : br); };
  return plan;
}

std::string Describe(Color c) {
  return "RGB(" + std::to_string(c.R) + "," + std::to_string(c.G) + "," + std::to_string(c.B) + ")";
}

bool Near(Color a, Color b, int tolerance) {
  return std::abs(a.R - b.R) <= tolerance && std::abs(a.G - b.G) <= tolerance && std::abs(a.B - b.B) <= tolerance;
}

TEST(DecodeJpeg, EveryColourSpaceGivesTrueColours) {
  // RGB patches for the RGB kinds; ink for the CMYK kinds.
  const Pixel red{255, 0, 0, 0}, green{0, 255, 0, 0}, blue{0, 0, 255, 0}, grey{100, 100, 100, 0};
  const Pixel cyanInk{255, 0, 0, 0}, redInk{0, 255, 255, 0}, halfBlackInk{0, 0, 0, 128}, noInk{0, 0, 0, 0};
  const Color expectRed{0, 0, 255}, expectGreen{0, 255, 0}, expectBlue{255, 0, 0}, expectGrey{100, 100, 100};
  const Color expectCyan{255, 255, 0}, expectHalf{127, 127, 127}, expectWhite{255, 255, 255};

  struct Case {
    const char* label;
    JpegPlan plan;
    Color expected[4];  // top left, top right, bottom left, bottom right
  };
  const Case cases[] = {
      {"greyscale", Quadrants(JpegKind::Grey, false, {0}, {255}, {100}, {200}),
       {{0, 0, 0}, {255, 255, 255}, {100, 100, 100}, {200, 200, 200}}},
      {"YCbCr", Quadrants(JpegKind::YCbCr, false, red, green, blue, grey),
       {expectRed, expectGreen, expectBlue, expectGrey}},
      {"YCbCr progressive", Quadrants(JpegKind::YCbCr, true, red, green, blue, grey),
       {expectRed, expectGreen, expectBlue, expectGrey}},
      {"RGB", Quadrants(JpegKind::Rgb, false, red, green, blue, grey),
       {expectRed, expectGreen, expectBlue, expectGrey}},
      {"CMYK without Adobe marker", Quadrants(JpegKind::Cmyk, false, cyanInk, redInk, halfBlackInk, noInk),
       {expectCyan, expectRed, expectHalf, expectWhite}},
      {"Adobe inverted CMYK", Quadrants(JpegKind::AdobeCmyk, false, cyanInk, redInk, halfBlackInk, noInk),
       {expectCyan, expectRed, expectHalf, expectWhite}},
      {"Adobe CMYK progressive", Quadrants(JpegKind::AdobeCmyk, true, cyanInk, redInk, halfBlackInk, noInk),
       {expectCyan, expectRed, expectHalf, expectWhite}},
      {"YCCK", Quadrants(JpegKind::Ycck, false, cyanInk, redInk, halfBlackInk, noInk),
       {expectCyan, expectRed, expectHalf, expectWhite}},
  };
  const int centres[4][2] = {{8, 8}, {24, 8}, {8, 24}, {24, 24}};
  for (const Case& c : cases) {
    const Bytes jpeg = test::MakeJpeg(c.plan);
    Bitmap bitmap = test::PoisonedBitmap(3, 3);
    DecodeJpeg(jpeg.data(), jpeg.size(), bitmap);
    ASSERT_EQ(bitmap.Width(), 32) << c.label;
    ASSERT_EQ(bitmap.Height(), 32) << c.label;
    for (int i = 0; i < 4; ++i) {
      const Color got = bitmap.Pixel(centres[i][0], centres[i][1]);
      EXPECT_TRUE(Near(got, c.expected[i], 6))
          << c.label << ", patch " << i << ": expected " << Describe(c.expected[i]) << ", got " << Describe(got);
    }
  }
}

TEST(DecodeJpeg, OddSizesFillEveryPixel) {
  JpegPlan plan;
  plan.width = 37;
  plan.height = 23;
  plan.pixel = [](int, int) { return Pixel{60, 120, 180, 0}; };
  const Bytes jpeg = test::MakeJpeg(plan);
  Bitmap bitmap = test::PoisonedBitmap(50, 50);
  DecodeJpeg(jpeg.data(), jpeg.size(), bitmap);
  ASSERT_EQ(bitmap.Width(), 37);
  ASSERT_EQ(bitmap.Height(), 23);
  EXPECT_EQ(bitmap.Stride(), 112u);
  for (int y = 0; y < 23; ++y) {
    for (int x = 0; x < 37; ++x) {
      ASSERT_TRUE(Near(bitmap.Pixel(x, y), Color{180, 120, 60}, 4))
          << "pixel (" << x << ", " << y << ") is " << Describe(bitmap.Pixel(x, y));
    }
  }
}

// Sets the height and width in the first SOF marker of a JPEG.
Bytes WithDeclaredSize(Bytes jpeg, uint16_t width, uint16_t height) {
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = height >> 8;
      jpeg[i + 6] = height & 0xFF;
      jpeg[i + 7] = width >> 8;
      jpeg[i + 8] = width & 0xFF;
      return jpeg;
    }
  }
  ADD_FAILURE() << "no SOF marker";
  return jpeg;
}

TEST(DecodeJpeg, RefusalsRaiseAndLeaveTheBitmapAlone) {
  JpegPlan plan;
  plan.width = 64;
  plan.height = 64;
  plan.pixel = [](int x, int y) { return Pixel{uint8_t(x * 4), uint8_t(y * 4), 77, 0}; };
  const Bytes baseline = test::MakeJpeg(plan);
  plan.progressive = true;
  const Bytes progressive = test::MakeJpeg(plan);
  // Tall enough that libjpeg cannot make do with a few rows of its buffers.
  plan.height = 256;
  const Bytes tallProgressive = test::MakeJpeg(plan);

  JpegLimits fewScans;
  fewScans.maxScans = 3;
  JpegLimits littleMemory;
  littleMemory.maxDecoderMemory = 4096;

  struct Case {
    const char* label;
    Bytes data;
    JpegLimits limits;
    int code;
    std::string message;  // empty: "JPEG error #<code>"
  };
  const Case cases[] = {
      {"empty payload", {}, {}, JERR_INPUT_EMPTY, ""},
      {"not a JPEG", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0}, {}, JERR_NO_SOI, ""},
      {"cut inside the header", Bytes(baseline.begin(), baseline.begin() + 30), {}, JERR_NO_IMAGE, ""},
      {"declared 65500 x 65500", WithDeclaredSize(baseline, 65500, 65500), {}, JERR_IMAGE_TOO_BIG,
       "JPEG image too large: 65500 x 65500 pixels"},
      {"declared 20000 x 20000", WithDeclaredSize(progressive, 20000, 20000), {}, JERR_IMAGE_TOO_BIG,
       "JPEG image too large: 20000 x 20000 pixels"},
      {"more scans than allowed", progressive, fewScans, JERR_BAD_PROGRESSION, "JPEG image has more than 3 scans"},
      {"whole-image buffers beyond the memory cap", tallProgressive, littleMemory, JERR_NO_BACKING_STORE,
       "JPEG image too large to decode: 64 x 256 pixels need more than 4096 bytes"},
  };
  for (const Case& c : cases) {
    Bitmap bitmap = test::PoisonedBitmap(5, 4);
    try {
      DecodeJpeg(c.data.data(), c.data.size(), bitmap, c.limits);
      ADD_FAILURE() << c.label << ": decoded without an error";
    } catch (const EJPEG& e) {
      EXPECT_EQ(e.Code(), c.code) << c.label << ": " << e.what();
      const std::string expected = c.message.empty() ? "JPEG error #" + std::to_string(c.code) : c.message;
      EXPECT_EQ(e.what(), expected) << c.label;
    }
    EXPECT_EQ(test::DescribeDifference(test::PoisonedBitmap(5, 4), bitmap), "") << c.label;
  }
}

TEST(DecodeJpeg, CorruptDataDecodesSilentlyAsLibjpegDoes) {
  JpegPlan plan;
  plan.width = 64;
  plan.height = 64;
  plan.pixel = [](int x, int y) { return Pixel{uint8_t(200 + (x * y) % 16), 30, 30, 0}; };
  const Bytes whole = test::MakeJpeg(plan);
  size_t scan = 0;
  for (size_t i = 0; i + 1 < whole.size() && scan == 0; ++i) {
    if (whole[i] == 0xFF && whole[i + 1] == 0xDA) scan = i;
  }
  ASSERT_GT(scan, 0u) << "no SOS marker";

  struct Case {
    const char* label;
    Bytes data;
  };
  Bytes noEnd(whole.begin(), whole.end() - 2);
  Bytes half(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>((scan + whole.size()) / 2));
  Bytes trailing = whole;
  trailing.insert(trailing.end(), {1, 2, 3, 4});
  const Case cases[] = {
      {"no end marker", noEnd}, {"cut inside the picture data", half}, {"junk after the end", trailing}};
  for (const Case& c : cases) {
    Bitmap bitmap;
    ASSERT_NO_THROW(DecodeJpeg(c.data.data(), c.data.size(), bitmap)) << c.label;
    EXPECT_EQ(bitmap.Width(), 64) << c.label;
    EXPECT_EQ(bitmap.Height(), 64) << c.label;
    EXPECT_TRUE(Near(bitmap.Pixel(0, 0), Color{30, 30, 200}, 12)) << c.label << ": " << Describe(bitmap.Pixel(0, 0));
  }
}

}  // namespace
}  // namespace pavonix
