#include "tools/common/picture_file.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "engine/package/errors.h"
#include "engine/package/jpeg_decoder.h"
#include "tools/common/cli.h"
#include "tools/common/png_io.h"

namespace pavonix::tools {

Bitmap LoadPicture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw cli::ToolError(path + ": cannot open the file");
  std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw cli::ToolError(path + ": cannot read the file");

  if (LooksLikePng(data)) return ReadPng(data, path);
  if (data.size() >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) {
    Bitmap bitmap;
    try {
      DecodeJpeg(data.data(), data.size(), bitmap);
    } catch (const EPavonixError& e) {
      throw cli::ToolError(path + ": " + e.what());
    }
    return bitmap;
  }
  throw cli::ToolError(path + ": not a JPEG or PNG picture");
}

}  // namespace pavonix::tools
