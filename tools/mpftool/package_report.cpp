#include "tools/mpftool/package_report.h"

#include "engine/package/package_io.h"
#include "tools/common/cli.h"

namespace pavonix::mpftool {
namespace {

EntryReport ReadEntry(FileHandle& file, int64_t fileSize, int32_t index, int64_t position) {
  EntryReport report;
  report.index = index;
  report.entryOffset = position;
  const size_t got = ReadDirectoryEntry(file, position, report.entry);
  if (got == 0) {
    report.problem = "entry lies past the end of the file";
  } else if (got < kEntrySize) {
    report.problem = "entry is cut short by the end of the file";
  } else if (const std::string_view problem = PayloadProblem(report.entry, fileSize); !problem.empty()) {
    report.problem = problem;
  } else if (report.entry.Size() == 0) {
    report.problem = EntryReport::kEmptyPayload;
  }
  return report;
}

}  // namespace

PackageReport InspectPackage(FileAccess& files, const std::string& path) {
  const auto file = files.OpenRead(path, FileShare::Read);
  if (!file) throw cli::ToolError(path + ": cannot open the file");
  PackageReport report;
  report.fileSize = file->Size();
  if (report.fileSize < 0) throw cli::ToolError(path + ": cannot tell the file's size");
  report.headerBytes = ReadPackageHeader(*file, report.header);
  const int32_t soundCount = report.header.SoundCount();
  const int32_t imageCount = report.header.ImageCount();
  report.sounds.reserve(static_cast<size_t>(soundCount));
  report.slides.reserve(static_cast<size_t>(imageCount));
  for (int32_t i = 0; i < soundCount; ++i) {
    report.sounds.push_back(ReadEntry(*file, report.fileSize, i, SoundEntryPosition(i)));
  }
  for (int32_t i = 0; i < imageCount; ++i) {
    report.slides.push_back(ReadEntry(*file, report.fileSize, i, SlideEntryPosition(soundCount, i)));
  }
  return report;
}

}  // namespace pavonix::mpftool
