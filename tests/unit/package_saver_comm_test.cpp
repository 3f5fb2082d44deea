#include <gtest/gtest.h>

#include <jerror.h>

#include <string>

#include "engine/package/errors.h"
#include "engine/package/memory_file_access.h"
#include "engine/package/saver_comm.h"
#include "tests/unit/package_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

using test::Bytes;

const char* const kEngine = "C:\\Saver\\Ocean.scr";
const char* const kPackage = "C:\\Saver\\Ocean.mpf";

Bytes SolidJpeg(int width, int height) {
  test::JpegPlan plan;
  plan.width = width;
  plan.height = height;
  return test::MakeJpeg(plan);
}

Bytes Counting(size_t n, uint8_t seed) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
  return b;
}

// The error an operation raised, or "" when it raised none.
template <typename F>
std::string ErrorOf(F&& operation) {
  try {
    operation();
  } catch (const EPavonixError& e) {
    return e.what();
  }
  return "";
}

std::string JpegError(int code) { return "JPEG error #" + std::to_string(code); }

TEST(PackagePaths, FollowTheEnginePath) {
  struct Case {
    const char* enginePath;
    const char* folder;
    const char* package;
  };
  const Case cases[] = {
      {"C:\\Saver\\Ocean.Waves.scr", "C:\\Saver\\", "C:\\Saver\\Ocean.mpf"},
      {"C:\\Saver\\Ocean.exe", "C:\\Saver\\", "C:\\Saver\\Ocean.mpf"},
      {"C:\\Saver\\Ocean", "C:\\Saver\\", "C:\\Saver\\.mpf"},
      {"C:\\My.Shows\\Ocean.scr", "C:\\My.Shows\\", "C:\\My.Shows\\Ocean.mpf"},
      {"C:\\Ocean.scr", "C:\\", "C:\\Ocean.mpf"},
      {"C:Ocean.scr", "C:", "C:Ocean.mpf"},
      {"Ocean.scr", "", "Ocean.mpf"},
      {"", "", ".mpf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PackageFolderOf(c.enginePath), c.folder) << c.enginePath;
    EXPECT_EQ(PackagePathOf(c.enginePath), c.package) << c.enginePath;
  }
}

TEST(PackagePaths, SoundFileSitsInThePackageFolder) {
  struct Case {
    const char* packagePath;
    uint16_t kind;
    const char* expected;
  };
  const Case cases[] = {
      {"C:\\Saver\\Ocean.mpf", 2, "C:\\Saver\\mpfsound.mid"},
      {"C:\\Saver\\Ocean.mpf", 7, "C:\\Saver\\mpfsound.mp3"},
      {"C:\\Ocean.mpf", 0, "C:\\\\mpfsound.mp3"},
      {"C:Ocean.mpf", 1, "C:\\mpfsound.wav"},
      {"\\\\server\\share\\Ocean.mpf", 3, "\\\\server\\share\\mpfsound.rmi"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SoundFilePath(c.packagePath, c.kind), c.expected) << c.packagePath << " kind " << c.kind;
  }
}

TEST(OpenPackage, ReadsTheHeaderOnceTheFileExists) {
  MemoryFileAccess files;
  SaverComm comm(files);
  Bytes full(300);
  for (size_t i = 0; i < full.size(); ++i) full[i] = static_cast<uint8_t>(i + 1);
  files.SetFile("C:\\Other\\Full.mpf", full);
  files.SetFile(kPackage, Bytes(full.begin(), full.begin() + 100));

  ASSERT_TRUE(comm.OpenPackage("C:\\Other\\Full.scr"));
  EXPECT_TRUE(std::equal(comm.Header().bytes.begin(), comm.Header().bytes.end(), full.begin()));
  const PackageHeader earlier = comm.Header();

  // A missing package sets the paths and leaves the header that was read earlier.
  EXPECT_FALSE(comm.OpenPackage("C:\\Empty\\Ocean.scr"));
  EXPECT_EQ(comm.PackagePath(), "C:\\Empty\\Ocean.mpf");
  EXPECT_EQ(comm.EnginePath(), "C:\\Empty\\Ocean.scr");
  EXPECT_EQ(comm.Header(), earlier);

  // A package held by a writer cannot be opened; the header stays.
  {
    const auto writer = files.OpenReadWrite(kPackage, FileShare::ReadWrite);
    EXPECT_EQ(ErrorOf([&] { comm.OpenPackage(kEngine); }), "Cannot open file C:\\Saver\\Ocean.mpf");
    EXPECT_EQ(comm.Header(), earlier);
  }

  // A 100-byte package: the rest of the header is zero.
  ASSERT_TRUE(comm.OpenPackage(kEngine));
  for (size_t i = 0; i < kHeaderSize; ++i) {
    EXPECT_EQ(comm.Header().bytes[i], i < 100 ? full[i] : 0) << "header byte " << i;
  }
  EXPECT_EQ(files.OpenHandles(), 0);
}

TEST(LoadSlide, SkipsTheSoundEntries) {
  MemoryFileAccess files;
  test::PackagePlan plan;
  plan.sounds = {{0, Bytes{1}}, {1, Bytes{2}}, {2, Bytes{3}}};
  plan.slides = {SolidJpeg(24, 8), SolidJpeg(16, 16)};
  Bytes package = test::MakePackage(plan);
  files.SetFile(kPackage, package);
  SaverComm comm(files);
  ASSERT_TRUE(comm.OpenPackage(kEngine));

  Bitmap bitmap = test::PoisonedBitmap(2, 2);
  comm.LoadSlide(bitmap, 0);
  EXPECT_EQ(bitmap.Width(), 24);
  EXPECT_EQ(bitmap.Height(), 8);
  comm.LoadSlide(bitmap, 1);
  EXPECT_EQ(bitmap.Width(), 16);
  EXPECT_EQ(bitmap.Height(), 16);

  // The entry of slide 0 is the one at 209: moving its payload moves the slide.
  test::PatchEntry(package, 209, ReadI32(&package[227 + 10]), ReadI32(&package[227 + 14]));
  files.SetFile(kPackage, package);
  comm.LoadSlide(bitmap, 0);
  EXPECT_EQ(bitmap.Width(), 16);

  // Other readers may hold the package meanwhile: the music's reads share.
  const auto otherReader = files.OpenRead(kPackage, FileShare::Read);
  EXPECT_NO_THROW(comm.LoadSlide(bitmap, 1));
}

TEST(LoadSlide, HostilePackagesRaiseAndLeaveTheBitmap) {
  test::PackagePlan plan;
  plan.sounds = {{0, Bytes(10, 0xAA)}};
  plan.slides = {SolidJpeg(8, 8), Bytes{}, Bytes{'n', 'o', 't', ' ', 'j', 'p', 'g'}};
  const Bytes good = test::MakePackage(plan);
  const size_t slide0 = SlideEntryPosition(1, 0);
  const int32_t offset0 = ReadI32(&good[slide0 + 10]);
  const int32_t size0 = ReadI32(&good[slide0 + 14]);
  const int32_t fileSize = static_cast<int32_t>(good.size());

  auto patched = [&](int32_t offset, int32_t size) {
    Bytes b = good;
    test::PatchEntry(b, slide0, offset, size);
    return b;
  };
  Bytes truncatedDirectory(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(slide0 + 5));
  Bytes hugeJpeg = good;
  {
    // The JPEG's frame header declares 65500 x 65500 pixels.
    for (size_t i = static_cast<size_t>(offset0); i + 8 < good.size(); ++i) {
      if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
        hugeJpeg[i + 5] = hugeJpeg[i + 7] = 0xFF;
        hugeJpeg[i + 6] = hugeJpeg[i + 8] = 0xDC;
        break;
      }
    }
  }

  struct Case {
    const char* label;
    Bytes package;
    int32_t index;
    std::string error;
  };
  const Case cases[] = {
      {"negative offset", patched(-1, size0), 0, "Stream read error"},
      {"negative size", patched(offset0, -5), 0, "Stream read error"},
      {"payload one byte past the end", patched(offset0, fileSize - offset0 + 1), 0, "Stream read error"},
      {"size 2^31 - 1", patched(offset0, 0x7FFFFFFF), 0, "Stream read error"},
      {"offset past the end, size 0", patched(fileSize + 1, 0), 0, "Stream read error"},
      {"offset 2^31 - 1", patched(0x7FFFFFFF, 1), 0, "Stream read error"},
      {"entry cut short by the end of the file", truncatedDirectory, 0, JpegError(JERR_INPUT_EMPTY)},
      {"empty payload", good, 1, JpegError(JERR_INPUT_EMPTY)},
      {"payload is not a JPEG", good, 2, JpegError(JERR_NO_SOI)},
      {"payload is the header", patched(0, 155), 0, JpegError(JERR_NO_SOI)},
      {"declared 65500 x 65500", hugeJpeg, 0, "JPEG image too large: 65500 x 65500 pixels"},
      {"index -1", good, -1, "Stream read error"},
      {"index ImageCount", good, 3, "Stream read error"},
  };
  for (const Case& c : cases) {
    MemoryFileAccess files;
    files.SetFile(kPackage, c.package);
    SaverComm comm(files);
    // The header of the good package, so that the counts stay whatever the cut.
    files.SetFile(kPackage, good);
    ASSERT_TRUE(comm.OpenPackage(kEngine)) << c.label;
    files.SetFile(kPackage, c.package);
    Bitmap bitmap = test::PoisonedBitmap(3, 2);
    EXPECT_EQ(ErrorOf([&] { comm.LoadSlide(bitmap, c.index); }), c.error) << c.label;
    EXPECT_EQ(test::DescribeDifference(test::PoisonedBitmap(3, 2), bitmap), "") << c.label;
    EXPECT_EQ(files.OpenHandles(), 0) << c.label;
  }
}

TEST(LoadSlide, NeedsAnOpenablePackage) {
  MemoryFileAccess files;
  SaverComm comm(files);
  Bitmap bitmap;
  EXPECT_EQ(ErrorOf([&] { comm.LoadSlide(bitmap, 0); }), "Cannot open file ");
  files.SetFile(kPackage, test::MakePackage({}));
  ASSERT_TRUE(comm.OpenPackage(kEngine));
  const auto writer = files.OpenReadWrite(kPackage, FileShare::ReadWrite);
  EXPECT_EQ(ErrorOf([&] { comm.LoadSlide(bitmap, 0); }), "Cannot open file C:\\Saver\\Ocean.mpf");
}

class ExtractSoundTrackTest : public ::testing::Test {
 protected:
  void Load(test::PackagePlan plan) {
    package_ = test::MakePackage(std::move(plan));
    files_.SetFile(kPackage, package_);
    ASSERT_TRUE(comm_.OpenPackage(kEngine));
  }
  MemoryFileAccess files_;
  SaverComm comm_{files_};
  Bytes package_;
};

TEST_F(ExtractSoundTrackTest, WritesTheTrackByteForByte) {
  const Bytes midi = Counting(200000, 3), first = Counting(70000, 5), second = Counting(5, 9);
  test::PackagePlan plan;
  plan.sounds = {{2, midi}, {0, first}, {0, second}, {7, Bytes{4, 5}}, {1, Bytes{}}};
  Load(plan);

  EXPECT_EQ(comm_.ExtractSoundTrack(0), "C:\\Saver\\mpfsound.mid");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mid"), midi);
  EXPECT_EQ(comm_.ExtractSoundTrack(1), "C:\\Saver\\mpfsound.mp3");
  EXPECT_EQ(comm_.ExtractSoundTrack(2), "C:\\Saver\\mpfsound.mp3");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mp3"), second);
  EXPECT_EQ(comm_.ExtractSoundTrack(3), "C:\\Saver\\mpfsound.mp3");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mp3"), (Bytes{4, 5}));
  // An empty track gives an empty file, not a copy of the whole package.
  EXPECT_EQ(comm_.ExtractSoundTrack(4), "C:\\Saver\\mpfsound.wav");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.wav"), Bytes{});
  // A slide being read meanwhile does not get in the way.
  const auto slideRead = files_.OpenRead(kPackage, FileShare::Read);
  EXPECT_EQ(comm_.ExtractSoundTrack(0), "C:\\Saver\\mpfsound.mid");
}

TEST_F(ExtractSoundTrackTest, FailuresLeaveNoNameAndKeepTheLastGoodTrack) {
  test::PackagePlan plan;
  plan.sounds = {{0, Counting(100, 1)}, {0, Counting(100000, 2)}};
  Load(plan);
  comm_.ExtractSoundTrack(0);
  const Bytes lastGood = *files_.File("C:\\Saver\\mpfsound.mp3");

  Bytes pastEnd = package_;
  test::PatchEntry(pastEnd, SoundEntryPosition(1), 300, static_cast<int32_t>(pastEnd.size()));
  files_.SetFile(kPackage, pastEnd);
  EXPECT_EQ(ErrorOf([&] { comm_.ExtractSoundTrack(1); }), "Stream read error");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mp3"), lastGood);
  EXPECT_EQ(ErrorOf([&] { comm_.ExtractSoundTrack(-1); }), "Stream read error");
  EXPECT_EQ(ErrorOf([&] { comm_.ExtractSoundTrack(2); }), "Stream read error");
  files_.SetFile(kPackage, package_);

  {
    // The player still holds the last track.
    const auto player = files_.OpenRead("C:\\Saver\\mpfsound.mp3", FileShare::Read);
    EXPECT_EQ(ErrorOf([&] { comm_.ExtractSoundTrack(1); }), "Cannot create file C:\\Saver\\mpfsound.mp3");
  }
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mp3"), lastGood);

  // A full disk keeps what fitted.
  files_.SetFreeSpace(1000);
  EXPECT_EQ(ErrorOf([&] { comm_.ExtractSoundTrack(1); }), "Stream write error");
  EXPECT_EQ(files_.File("C:\\Saver\\mpfsound.mp3")->size(), 1100u);
  EXPECT_EQ(files_.OpenHandles(), 0);
}

TEST(SavePackageHeader, RewritesOnlyTheHeader) {
  MemoryFileAccess files;
  test::PackagePlan plan;
  plan.header.SetEffectMask("1011");
  plan.header.bytes[0] = 0x4D;
  plan.header.bytes[153] = 0x77;
  plan.slides = {SolidJpeg(8, 8)};
  const Bytes before = test::MakePackage(plan);
  files.SetFile(kPackage, before);
  SaverComm comm(files);
  ASSERT_TRUE(comm.OpenPackage(kEngine));
  comm.Header().SetRandomOrder(1);
  comm.Header().SetInterval(300);
  comm.Header().SetSoundOff(1);
  ASSERT_TRUE(comm.SavePackageHeader());

  const Bytes after = *files.File(kPackage);
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    const bool mayChange = i == 13 || i == 14 || i == 19 || i == 20 || i == 154;
    if (!mayChange) {
      EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }
  }
  EXPECT_EQ(after[13], 1);
  EXPECT_EQ(after[19], 0x2C);
  EXPECT_EQ(after[20], 0x01);
  EXPECT_EQ(after[154], 1);

  {
    // A slide being read shuts the writer out.
    const auto reader = files.OpenRead(kPackage, FileShare::Read);
    EXPECT_EQ(ErrorOf([&] { comm.SavePackageHeader(); }), "Cannot open file C:\\Saver\\Ocean.mpf");
  }
  files.Remove(kPackage);
  EXPECT_FALSE(comm.SavePackageHeader());
  EXPECT_FALSE(files.Exists(kPackage));
}

}  // namespace
}  // namespace pavonix
