#include <windows.h>

#include <string>

#include "engine/package/saver_comm.h"

namespace pavonix {

std::string EngineFilePath() {
  // Paths may exceed MAX_PATH; GetModuleFileNameA fills the buffer to the brim
  // when it truncates, so grow until the result fits with room to spare.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace pavonix
