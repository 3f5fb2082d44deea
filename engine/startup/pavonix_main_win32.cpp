// Entry point of pavonix.exe.  The run mode is decided before any window exists;
// the process never creates a window of its own besides the one its mode starts.
#include <windows.h>

#include <exception>
#include <string>

#include "engine/startup/command_line.h"
#include "engine/startup/dispatch.h"

namespace {

// An error that nothing else handled: tell the user, then end with exit code 1.
void ReportUnhandled(const char* message) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string caption = path;
  const size_t slash = caption.find_last_of("\\:");
  if (slash != std::string::npos) caption.erase(0, slash + 1);
  MessageBoxA(nullptr, message, caption.c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace pavonix;
  const StartupState state = ParseRunMode(SplitCommandLine(GetCommandLineA()));
  const HWND previousForeground = state.mode == RunMode::Show ? GetForegroundWindow() : nullptr;

  ModeHandlers handlers;
  handlers.restoreForeground = [previousForeground] {
    if (previousForeground) SetForegroundWindow(previousForeground);
  };
  try {
    return Dispatch(state, handlers);
  } catch (const std::exception& e) {
    ReportUnhandled(e.what());
  } catch (...) {
    ReportUnhandled("Unknown error");
  }
  return 1;
}
