// The engine's access to its package: where it lies, its header in memory, and
// the three operations on it.
//
// The package lies beside the engine file and carries the engine's name up to
// the first "." with ".mpf": Ocean.scr and Ocean.Waves.scr both read Ocean.mpf.
// Windows read the header once (OpenPackage); the slide thread decodes slides
// (LoadSlide) and the music writes tracks out (ExtractSoundTrack).  Each
// operation opens the package, works and closes it again, so nothing is held
// between calls.  Reads share read access with each other, so that the slide
// thread and the music never make each other fail; a writer still shuts them out.
//
// Errors are raised to the caller with the user-visible texts of errors.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/package/file_access.h"
#include "engine/package/jpeg_decoder.h"
#include "engine/package/mpf_format.h"
#include "engine/transitions/bitmap.h"

namespace pavonix {

// The engine path up to and including its last "\" or ":" (empty without one).
std::string PackageFolderOf(std::string_view enginePath);
// Package folder + the file name up to its first "." + ".mpf".
std::string PackagePathOf(std::string_view enginePath);
// The sound file for a track kind: the package's folder without its trailing
// separator (kept for a drive root such as "C:\") + "\mpfsound" + extension.
std::string SoundFilePath(std::string_view packagePath, uint16_t kind);

class SaverComm {
 public:
  explicit SaverComm(FileAccess& files) : files_(files) {}
  SaverComm(const SaverComm&) = delete;
  SaverComm& operator=(const SaverComm&) = delete;

  // Derives the paths from the engine's own path and reads the package header
  // into memory.  False when no package exists there (the header is left as it
  // was); raises "Cannot open file %s" when it exists but cannot be opened.
  bool OpenPackage(const std::string& enginePath);

  // Replaces bitmap with slide index (0 <= index < ImageCount).  Raises "Stream
  // read error" for an index outside the directory or a payload outside the
  // file, "JPEG error #%d" for a payload the decoder rejects (an empty one
  // included); the bitmap changes only on success.
  void LoadSlide(Bitmap& bitmap, int32_t index) const;

  // Writes sound track index (0 <= index < SoundCount) to the sound file of its
  // kind, replacing an earlier one, and returns that file's path.  An empty
  // track gives an empty file.  Raises "Stream read error" for an index outside
  // the directory or a payload outside the file (the sound file is then left as
  // it was), "Cannot create file %s" when the sound file cannot be made, and
  // "Stream write error" when the disk takes fewer bytes than the track has.
  std::string ExtractSoundTrack(int32_t index) const;

  // Rewrites the package's first 155 bytes with the in-memory header (the
  // settings dialog's apply).  False, and nothing written, when no file exists
  // at the package path.  Whether a header that was never read may be written
  // is the caller's decision: see HeaderRead().
  bool SavePackageHeader();

  const std::string& EnginePath() const { return enginePath_; }
  const std::string& PackageFolder() const { return packageFolder_; }
  const std::string& PackagePath() const { return packagePath_; }
  PackageHeader& Header() { return header_; }
  const PackageHeader& Header() const { return header_; }
  // True once OpenPackage has read the header from a package file.
  bool HeaderRead() const { return headerRead_; }

  // Bounds for decoding slides; the defaults suit the engine.
  void SetJpegLimits(const JpegLimits& limits) { jpegLimits_ = limits; }

 private:
  FileAccess& files_;
  std::string enginePath_;
  std::string packageFolder_;
  std::string packagePath_;
  PackageHeader header_;
  bool headerRead_ = false;
  JpegLimits jpegLimits_;
};

// The process's package state, over the platform's file access.
SaverComm& ProcessSaverComm();

// The full path of the running program file (Windows build only): what the
// windows hand to OpenPackage.
std::string EngineFilePath();

}  // namespace pavonix
