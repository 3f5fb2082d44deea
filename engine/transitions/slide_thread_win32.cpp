#include <windows.h>

#include "engine/startup/os_version.h"
#include "engine/transitions/slide_thread.h"

namespace pavonix {

void RaiseSlideThreadPriority() {
  // On Windows 2000 and the XP family the show runs ahead of everything else, so
  // that its frames keep their pace while the machine is otherwise idle.
  const uint8_t osClass = GetOSVersionClass();
  if (osClass == 5 || osClass == 6) SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}

}  // namespace pavonix
