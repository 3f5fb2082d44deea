// File opens with Windows share semantics, behind an interface the core owns.
//
// The package code never touches the file system directly: the engine hands it
// the Win32 implementation (real share modes), the tools a portable one over the
// C library, and the unit tests an in-memory stand-in that emulates share
// conflicts and a full disk.
//
// An open that fails returns null; the caller raises the error that fits the
// operation ("Cannot open file %s" or "Cannot create file %s"), because only it
// knows which one the user should see.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace pavonix {

// What other opens of the same file may do while this handle is held.
enum class FileShare : uint8_t {
  None = 0,
  Read = 1,
  ReadWrite = 3,
};

class FileHandle {
 public:
  virtual ~FileHandle() = default;
  // Length of the file in bytes, or -1 when it cannot be had.
  virtual int64_t Size() = 0;
  // Moves the position; a position past the end is allowed (reads there give
  // nothing), a negative one is refused.
  virtual bool Seek(int64_t position) = 0;
  // Reads up to count bytes at the position and advances it; fewer at the end of
  // the file or on a read failure.
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Writes up to count bytes at the position and advances it; fewer when the
  // disk is full or the write fails.
  virtual size_t Write(const void* buffer, size_t count) = 0;
};

class FileAccess {
 public:
  virtual ~FileAccess() = default;
  // True for an existing file; false for a folder or nothing.
  virtual bool Exists(const std::string& path) = 0;
  // An existing file for reading.
  virtual std::unique_ptr<FileHandle> OpenRead(const std::string& path, FileShare share) = 0;
  // Creates the file or truncates an existing one, for reading and writing,
  // with no sharing.
  virtual std::unique_ptr<FileHandle> Create(const std::string& path) = 0;
  // An existing file for reading and writing, not truncated.
  virtual std::unique_ptr<FileHandle> OpenReadWrite(const std::string& path, FileShare share) = 0;
};

// The file access of this build's platform: Win32 on Windows, the C library
// elsewhere.  Lives for the whole process.
FileAccess& SystemFileAccess();

}  // namespace pavonix
