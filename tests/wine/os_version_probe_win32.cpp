// Prints GetOSVersionClass() and the raw version numbers for the Wine test.
#include <windows.h>

#include <cstdio>

#include "engine/startup/os_version.h"

int main() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(&info);
#pragma GCC diagnostic pop
  std::printf("%u %lu.%lu/%lu\n", static_cast<unsigned>(pavonix::GetOSVersionClass()), info.dwMajorVersion,
              info.dwMinorVersion, info.dwPlatformId);
  return 0;
}
