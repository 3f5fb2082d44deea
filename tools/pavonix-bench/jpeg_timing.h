// Slide decoding as the slide thread does it (decode, then compose on black at
// the target size) against libjpeg's bare decode of the same file.
#pragma once

#include <cstdint>
#include <string>

namespace pavonix::bench {

struct JpegTiming {
  int32_t pictureWidth = 0;
  int32_t pictureHeight = 0;
  double decodeComposeMs = 0;  // our decoder into a bitmap, then composed
  double bareDecodeMs = 0;     // libjpeg alone, default settings, RGB rows
};

// Raises cli::ToolError naming the file when it cannot be read or decoded.
JpegTiming MeasureJpeg(const std::string& path, int32_t width, int32_t height, int repetitions);

}  // namespace pavonix::bench
