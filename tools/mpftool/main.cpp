// mpftool: makes, inspects, checks and edits packages.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every system: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return pavonix::cli::Run("mpftool", argc, argv, pavonix::mpftool::MpfTool);
}
