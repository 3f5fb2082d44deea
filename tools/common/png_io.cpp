#include "tools/common/png_io.h"

#include <png.h>

#include <cstring>

#include "tools/common/cli.h"

namespace pavonix::tools {

void WritePng(const std::string& path, const Bitmap& bitmap) {
  if (bitmap.IsEmpty()) throw cli::ToolError(path + ": cannot write an empty picture");
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(bitmap.Width());
  image.height = static_cast<png_uint_32>(bitmap.Height());
  // The bitmap's bytes run blue, green, red: libpng swaps them into RGB.
  image.format = PNG_FORMAT_BGR;
  if (!png_image_write_to_file(&image, path.c_str(), 0, bitmap.Data(), static_cast<png_int_32>(bitmap.Stride()),
                               nullptr)) {
    const std::string why = image.message[0] ? image.message : "write failed";
    png_image_free(&image);
    throw cli::ToolError(path + ": cannot write the PNG file (" + why + ")");
  }
}

bool LooksLikePng(const std::vector<uint8_t>& data) {
  return data.size() >= 8 && png_sig_cmp(data.data(), 0, 8) == 0;
}

Bitmap ReadPng(const std::vector<uint8_t>& data, const std::string& name) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
    throw cli::ToolError(name + ": not a readable PNG picture (" + image.message + ")");
  }
  // Refuse before allocating what a broken header asks for.
  constexpr uint64_t kMaxPixels = uint64_t{1} << 28;
  if (image.width == 0 || image.height == 0 || image.width > INT32_MAX / 4 || image.height > INT32_MAX / 4 ||
      uint64_t{image.width} * image.height > kMaxPixels) {
    png_image_free(&image);
    throw cli::ToolError(name + ": the PNG picture is too large");
  }
  image.format = PNG_FORMAT_BGR;
  Bitmap bitmap(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
  bitmap.Fill(Color{});
  const png_color black{0, 0, 0};
  if (!png_image_finish_read(&image, &black, bitmap.Data(), static_cast<png_int_32>(bitmap.Stride()), nullptr)) {
    const std::string why = image.message;
    png_image_free(&image);
    throw cli::ToolError(name + ": broken PNG picture (" + why + ")");
  }
  return bitmap;
}

}  // namespace pavonix::tools
