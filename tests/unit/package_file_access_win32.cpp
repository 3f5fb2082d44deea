// The Win32 file access against real Windows files (run under Wine): the same
// share table as the in-memory stand-in, and the package operations end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/package/errors.h"
#include "engine/package/saver_comm.h"
#include "tests/unit/package_support.h"
#include "tests/unit/test_support.h"

namespace pavonix {
namespace {

using test::Bytes;

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Win32FileAccess, OpensConflictAsTheTableSays) {
  test::TempDir dir;
  const std::string path = (dir / "p.mpf").string();
  WriteFile(path, Bytes{1, 2, 3});
  FileAccess& files = SystemFileAccess();
  for (const test::ShareCase& c : test::kShareCases) {
    const auto first = test::OpenAs(files, path, c.first);
    ASSERT_NE(first, nullptr) << c.label << ": first open";
    const auto second = test::OpenAs(files, path, c.second);
    EXPECT_EQ(second != nullptr, c.secondSucceeds) << c.label;
  }
  EXPECT_TRUE(files.Exists(path));
  EXPECT_FALSE(files.Exists(dir.path().string()));
  EXPECT_FALSE(files.Exists((dir / "missing.mpf").string()));
}

TEST(Win32FileAccess, PackageOperationsOnRealFiles) {
  test::TempDir dir;
  test::PackagePlan plan;
  const Bytes midi = Bytes(100000, 0x5A);
  plan.sounds = {{2, midi}};
  test::JpegPlan jpeg;
  jpeg.width = 20;
  jpeg.height = 10;
  plan.slides = {test::MakeJpeg(jpeg)};
  plan.header.SetInterval(7);
  const Bytes package = test::MakePackage(plan);
  WriteFile(dir / "Ocean.mpf", package);

  SaverComm comm(SystemFileAccess());
  ASSERT_TRUE(comm.OpenPackage((dir / "Ocean.Waves.scr").string()));
  EXPECT_EQ(comm.Header().Interval(), 7);

  Bitmap bitmap;
  comm.LoadSlide(bitmap, 0);
  EXPECT_EQ(bitmap.Width(), 20);
  EXPECT_EQ(bitmap.Height(), 10);

  const std::string sound = comm.ExtractSoundTrack(0);
  EXPECT_EQ(sound, (dir / "mpfsound.mid").string());
  EXPECT_EQ(ReadFile(sound), midi);
  {
    const auto player = SystemFileAccess().OpenRead(sound, FileShare::Read);
    try {
      comm.ExtractSoundTrack(0);
      ADD_FAILURE() << "created a sound file that a player holds";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.what(), "Cannot create file " + sound);
    }
  }

  comm.Header().SetSoundOff(1);
  ASSERT_TRUE(comm.SavePackageHeader());
  Bytes expected = package;
  expected[154] = 1;
  EXPECT_EQ(ReadFile(dir / "Ocean.mpf"), expected);
}

}  // namespace
}  // namespace pavonix
