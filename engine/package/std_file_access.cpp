#include "engine/package/std_file_access.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace pavonix {
namespace {

// 64-bit positions on every C library we build for; packages stay below 2^31
// bytes, but the tools also measure input files that may not.
int SeekTo(std::FILE* f, int64_t position, int whence) {
#ifdef _WIN32
  return _fseeki64(f, position, whence);
#else
  return fseeko(f, static_cast<off_t>(position), whence);
#endif
}

int64_t Tell(std::FILE* f) {
#ifdef _WIN32
  return _ftelli64(f);
#else
  return static_cast<int64_t>(ftello(f));
#endif
}

class StdFileHandle : public FileHandle {
 public:
  explicit StdFileHandle(std::FILE* f) : file_(f) {}
  ~StdFileHandle() override { std::fclose(file_); }
  StdFileHandle(const StdFileHandle&) = delete;
  StdFileHandle& operator=(const StdFileHandle&) = delete;

  int64_t Size() override {
    const int64_t here = Tell(file_);
    if (here < 0 || SeekTo(file_, 0, SEEK_END) != 0) return -1;
    const int64_t size = Tell(file_);
    SeekTo(file_, here, SEEK_SET);
    return size;
  }

  bool Seek(int64_t position) override {
    if (position < 0) return false;
    return SeekTo(file_, position, SEEK_SET) == 0;
  }

  size_t Read(void* buffer, size_t count) override {
    // A stream that last wrote must be repositioned before it reads.
    if (lastWasWrite_) SeekTo(file_, 0, SEEK_CUR);
    lastWasWrite_ = false;
    return std::fread(buffer, 1, count, file_);
  }

  size_t Write(const void* buffer, size_t count) override {
    if (!lastWasWrite_) SeekTo(file_, 0, SEEK_CUR);
    lastWasWrite_ = true;
    const size_t written = std::fwrite(buffer, 1, count, file_);
    // Buffered bytes that cannot reach the disk must count as not written, or a
    // full disk would go unnoticed until the close.
    if (std::fflush(file_) != 0) return 0;
    return written;
  }

 private:
  std::FILE* file_;
  bool lastWasWrite_ = false;
};

std::unique_ptr<FileHandle> Open(const std::string& path, const char* mode) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (!f) return nullptr;
  return std::make_unique<StdFileHandle>(f);
}

}  // namespace

bool StdFileAccess::Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

std::unique_ptr<FileHandle> StdFileAccess::OpenRead(const std::string& path, FileShare) {
  if (!Exists(path)) return nullptr;
  return Open(path, "rb");
}

std::unique_ptr<FileHandle> StdFileAccess::Create(const std::string& path) { return Open(path, "w+b"); }

std::unique_ptr<FileHandle> StdFileAccess::OpenReadWrite(const std::string& path, FileShare) {
  if (!Exists(path)) return nullptr;
  return Open(path, "r+b");
}

#ifndef _WIN32
FileAccess& SystemFileAccess() {
  static StdFileAccess access;
  return access;
}
#endif

}  // namespace pavonix
