// mpftool, run as the program it is: packages byte for byte, exit codes and
// messages.  Natively only; under Wine the Windows build is compared with the
// native one by the package Wine test.
#ifndef _WIN32

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/package/mpf_format.h"
#include "tests/unit/package_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

struct Result {
  int exit = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const fs::path& path) {
  const Bytes b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

class MpfTool : public ::testing::Test {
 protected:
  // Runs mpftool in the test's folder, so that arguments can be plain names.
  // shellWords is added unquoted, for argument lists too long for one command line.
  Result Run(const std::vector<std::string>& args, const std::string& shellWords = "") {
    std::string command = "cd " + Quote(dir_.path().string()) + " && " + Quote(PAVONIX_MPFTOOL);
    for (const std::string& a : args) command += " " + Quote(a);
    command += " " + shellWords + " >" + Quote((dir_ / ".out").string()) + " 2>" + Quote((dir_ / ".err").string());
    const int status = std::system(command.c_str());
    Result r;
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadText(dir_ / ".out");
    r.err = ReadText(dir_ / ".err");
    return r;
  }
  fs::path Path(const std::string& name) const { return dir_ / name; }
  void Put(const std::string& name, const Bytes& bytes) const { WriteBytes(dir_ / name, bytes); }

  test::TempDir dir_;
};

Bytes Jpeg(int width, int height, test::JpegKind kind = test::JpegKind::YCbCr) {
  test::JpegPlan plan;
  plan.width = width;
  plan.height = height;
  plan.kind = kind;
  return test::MakeJpeg(plan);
}

PackageHeader DefaultHeader() {
  PackageHeader h;
  h.SetInterval(5);
  h.SetEffectMask(std::string(126, '1'));
  h.SetSoundContinue(1);
  return h;
}

TEST_F(MpfTool, PackLaysOutSoundsThenSlidesByteForByte) {
  const Bytes a = Jpeg(20, 10), b = Jpeg(8, 8, test::JpegKind::AdobeCmyk);
  const Bytes wav = {'R', 'I', 'F', 'F', 1}, mid = {'M', 'T', 'h', 'd'}, rmi = {'R', 'M', 'I'}, mp3 = Bytes(70000, 0x33);
  Put("a.jpg", a);
  Put("b.JPEG", b);
  Put("c.wav", wav);
  Put("d.Mid", mid);
  Put("e.rmi", rmi);
  Put("f.mp3", mp3);
  Put("g.wav", {});

  const Result r = Run({"pack", "out.mpf", "a.jpg", "c.wav", "b.JPEG", "d.Mid", "e.rmi", "f.mp3", "g.wav"});
  ASSERT_EQ(r.exit, 0) << r.err;
  test::PackagePlan expected;
  expected.header = DefaultHeader();
  expected.sounds = {{1, wav}, {2, mid}, {3, rmi}, {0, mp3}, {1, {}}};
  expected.slides = {a, b};
  EXPECT_EQ(ReadBytes(Path("out.mpf")), test::MakePackage(expected));
  EXPECT_FALSE(fs::exists(Path("out.mpf.mpftool-tmp")));

  // What pack makes, an empty track included, passes check.
  const Result c = Run({"check", "out.mpf"});
  ASSERT_EQ(c.exit, 0) << c.err;
  const Result x = Run({"extract", "out.mpf", "ex"});
  ASSERT_EQ(x.exit, 0) << x.err;
  const std::pair<const char*, Bytes> files[] = {{"slide-0000.jpg", a}, {"slide-0001.jpg", b},
                                                 {"sound-0000.wav", wav}, {"sound-0001.mid", mid},
                                                 {"sound-0002.rmi", rmi}, {"sound-0003.mp3", mp3},
                                                 {"sound-0004.wav", {}}};
  for (const auto& [name, bytes] : files) {
    EXPECT_TRUE(fs::is_regular_file(Path("ex") / name)) << name;
    EXPECT_EQ(ReadBytes(Path("ex") / name), bytes) << name;
  }

  // Packing again replaces the package whole.
  ASSERT_EQ(Run({"pack", "out.mpf", "b.JPEG"}).exit, 0);
  expected.sounds.clear();
  expected.slides = {b};
  EXPECT_EQ(ReadBytes(Path("out.mpf")), test::MakePackage(expected));
}

TEST_F(MpfTool, PackOptionsSetTheHeader) {
  Put("a.jpg", Jpeg(8, 8));
  struct Case {
    const char* label;
    std::vector<std::string> options;
    std::function<void(PackageHeader&)> expect;
  };
  const Case cases[] = {
      {"defaults", {}, [](PackageHeader&) {}},
      {"interval 300", {"--interval", "300"}, [](PackageHeader& h) { h.SetInterval(300); }},
      {"interval 0", {"--interval", "0"}, [](PackageHeader& h) { h.SetInterval(0); }},
      {"random order", {"--order", "random"}, [](PackageHeader& h) { h.SetRandomOrder(1); }},
      {"sound off", {"--sound", "off"}, [](PackageHeader& h) { h.SetSoundOff(1); }},
      {"ignore mouse move", {"--ignore-mouse-move"}, [](PackageHeader& h) { h.SetIgnoreMouseMove(1); }},
      {"first sound only", {"--first-sound-only"}, [](PackageHeader& h) { h.SetFirstSoundOnly(1); }},
      {"no sound continue", {"--no-sound-continue"}, [](PackageHeader& h) { h.SetSoundContinue(0); }},
      {"effects 101", {"--effects", "101"},
       [](PackageHeader& h) {
         // Nothing of the default mask stays behind the three counted characters.
         for (size_t i = 0; i < kEffectMaskCapacity; ++i) h.bytes[header_offset::EffectMask + i] = 0;
         h.SetEffectMask("101");
       }},
      {"effects of 128 characters", {"--effects", std::string(128, 'x')},
       [](PackageHeader& h) { h.SetEffectMask(std::string(128, 'x')); }},
      {"options after the files", {"--", "a.jpg"}, [](PackageHeader&) {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"pack", "out.mpf"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    if (c.options.empty() || c.options[0] != "--") args.push_back("a.jpg");
    const Result r = Run(args);
    ASSERT_EQ(r.exit, 0) << c.label << ": " << r.err;
    PackageHeader expected = DefaultHeader();
    c.expect(expected);
    expected.SetImageCount(1);
    const Bytes got = ReadBytes(Path("out.mpf"));
    ASSERT_GE(got.size(), kHeaderSize) << c.label;
    for (size_t i = 0; i < kHeaderSize; ++i) {
      EXPECT_EQ(got[i], expected.bytes[i]) << c.label << ": header byte " << i;
    }
  }
}

TEST_F(MpfTool, RefusesBadInputsAndLeavesNoPartialPackage) {
  Put("good.jpg", Jpeg(8, 8));
  Put("broken.jpg", Bytes{0xFF, 0xD8, 0xFF, 0xDB, 0, 2});
  Put("notes.txt", Bytes{'x'});
  Put("a.wav", Bytes{'R'});
  const Bytes old = {'o', 'l', 'd'};

  struct Case {
    const char* label;
    std::vector<std::string> args;
    int exit;
    std::string message;  // a part of stderr
  };
  const Case cases[] = {
      {"unknown extension", {"pack", "out.mpf", "good.jpg", "notes.txt"}, 1, "notes.txt: unknown file type"},
      {"missing input", {"pack", "out.mpf", "gone.jpg"}, 1, "gone.jpg: cannot open the file"},
      {"picture the decoder rejects", {"pack", "out.mpf", "broken.jpg"}, 1,
       "broken.jpg: not a picture the engine can show: JPEG error #"},
      {"folder as input", {"pack", "out.mpf", "sub.mp3"}, 1, "sub.mp3: cannot open the file"},
      {"no inputs", {"pack", "out.mpf"}, 2, "pack needs at least one picture or sound file"},
      {"interval too large", {"pack", "out.mpf", "--interval", "65536", "good.jpg"}, 2,
       "--interval must be between 0 and 65535"},
      {"interval not a number", {"pack", "out.mpf", "--interval", "5s", "good.jpg"}, 2, "not a whole number"},
      {"bad order", {"pack", "out.mpf", "--order", "shuffled", "good.jpg"}, 2, "--order takes sequential or random"},
      {"bad sound", {"pack", "out.mpf", "--sound", "loud", "good.jpg"}, 2, "--sound takes on or off"},
      {"mask too long", {"pack", "out.mpf", "--effects", std::string(129, '1'), "good.jpg"}, 2,
       "--effects takes at most 128 characters"},
      {"option without value", {"pack", "out.mpf", "good.jpg", "--interval"}, 2, "--interval needs a value"},
      {"unknown option", {"pack", "out.mpf", "--fast", "good.jpg"}, 2, "unknown option --fast"},
      {"no command", {}, 2, "no command given"},
      {"unknown command", {"unpack"}, 2, "unknown command 'unpack'"},
      {"info of a missing file", {"info", "gone.mpf"}, 1, "gone.mpf: cannot open the file"},
      {"info with two files", {"info", "a.mpf", "b.mpf"}, 2, "info takes one package"},
      {"set without a change", {"set", "out.mpf"}, 2, "set needs --interval, --order or --sound"},
      {"set of a missing file", {"set", "gone.mpf", "--interval", "3"}, 1, "gone.mpf: cannot open the file"},
      {"extract without a folder", {"extract", "out.mpf"}, 2, "extract needs a package and a folder"},
      {"check without a package", {"check"}, 2, "check takes one package"},
  };
  fs::create_directory(Path("sub.mp3"));
  for (const Case& c : cases) {
    Put("out.mpf", old);
    const Result r = Run(c.args);
    EXPECT_EQ(r.exit, c.exit) << c.label << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.label << ": expected '" << c.message << "' in: " << r.err;
    if (c.exit == 2) {
      EXPECT_EQ(r.err.find('\n'), r.err.find("\nTry")) << c.label << ": one line of reason: " << r.err;
    }
    EXPECT_EQ(ReadBytes(Path("out.mpf")), old) << c.label;
    EXPECT_FALSE(fs::exists(Path("out.mpf.mpftool-tmp"))) << c.label;
  }
}

TEST_F(MpfTool, RefusesPackagesBeyondTheFormatsLimits) {
  Put("a.wav", Bytes{'R'});
  // Sparse files: sizes near 2^31 cost no disk.
  const uint64_t big = (uint64_t{1} << 30) + (uint64_t{1} << 29);
  Put("big.mp3", {});
  fs::resize_file(Path("big.mp3"), big);
  Put("huge.mp3", {});
  fs::resize_file(Path("huge.mp3"), uint64_t{1} << 31);
  // With a.wav, the header and two entries: exactly 2^31 bytes.
  Put("fits.mp3", {});
  fs::resize_file(Path("fits.mp3"), (uint64_t{1} << 31) - 155 - 36 - 1);

  struct Case {
    const char* label;
    std::vector<std::string> files;
    std::string shellWords;
    std::string message;
  };
  const Case cases[] = {
      {"3 GiB together", {"big.mp3", "big.mp3"}, "",
       "out.mpf: the package would take " + std::to_string(2 * big + 155 + 36) + " bytes"},
      {"exactly 2^31 bytes", {"fits.mp3", "a.wav"}, "", "out.mpf: the package would take 2147483648 bytes"},
      {"one input of 2^31 bytes", {"huge.mp3"}, "", "huge.mp3: too large for a package"},
      {"65536 sound tracks", {}, "$(yes a.wav | head -n 65536)", "a.wav: more than 65535 sound tracks"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"pack", "out.mpf"};
    args.insert(args.end(), c.files.begin(), c.files.end());
    const Result r = Run(args, c.shellWords);
    EXPECT_EQ(r.exit, 1) << c.label;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.label << ": " << r.err;
    EXPECT_FALSE(fs::exists(Path("out.mpf"))) << c.label;
    EXPECT_FALSE(fs::exists(Path("out.mpf.mpftool-tmp"))) << c.label;
  }
}

TEST_F(MpfTool, SetChangesOnlyTheSettingsBytes) {
  test::PackagePlan plan;
  plan.header = DefaultHeader();
  for (size_t i = 0; i < kHeaderSize; ++i) plan.header.bytes[i] ^= static_cast<uint8_t>(0xA5 + i);
  plan.header.SetSoundCount(0);
  plan.slides = {Jpeg(8, 8)};
  const Bytes before = test::MakePackage(plan);
  struct Case {
    const char* label;
    std::vector<std::string> options;
    std::vector<std::pair<size_t, uint8_t>> changes;
  };
  const Case cases[] = {
      {"interval 300", {"--interval", "300"}, {{19, 0x2C}, {20, 0x01}}},
      {"random", {"--order", "random"}, {{13, 1}, {14, 0}}},
      {"sequential", {"--order", "sequential"}, {{13, 0}, {14, 0}}},
      {"sound off", {"--sound", "off"}, {{154, 1}}},
      {"all three", {"--sound", "on", "--interval", "0", "--order", "random"},
       {{154, 0}, {19, 0}, {20, 0}, {13, 1}, {14, 0}}},
  };
  for (const Case& c : cases) {
    Put("p.mpf", before);
    std::vector<std::string> args = {"set", "p.mpf"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const Result r = Run(args);
    ASSERT_EQ(r.exit, 0) << c.label << ": " << r.err;
    Bytes expected = before;
    for (const auto& [offset, value] : c.changes) expected[offset] = value;
    EXPECT_EQ(ReadBytes(Path("p.mpf")), expected) << c.label;
  }
  // A file shorter than a header is refused rather than lengthened.
  Put("short.mpf", Bytes(100, 1));
  EXPECT_EQ(Run({"set", "short.mpf", "--interval", "3"}).exit, 1);
  EXPECT_EQ(ReadBytes(Path("short.mpf")), Bytes(100, 1));
}

TEST_F(MpfTool, InspectsHostilePackagesWithoutTrustingThem) {
  test::PackagePlan plan;
  plan.header = DefaultHeader();
  plan.header.SetEffectMask(std::string("1\"\\\n\x01\x7f\xe9\x00", 8));
  plan.sounds = {{7, Bytes{1, 2, 3}}, {2, Bytes{}}};
  plan.slides = {Jpeg(8, 8), Bytes{'n', 'o', 'p', 'e'}, Jpeg(8, 8)};
  Bytes package = test::MakePackage(plan);
  test::PatchEntry(package, SlideEntryPosition(2, 2), 10, static_cast<int32_t>(package.size()));
  Put("p.mpf", package);
  // Two slides, and the file ends five bytes into the first entry.
  PackageHeader cutHeader;
  cutHeader.SetImageCount(2);
  Bytes cut(cutHeader.bytes.begin(), cutHeader.bytes.end());
  cut.resize(160, 0x7F);
  Put("cut.mpf", cut);

  const Result info = Run({"info", "p.mpf", "--json"});
  ASSERT_EQ(info.exit, 0) << info.err;
  EXPECT_NE(info.out.find("\"EffectMask\": \"1\\\"\\\\\\n\\u0001\\u007f\\u00e9\\u0000\",\n"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("\"EnabledEffects\": [1, 2, 3, 4, 5, 6, 7, 8],\n"), std::string::npos) << info.out;
  const std::string entries[] = {
      "{\"index\": 0, \"entry_offset\": 155, \"kind\": 7, \"offset\": 245, \"size\": 3, \"problem\": null}",
      "{\"index\": 1, \"entry_offset\": 173, \"kind\": 2, \"offset\": 248, \"size\": 0, \"problem\": \"empty "
      "payload\"}",
      "{\"index\": 2, \"entry_offset\": 227, \"offset\": 10, \"size\": " + std::to_string(package.size()) +
          ", \"problem\": \"payload runs past the end of the file\"}",
  };
  for (const std::string& e : entries) EXPECT_NE(info.out.find(e), std::string::npos) << e << "\nin:\n" << info.out;
  const Result cutInfo = Run({"info", "cut.mpf", "--json"});
  ASSERT_EQ(cutInfo.exit, 0) << cutInfo.err;
  EXPECT_NE(cutInfo.out.find("\"slides\": [\n"
                             "    {\"index\": 0, \"entry_offset\": 155, \"offset\": 0, \"size\": 0, \"problem\": "
                             "\"entry is cut short by the end of the file\"},\n"
                             "    {\"index\": 1, \"entry_offset\": 173, \"offset\": 0, \"size\": 0, \"problem\": "
                             "\"entry lies past the end of the file\"}\n"
                             "  ]\n}\n"),
            std::string::npos)
      << cutInfo.out;

  const Result check = Run({"check", "p.mpf"});
  EXPECT_EQ(check.exit, 1);
  EXPECT_EQ(check.err,
            "mpftool: p.mpf: slide 1: JPEG error #" + std::to_string(JERR_NO_SOI) + "\n"
            "mpftool: p.mpf: slide 2: payload runs past the end of the file\n");

  const Result extract = Run({"extract", "p.mpf", "ex"});
  EXPECT_EQ(extract.exit, 1);
  EXPECT_EQ(extract.err, "mpftool: p.mpf: slide 2: payload runs past the end of the file\n");
  EXPECT_EQ(ReadBytes(Path("ex/sound-0000.mp3")), (Bytes{1, 2, 3}));
  EXPECT_EQ(ReadBytes(Path("ex/sound-0001.mid")), Bytes{});
  EXPECT_EQ(ReadBytes(Path("ex/slide-0001.jpg")), (Bytes{'n', 'o', 'p', 'e'}));
  EXPECT_FALSE(fs::exists(Path("ex/slide-0002.jpg")));

  Put("short.mpf", Bytes(100, 0));
  const Result shortCheck = Run({"check", "short.mpf"});
  EXPECT_EQ(shortCheck.exit, 1);
  EXPECT_EQ(shortCheck.err, "mpftool: short.mpf: header cut short: 100 of 155 bytes\n");
}

TEST_F(MpfTool, OutputIsTheSameOnEveryRun) {
  Put("a.jpg", Jpeg(8, 8));
  Put("b.wav", Bytes{'R'});
  ASSERT_EQ(Run({"pack", "one.mpf", "a.jpg", "b.wav"}).exit, 0);
  ASSERT_EQ(Run({"pack", "two.mpf", "a.jpg", "b.wav"}).exit, 0);
  EXPECT_EQ(ReadBytes(Path("one.mpf")), ReadBytes(Path("two.mpf")));
  EXPECT_EQ(Run({"info", "one.mpf"}).out, Run({"info", "two.mpf"}).out);
  const Result help = Run({"pack", "--help"});
  EXPECT_EQ(help.exit, 0);
  EXPECT_EQ(help.out.rfind("Usage: mpftool pack", 0), 0u) << help.out;
}

}  // namespace
}  // namespace pavonix

#endif  // _WIN32
