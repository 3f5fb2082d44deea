// File access over the C library, for the portable tools.
//
// The C library has no share modes, so the share argument is accepted and
// ignored: the tools work on files that no engine holds open.
#pragma once

#include "engine/package/file_access.h"

namespace pavonix {

class StdFileAccess : public FileAccess {
 public:
  bool Exists(const std::string& path) override;
  std::unique_ptr<FileHandle> OpenRead(const std::string& path, FileShare share) override;
  std::unique_ptr<FileHandle> Create(const std::string& path) override;
  std::unique_ptr<FileHandle> OpenReadWrite(const std::string& path, FileShare share) override;
};

}  // namespace pavonix
