#include "engine/startup/os_version.h"

namespace pavonix {

uint8_t ClassifyOSVersion(uint32_t major, uint32_t minor, uint32_t platformId) {
  constexpr uint32_t kPlatformNT = 2;
  switch (major) {
    case 3:
      return 3;
    case 4:
      if (minor == 0) return platformId == kPlatformNT ? 4 : 0;
      return minor == 10 ? 1 : 2;
    case 5:
      return minor == 0 ? 6 : 5;
    default:
      return 1;
  }
}

}  // namespace pavonix
