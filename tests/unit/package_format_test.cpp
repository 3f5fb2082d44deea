#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/package/mpf_format.h"

namespace pavonix {
namespace {

TEST(PackageHeader, FieldsLieAtTheirBytes) {
  PackageHeader h;
  h.SetImageCount(0x0102);
  h.SetSoundCount(0x0304);
  h.SetIgnoreMouseMove(5);
  h.SetRandomOrder(0x0607);
  h.SetInterval(300);
  h.SetEffectMask("101");
  h.SetFirstSoundOnly(8);
  h.SetSoundContinue(9);
  h.SetSoundOff(10);

  struct Case {
    const char* label;
    size_t offset;
    uint8_t expected;
  };
  const Case cases[] = {
      {"ImageCount low", 6, 0x02},     {"ImageCount high", 7, 0x01},   {"SoundCount low", 8, 0x04},
      {"SoundCount high", 9, 0x03},    {"IgnoreMouseMove", 12, 5},      {"RandomOrder low", 13, 0x07},
      {"RandomOrder high", 14, 0x06},  {"Interval 300 low", 19, 0x2C},  {"Interval 300 high", 20, 0x01},
      {"mask length", 21, 3},          {"mask 1", 22, '1'},             {"mask 2", 23, '0'},
      {"mask 3", 24, '1'},             {"FirstSoundOnly", 150, 8},      {"SoundContinue", 151, 9},
      {"SoundOff", 154, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(h.bytes[c.offset], c.expected) << c.label << " at offset " << c.offset;
  }
  // Nothing else was written: the reserved bytes stay as they were.
  for (size_t i : {0, 1, 2, 3, 4, 5, 10, 11, 15, 16, 17, 18, 25, 149, 152, 153}) {
    EXPECT_EQ(h.bytes[i], 0) << "byte " << i;
  }
  EXPECT_EQ(h.Interval(), 300);
  EXPECT_EQ(h.RandomOrder(), 0x0607);
}

TEST(PackageHeader, EffectMaskCountsOnlyItsLength) {
  struct Case {
    const char* label;
    std::string characters;  // the 128 stored characters, padded with 'x'
    uint8_t length;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"digits 1 0 1, junk after", "101" + std::string(125, '1'), 3, {1, 3}},
      {"a letter enables", "0a0", 3, {2}},
      {"length 0 enables nothing", std::string(128, '1'), 0, {}},
      {"all zeros", std::string(126, '0'), 126, {}},
      {"NUL and high bytes enable", std::string("0\0\xff", 3), 3, {2, 3}},
      {"length above 128 is capped", std::string(128, '1'), 200, {}},
  };
  for (const Case& c : cases) {
    PackageHeader h;
    std::string stored = c.characters;
    stored.resize(kEffectMaskCapacity, 'x');
    std::copy(stored.begin(), stored.end(), h.bytes.begin() + header_offset::EffectMask);
    h.bytes[header_offset::EffectMaskLength] = c.length;
    std::vector<int32_t> expected = c.expected;
    if (c.length > 128) {
      for (int32_t k = 1; k <= 128; ++k) expected.push_back(k);
    }
    EXPECT_EQ(h.EnabledEffects(), expected) << c.label;
    EXPECT_EQ(h.EffectMask().size(), std::min<size_t>(c.length, 128)) << c.label;
  }
}

TEST(DirectoryEntry, FieldsAreLittleEndianAndSigned) {
  DirectoryEntry e;
  e.SetKind(0x0203);
  e.SetOffset(-2);
  e.SetSize(0x12345678);
  const uint8_t expected[18] = {0, 0, 0, 0, 0x03, 0x02, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12};
  for (size_t i = 0; i < 18; ++i) EXPECT_EQ(e.bytes[i], expected[i]) << "entry byte " << i;
  EXPECT_EQ(e.Offset(), -2);
  EXPECT_EQ(e.Size(), 0x12345678);
}

TEST(DirectoryEntry, PositionsFollowTheSoundCount) {
  struct Case {
    const char* label;
    int64_t got;
    int64_t expected;
  };
  const Case cases[] = {
      {"first slide without sounds", SlideEntryPosition(0, 0), 155},
      {"slide 0 after 2 sounds", SlideEntryPosition(2, 0), 191},
      {"slide 1 after 2 sounds", SlideEntryPosition(2, 1), 209},
      {"slide 2 after 2 sounds", SlideEntryPosition(2, 2), 227},
      {"directory end, 2 sounds 3 slides", SlideEntryPosition(2, 3), 245},
      {"slide 0 after 3 sounds", SlideEntryPosition(3, 0), 209},
      {"sound 1", SoundEntryPosition(1), 173},
      {"last slide of a full directory", SlideEntryPosition(65535, 65534), 155 + 18 * 131069},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.label;
}

TEST(SoundExtension, KindsBeyondThreeAreMp3) {
  const std::pair<uint16_t, const char*> cases[] = {
      {0, ".mp3"}, {1, ".wav"}, {2, ".mid"}, {3, ".rmi"}, {4, ".mp3"}, {7, ".mp3"}, {65535, ".mp3"}};
  for (const auto& [kind, expected] : cases) EXPECT_EQ(SoundExtension(kind), expected) << "kind " << kind;
}

}  // namespace
}  // namespace pavonix
