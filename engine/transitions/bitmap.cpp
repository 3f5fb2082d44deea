#include "engine/transitions/bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace pavonix {

Bitmap::Bitmap(int32_t width, int32_t height) { SetSize(width, height); }

Bitmap::Bitmap(const Bitmap& other) { Assign(other); }

Bitmap& Bitmap::operator=(const Bitmap& other) {
  if (this != &other) Assign(other);
  return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      stride_(std::exchange(other.stride_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      data_(std::move(other.data_)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
  if (this != &other) {
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    data_ = std::move(other.data_);
  }
  return *this;
}

void Bitmap::SetSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == 0 || height == 0) {
    width = height = 0;
  }
  const size_t stride = StrideFor(width);
  const size_t bytes = stride * static_cast<size_t>(height);
  if (bytes > capacity_) {
    // Default-initialised on purpose: pages are touched by whoever fills them.
    std::unique_ptr<uint8_t[]> fresh(new uint8_t[bytes]);
    data_ = std::move(fresh);
    capacity_ = bytes;
  }
  width_ = width;
  height_ = height;
  stride_ = stride;
}

void Bitmap::Release() {
  data_.reset();
  width_ = height_ = 0;
  stride_ = capacity_ = 0;
}

void Bitmap::Fill(Color c) {
  if (IsEmpty()) return;
  if (c.B == c.G && c.G == c.R) {
    std::memset(data_.get(), c.B, ByteSize());
    return;
  }
  FillRect(Bounds(), c);
}

void Bitmap::FillRect(const TRect& r, Color c) {
  const TRect clip = IntersectRect(NormalizeRect(r), Bounds());
  if (clip.IsEmpty()) return;
  const size_t n = static_cast<size_t>(clip.Width());
  for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
    uint8_t* p = Row(y) + 3 * static_cast<size_t>(clip.Left);
    if (c.B == c.G && c.G == c.R) {
      std::memset(p, c.B, 3 * n);
      continue;
    }
    for (size_t i = 0; i < n; ++i, p += 3) {
      p[0] = c.B;
      p[1] = c.G;
      p[2] = c.R;
    }
  }
}

void Bitmap::Assign(const Bitmap& other) {
  if (this == &other) return;
  SetSize(other.width_, other.height_);
  if (!IsEmpty()) std::memcpy(data_.get(), other.data_.get(), ByteSize());
}

bool operator==(const Bitmap& a, const Bitmap& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const size_t n = 3 * static_cast<size_t>(a.width_);
  for (int32_t y = 0; y < a.height_; ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), n) != 0) return false;
  }
  return true;
}

}  // namespace pavonix
