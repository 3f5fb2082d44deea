// The command dispatch of mpftool.
#include <cstdio>
#include <string>

#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool COMMAND ...\n"
    "Makes, inspects, checks and edits screensaver packages.\n"
    "\n"
    "Commands:\n"
    "  pack OUT.mpf [options] FILE...   make a package from pictures and sounds\n"
    "  info PKG [--json]                show the settings and the directory\n"
    "  extract PKG DIR                  write the slides and sound tracks out\n"
    "  set PKG [options]                change interval, order or sound in place\n"
    "  check PKG                        check every entry and decode every slide\n"
    "\n"
    "'mpftool COMMAND --help' tells more.  Exit codes: 0 success, 1 a bad file,\n"
    "2 bad usage.\n";

}  // namespace

int MpfTool(Args& args) {
  if (args.empty()) throw cli::UsageError("no command given");
  const std::string command = args[0];
  if (command == "--help" || command == "-h") {
    std::fputs(kHelp, stdout);
    return cli::kExitOk;
  }
  const Args rest(args.begin() + 1, args.end());
  if (command == "pack") return Pack(rest);
  if (command == "info") return Info(rest);
  if (command == "extract") return Extract(rest);
  if (command == "set") return Set(rest);
  if (command == "check") return Check(rest);
  throw cli::UsageError("unknown command '" + command + "'");
}

std::string Counted(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

bool HelpRequested(const Args& args, const char* text) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::fputs(text, stdout);
      return true;
    }
  }
  return false;
}

}  // namespace pavonix::mpftool

