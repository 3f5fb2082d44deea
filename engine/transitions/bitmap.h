// A 24-bit bitmap in the layout of a top-down Windows DIB: rows from the top,
// three bytes per pixel in the order blue, green, red, and every row padded to a
// multiple of four bytes.  The Windows presenter hands the rows to GDI as they are.
//
// Memory: first touching fresh pages is costly on the machines we run on (tens of
// milliseconds for a 4K frame), so a bitmap keeps its buffer when it is resized to
// a size that fits, and SetSize never clears.  Release() gives the memory back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/transitions/geometry.h"

namespace pavonix {

struct Color {
  uint8_t B = 0;
  uint8_t G = 0;
  uint8_t R = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int32_t width, int32_t height);
  Bitmap(const Bitmap& other);
  Bitmap& operator=(const Bitmap& other);
  Bitmap(Bitmap&& other) noexcept;
  Bitmap& operator=(Bitmap&& other) noexcept;
  ~Bitmap() = default;

  // Bytes per row for a width: 3 bytes a pixel, rounded up to a multiple of 4.
  static size_t StrideFor(int32_t width) { return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3}; }

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  size_t Stride() const { return stride_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }
  TRect Bounds() const { return {0, 0, width_, height_}; }
  size_t ByteSize() const { return stride_ * static_cast<size_t>(height_); }
  size_t Capacity() const { return capacity_; }

  uint8_t* Data() { return data_.get(); }
  const uint8_t* Data() const { return data_.get(); }
  uint8_t* Row(int32_t y) { return data_.get() + stride_ * static_cast<size_t>(y); }
  const uint8_t* Row(int32_t y) const { return data_.get() + stride_ * static_cast<size_t>(y); }

  Color Pixel(int32_t x, int32_t y) const {
    const uint8_t* p = Row(y) + 3 * static_cast<size_t>(x);
    return {p[0], p[1], p[2]};
  }
  void SetPixel(int32_t x, int32_t y, Color c) {
    uint8_t* p = Row(y) + 3 * static_cast<size_t>(x);
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
  }

  // Changes the size; the pixels are undefined afterwards.  Negative sizes count
  // as 0.  Throws std::bad_alloc when the memory cannot be had.
  void SetSize(int32_t width, int32_t height);
  // Size 0 x 0 and no memory.
  void Release();

  // Fills the whole bitmap, padding included, with one colour.
  void Fill(Color c);
  // Fills the part of r that lies inside the bitmap.
  void FillRect(const TRect& r, Color c);
  // Takes other's size and pixels, reusing this bitmap's memory where it fits.
  void Assign(const Bitmap& other);

  // Same size and the same pixels (row padding is not compared).
  friend bool operator==(const Bitmap& a, const Bitmap& b);

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  size_t stride_ = 0;
  size_t capacity_ = 0;
  std::unique_ptr<uint8_t[]> data_;
};

}  // namespace pavonix
