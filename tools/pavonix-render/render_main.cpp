// pavonix-render: draws a transition effect's 21 frames as PNG files, or a gallery
// of every effect, from two pictures, exactly as the screensaver draws them.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/transitions/effects.h"
#include "tools/common/cli.h"
#include "tools/common/picture_file.h"
#include "tools/common/png_io.h"
#include "tools/pavonix-render/effect_frames.h"
#include "tools/pavonix-render/gallery.h"

namespace pavonix::tools {
namespace {

constexpr const char* kUsage =
    "Usage: pavonix-render --effect N --from FILE --to FILE --out DIR [--size WxH] [--fit] [--seed S]\n"
    "       pavonix-render --gallery DIR --from FILE --to FILE [--size WxH] [--fit] [--seed S]\n"
    "\n"
    "Draws transition effects as the screensaver draws them, without the pauses.\n"
    "\n"
    "  --effect N     the effect number, 1 to 126; writes DIR/frame-00.png to\n"
    "                 frame-20.png, the canvas after each of the 21 frames\n"
    "  --gallery DIR  one contact sheet per effect (frames 0, 5, 10, 15, 20) as\n"
    "                 DIR/effect-001.png to effect-126.png, and DIR/index.html\n"
    "  --from FILE    the slide shown before, a JPEG or PNG picture\n"
    "  --to FILE      the slide that arrives, a JPEG or PNG picture\n"
    "  --out DIR      where the frames go (made when missing)\n"
    "  --size WxH     the target size: 640x480 for frames, 320x240 for a gallery\n"
    "  --fit          scale pictures down to fit, as the preview does; otherwise\n"
    "                 they keep their size, centred on black and cut at the edges\n"
    "  --seed S       seed for the random effects (default 0): the same seed\n"
    "                 gives the same bytes\n"
    "  --help         this text\n"
    "\n"
    "Exit codes: 0 success, 1 a bad file, 2 bad usage.\n";

struct Options {
  std::optional<int32_t> effect;
  std::optional<std::string> gallery;
  std::string from, to, out;
  std::optional<std::pair<int32_t, int32_t>> size;
  bool fit = false;
  uint64_t seed = 0;
};

std::pair<int32_t, int32_t> ParseSize(const std::string& text) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) throw cli::UsageError("--size: '" + text + "' is not WxH, for example 640x480");
  const auto w = cli::ParseInteger("--size width", std::string_view(text).substr(0, x), 1, 8192);
  const auto h = cli::ParseInteger("--size height", std::string_view(text).substr(x + 1), 1, 8192);
  return {static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

Options Parse(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--effect") {
      o.effect = static_cast<int32_t>(cli::ParseInteger("--effect", cli::OptionValue(args, i), kFirstEffect, kLastEffect));
    } else if (a == "--gallery") {
      o.gallery = cli::OptionValue(args, i);
    } else if (a == "--from") {
      o.from = cli::OptionValue(args, i);
    } else if (a == "--to") {
      o.to = cli::OptionValue(args, i);
    } else if (a == "--out") {
      o.out = cli::OptionValue(args, i);
    } else if (a == "--size") {
      o.size = ParseSize(cli::OptionValue(args, i));
    } else if (a == "--fit") {
      o.fit = true;
    } else if (a == "--seed") {
      o.seed = static_cast<uint64_t>(cli::ParseInteger("--seed", cli::OptionValue(args, i), 0, 999999999999));
    } else if (a.starts_with("-")) {
      throw cli::UsageError("unknown option '" + a + "'");
    } else {
      throw cli::UsageError("unexpected argument '" + a + "'");
    }
  }
  if (o.effect && o.gallery) throw cli::UsageError("--effect and --gallery do not go together");
  if (!o.effect && !o.gallery) throw cli::UsageError("--effect N or --gallery DIR is needed");
  if (o.from.empty()) throw cli::UsageError("--from FILE is needed");
  if (o.to.empty()) throw cli::UsageError("--to FILE is needed");
  if (o.effect && o.out.empty()) throw cli::UsageError("--out DIR is needed");
  if (o.gallery && !o.out.empty()) throw cli::UsageError("--out goes with --effect; --gallery names its own folder");
  if (o.gallery && o.gallery->empty()) throw cli::UsageError("--gallery needs a folder name");
  return o;
}

void MakeFolder(const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!std::filesystem::is_directory(dir)) {
    throw cli::ToolError(dir + ": cannot make the folder" + (error ? " (" + error.message() + ")" : ""));
  }
}

int Main(std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return cli::kExitOk;
    }
  }
  const Options o = Parse(args);
  RenderSettings settings;
  const auto size = o.size.value_or(o.gallery ? std::pair{320, 240} : std::pair{640, 480});
  settings.width = size.first;
  settings.height = size.second;
  settings.fit = o.fit;
  settings.seed = o.seed;

  const Bitmap fromPicture = LoadPicture(o.from);
  const Bitmap toPicture = LoadPicture(o.to);
  const SlidePair slides = ComposePair(fromPicture, toPicture, settings);

  if (o.gallery) {
    MakeFolder(*o.gallery);
    WriteGallery(*o.gallery, slides, settings, std::filesystem::path(o.from).filename().string(),
                 std::filesystem::path(o.to).filename().string());
    return cli::kExitOk;
  }
  MakeFolder(o.out);
  RenderFrames(*o.effect, slides, settings, [&](int32_t frame, const Bitmap& canvas) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%02d.png", frame);
    WritePng(o.out + name, canvas);
  });
  return cli::kExitOk;
}

}  // namespace
}  // namespace pavonix::tools

int main(int argc, char** argv) { return pavonix::cli::Run("pavonix-render", argc, argv, pavonix::tools::Main); }
