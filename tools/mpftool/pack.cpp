// mpftool pack: makes a package from pictures and sound files.
//
// Layout: header, sound entries, slide entries, then the payloads back to back
// in directory order; reserved bytes are zero.  Inputs are checked in a first
// pass (type, size, pictures decoded) and copied in a second, so memory holds
// one input at a time.  The package is written to a temporary file beside OUT
// and renamed over it at the end, so OUT is either the old file or the whole
// new one.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/package/errors.h"
#include "engine/package/jpeg_decoder.h"
#include "engine/package/package_io.h"
#include "engine/package/std_file_access.h"
#include "tools/common/cli.h"
#include "tools/mpftool/commands.h"

namespace pavonix::mpftool {
namespace {

constexpr const char* kHelp =
    "Usage: mpftool pack OUT.mpf [options] FILE...\n"
    "Makes the package OUT.mpf.  Each FILE ending in .jpg or .jpeg becomes the next\n"
    "slide; .mp3, .wav, .mid and .rmi files become the next sound track.\n"
    "\n"
    "Options:\n"
    "  --interval N          seconds each slide stays, 0 to 65535 (default 5)\n"
    "  --order sequential|random   slide order (default sequential)\n"
    "  --sound on|off        background music (default on)\n"
    "  --ignore-mouse-move   moving the mouse does not end the show\n"
    "  --effects MASK        up to 128 characters, one per transition effect;\n"
    "                        '0' disables an effect (default 126 times '1')\n"
    "  --first-sound-only    always play the first sound track\n"
    "  --no-sound-continue   stop the music after one track\n";

constexpr int64_t kPackageLimit = int64_t{1} << 31;  // offsets and sizes are signed 32-bit
constexpr size_t kMaxPerKind = 65535;

struct Input {
  std::string path;
  bool slide = false;
  uint16_t kind = 0;
  int64_t size = 0;
};

struct Options {
  PackageHeader header;
  std::vector<Input> inputs;
  std::string out;
};

// The kind of a sound file, or -1 for a picture, or -2 for anything else.
int KindOf(const std::string& path) {
  if (cli::HasExtension(path, ".jpg") || cli::HasExtension(path, ".jpeg")) return -1;
  const char* const sounds[] = {".mp3", ".wav", ".mid", ".rmi"};
  for (int kind = 0; kind < 4; ++kind) {
    if (cli::HasExtension(path, sounds[kind])) return kind;
  }
  return -2;
}

Options Parse(const Args& args) {
  Options o;
  PackageHeader& h = o.header;
  h.SetInterval(5);
  h.SetSoundContinue(1);
  std::string mask(126, '1');
  bool filesOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (filesOnly || a.size() < 2 || a.compare(0, 2, "--") != 0) {
      if (o.out.empty()) {
        o.out = a;
      } else {
        o.inputs.push_back({a});
      }
    } else if (a == "--") {
      filesOnly = true;
    } else if (a == "--interval") {
      h.SetInterval(static_cast<uint16_t>(cli::ParseInteger(a, cli::OptionValue(args, i), 0, 65535)));
    } else if (a == "--order") {
      const std::string v = cli::OptionValue(args, i);
      if (v != "sequential" && v != "random") throw cli::UsageError("--order takes sequential or random");
      h.SetRandomOrder(v == "random" ? 1 : 0);
    } else if (a == "--sound") {
      const std::string v = cli::OptionValue(args, i);
      if (v != "on" && v != "off") throw cli::UsageError("--sound takes on or off");
      h.SetSoundOff(v == "off" ? 1 : 0);
    } else if (a == "--ignore-mouse-move") {
      h.SetIgnoreMouseMove(1);
    } else if (a == "--effects") {
      const std::string v = cli::OptionValue(args, i);
      if (v.size() > kEffectMaskCapacity) throw cli::UsageError("--effects takes at most 128 characters");
      mask = v;
    } else if (a == "--first-sound-only") {
      h.SetFirstSoundOnly(1);
    } else if (a == "--no-sound-continue") {
      h.SetSoundContinue(0);
    } else {
      throw cli::UsageError("pack: unknown option " + a);
    }
  }
  // Set once, so that no character of an earlier mask stays behind the count.
  h.SetEffectMask(mask);
  if (o.out.empty()) throw cli::UsageError("pack needs an output package");
  if (o.inputs.empty()) throw cli::UsageError("pack needs at least one picture or sound file");
  return o;
}

std::vector<uint8_t> ReadWhole(FileHandle& file, const std::string& path, int64_t size) {
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (!file.Seek(0) || file.Read(bytes.data(), bytes.size()) != bytes.size()) {
    throw cli::ToolError(path + ": cannot read the file");
  }
  return bytes;
}

// First pass: every input is of a known type, readable, small enough, and every
// picture decodes.
void CheckInputs(FileAccess& files, Options& o) {
  // Types and counts first: they need no file opened.
  size_t slides = 0, sounds = 0;
  for (Input& in : o.inputs) {
    const int kind = KindOf(in.path);
    if (kind == -2) {
      throw cli::ToolError(in.path + ": unknown file type (expected .jpg, .jpeg, .mp3, .wav, .mid or .rmi)");
    }
    in.slide = kind == -1;
    in.kind = in.slide ? 0 : static_cast<uint16_t>(kind);
    if (++(in.slide ? slides : sounds) > kMaxPerKind) {
      throw cli::ToolError(in.path + ": more than 65535 " + (in.slide ? "slides" : "sound tracks"));
    }
  }
  o.header.SetImageCount(static_cast<uint16_t>(slides));
  o.header.SetSoundCount(static_cast<uint16_t>(sounds));

  for (Input& in : o.inputs) {
    const auto file = files.OpenRead(in.path, FileShare::Read);
    if (!file) throw cli::ToolError(in.path + ": cannot open the file");
    in.size = file->Size();
    if (in.size < 0) throw cli::ToolError(in.path + ": cannot read the file");
    if (in.size >= kPackageLimit) throw cli::ToolError(in.path + ": too large for a package");
    if (in.slide) {
      const std::vector<uint8_t> jpeg = ReadWhole(*file, in.path, in.size);
      try {
        Bitmap picture;
        DecodeJpeg(jpeg.data(), jpeg.size(), picture);
      } catch (const EPavonixError& e) {
        throw cli::ToolError(in.path + ": not a picture the engine can show: " + e.what());
      }
    }
  }
}

// Removes the temporary file unless the package made it to its place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    std::error_code ignored;
    if (!kept_) std::filesystem::remove(std::filesystem::path(path_), ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

void Write(FileHandle& file, const void* data, size_t size, const std::string& out) {
  if (file.Write(data, size) != size) throw cli::ToolError(out + ": cannot write the package (disk full?)");
}

void WritePackage(FileAccess& files, const Options& o, const std::vector<const Input*>& order, int64_t total) {
  TemporaryFile temporary(o.out + ".mpftool-tmp");
  {
    const auto file = files.Create(temporary.path());
    if (!file) throw cli::ToolError(o.out + ": cannot create " + temporary.path());
    std::vector<uint8_t> head(o.header.bytes.begin(), o.header.bytes.end());
    int64_t at = static_cast<int64_t>(kHeaderSize + kEntrySize * order.size());
    for (const Input* in : order) {
      DirectoryEntry e;
      e.SetKind(in->kind);
      e.SetOffset(static_cast<int32_t>(at));
      e.SetSize(static_cast<int32_t>(in->size));
      head.insert(head.end(), e.bytes.begin(), e.bytes.end());
      at += in->size;
    }
    Write(*file, head.data(), head.size(), o.out);

    std::vector<uint8_t> piece(kCopyPieceSize);
    for (const Input* in : order) {
      const auto source = files.OpenRead(in->path, FileShare::Read);
      if (!source || source->Size() != in->size) throw cli::ToolError(in->path + ": changed while packing");
      for (int64_t left = in->size; left > 0;) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(piece.size())));
        if (source->Read(piece.data(), n) != n) throw cli::ToolError(in->path + ": cannot read the file");
        Write(*file, piece.data(), n, o.out);
        left -= static_cast<int64_t>(n);
      }
    }
    if (file->Size() != total) throw cli::ToolError(o.out + ": cannot write the package");
  }
  std::error_code ec;
  std::filesystem::rename(std::filesystem::path(temporary.path()), std::filesystem::path(o.out), ec);
  if (ec) throw cli::ToolError(o.out + ": cannot replace the file: " + ec.message());
  temporary.Keep();
}

}  // namespace

int Pack(const Args& args) {
  if (HelpRequested(args, kHelp)) return cli::kExitOk;
  Options o = Parse(args);
  StdFileAccess files;
  CheckInputs(files, o);

  // Sounds first, then slides, each in the order given.
  std::vector<const Input*> order;
  for (const Input& in : o.inputs) {
    if (!in.slide) order.push_back(&in);
  }
  for (const Input& in : o.inputs) {
    if (in.slide) order.push_back(&in);
  }
  int64_t total = static_cast<int64_t>(kHeaderSize + kEntrySize * order.size());
  for (const Input* in : order) total += in->size;
  if (total >= kPackageLimit) {
    throw cli::ToolError(o.out + ": the package would take " + std::to_string(total) +
                         " bytes; a package must stay below 2147483648 bytes");
  }
  WritePackage(files, o, order, total);
  std::printf("%s: %s, %s, %lld bytes\n", o.out.c_str(), Counted(o.header.ImageCount(), "slide", "slides").c_str(),
              Counted(o.header.SoundCount(), "sound track", "sound tracks").c_str(), static_cast<long long>(total));
  return cli::kExitOk;
}

}  // namespace pavonix::mpftool
