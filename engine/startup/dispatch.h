// The program body: starts the one window or routine that the run mode asks for.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/startup/command_line.h"

namespace pavonix {

// What each mode starts.  A window handler creates its window as the main window,
// runs the message loop until it closes and returns the exit code (1 when the
// window found no package).  An empty handler means the mode has nothing to start
// yet, and the process ends with exit code 0.
struct ModeHandlers {
  std::function<int()> showWindow;
  std::function<int()> settingsDialog;
  std::function<int(int32_t parentWindow)> previewWindow;
  std::function<void(int32_t parentWindow)> changePassword;
  std::function<void()> runUninstall;
  // Brings back the window that was in front when a show started; not called
  // when the show window ended the process with a non-zero code.
  std::function<void()> restoreForeground;
};

// Returns the process exit code.
int Dispatch(const StartupState& state, const ModeHandlers& handlers);

}  // namespace pavonix
