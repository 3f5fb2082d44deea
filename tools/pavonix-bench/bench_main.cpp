// pavonix-bench: how long each effect takes to draw a frame, next to the least a
// frame can cost (one copy of the whole frame), and how long a slide takes to
// decode and compose next to libjpeg's bare decode.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "engine/transitions/effects.h"
#include "tools/common/cli.h"
#include "tools/common/text_escape.h"
#include "tools/pavonix-bench/effect_timing.h"
#include "tools/pavonix-bench/jpeg_timing.h"
#include "tools/pavonix-bench/stopwatch.h"

namespace pavonix::bench {
namespace {

constexpr const char* kUsage =
    "Usage: pavonix-bench [--size WxH] [--effects LIST] [--reps N] [--jpeg FILE] [--json]\n"
    "\n"
    "Times every frame of each effect's transition (building its region or\n"
    "rectangles and drawing, without the pauses) on a canvas of the given size,\n"
    "and prints the median time per frame and its ratio to one memcpy of the\n"
    "whole 24-bit frame, measured in the same run.  Times are the measuring\n"
    "thread's CPU time where the system keeps it finely (Linux), so that other\n"
    "programs sharing the processor do not count; the wall clock elsewhere.\n"
    "\n"
    "  --size WxH     the canvas size (default 1920x1080)\n"
    "  --effects LIST effect numbers and ranges, for example 5,118,122,84 or\n"
    "                 1-57 (default: all, 1 to 126)\n"
    "  --reps N       transitions per effect (default 3); the median is taken\n"
    "                 over all their frames\n"
    "  --jpeg FILE    also time decoding FILE and composing it at the canvas size,\n"
    "                 as the slide thread does, against libjpeg's bare decode\n"
    "  --json         print JSON: size, clock, memcpy_ms, effects (number, name,\n"
    "                 ms_per_frame, ratio) and, with --jpeg, jpeg\n"
    "  --help         this text\n"
    "\n"
    "Exit codes: 0 success, 1 a bad file, 2 bad usage.\n";

struct Options {
  int32_t width = 1920;
  int32_t height = 1080;
  std::vector<int32_t> effects;
  int reps = 3;
  std::optional<std::string> jpeg;
  bool json = false;
};

void ParseSize(const std::string& text, Options& o) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) throw cli::UsageError("--size: '" + text + "' is not WxH, for example 1920x1080");
  o.width = static_cast<int32_t>(cli::ParseInteger("--size width", std::string_view(text).substr(0, x), 1, 16384));
  o.height =
      static_cast<int32_t>(cli::ParseInteger("--size height", std::string_view(text).substr(x + 1), 1, 16384));
}

std::vector<int32_t> ParseEffects(const std::string& text) {
  std::vector<int32_t> out;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const size_t dash = item.find('-');
    const std::string_view view(item);
    const auto first = cli::ParseInteger("--effects", view.substr(0, dash), kFirstEffect, kLastEffect);
    const auto last =
        dash == std::string::npos ? first : cli::ParseInteger("--effects", view.substr(dash + 1), first, kLastEffect);
    for (auto n = first; n <= last; ++n) out.push_back(static_cast<int32_t>(n));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return out;
}

Options Parse(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--size") {
      ParseSize(cli::OptionValue(args, i), o);
    } else if (a == "--effects") {
      o.effects = ParseEffects(cli::OptionValue(args, i));
    } else if (a == "--reps") {
      o.reps = static_cast<int>(cli::ParseInteger("--reps", cli::OptionValue(args, i), 1, 1000));
    } else if (a == "--jpeg") {
      o.jpeg = cli::OptionValue(args, i);
    } else if (a == "--json") {
      o.json = true;
    } else {
      throw cli::UsageError("unknown argument '" + a + "'");
    }
  }
  if (o.effects.empty()) {
    for (int32_t n = kFirstEffect; n <= kLastEffect; ++n) o.effects.push_back(n);
  }
  return o;
}

int RunBench(std::vector<std::string>& args) {
  for (const std::string& a : args) {
    if (a == "--help") {
      std::fputs(kUsage, stdout);
      return cli::kExitOk;
    }
  }
  const Options o = Parse(args);
  // The file is checked first, so that a bad one fails before the long part.
  std::optional<JpegTiming> jpeg;
  if (o.jpeg) jpeg = MeasureJpeg(*o.jpeg, o.width, o.height, o.reps);

  const double floorMs = MeasureFrameCopyMs(o.width, o.height, o.reps);
  const std::vector<EffectTiming> timings = MeasureEffects(o.width, o.height, o.effects, o.reps);
  auto ratio = [&](double ms) { return floorMs > 0 ? ms / floorMs : 0.0; };

  if (o.json) {
    std::printf("{\n  \"size\": \"%dx%d\",\n  \"clock\": \"%s\",\n  \"memcpy_ms\": %.4f,\n  \"effects\": [", o.width,
                o.height, Stopwatch::ClockName(), floorMs);
    for (size_t i = 0; i < timings.size(); ++i) {
      const EffectTiming& t = timings[i];
      std::printf("%s\n    {\"number\": %d, \"name\": %s, \"ms_per_frame\": %.4f, \"ratio\": %.2f}",
                  i ? "," : "", t.number, JsonString(t.name).c_str(), t.msPerFrame, ratio(t.msPerFrame));
    }
    std::printf("\n  ]");
    if (jpeg) {
      std::printf(
          ",\n  \"jpeg\": {\"file\": %s, \"picture\": \"%dx%d\", \"decode_compose_ms\": %.3f, "
          "\"bare_decode_ms\": %.3f, \"ratio\": %.2f}",
          JsonString(*o.jpeg).c_str(), jpeg->pictureWidth, jpeg->pictureHeight, jpeg->decodeComposeMs,
          jpeg->bareDecodeMs, jpeg->bareDecodeMs > 0 ? jpeg->decodeComposeMs / jpeg->bareDecodeMs : 0.0);
    }
    std::printf("\n}\n");
    return cli::kExitOk;
  }

  std::printf("canvas %dx%d, floor: memcpy of one frame %.3f ms (medians of %s)\n\n", o.width, o.height, floorMs,
              Stopwatch::ClockName());
  std::printf("%4s  %-36s %10s %8s\n", "no", "effect", "ms/frame", "ratio");
  for (const EffectTiming& t : timings) {
    std::printf("%4d  %-36s %10.3f %8.2f\n", t.number, t.name.empty() ? "(the new slide whole)" : t.name.c_str(),
                t.msPerFrame, ratio(t.msPerFrame));
  }
  if (jpeg) {
    std::printf("\n%s (%dx%d): decode and compose %.2f ms, libjpeg alone %.2f ms, ratio %.2f\n", o.jpeg->c_str(),
                jpeg->pictureWidth, jpeg->pictureHeight, jpeg->decodeComposeMs, jpeg->bareDecodeMs,
                jpeg->bareDecodeMs > 0 ? jpeg->decodeComposeMs / jpeg->bareDecodeMs : 0.0);
  }
  return cli::kExitOk;
}

}  // namespace
}  // namespace pavonix::bench

int main(int argc, char** argv) { return pavonix::cli::Run("pavonix-bench", argc, argv, pavonix::bench::RunBench); }
