// Reading and writing the parts of a package through an open file: the header,
// directory entries and payloads.  Shared by the engine's package operations and
// the package tool.
//
// Entries come from files nobody checked.  A payload is only read or copied after
// its offset and size have been found to lie inside the file, so a hostile entry
// never makes us allocate or seek according to its word alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/package/file_access.h"
#include "engine/package/mpf_format.h"

namespace pavonix {

// Payloads move in pieces of this size at most.
constexpr size_t kCopyPieceSize = 61440;

// Zeroes the header, then reads up to 155 bytes from offset 0 into it; a short
// file leaves the rest zero.  Returns the number of bytes read.
size_t ReadPackageHeader(FileHandle& file, PackageHeader& header);

// Zeroes the entry, then reads up to 18 bytes at position into it; an entry
// beyond the end of the file reads as zeros.  Returns the number of bytes read.
size_t ReadDirectoryEntry(FileHandle& file, int64_t position, DirectoryEntry& entry);

// Why the entry's payload does not lie inside a file of fileSize bytes, or an
// empty text when it does.  An empty payload lies inside every file.
std::string_view PayloadProblem(const DirectoryEntry& entry, int64_t fileSize);

// The entry's payload, read in pieces.  Raises "Stream read error" when the
// payload does not lie inside the file, and "Out of memory" when it cannot be held.
std::vector<uint8_t> ReadPayload(FileHandle& file, const DirectoryEntry& entry);

// Copies the entry's payload to the position of target, in pieces.  Raises
// "Stream read error" when the payload does not lie inside the file (before
// anything is written) or the file ends early, "Stream write error" when target
// takes fewer bytes than given.
void CopyPayload(FileHandle& file, const DirectoryEntry& entry, FileHandle& target);

// Rewrites the first 155 bytes of the package at path with header, opening the
// existing file for reading and writing without truncating it and sharing both.
// Raises "Cannot open file %s" when it cannot be opened, "Stream write error"
// when the bytes do not all go in.
void SavePackageHeader(FileAccess& files, const std::string& path, const PackageHeader& header);

}  // namespace pavonix
