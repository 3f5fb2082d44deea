// A small built-in bitmap font for labelling pictures the tools write, so that
// they need no font files: printable ASCII in cells 5 pixels wide and 9 high
// (7 above the baseline, 2 for descenders), one pixel apart.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/transitions/bitmap.h"

namespace pavonix::tools {

constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphHeight = 9;
constexpr int32_t kGlyphAdvance = 6;

// Width and height in pixels of text drawn at an integer scale.
int32_t TextWidth(std::string_view text, int32_t scale);
constexpr int32_t TextHeight(int32_t scale) { return kGlyphHeight * scale; }

// Draws text with its top-left corner at (x, y), clipped to the bitmap.  Only the
// glyphs' pixels are set; characters without a glyph are drawn as '?'.
void DrawText(Bitmap& target, int32_t x, int32_t y, std::string_view text, Color color, int32_t scale);

}  // namespace pavonix::tools
