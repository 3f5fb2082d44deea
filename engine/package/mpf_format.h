// The MPF package: one file with the show's settings, its slides and its tracks.
//
//   offset 0    header, 155 bytes (below)
//   offset 155  directory: SoundCount sound entries, then ImageCount picture
//               entries, 18 bytes each
//   anywhere    payloads, located by the entries' absolute offsets and sizes
//
// All integers are little-endian and unaligned; the accessors read and write the
// bytes at their offsets, so the header keeps its exact layout and can be written
// back as one block.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pavonix {

constexpr size_t kHeaderSize = 155;
constexpr size_t kEntrySize = 18;
constexpr size_t kEffectMaskCapacity = 128;

// Header offsets.
namespace header_offset {
constexpr size_t ImageCount = 6;        // u16
constexpr size_t SoundCount = 8;        // u16
constexpr size_t IgnoreMouseMove = 12;  // u8
constexpr size_t RandomOrder = 13;      // u16
constexpr size_t Interval = 19;         // u16, seconds
constexpr size_t EffectMaskLength = 21; // u8, 0..128
constexpr size_t EffectMask = 22;       // 128 characters; character k-1 governs effect k
constexpr size_t FirstSoundOnly = 150;  // u8
constexpr size_t SoundContinue = 151;   // u8
constexpr size_t SoundOff = 154;        // u8
}  // namespace header_offset

// Directory entry offsets.
namespace entry_offset {
constexpr size_t Kind = 4;     // u16, sound entries only
constexpr size_t Offset = 10;  // 32-bit, taken as signed
constexpr size_t Size = 14;    // 32-bit, taken as signed
}  // namespace entry_offset

uint16_t ReadU16(const uint8_t* p);
int32_t ReadI32(const uint8_t* p);
void WriteU16(uint8_t* p, uint16_t v);
void WriteI32(uint8_t* p, int32_t v);

class PackageHeader {
 public:
  std::array<uint8_t, kHeaderSize> bytes{};

  uint16_t ImageCount() const { return ReadU16(&bytes[header_offset::ImageCount]); }
  uint16_t SoundCount() const { return ReadU16(&bytes[header_offset::SoundCount]); }
  uint8_t IgnoreMouseMove() const { return bytes[header_offset::IgnoreMouseMove]; }
  uint16_t RandomOrder() const { return ReadU16(&bytes[header_offset::RandomOrder]); }
  uint16_t Interval() const { return ReadU16(&bytes[header_offset::Interval]); }
  uint8_t EffectMaskLength() const { return bytes[header_offset::EffectMaskLength]; }
  // The counted characters of the mask (at most 128, whatever the length byte says).
  std::string EffectMask() const;
  uint8_t FirstSoundOnly() const { return bytes[header_offset::FirstSoundOnly]; }
  uint8_t SoundContinue() const { return bytes[header_offset::SoundContinue]; }
  uint8_t SoundOff() const { return bytes[header_offset::SoundOff]; }

  void SetImageCount(uint16_t v) { WriteU16(&bytes[header_offset::ImageCount], v); }
  void SetSoundCount(uint16_t v) { WriteU16(&bytes[header_offset::SoundCount], v); }
  void SetIgnoreMouseMove(uint8_t v) { bytes[header_offset::IgnoreMouseMove] = v; }
  void SetRandomOrder(uint16_t v) { WriteU16(&bytes[header_offset::RandomOrder], v); }
  void SetInterval(uint16_t v) { WriteU16(&bytes[header_offset::Interval], v); }
  // Stores up to 128 characters and their count.
  void SetEffectMask(std::string_view mask);
  void SetFirstSoundOnly(uint8_t v) { bytes[header_offset::FirstSoundOnly] = v; }
  void SetSoundContinue(uint8_t v) { bytes[header_offset::SoundContinue] = v; }
  void SetSoundOff(uint8_t v) { bytes[header_offset::SoundOff] = v; }

  // Effect numbers k (1 .. mask length) whose character is not '0', ascending.
  std::vector<int32_t> EnabledEffects() const;

  friend bool operator==(const PackageHeader&, const PackageHeader&) = default;
};

struct DirectoryEntry {
  std::array<uint8_t, kEntrySize> bytes{};

  uint16_t Kind() const { return ReadU16(&bytes[entry_offset::Kind]); }
  int32_t Offset() const { return ReadI32(&bytes[entry_offset::Offset]); }
  int32_t Size() const { return ReadI32(&bytes[entry_offset::Size]); }
  void SetKind(uint16_t v) { WriteU16(&bytes[entry_offset::Kind], v); }
  void SetOffset(int32_t v) { WriteI32(&bytes[entry_offset::Offset], v); }
  void SetSize(int32_t v) { WriteI32(&bytes[entry_offset::Size], v); }
};

// Where the entry of sound track i, or of slide i, lies in the file.
constexpr int64_t SoundEntryPosition(int64_t index) { return kHeaderSize + kEntrySize * index; }
constexpr int64_t SlideEntryPosition(int64_t soundCount, int64_t index) {
  return kHeaderSize + kEntrySize * soundCount + kEntrySize * index;
}

// ".mp3", ".wav", ".mid" or ".rmi" for kinds 0..3; ".mp3" for every other kind.
std::string_view SoundExtension(uint16_t kind);

}  // namespace pavonix
