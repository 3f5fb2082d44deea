// mpftool set: changes the settings a user can change, as the settings dialog's
// apply does: the header is rewritten in place and only the order, interval and
// sound bytes can differ afterwards.
#include <cstdio>
#include <optional>
#include <string>

#include "engine/package/package_io.h"
#include "engine/package/std_file_access.h"
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool set PKG [--interval N] [--order sequential|random] [--sound on|off]\n"
    "Changes the settings of the package PKG in its header, in place; every other\n"
    "byte of the file stays as it is.\n";

}  // namespace

int Set(const Args& args) {
  if (HelpRequested(args, kHelp)) return cli::kExitOk;
  std::string path;
  std::optional<uint16_t> interval, randomOrder;
  std::optional<uint8_t> soundOff;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--interval") {
      interval = static_cast<uint16_t>(cli::ParseInteger(a, cli::OptionValue(args, i), 0, 65535));
    } else if (a == "--order") {
      const std::string v = cli::OptionValue(args, i);
      if (v != "sequential" && v != "random") throw cli::UsageError("--order takes sequential or random");
      randomOrder = v == "random" ? 1 : 0;
    } else if (a == "--sound") {
      const std::string v = cli::OptionValue(args, i);
      if (v != "on" && v != "off") throw cli::UsageError("--sound takes on or off");
      soundOff = v == "off" ? 1 : 0;
    } else if (a.size() > 1 && a[0] == '-') {
      throw cli::UsageError("set: unknown option " + a);
    } else if (path.empty()) {
      path = a;
    } else {
      throw cli::UsageError("set takes one package");
    }
  }
  if (path.empty()) throw cli::UsageError("set needs a package");
  if (!interval && !randomOrder && !soundOff) throw cli::UsageError("set needs --interval, --order or --sound");

  StdFileAccess files;
  PackageHeader header;
  {
    const auto file = files.OpenRead(path, FileShare::Read);
    if (!file) throw cli::ToolError(path + ": cannot open the file");
    // Writing 155 bytes into a shorter file would lengthen it.
    const size_t got = ReadPackageHeader(*file, header);
    if (got < kHeaderSize) {
      throw cli::ToolError(path + ": too short to be a package (" + std::to_string(got) + " bytes)");
    }
  }
  if (interval) header.SetInterval(*interval);
  if (randomOrder) header.SetRandomOrder(*randomOrder);
  if (soundOff) header.SetSoundOff(*soundOff);
  SavePackageHeader(files, path, header);
  std::printf("%s: Interval %u, RandomOrder %u, SoundOff %u\n", path.c_str(), header.Interval(), header.RandomOrder(),
              header.SoundOff());
  return cli::kExitOk;
}

}  // namespace pavonix::mpftool
