// The GDI calls of the oracle test and its reporting.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tests/wine/gdi_oracle.h"

namespace pavonix::oracle {

// ---------------------------------------------------------------------------
// Regions

namespace {

HRGN Checked(HRGN h, const char* what) {
  if (!h) throw std::runtime_error(std::string(what) + " failed");
  return h;
}

}  // namespace

GdiRegion GdiRegion::Rect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return GdiRegion(Checked(CreateRectRgn(left, top, right, bottom), "CreateRectRgn"));
}

GdiRegion GdiRegion::RoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) {
  return GdiRegion(Checked(CreateRoundRectRgn(left, top, right, bottom, ew, eh), "CreateRoundRectRgn"));
}

GdiRegion GdiRegion::Polygon(std::span<const TPoint> points) {
  std::vector<POINT> pts;
  for (const TPoint& p : points) pts.push_back({p.X, p.Y});
  return GdiRegion(
      Checked(CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), WINDING), "CreatePolygonRgn"));
}

GdiRegion::GdiRegion(GdiRegion&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

GdiRegion& GdiRegion::operator=(GdiRegion&& other) noexcept {
  std::swap(handle_, other.handle_);
  return *this;
}

GdiRegion::~GdiRegion() {
  if (handle_) DeleteObject(static_cast<HRGN>(handle_));
}

void GdiRegion::Or(const GdiRegion& other) {
  CombineRgn(static_cast<HRGN>(handle_), static_cast<HRGN>(handle_), static_cast<HRGN>(other.handle_), RGN_OR);
}

void GdiRegion::And(const GdiRegion& other) {
  CombineRgn(static_cast<HRGN>(handle_), static_cast<HRGN>(handle_), static_cast<HRGN>(other.handle_), RGN_AND);
}

void GdiRegion::Xor(const GdiRegion& other) {
  CombineRgn(static_cast<HRGN>(handle_), static_cast<HRGN>(handle_), static_cast<HRGN>(other.handle_), RGN_XOR);
}

Region GdiRegion::ReadBack() const {
  const HRGN h = static_cast<HRGN>(handle_);
  const DWORD size = GetRegionData(h, 0, nullptr);
  std::vector<unsigned char> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(h, size, data) != size) throw std::runtime_error("GetRegionData failed");
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  RegionBuilder builder;
  builder.Add(TRect{});  // so that an empty region reads back as one
  for (DWORD i = 0; i < data->rdh.nCount; ++i) {
    // GDI may keep rows that came out empty; they cover nothing.
    if (rects[i].left < rects[i].right && rects[i].top < rects[i].bottom) {
      builder.Add(TRect{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom});
    }
  }
  return *builder.Finish();
}

// ---------------------------------------------------------------------------
// Bitmaps

struct GdiBitmap::Handles {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
  uint8_t* bits = nullptr;
  size_t stride = 0;
};

GdiBitmap::GdiBitmap(int32_t width, int32_t height) : width_(width), height_(height), h_(new Handles) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as our bitmaps
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  h_->dc = CreateCompatibleDC(nullptr);
  h_->bitmap = CreateDIBSection(h_->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!h_->dc || !h_->bitmap) throw std::runtime_error("CreateDIBSection failed");
  h_->bits = static_cast<uint8_t*>(bits);
  h_->stride = Bitmap::StrideFor(width);
  h_->previous = SelectObject(h_->dc, h_->bitmap);
  SetStretchBltMode(h_->dc, COLORONCOLOR);
}

GdiBitmap::~GdiBitmap() {
  SelectObject(h_->dc, h_->previous);
  DeleteObject(h_->bitmap);
  DeleteDC(h_->dc);
}

void GdiBitmap::Load(const Bitmap& pixels) {
  GdiFlush();
  for (int32_t y = 0; y < height_; ++y) std::memcpy(h_->bits + h_->stride * y, pixels.Row(y), 3 * size_t(width_));
}

Bitmap GdiBitmap::Read() const {
  GdiFlush();
  Bitmap out(width_, height_);
  for (int32_t y = 0; y < height_; ++y) std::memcpy(out.Row(y), h_->bits + h_->stride * y, 3 * size_t(width_));
  return out;
}

void GdiBitmap::StretchFrom(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const GdiBitmap& source, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh) {
  ::StretchBlt(h_->dc, dx, dy, dw, dh, source.h_->dc, sx, sy, sw, sh, SRCCOPY);
}

void GdiBitmap::CopyThrough(const GdiBitmap& source, const GdiRegion& clip) {
  ExtSelectClipRgn(h_->dc, static_cast<HRGN>(clip.Handle()), RGN_COPY);
  ::BitBlt(h_->dc, 0, 0, source.width_, source.height_, source.h_->dc, 0, 0, SRCCOPY);
  SelectClipRgn(h_->dc, nullptr);
}

// ---------------------------------------------------------------------------
// Reporting

namespace {

constexpr int kMaxPrinted = 40;

int64_t PixelCount(const Region& r) {
  int64_t n = 0;
  for (const TRect& t : r.Rects()) n += int64_t{t.Width()} * t.Height();
  return n;
}

}  // namespace

void Report::Fail(const std::string& text) {
  ++failures_;
  ++sectionFailures_;
  if (printed_++ < kMaxPrinted) std::printf("FAIL %s\n", text.c_str());
}

bool Report::Regions(const std::string& label, const Region& gdi, const Region& ours) {
  ++cases_;
  ++sectionCases_;
  if (gdi == ours) return true;
  Region diff = gdi;
  diff.Xor(ours);
  char text[512];
  if (diff.IsEmpty()) {
    std::snprintf(text, sizeof text, "%s: same pixels, different banding", label.c_str());
  } else {
    const TRect first = diff.Rects().front();
    const TRect box = diff.Bounds();
    std::snprintf(text, sizeof text,
                  "%s: first difference at (%d, %d): GDI %s, ours %s; differences within (%d, %d, %d, %d), "
                  "%lld pixels",
                  label.c_str(), first.Left, first.Top, gdi.Contains(first.Left, first.Top) ? "in" : "out",
                  ours.Contains(first.Left, first.Top) ? "in" : "out", box.Left, box.Top, box.Right, box.Bottom,
                  static_cast<long long>(PixelCount(diff)));
  }
  Fail(text);
  return false;
}

bool Report::Pixels(const std::string& label, const Bitmap& gdi, const Bitmap& ours) {
  ++cases_;
  ++sectionCases_;
  if (gdi == ours) return true;
  bool found = false;
  TRect box{};
  int64_t count = 0;
  char first[200] = "";
  for (int32_t y = 0; y < gdi.Height(); ++y) {
    for (int32_t x = 0; x < gdi.Width(); ++x) {
      const Color a = gdi.Pixel(x, y), b = ours.Pixel(x, y);
      if (a == b) continue;
      ++count;
      if (!found) {
        std::snprintf(first, sizeof first, "(%d, %d): GDI BGR %02X%02X%02X, ours %02X%02X%02X", x, y, a.B, a.G,
                      a.R, b.B, b.G, b.R);
        box = {x, y, x + 1, y + 1};
        found = true;
      } else {
        box = UnionRect(box, TRect{x, y, x + 1, y + 1});
      }
    }
  }
  char text[512];
  std::snprintf(text, sizeof text, "%s: first difference at %s; differences within (%d, %d, %d, %d), %lld pixels",
                label.c_str(), first, box.Left, box.Top, box.Right, box.Bottom, static_cast<long long>(count));
  Fail(text);
  return false;
}

void Report::Section(const std::string& name) {
  if (!section_.empty()) {
    std::printf("%-28s %6d cases, %d failed\n", section_.c_str(), sectionCases_, sectionFailures_);
  }
  section_ = name;
  sectionCases_ = sectionFailures_ = 0;
  std::fflush(stdout);
}

int Report::Finish() {
  Section("");
  std::printf("total: %d cases, %d failed, %d skipped (GDI leaves them undefined)\n", cases_, failures_, skipped_);
  return failures_ == 0 ? 0 : 1;
}

bool GdiDefinesRoundRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t ew, int32_t eh) {
  // GDI's walk along the corner ellipse reaches every row unless the ellipse is
  // far taller than wide: measured, the first height it fails at is about
  // 1.8 times the square of the width (3 for width 2, 162 for width 10), so
  // heights up to half the square are safe.
  const int64_t width = std::abs(int64_t{right} - left) - 1;
  const int64_t height = std::abs(int64_t{bottom} - top) - 1;
  const int64_t cw = std::min<int64_t>(width, std::abs(int64_t{ew}));
  const int64_t ch = std::min<int64_t>(height, std::abs(int64_t{eh}));
  if (cw < 2 || ch < 2) return true;
  return 2 * ch <= cw * cw;
}

}  // namespace pavonix::oracle
