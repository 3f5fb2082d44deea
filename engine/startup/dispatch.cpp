#include "engine/startup/dispatch.h"

namespace pavonix {

int Dispatch(const StartupState& state, const ModeHandlers& handlers) {
  switch (state.mode) {
    case RunMode::Show: {
      const int code = handlers.showWindow ? handlers.showWindow() : 0;
      // A show that found no package ends the process at once, changing nothing.
      if (code != 0) return code;
      if (handlers.restoreForeground) handlers.restoreForeground();
      return code;
    }
    case RunMode::SettingsNoArgument:
    case RunMode::Settings:
      return handlers.settingsDialog ? handlers.settingsDialog() : 0;
    case RunMode::Uninstall:
      if (handlers.runUninstall) handlers.runUninstall();
      return 0;
    case RunMode::Preview:
      if (state.parentWindow != 0 && handlers.previewWindow) return handlers.previewWindow(state.parentWindow);
      return 0;
    case RunMode::ChangePassword:
      if (state.parentWindow != 0 && handlers.changePassword) handlers.changePassword(state.parentWindow);
      return 0;
  }
  return 0;
}

}  // namespace pavonix
