#include "engine/package/package_io.h"

#include <algorithm>
#include <new>

#include "engine/package/errors.h"

namespace pavonix {

size_t ReadPackageHeader(FileHandle& file, PackageHeader& header) {
  header.bytes.fill(0);
  if (!file.Seek(0)) return 0;
  return file.Read(header.bytes.data(), header.bytes.size());
}

size_t ReadDirectoryEntry(FileHandle& file, int64_t position, DirectoryEntry& entry) {
  entry.bytes.fill(0);
  if (!file.Seek(position)) return 0;
  return file.Read(entry.bytes.data(), entry.bytes.size());
}

std::string_view PayloadProblem(const DirectoryEntry& entry, int64_t fileSize) {
  if (entry.Offset() < 0) return "negative offset";
  if (entry.Size() < 0) return "negative size";
  // Both are below 2^31, so the sum cannot overflow.
  if (int64_t{entry.Offset()} + entry.Size() > fileSize) return "payload runs past the end of the file";
  return {};
}

namespace {

void CheckPayload(FileHandle& file, const DirectoryEntry& entry) {
  const int64_t size = file.Size();
  if (size < 0 || !PayloadProblem(entry, size).empty()) throw EReadError();
  if (!file.Seek(entry.Offset())) throw EReadError();
}

}  // namespace

std::vector<uint8_t> ReadPayload(FileHandle& file, const DirectoryEntry& entry) {
  CheckPayload(file, entry);
  std::vector<uint8_t> payload;
  try {
    payload.resize(static_cast<size_t>(entry.Size()));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory();
  }
  size_t done = 0;
  while (done < payload.size()) {
    const size_t piece = std::min(kCopyPieceSize, payload.size() - done);
    if (file.Read(payload.data() + done, piece) != piece) throw EReadError();
    done += piece;
  }
  return payload;
}

void CopyPayload(FileHandle& file, const DirectoryEntry& entry, FileHandle& target) {
  CheckPayload(file, entry);
  std::vector<uint8_t> buffer(std::min<size_t>(kCopyPieceSize, static_cast<size_t>(entry.Size())));
  size_t left = static_cast<size_t>(entry.Size());
  while (left > 0) {
    const size_t piece = std::min(kCopyPieceSize, left);
    if (file.Read(buffer.data(), piece) != piece) throw EReadError();
    if (target.Write(buffer.data(), piece) != piece) throw EWriteError();
    left -= piece;
  }
}

void SavePackageHeader(FileAccess& files, const std::string& path, const PackageHeader& header) {
  const auto file = files.OpenReadWrite(path, FileShare::ReadWrite);
  if (!file) throw EFOpenError(path);
  if (!file->Seek(0) || file->Write(header.bytes.data(), header.bytes.size()) != header.bytes.size()) {
    throw EWriteError();
  }
}

}  // namespace pavonix
