#include "engine/package/saver_comm.h"

#include <vector>

#include "engine/package/errors.h"
#include "engine/package/package_io.h"

namespace pavonix {

std::string PackageFolderOf(std::string_view enginePath) {
  const size_t separator = enginePath.find_last_of("\\:");
  if (separator == std::string_view::npos) return {};
  return std::string(enginePath.substr(0, separator + 1));
}

std::string PackagePathOf(std::string_view enginePath) {
  const std::string folder = PackageFolderOf(enginePath);
  const std::string_view name = enginePath.substr(folder.size());
  const size_t dot = name.find('.');
  // A name without a dot gives an empty base name, so "C:\Saver\Ocean" reads
  // "C:\Saver\.mpf": the package name never depends on what follows the first dot.
  const std::string_view base = dot == std::string_view::npos ? std::string_view{} : name.substr(0, dot);
  return folder + std::string(base) + ".mpf";
}

std::string SoundFilePath(std::string_view packagePath, uint16_t kind) {
  std::string folder = PackageFolderOf(packagePath);
  // The folder loses its trailing "\" unless it is a root ("C:\", "\"), so a
  // package in a drive's root gives "C:\\mpfsound.mp3", which Windows accepts.
  const size_t n = folder.size();
  if (n > 1 && folder[n - 1] == '\\' && folder[n - 2] != ':' && folder[n - 2] != '\\') folder.pop_back();
  return folder + "\\mpfsound" + std::string(SoundExtension(kind));
}

bool SaverComm::OpenPackage(const std::string& enginePath) {
  enginePath_ = enginePath;
  packageFolder_ = PackageFolderOf(enginePath);
  packagePath_ = PackagePathOf(enginePath);
  if (!files_.Exists(packagePath_)) return false;
  const auto file = files_.OpenRead(packagePath_, FileShare::Read);
  if (!file) throw EFOpenError(packagePath_);
  ReadPackageHeader(*file, header_);
  headerRead_ = true;
  return true;
}

void SaverComm::LoadSlide(Bitmap& bitmap, int32_t index) const {
  std::vector<uint8_t> payload;
  {
    const auto file = files_.OpenRead(packagePath_, FileShare::Read);
    if (!file) throw EFOpenError(packagePath_);
    // An index outside the directory would land on the header, on another
    // entry or on payload bytes, and decode whatever lay there.
    if (index < 0 || index >= header_.ImageCount()) throw EReadError();
    DirectoryEntry entry;
    ReadDirectoryEntry(*file, SlideEntryPosition(header_.SoundCount(), index), entry);
    payload = ReadPayload(*file, entry);
  }
  // The package is closed before the slow part, so other readers and the
  // settings dialog's writer are shut out only while bytes are copied.
  DecodeJpeg(payload.data(), payload.size(), bitmap, jpegLimits_);
}

std::string SaverComm::ExtractSoundTrack(int32_t index) const {
  const auto file = files_.OpenRead(packagePath_, FileShare::Read);
  if (!file) throw EFOpenError(packagePath_);
  if (index < 0 || index >= header_.SoundCount()) throw EReadError();
  DirectoryEntry entry;
  ReadDirectoryEntry(*file, SoundEntryPosition(index), entry);
  // Checked before the sound file is touched: a broken entry leaves the last
  // good track in place rather than a truncated file.
  const int64_t fileSize = file->Size();
  if (fileSize < 0 || !PayloadProblem(entry, fileSize).empty()) throw EReadError();

  const std::string soundPath = SoundFilePath(packagePath_, entry.Kind());
  const auto sound = files_.Create(soundPath);
  if (!sound) throw EFCreateError(soundPath);
  CopyPayload(*file, entry, *sound);
  return soundPath;
}

bool SaverComm::SavePackageHeader() {
  if (!files_.Exists(packagePath_)) return false;
  pavonix::SavePackageHeader(files_, packagePath_, header_);
  return true;
}

SaverComm& ProcessSaverComm() {
  static SaverComm comm(SystemFileAccess());
  return comm;
}

}  // namespace pavonix
