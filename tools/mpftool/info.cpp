// mpftool info: the header fields and the directory, as a table or as JSON.
#include <cstdio>
#include <string>

#include "engine/package/std_file_access.h"
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"
#include "tools/mpftool/package_report.h"
#include "tools/common/text_escape.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool info PKG [--json]\n"
    "Shows the header fields and the directory of the package PKG: for each sound\n"
    "and slide the entry's position, the payload's offset and size, and what is\n"
    "wrong with it, if anything.  --json prints the same as one JSON object.\n";

// "1-3, 5, 9-126": the enabled effects, short enough to read.
std::string EffectRanges(const std::vector<int32_t>& effects) {
  if (effects.empty()) return "none";
  std::string out;
  for (size_t i = 0; i < effects.size();) {
    size_t j = i;
    while (j + 1 < effects.size() && effects[j + 1] == effects[j] + 1) ++j;
    if (!out.empty()) out += ", ";
    out += std::to_string(effects[i]);
    if (j > i) {
      out += '-';
      out += std::to_string(effects[j]);
    }
    i = j + 1;
  }
  return out;
}

std::string JsonEntry(const EntryReport& e, bool withKind) {
  std::string out = "{\"index\": " + std::to_string(e.index) + ", \"entry_offset\": " + std::to_string(e.entryOffset);
  if (withKind) out += ", \"kind\": " + std::to_string(e.entry.Kind());
  out += ", \"offset\": " + std::to_string(e.entry.Offset()) + ", \"size\": " + std::to_string(e.entry.Size());
  out += ", \"problem\": " + (e.problem.empty() ? std::string("null") : JsonString(e.problem)) + "}";
  return out;
}

std::string JsonEntries(const std::vector<EntryReport>& entries, bool withKind) {
  if (entries.empty()) return "[]";
  std::string out = "[\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    out += "    " + JsonEntry(entries[i], withKind) + (i + 1 < entries.size() ? ",\n" : "\n");
  }
  return out + "  ]";
}

std::string Json(const PackageReport& r) {
  const PackageHeader& h = r.header;
  std::string enabled;
  for (const int32_t k : h.EnabledEffects()) enabled += (enabled.empty() ? "" : ", ") + std::to_string(k);
  std::string out = "{\n";
  auto field = [&](const char* name, const std::string& value) {
    out += std::string("  \"") + name + "\": " + value + ",\n";
  };
  field("ImageCount", std::to_string(h.ImageCount()));
  field("SoundCount", std::to_string(h.SoundCount()));
  field("IgnoreMouseMove", std::to_string(h.IgnoreMouseMove()));
  field("RandomOrder", std::to_string(h.RandomOrder()));
  field("Interval", std::to_string(h.Interval()));
  field("EffectMask", JsonString(h.EffectMask()));
  field("EnabledEffects", "[" + enabled + "]");
  field("FirstSoundOnly", std::to_string(h.FirstSoundOnly()));
  field("SoundContinue", std::to_string(h.SoundContinue()));
  field("SoundOff", std::to_string(h.SoundOff()));
  field("FileSize", std::to_string(r.fileSize));
  field("sounds", JsonEntries(r.sounds, true));
  out += "  \"slides\": " + JsonEntries(r.slides, false) + "\n}\n";
  return out;
}

std::string Row(const EntryReport& e, bool withKind) {
  char line[160];
  if (withKind) {
    const std::string kind = std::to_string(e.entry.Kind()) + " (" + std::string(SoundExtension(e.entry.Kind())) + ")";
    std::snprintf(line, sizeof line, "  %5d  %10lld  %-12s  %11d  %11d  ", e.index,
                  static_cast<long long>(e.entryOffset), kind.c_str(), e.entry.Offset(), e.entry.Size());
  } else {
    std::snprintf(line, sizeof line, "  %5d  %10lld  %11d  %11d  ", e.index, static_cast<long long>(e.entryOffset),
                  e.entry.Offset(), e.entry.Size());
  }
  std::string out = line;
  out += e.problem.empty() ? "ok" : e.problem;
  return out + "\n";
}

std::string Plain(const PackageReport& r) {
  const PackageHeader& h = r.header;
  std::string out;
  auto field = [&](const char* name, const std::string& value) {
    char line[40];
    std::snprintf(line, sizeof line, "%-16s ", name);
    out += line + value + "\n";
  };
  field("FileSize", std::to_string(r.fileSize) + " bytes");
  if (r.headerBytes < kHeaderSize) {
    field("Header", "cut short: " + std::to_string(r.headerBytes) + " of 155 bytes, the rest read as 0");
  }
  field("ImageCount", std::to_string(h.ImageCount()));
  field("SoundCount", std::to_string(h.SoundCount()));
  field("IgnoreMouseMove", std::to_string(h.IgnoreMouseMove()));
  field("RandomOrder", std::to_string(h.RandomOrder()) + (h.RandomOrder() ? " (random)" : " (sequential)"));
  field("Interval", std::to_string(h.Interval()) + " s");
  const std::string mask = h.EffectMask();
  field("EffectMask", QuotedText(mask) + " (" + std::to_string(mask.size()) + " characters)");
  field("EnabledEffects", EffectRanges(h.EnabledEffects()));
  field("FirstSoundOnly", std::to_string(h.FirstSoundOnly()));
  field("SoundContinue", std::to_string(h.SoundContinue()));
  field("SoundOff", std::to_string(h.SoundOff()));
  out += "\nSounds\n  index       entry  kind               offset         size  problem\n";
  for (const EntryReport& e : r.sounds) out += Row(e, true);
  out += "\nSlides\n  index       entry       offset         size  problem\n";
  for (const EntryReport& e : r.slides) out += Row(e, false);
  return out;
}

}  // namespace

int Info(const Args& args) {
  if (HelpRequested(args, kHelp)) return cli::kExitOk;
  std::string path;
  bool json = false;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw cli::UsageError("info: unknown option " + a);
    } else if (path.empty()) {
      path = a;
    } else {
      throw cli::UsageError("info takes one package");
    }
  }
  if (path.empty()) throw cli::UsageError("info needs a package");
  StdFileAccess files;
  const PackageReport report = InspectPackage(files, path);
  const std::string text = json ? Json(report) : Plain(report);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return cli::kExitOk;
}

}  // namespace pavonix::mpftool
