// What a package holds and what is wrong with it, read without trusting it:
// the header as the engine reads it, and every directory entry with the first
// problem found in it.  Shared by info, check and extract.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/package/file_access.h"
#include "engine/package/mpf_format.h"

namespace pavonix::mpftool {

struct EntryReport {
  int32_t index = 0;
  int64_t entryOffset = 0;  // where the entry lies in the file
  DirectoryEntry entry;     // as the engine reads it: missing bytes are zero
  std::string problem;      // empty when the payload lies inside the file
  // True when the payload can be read (an empty one included).
  bool Readable() const { return problem.empty() || problem == kEmptyPayload; }
  static constexpr const char* kEmptyPayload = "empty payload";
};

struct PackageReport {
  int64_t fileSize = 0;
  size_t headerBytes = 0;  // how many of the 155 header bytes the file holds
  PackageHeader header;
  std::vector<EntryReport> sounds;
  std::vector<EntryReport> slides;
};

// Reads the package at path.  Raises cli::ToolError naming the file when it
// cannot be opened or measured.
PackageReport InspectPackage(FileAccess& files, const std::string& path);

}  // namespace pavonix::mpftool
