// An in-memory file system with Windows share semantics, for tests and fuzzing.
//
// Files are byte vectors keyed by the exact path string.  Opens conflict as on
// Windows: a new open fails when an existing handle's share mode does not allow
// the new access, or when the new share mode does not allow an existing handle's
// access.  A free-space budget makes writes come up short, as on a full disk.
// Safe to use from several threads.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/package/file_access.h"

namespace pavonix {

struct MemoryFileSystem;

class MemoryFileAccess : public FileAccess {
 public:
  MemoryFileAccess();
  ~MemoryFileAccess() override;

  bool Exists(const std::string& path) override;
  std::unique_ptr<FileHandle> OpenRead(const std::string& path, FileShare share) override;
  std::unique_ptr<FileHandle> Create(const std::string& path) override;
  std::unique_ptr<FileHandle> OpenReadWrite(const std::string& path, FileShare share) override;

  // Puts a file in place, replacing one of the same path (open handles keep
  // the old content).
  void SetFile(const std::string& path, std::vector<uint8_t> content);
  // The content of a file, or nothing when there is none.
  std::optional<std::vector<uint8_t>> File(const std::string& path) const;
  void Remove(const std::string& path);
  // Bytes that writes may still add across all files; unlimited by default.
  void SetFreeSpace(int64_t bytes);
  // Handles currently open, across all files.
  int OpenHandles() const;

 private:
  std::shared_ptr<MemoryFileSystem> state_;
};

}  // namespace pavonix
