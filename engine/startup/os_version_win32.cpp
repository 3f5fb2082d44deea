#include <windows.h>

#include "engine/startup/os_version.h"

namespace pavonix {

uint8_t GetOSVersionClass() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA has 148 bytes");
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExA(&info)) return 1;
#pragma GCC diagnostic pop
  return ClassifyOSVersion(info.dwMajorVersion, info.dwMinorVersion, info.dwPlatformId);
}

}  // namespace pavonix
