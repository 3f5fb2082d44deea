// The GDI oracle: builds the shapes and copies of the renderer once with Wine's
// GDI and once with our own code, and compares them pixel for pixel.
//   gdi_oracle [--seed N] [--only FAMILY]
// Prints one line per family and every failure (up to a limit) with its case,
// the first differing pixel and the bounding box of the differences.  Exit code
// 0 when everything agrees, 1 otherwise.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

#include "tests/wine/gdi_oracle.h"

int main(int argc, char** argv) {
  uint64_t seed = 20240611;
  const char* only = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr, "usage: gdi_oracle [--seed N] [--only FAMILY]\n");
      return 2;
    }
  }
  std::printf("gdi_oracle: seed %llu (replay with --seed)\n", static_cast<unsigned long long>(seed));
  using namespace pavonix::oracle;
  Report report;
  // Families by name, so that one can be run alone with --only.
  struct Family {
    const char* name;
    void (*run)(Report&, uint64_t);
  };
  const Family families[] = {
      {"shape table", [](Report& r, uint64_t) { RunShapeTableCases(r); }},
      {"random shapes", [](Report& r, uint64_t s) { RunRandomRegionCases(r, s); }},
      {"effect regions", [](Report& r, uint64_t) { RunEffectRegionCases(r); }},
      {"copy table", [](Report& r, uint64_t) { RunCopyTableCases(r); }},
      {"random copies", [](Report& r, uint64_t s) { RunRandomCopyCases(r, s); }},
      {"effect copies", [](Report& r, uint64_t) { RunEffectCopyCases(r); }},
  };
  try {
    for (const Family& f : families) {
      if (only && std::strcmp(only, f.name) != 0) continue;
      report.Section(f.name);
      f.run(report, seed);
    }
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  return report.Finish();
}
