// mpftool: makes, inspects, checks and edits packages.
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

int main(int argc, char** argv) { return pavonix::cli::Run("mpftool", argc, argv, pavonix::mpftool::MpfTool); }
