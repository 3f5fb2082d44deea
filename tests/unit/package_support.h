// Package test helpers: JPEG files made with libjpeg's compressor in every colour
// space, and packages laid out byte by byte (hostile ones included).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/package/file_access.h"
#include "engine/package/mpf_format.h"

namespace pavonix::test {

using Bytes = std::vector<uint8_t>;

enum class JpegKind {
  Grey,        // one component
  YCbCr,       // the usual colour JPEG, 4:2:0
  Rgb,         // three components stored as R, G, B (Adobe transform 0)
  Cmyk,        // four components of ink, no Adobe marker
  AdobeCmyk,   // four components stored inverted, with Adobe's marker
  Ycck,        // Adobe's YCCK (inverted CMYK, colour-transformed)
};

struct JpegPlan {
  int width = 16;
  int height = 16;
  JpegKind kind = JpegKind::YCbCr;
  bool progressive = false;
  int quality = 95;
  // The pixel at (x, y): R, G, B (Grey takes R) or, for the CMYK kinds, the ink
  // C, M, Y, K (0 = none); the helper stores it the way each kind's writers do.
  std::function<std::array<uint8_t, 4>(int x, int y)> pixel = [](int, int) {
    return std::array<uint8_t, 4>{128, 128, 128, 0};
  };
};

Bytes MakeJpeg(const JpegPlan& plan);

// A package laid out as the package tool writes it: header, sound entries, slide
// entries, then the payloads back to back in directory order.
struct PackagePlan {
  PackageHeader header;  // counts are set from the lists below
  std::vector<std::pair<uint16_t, Bytes>> sounds;  // kind, payload
  std::vector<Bytes> slides;
};

Bytes MakePackage(PackagePlan plan);

// Overwrites the offset and size of the entry at position in a package.
void PatchEntry(Bytes& package, size_t position, int32_t offset, int32_t size);

// Two opens of one existing file, the second while the first is held, and
// whether Windows lets the second one through.  Run against the in-memory
// stand-in natively and against the Win32 implementation under Wine, so that
// the stand-in is known to behave as the real thing.
enum class OpenKind { Read, ReadShareNone, ReadShareReadWrite, ReadWriteShareReadWrite, ReadWriteShareRead, Create };

struct ShareCase {
  const char* label;
  OpenKind first;
  OpenKind second;
  bool secondSucceeds;
};

extern const std::vector<ShareCase> kShareCases;

// Opens path in the given way; Read reads with read sharing, as the package
// operations do.  Null when the open is refused.
std::unique_ptr<FileHandle> OpenAs(FileAccess& files, const std::string& path, OpenKind kind);

}  // namespace pavonix::test
