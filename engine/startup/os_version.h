// The Windows version as a small class number, used by the slide thread's
// priority and by the Windows 9x password check.
#pragma once

#include <cstdint>

namespace pavonix {

// Classes: 0 Windows 95, 1 Windows 98 (and every version the table does not know,
// newer ones included), 2 Windows Me, 3 Windows NT 3.x, 4 Windows NT 4.0,
// 5 Windows XP and other 5.x, 6 Windows 2000.
uint8_t ClassifyOSVersion(uint32_t major, uint32_t minor, uint32_t platformId);

// Asks the system (GetVersionExA with a 148-byte OSVERSIONINFOA) on every call.
// Only the Windows build defines it.
uint8_t GetOSVersionClass();

}  // namespace pavonix
