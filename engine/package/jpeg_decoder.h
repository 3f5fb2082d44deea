// JPEG slides into 24-bit bitmaps, through libjpeg with its default settings at
// full size.
//
// Every colour space libjpeg reads gives true colours: greyscale, YCbCr, RGB,
// CMYK and YCCK, with Adobe's inverted CMYK told apart by its marker.  Corrupt
// data that libjpeg only warns about is decoded as libjpeg does by default,
// silently.  Payloads come from packages nobody checked, so the decoder refuses
// before allocating what a hostile header asks for, and bounds libjpeg's own
// memory and the number of progressive scans it will read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/transitions/bitmap.h"

namespace pavonix {

struct JpegLimits {
  // Largest picture, in pixels: 2^28 holds photos of 250 megapixels (768 MiB as
  // a bitmap) and stops a 20-byte header from asking for 12 GiB.
  uint64_t maxPixels = uint64_t{1} << 28;
  // libjpeg's own allocations for whole-image buffers (progressive and
  // multi-scan pictures keep every coefficient): enough for a 2^28-pixel
  // 4:2:0 progressive photo.
  long maxDecoderMemory = 1L << 30;
  // Real progressive files have about ten scans; thousands of tiny scans are an
  // attack on decoding time.
  int maxScans = 500;
};

// Decodes a whole JPEG file held in memory into bitmap (top-down, B, G, R).
// Raises EJPEG with libjpeg's message code ("JPEG error #%d") when libjpeg
// rejects the data, or EJPEG with a plain message when a limit is exceeded or
// memory runs out.  The bitmap changes only on success.
void DecodeJpeg(const uint8_t* data, size_t size, Bitmap& bitmap, const JpegLimits& limits = {});

}  // namespace pavonix
