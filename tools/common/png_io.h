// PNG files of 24-bit bitmaps, through libpng.
//
// Frames are written as 8-bit RGB without alpha or time stamps, so the same
// pixels always give the same bytes.  Any PNG can be read: grey, palette, 16-bit
// and transparent pictures come out as 24-bit colour, transparency put on black
// as the slides are composed on black.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/transitions/bitmap.h"

namespace pavonix::tools {

// Raises cli::ToolError naming the file when it cannot be written.
void WritePng(const std::string& path, const Bitmap& bitmap);

// The PNG held in memory as a bitmap; name is used in messages only.  Raises
// cli::ToolError when the data is not a PNG libpng can read.
Bitmap ReadPng(const std::vector<uint8_t>& data, const std::string& name);

// True when the data starts with the PNG signature.
bool LooksLikePng(const std::vector<uint8_t>& data);

}  // namespace pavonix::tools
