// The GDI side of the oracle test, behind types that carry no Windows header:
// regions made and combined by GDI and read back with GetRegionData, and DIB
// sections drawn on with StretchBlt and clipped BitBlt.  The cases compare what
// these give with what the renderer gives.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "engine/transitions/bitmap.h"
#include "engine/transitions/geometry.h"
#include "engine/transitions/region.h"

namespace pavonix::oracle {

// A GDI region handle, deleted with the object.
class GdiRegion {
 public:
  static GdiRegion Rect(int32_t left, int32_t top, int32_t right, int32_t bottom);
  static GdiRegion RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh);
  static GdiRegion Polygon(std::span<const TPoint> points);  // WINDING
  GdiRegion(GdiRegion&& other) noexcept;
  GdiRegion& operator=(GdiRegion&& other) noexcept;
  ~GdiRegion();

  // CombineRgn(this, this, other, mode).
  void Or(const GdiRegion& other);
  void And(const GdiRegion& other);
  void Xor(const GdiRegion& other);

  // The rectangles GetRegionData reports, put into our canonical banding.
  Region ReadBack() const;
  void* Handle() const { return handle_; }

 private:
  explicit GdiRegion(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
};

// A top-down 24-bit DIB section selected into a memory DC, with the stretch mode
// set to COLORONCOLOR.
class GdiBitmap {
 public:
  GdiBitmap(int32_t width, int32_t height);
  ~GdiBitmap();
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;

  // Copies the pixels in or out; the sizes must match.
  void Load(const Bitmap& pixels);
  Bitmap Read() const;

  // StretchBlt(this, dx, dy, dw, dh, source, sx, sy, sw, sh, SRCCOPY).
  void StretchFrom(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const GdiBitmap& source, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh);
  // The whole source at (0, 0) through a clip region: ExtSelectClipRgn, BitBlt,
  // then the clip removed again.
  void CopyThrough(const GdiBitmap& source, const GdiRegion& clip);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  int32_t width_;
  int32_t height_;
  struct Handles;
  std::unique_ptr<Handles> h_;
};

// Counts cases and prints the first failures with where they differ.
class Report {
 public:
  // True when equal; otherwise prints the label, the first differing pixel, the
  // bounding box of the differences and their pixel count.
  bool Regions(const std::string& label, const Region& gdi, const Region& ours);
  bool Pixels(const std::string& label, const Bitmap& gdi, const Bitmap& ours);
  void Skip() { ++skipped_; }
  void Section(const std::string& name);  // prints the previous section's counts
  int Finish();                           // prints the totals; the exit code

 private:
  void Fail(const std::string& text);
  std::string section_;
  int cases_ = 0, failures_ = 0, skipped_ = 0;
  int sectionCases_ = 0, sectionFailures_ = 0;
  int printed_ = 0;
};

// Every pixel distinct for sizes up to 4096, so a copy from the wrong place shows.
Bitmap NumberedBitmap(int32_t w, int32_t h);

// The cases, by family.
void RunShapeTableCases(Report& report);
void RunEffectRegionCases(Report& report);
void RunEffectCopyCases(Report& report);
void RunRandomRegionCases(Report& report, uint64_t seed);
void RunCopyTableCases(Report& report);
void RunRandomCopyCases(Report& report, uint64_t seed);

// True when GDI fills every row of this rounded rectangle; for very narrow, tall
// corner ellipses it leaves the rows at the tip undefined.
bool GdiDefinesRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh);

}  // namespace pavonix::oracle
