#include "engine/package/memory_file_access.h"

#include <algorithm>
#include <cstring>

namespace pavonix {
namespace {

constexpr uint8_t kRead = 1;
constexpr uint8_t kWrite = 2;

struct Node {
  std::vector<uint8_t> data;
  // Access and share bits of every handle open on this file, by handle id.
  std::map<uint64_t, std::pair<uint8_t, uint8_t>> opens;
};

}  // namespace

struct MemoryFileSystem {
  mutable std::mutex mutex;
  std::map<std::string, std::shared_ptr<Node>> files;
  int64_t freeSpace = -1;  // -1: unlimited
  uint64_t nextId = 1;
  int openHandles = 0;
};

namespace {

class MemoryFileHandle : public FileHandle {
 public:
  MemoryFileHandle(std::shared_ptr<MemoryFileSystem> state, std::shared_ptr<Node> node, uint64_t id,
                   bool writable)
      : state_(std::move(state)), node_(std::move(node)), id_(id), writable_(writable) {}

  ~MemoryFileHandle() override;
  MemoryFileHandle(const MemoryFileHandle&) = delete;
  MemoryFileHandle& operator=(const MemoryFileHandle&) = delete;

  int64_t Size() override;
  bool Seek(int64_t position) override;
  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;

 private:
  std::shared_ptr<MemoryFileSystem> state_;
  std::shared_ptr<Node> node_;
  uint64_t id_;
  bool writable_;
  int64_t position_ = 0;
};

MemoryFileHandle::~MemoryFileHandle() {
  std::lock_guard lock(state_->mutex);
  node_->opens.erase(id_);
  --state_->openHandles;
}

int64_t MemoryFileHandle::Size() {
  std::lock_guard lock(state_->mutex);
  return static_cast<int64_t>(node_->data.size());
}

bool MemoryFileHandle::Seek(int64_t position) {
  if (position < 0) return false;
  position_ = position;
  return true;
}

size_t MemoryFileHandle::Read(void* buffer, size_t count) {
  std::lock_guard lock(state_->mutex);
  const int64_t size = static_cast<int64_t>(node_->data.size());
  if (position_ >= size) return 0;
  const size_t n = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size - position_));
  std::memcpy(buffer, node_->data.data() + position_, n);
  position_ += static_cast<int64_t>(n);
  return n;
}

size_t MemoryFileHandle::Write(const void* buffer, size_t count) {
  if (!writable_) return 0;
  std::lock_guard lock(state_->mutex);
  const int64_t size = static_cast<int64_t>(node_->data.size());
  int64_t end = position_ + static_cast<int64_t>(count);
  if (state_->freeSpace >= 0 && end > size) {
    const int64_t limit = size + state_->freeSpace;
    // Nothing fits when the position already lies beyond what the disk can hold.
    if (position_ >= limit) return 0;
    end = std::min(end, limit);
    state_->freeSpace -= end - size;
  }
  if (end > size) node_->data.resize(static_cast<size_t>(end));
  const size_t n = static_cast<size_t>(end - position_);
  if (n > 0) std::memcpy(node_->data.data() + position_, buffer, n);
  position_ = end;
  return n;
}

// Windows refuses an open when any existing handle does not share what the new
// one wants to do, or when the new one does not share what an existing one does.
bool Conflicts(const Node& node, uint8_t access, uint8_t share) {
  for (const auto& [id, open] : node.opens) {
    const auto [openAccess, openShare] = open;
    if ((access & ~openShare) != 0 || (openAccess & ~share) != 0) return true;
  }
  return false;
}

}  // namespace

MemoryFileAccess::MemoryFileAccess() : state_(std::make_shared<MemoryFileSystem>()) {}
MemoryFileAccess::~MemoryFileAccess() = default;

bool MemoryFileAccess::Exists(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  return state_->files.count(path) != 0;
}

namespace {

std::unique_ptr<FileHandle> OpenNode(const std::shared_ptr<MemoryFileSystem>& state,
                                     const std::shared_ptr<Node>& node, uint8_t access, uint8_t share) {
  if (Conflicts(*node, access, share)) return nullptr;
  const uint64_t id = state->nextId++;
  node->opens[id] = {access, share};
  ++state->openHandles;
  return std::make_unique<MemoryFileHandle>(state, node, id, (access & kWrite) != 0);
}

}  // namespace

std::unique_ptr<FileHandle> MemoryFileAccess::OpenRead(const std::string& path, FileShare share) {
  std::lock_guard lock(state_->mutex);
  const auto it = state_->files.find(path);
  if (it == state_->files.end()) return nullptr;
  return OpenNode(state_, it->second, kRead, static_cast<uint8_t>(share));
}

std::unique_ptr<FileHandle> MemoryFileAccess::Create(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  std::shared_ptr<Node>& node = state_->files[path];
  if (!node) node = std::make_shared<Node>();
  auto handle = OpenNode(state_, node, kRead | kWrite, 0);
  if (handle) {
    if (state_->freeSpace >= 0) state_->freeSpace += static_cast<int64_t>(node->data.size());
    node->data.clear();
  }
  return handle;
}

std::unique_ptr<FileHandle> MemoryFileAccess::OpenReadWrite(const std::string& path, FileShare share) {
  std::lock_guard lock(state_->mutex);
  const auto it = state_->files.find(path);
  if (it == state_->files.end()) return nullptr;
  return OpenNode(state_, it->second, kRead | kWrite, static_cast<uint8_t>(share));
}

void MemoryFileAccess::SetFile(const std::string& path, std::vector<uint8_t> content) {
  auto node = std::make_shared<Node>();
  node->data = std::move(content);
  std::lock_guard lock(state_->mutex);
  state_->files[path] = std::move(node);
}

std::optional<std::vector<uint8_t>> MemoryFileAccess::File(const std::string& path) const {
  std::lock_guard lock(state_->mutex);
  const auto it = state_->files.find(path);
  if (it == state_->files.end()) return std::nullopt;
  return it->second->data;
}

void MemoryFileAccess::Remove(const std::string& path) {
  std::lock_guard lock(state_->mutex);
  state_->files.erase(path);
}

void MemoryFileAccess::SetFreeSpace(int64_t bytes) {
  std::lock_guard lock(state_->mutex);
  state_->freeSpace = bytes;
}

int MemoryFileAccess::OpenHandles() const {
  std::lock_guard lock(state_->mutex);
  return state_->openHandles;
}

}  // namespace pavonix
