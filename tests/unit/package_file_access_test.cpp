#include <gtest/gtest.h>

#include "engine/package/memory_file_access.h"
#include "tests/unit/package_support.h"

namespace pavonix {
namespace {

using test::Bytes;

TEST(MemoryFileAccess, OpensConflictAsOnWindows) {
  for (const test::ShareCase& c : test::kShareCases) {
    MemoryFileAccess files;
    files.SetFile("C:\\p.mpf", Bytes{1, 2, 3});
    const auto first = test::OpenAs(files, "C:\\p.mpf", c.first);
    ASSERT_NE(first, nullptr) << c.label << ": first open";
    const auto second = test::OpenAs(files, "C:\\p.mpf", c.second);
    EXPECT_EQ(second != nullptr, c.secondSucceeds) << c.label;
  }
}

TEST(MemoryFileAccess, ClosingReleasesTheFile) {
  MemoryFileAccess files;
  files.SetFile("a", Bytes{1});
  {
    const auto held = files.OpenRead("a", FileShare::None);
    EXPECT_EQ(files.OpenRead("a", FileShare::Read), nullptr);
    EXPECT_EQ(files.OpenHandles(), 1);
  }
  EXPECT_NE(files.OpenRead("a", FileShare::Read), nullptr);
  EXPECT_EQ(files.OpenHandles(), 0);
}

TEST(MemoryFileAccess, CreateTruncatesAndReadWriteKeeps) {
  MemoryFileAccess files;
  files.SetFile("a", Bytes{1, 2, 3, 4});
  {
    const auto rw = files.OpenReadWrite("a", FileShare::ReadWrite);
    ASSERT_NE(rw, nullptr);
    const uint8_t nine = 9;
    EXPECT_TRUE(rw->Seek(1));
    EXPECT_EQ(rw->Write(&nine, 1), 1u);
  }
  EXPECT_EQ(files.File("a"), (Bytes{1, 9, 3, 4}));
  { const auto created = files.Create("a"); }
  EXPECT_EQ(files.File("a"), Bytes{});
  EXPECT_EQ(files.OpenReadWrite("missing", FileShare::ReadWrite), nullptr);
  EXPECT_FALSE(files.Exists("missing"));
}

TEST(MemoryFileAccess, FullDiskShortensWrites) {
  MemoryFileAccess files;
  files.SetFreeSpace(5);
  const auto f = files.Create("a");
  const uint8_t data[4] = {1, 2, 3, 4};
  EXPECT_EQ(f->Write(data, 4), 4u);
  EXPECT_EQ(f->Write(data, 4), 1u);
  EXPECT_EQ(f->Write(data, 4), 0u);
  // Rewriting bytes that exist needs no new space.
  EXPECT_TRUE(f->Seek(0));
  EXPECT_EQ(f->Write(data, 4), 4u);
  EXPECT_EQ(files.File("a"), (Bytes{1, 2, 3, 4, 1}));
}

}  // namespace
}  // namespace pavonix
