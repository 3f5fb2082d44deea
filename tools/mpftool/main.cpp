// mpftool: makes, inspects, checks and edits packages.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <clocale>
#endif

#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes on every system: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
  // File names arrive in the ANSI code page, and fopen takes them so.  The file
  // system calls of the standard library widen them through the C library,
  // whose default locale reads bytes above 127 as Latin-1: a "€" or any
  // non-Western letter would name another file there.  The system's own code
  // page keeps both views of a name alike.
  std::setlocale(LC_CTYPE, "");
#endif
  return pavonix::cli::Run("mpftool", argc, argv, pavonix::mpftool::MpfTool);
}
