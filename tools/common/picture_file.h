// Pictures for the tools: a JPEG (decoded as the engine decodes slides) or a PNG,
// told apart by their first bytes rather than by the file name.
#pragma once

#include <string>

#include "engine/transitions/bitmap.h"

namespace pavonix::tools {

// Raises cli::ToolError naming the file when it cannot be read or decoded.
Bitmap LoadPicture(const std::string& path);

}  // namespace pavonix::tools
