// The engine's file access: CreateFileA with real share modes, so that opens in
// other threads and other engine processes conflict exactly as Windows decides.
#include <windows.h>

#include "engine/package/file_access.h"

namespace pavonix {
namespace {

DWORD ShareFlags(FileShare share) {
  switch (share) {
    case FileShare::Read: return FILE_SHARE_READ;
    case FileShare::ReadWrite: return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case FileShare::None: break;
  }
  return 0;
}

class Win32FileHandle : public FileHandle {
 public:
  explicit Win32FileHandle(HANDLE h) : handle_(h) {}
  ~Win32FileHandle() override { CloseHandle(handle_); }
  Win32FileHandle(const Win32FileHandle&) = delete;
  Win32FileHandle& operator=(const Win32FileHandle&) = delete;

  int64_t Size() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) return -1;
    return size.QuadPart;
  }

  bool Seek(int64_t position) override {
    if (position < 0) return false;
    LARGE_INTEGER to;
    to.QuadPart = position;
    return SetFilePointerEx(handle_, to, nullptr, FILE_BEGIN) != 0;
  }

  size_t Read(void* buffer, size_t count) override {
    // ReadFile takes 32-bit counts; callers move at most 61440 bytes at a time,
    // but a large request must still not be truncated silently.
    size_t done = 0;
    auto* p = static_cast<uint8_t*>(buffer);
    while (done < count) {
      const DWORD want = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
      DWORD got = 0;
      if (!ReadFile(handle_, p + done, want, &got, nullptr) || got == 0) break;
      done += got;
    }
    return done;
  }

  size_t Write(const void* buffer, size_t count) override {
    size_t done = 0;
    const auto* p = static_cast<const uint8_t*>(buffer);
    while (done < count) {
      const DWORD want = static_cast<DWORD>(count - done > 0x40000000 ? 0x40000000 : count - done);
      DWORD put = 0;
      if (!WriteFile(handle_, p + done, want, &put, nullptr) || put == 0) break;
      done += put;
    }
    return done;
  }

 private:
  HANDLE handle_;
};

std::unique_ptr<FileHandle> Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  const HANDLE h = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32FileHandle>(h);
}

class Win32FileAccess : public FileAccess {
 public:
  bool Exists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::unique_ptr<FileHandle> OpenRead(const std::string& path, FileShare share) override {
    return Open(path, GENERIC_READ, ShareFlags(share), OPEN_EXISTING);
  }

  std::unique_ptr<FileHandle> Create(const std::string& path) override {
    return Open(path, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
  }

  std::unique_ptr<FileHandle> OpenReadWrite(const std::string& path, FileShare share) override {
    return Open(path, GENERIC_READ | GENERIC_WRITE, ShareFlags(share), OPEN_EXISTING);
  }
};

}  // namespace

FileAccess& SystemFileAccess() {
  static Win32FileAccess access;
  return access;
}

}  // namespace pavonix
