// The input is a package file.  Reads its header, decodes every slide and
// writes every sound track out, as a show would, through the in-memory file
// system.  Whatever the bytes, the only way out must be one of the engine's
// errors; a track that is written must be written whole.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/package/errors.h"
#include "engine/package/memory_file_access.h"
#include "engine/package/saver_comm.h"

namespace {

// Enough for pictures that test every decoder path, small enough that one
// input stays well under a second.
constexpr int kMaxSlides = 4;
constexpr int kMaxSounds = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pavonix;
  MemoryFileAccess files;
  files.SetFile("C:\\Fuzz\\Show.mpf", std::vector<uint8_t>(data, data + size));
  SaverComm comm(files);
  JpegLimits limits;
  limits.maxPixels = uint64_t{1} << 22;
  limits.maxDecoderMemory = 64L << 20;
  limits.maxScans = 100;
  comm.SetJpegLimits(limits);

  if (!comm.OpenPackage("C:\\Fuzz\\Show.scr")) std::abort();
  const int slides = std::min<int>(comm.Header().ImageCount(), kMaxSlides);
  for (int i = -1; i <= slides; ++i) {
    Bitmap bitmap;
    try {
      comm.LoadSlide(bitmap, i == slides ? comm.Header().ImageCount() : i);
      if (bitmap.IsEmpty() || static_cast<uint64_t>(bitmap.Width()) * bitmap.Height() > limits.maxPixels) {
        std::abort();
      }
    } catch (const EPavonixError&) {
    }
  }
  const int sounds = std::min<int>(comm.Header().SoundCount(), kMaxSounds);
  for (int i = -1; i <= sounds; ++i) {
    try {
      const int index = i == sounds ? comm.Header().SoundCount() : i;
      const std::string path = comm.ExtractSoundTrack(index);
      // Only an index inside the directory can give a file, and then all of it.
      if (index < 0 || index >= comm.Header().SoundCount()) std::abort();
      const auto written = files.File(path);
      DirectoryEntry entry;
      const size_t at = static_cast<size_t>(SoundEntryPosition(index));
      if (at < size) std::copy_n(data + at, std::min(size - at, kEntrySize), entry.bytes.begin());
      if (!written || written->size() != static_cast<size_t>(entry.Size()) ||
          !std::equal(written->begin(), written->end(), data + entry.Offset())) {
        std::abort();
      }
    } catch (const EPavonixError&) {
    }
  }
  if (files.OpenHandles() != 0) std::abort();
  return 0;
}
