// mpftool extract: writes every payload out as a file of its own.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/package/errors.h"
#include "engine/package/package_io.h"
#include "engine/package/std_file_access.h"
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"
#include "tools/mpftool/package_report.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool extract PKG DIR\n"
    "Writes the slides of the package PKG to DIR as slide-NNNN.jpg and its sound\n"
    "tracks as sound-NNNN.mp3, .wav, .mid or .rmi (by the track's kind; unknown\n"
    "kinds give .mp3), byte for byte.  DIR is made when missing.  Entries whose\n"
    "payload lies outside the file are reported and skipped (exit code 1).\n";

std::string NumberedName(const char* stem, int32_t index, std::string_view extension) {
  char name[32];
  std::snprintf(name, sizeof name, "%s-%04d", stem, static_cast<int>(index));
  return name + std::string(extension);
}

// The file name inside the folder as the user spelled it.  A path object is no
// help here: on Windows it hands its text back in UTF-8, while fopen reads names
// in the ANSI code page, so a folder such as "Fotos für Oma" would not be found.
std::string InFolder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
  const bool separated = folder.back() == '\\' || folder.back() == '/' || folder.back() == ':';
  return separated ? folder + name : folder + '\\' + name;
#else
  return folder.back() == '/' ? folder + name : folder + '/' + name;
#endif
}

}  // namespace

int Extract(const Args& args) {
  if (HelpRequested(args, kHelp)) return cli::kExitOk;
  for (const std::string& a : args) {
    if (a.size() > 1 && a[0] == '-') throw cli::UsageError("extract: unknown option " + a);
  }
  if (args.size() != 2) throw cli::UsageError("extract needs a package and a folder");
  const std::string& path = args[0];
  const std::filesystem::path dir(args[1]);

  StdFileAccess files;
  const PackageReport report = InspectPackage(files, path);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!std::filesystem::is_directory(dir, ec)) throw cli::ToolError(args[1] + ": cannot make the folder");

  const auto package = files.OpenRead(path, FileShare::Read);
  if (!package) throw cli::ToolError(path + ": cannot open the file");
  int problems = 0;
  auto write = [&](const EntryReport& e, const std::string& name, const char* what) {
    if (!e.Readable()) {
      std::fprintf(stderr, "mpftool: %s: %s %d: %s\n", path.c_str(), what, e.index, e.problem.c_str());
      ++problems;
      return;
    }
    const std::string target = InFolder(args[1], name);
    const auto out = files.Create(target);
    if (!out) throw cli::ToolError(target + ": cannot create the file");
    try {
      CopyPayload(*package, e.entry, *out);
    } catch (const EWriteError&) {
      throw cli::ToolError(target + ": cannot write the file (disk full?)");
    } catch (const EReadError&) {
      throw cli::ToolError(path + ": " + what + " " + std::to_string(e.index) + ": cannot read the payload");
    }
    std::printf("%s %d\n", name.c_str(), e.entry.Size());
  };
  for (const EntryReport& e : report.sounds) write(e, NumberedName("sound", e.index, SoundExtension(e.entry.Kind())), "sound");
  for (const EntryReport& e : report.slides) write(e, NumberedName("slide", e.index, ".jpg"), "slide");
  return problems ? cli::kExitBadFile : cli::kExitOk;
}

}  // namespace pavonix::mpftool
