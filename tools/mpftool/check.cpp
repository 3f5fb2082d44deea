// mpftool check: every entry inside the file and every slide decodable.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/package/errors.h"
#include "engine/package/jpeg_decoder.h"
#include "engine/package/package_io.h"
#include "engine/package/std_file_access.h"
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"
#include "tools/mpftool/package_report.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool check PKG\n"
    "Checks that every entry of the package PKG lies inside the file and that every\n"
    "slide decodes as the engine decodes it.  Exit code 0 when all is well;\n"
    "otherwise 1, with one line per problem.\n";

}  // namespace

int Check(const Args& args) {
  if (HelpRequested(args, kHelp)) return cli::kExitOk;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') throw cli::UsageError("check: unknown option " + a);
  }
  if (args.size() != 1) throw cli::UsageError("check takes one package");
  const std::string& path = args[0];

  StdFileAccess files;
  const PackageReport report = InspectPackage(files, path);
  std::vector<std::string> problems;
  if (report.headerBytes < kHeaderSize) {
    problems.push_back("header cut short: " + std::to_string(report.headerBytes) + " of 155 bytes");
  }
  // An empty track lies inside the file like any other (the engine writes it out
  // as an empty sound file, and pack makes one from an empty input), so only
  // tracks that cannot be read count against the package.
  for (const EntryReport& e : report.sounds) {
    if (!e.Readable()) problems.push_back("sound " + std::to_string(e.index) + ": " + e.problem);
  }
  const auto package = files.OpenRead(path, FileShare::Read);
  if (!package) throw cli::ToolError(path + ": cannot open the file");
  for (const EntryReport& e : report.slides) {
    const std::string what = "slide " + std::to_string(e.index) + ": ";
    if (!e.problem.empty()) {
      problems.push_back(what + e.problem);
      continue;
    }
    try {
      const std::vector<uint8_t> jpeg = ReadPayload(*package, e.entry);
      Bitmap picture;
      DecodeJpeg(jpeg.data(), jpeg.size(), picture);
    } catch (const EPavonixError& error) {
      problems.push_back(what + error.what());
    }
  }
  for (const std::string& p : problems) std::fprintf(stderr, "mpftool: %s: %s\n", path.c_str(), p.c_str());
  if (!problems.empty()) return cli::kExitBadFile;
  std::printf("%s: %s, %s, no problems\n", path.c_str(), Counted(report.slides.size(), "slide", "slides").c_str(),
              Counted(report.sounds.size(), "sound track", "sound tracks").c_str());
  return cli::kExitOk;
}

}  // namespace pavonix::mpftool
