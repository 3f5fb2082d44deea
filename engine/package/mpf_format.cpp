#include "engine/package/mpf_format.h"

#include <algorithm>

namespace pavonix {

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

int32_t ReadI32(const uint8_t* p) {
  const uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                     (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(v);
}

void WriteU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void WriteI32(uint8_t* p, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(u >> (8 * i));
}

std::string PackageHeader::EffectMask() const {
  const size_t n = std::min<size_t>(EffectMaskLength(), kEffectMaskCapacity);
  return std::string(reinterpret_cast<const char*>(&bytes[header_offset::EffectMask]), n);
}

void PackageHeader::SetEffectMask(std::string_view mask) {
  const size_t n = std::min(mask.size(), kEffectMaskCapacity);
  bytes[header_offset::EffectMaskLength] = static_cast<uint8_t>(n);
  std::copy_n(mask.begin(), n, bytes.begin() + header_offset::EffectMask);
}

std::vector<int32_t> PackageHeader::EnabledEffects() const {
  std::vector<int32_t> result;
  const std::string mask = EffectMask();
  for (size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] != '0') result.push_back(static_cast<int32_t>(i + 1));
  }
  return result;
}

std::string_view SoundExtension(uint16_t kind) {
  switch (kind) {
    case 1: return ".wav";
    case 2: return ".mid";
    case 3: return ".rmi";
    default: return ".mp3";
  }
}

}  // namespace pavonix
