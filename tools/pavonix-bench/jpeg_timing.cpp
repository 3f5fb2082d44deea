#include "tools/pavonix-bench/jpeg_timing.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>

#include "engine/package/errors.h"
#include "engine/package/jpeg_decoder.h"
#include "engine/transitions/compose.h"
#include "tools/common/cli.h"
#include "tools/pavonix-bench/stopwatch.h"

namespace pavonix::bench {
namespace {

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw cli::ToolError(path + ": cannot open the file");
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw cli::ToolError(path + ": cannot read the file");
  return bytes;
}

// libjpeg reports fatal errors by calling error_exit, which must not return.
struct BareError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void BareErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<BareError*>(info->err)->jump, 1); }

// The reference: what any program using libjpeg's defaults pays to get the rows.
// Returns false when libjpeg gives up.
bool BareDecode(const std::vector<uint8_t>& data, std::vector<uint8_t>& pixels) {
  jpeg_decompress_struct info{};
  BareError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = BareErrorExit;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  const size_t stride = static_cast<size_t>(info.output_width) * static_cast<size_t>(info.output_components);
  pixels.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

JpegTiming MeasureJpeg(const std::string& path, int32_t width, int32_t height, int repetitions) {
  const std::vector<uint8_t> data = ReadFile(path);
  JpegTiming t;
  Bitmap picture, composed;
  std::vector<uint8_t> bare;
  std::vector<double> ours, reference;
  for (int r = 0; r < std::max(repetitions, 1) + 1; ++r) {
    Stopwatch watch;
    try {
      DecodeJpeg(data.data(), data.size(), picture);
    } catch (const EPavonixError& e) {
      throw cli::ToolError(path + ": " + e.what());
    }
    ComposeSlide(composed, width, height, picture,
                 PlacePicture(TRect{0, 0, width, height}, picture.Width(), picture.Height(), false));
    const double ourMs = watch.ElapsedMs();

    watch = Stopwatch();
    if (!BareDecode(data, bare)) throw cli::ToolError(path + ": libjpeg cannot decode the file");
    const double bareMs = watch.ElapsedMs();
    if (r == 0) continue;  // the first round pays for fresh memory on both sides
    ours.push_back(ourMs);
    reference.push_back(bareMs);
  }
  t.pictureWidth = picture.Width();
  t.pictureHeight = picture.Height();
  t.decodeComposeMs = Median(ours);
  t.bareDecodeMs = Median(reference);
  return t;
}

}  // namespace pavonix::bench
