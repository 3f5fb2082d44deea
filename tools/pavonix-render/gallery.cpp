#include "tools/pavonix-render/gallery.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "engine/transitions/effects.h"
#include "tools/common/bitmap_font.h"
#include "tools/common/cli.h"
#include "tools/common/png_io.h"

namespace pavonix::tools {
namespace {

constexpr int32_t kShownFrames[] = {0, 5, 10, 15, 20};
constexpr int32_t kPad = 8;
constexpr int32_t kGap = 8;
constexpr int32_t kTitleScale = 2;
constexpr int32_t kCaptionScale = 1;
constexpr Color kBackground{0x30, 0x30, 0x30};
constexpr Color kBorder{0x70, 0x70, 0x70};
constexpr Color kTitle{0xF0, 0xF0, 0xF0};
constexpr Color kCaption{0xC0, 0xC0, 0xC0};

std::string SheetName(int32_t effect) {
  char name[32];
  std::snprintf(name, sizeof name, "effect-%03d.png", effect);
  return name;
}

// Where the frames sit on a sheet.
struct SheetLayout {
  int32_t width, height;
  int32_t framesTop;
  int32_t FrameLeft(int32_t i, int32_t frameWidth) const { return kPad + i * (frameWidth + kGap); }
};

SheetLayout LayoutFor(const RenderSettings& s) {
  const int32_t count = static_cast<int32_t>(std::size(kShownFrames));
  const int32_t framesTop = kPad + TextHeight(kTitleScale) + kPad;
  int32_t titleWidth = 0;
  for (const EffectInfo& e : AllEffects()) titleWidth = std::max(titleWidth, TextWidth(EffectLabel(e.number), kTitleScale));
  const int32_t width = std::max(2 * kPad + count * s.width + (count - 1) * kGap, 2 * kPad + titleWidth);
  const int32_t height = framesTop + s.height + 4 + TextHeight(kCaptionScale) + kPad;
  return {width, height, framesTop};
}

Bitmap MakeSheet(int32_t effect, const SlidePair& slides, const RenderSettings& s) {
  const SheetLayout layout = LayoutFor(s);
  Bitmap sheet(layout.width, layout.height);
  sheet.Fill(kBackground);
  DrawText(sheet, kPad, kPad, EffectLabel(effect), kTitle, kTitleScale);

  size_t next = 0;
  RenderFrames(effect, slides, s, [&](int32_t frame, const Bitmap& canvas) {
    if (next >= std::size(kShownFrames) || frame != kShownFrames[next]) return;
    const int32_t left = layout.FrameLeft(static_cast<int32_t>(next), s.width);
    const int32_t top = layout.framesTop;
    // A thin frame, so dark pictures stay apart from the background.
    sheet.FillRect({left - 1, top - 1, left + s.width + 1, top + s.height + 1}, kBorder);
    for (int32_t y = 0; y < s.height; ++y) {
      std::copy_n(canvas.Row(y), 3 * static_cast<size_t>(s.width), sheet.Row(top + y) + 3 * static_cast<size_t>(left));
    }
    const std::string caption = "frame " + std::to_string(frame) + ", p = " + std::to_string(5 * frame);
    DrawText(sheet, left, top + s.height + 4, caption, kCaption, kCaptionScale);
    ++next;
  });
  return sheet;
}

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

void WriteIndex(const std::string& dir, const RenderSettings& s, const std::string& fromName,
                const std::string& toName) {
  const std::string path = dir + "/index.html";
  std::ofstream html(path, std::ios::binary);
  if (!html) throw cli::ToolError(path + ": cannot create the file");
  const SheetLayout layout = LayoutFor(s);
  html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
       << "<title>Transition effects</title>\n<style>\n"
       << "body { background: #202020; color: #e0e0e0; font-family: sans-serif; margin: 1em; }\n"
       << "a { color: #9cf; }\n"
       << "nav { columns: 16em; margin-bottom: 2em; }\n"
       << "section { margin: 0 0 2em 0; }\n"
       << "h2 { font-size: 1.1em; margin: 0 0 0.3em 0; }\n"
       << "img { max-width: 100%; height: auto; image-rendering: pixelated; }\n"
       << "</style>\n</head>\n<body>\n"
       << "<h1>Transition effects</h1>\n"
       << "<p>From " << EscapeHtml(fromName) << " to " << EscapeHtml(toName) << " at " << s.width << "&times;"
       << s.height << (s.fit ? ", fitted" : "") << ", seed " << s.seed
       << ". Each sheet shows frames 0, 5, 10, 15 and 20 of the 21.</p>\n<nav>\n";
  for (const EffectInfo& e : AllEffects()) {
    html << "<a href=\"#effect-" << e.number << "\">" << EscapeHtml(EffectLabel(e.number)) << "</a><br>\n";
  }
  html << "</nav>\n";
  for (const EffectInfo& e : AllEffects()) {
    const std::string label = EscapeHtml(EffectLabel(e.number));
    html << "<section id=\"effect-" << e.number << "\">\n<h2>" << label << "</h2>\n"
         << "<img src=\"" << SheetName(e.number) << "\" width=\"" << layout.width << "\" height=\"" << layout.height
         << "\" alt=\"" << label << "\">\n</section>\n";
  }
  html << "</body>\n</html>\n";
  if (!html.flush()) throw cli::ToolError(path + ": cannot write the file");
}

}  // namespace

std::string EffectLabel(int32_t effect) {
  const EffectInfo* info = FindEffect(effect);
  if (info == nullptr || info->name.empty()) {
    return std::to_string(effect) + " (no drawing of its own: the new slide at once)";
  }
  return std::to_string(effect) + " " + std::string(info->name);
}

void WriteGallery(const std::string& dir, const SlidePair& slides, const RenderSettings& settings,
                  const std::string& fromName, const std::string& toName) {
  for (const EffectInfo& e : AllEffects()) {
    WritePng(dir + "/" + SheetName(e.number), MakeSheet(e.number, slides, settings));
  }
  WriteIndex(dir, settings, fromName, toName);
}

}  // namespace pavonix::tools
