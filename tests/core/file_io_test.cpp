#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

TEST(FileIo, AtomicSaveReplacesTheFileAndLeavesNoTemporary) {
  TTempDir dir;
  const std::string path = dir.File("a.bin");
  WriteFile(path, "old");
  SaveFileAtomic(path, std::string("new\0data", 8));
  EXPECT_EQ(ReadFile(path), std::string("new\0data", 8));
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir.Path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
}

TEST(FileIo, FailedSaveKeepsTheOldFile) {
  TTempDir dir;
  // A folder in place of the file: the rename fails and nothing is left behind.
  std::filesystem::create_directory(dir.File("busy"));
  WriteFile(dir.File("busy/inner"), "keep");
  EXPECT_THROW(SaveFileAtomic(dir.File("busy"), "x"), EVetrilo);
  EXPECT_EQ(ReadFile(dir.File("busy/inner")), "keep");
  // A path below a regular file cannot be created at all.
  WriteFile(dir.File("plain"), "p");
  EXPECT_THROW(SaveFileAtomic(dir.File("plain/sub"), "x"), EVetrilo);
  EXPECT_EQ(ReadFile(dir.File("plain")), "p");
}

TEST(FileIo, ReadingErrorsNameThePath) {
  TTempDir dir;
  try {
    ReadFileBytes(dir.File("missing"));
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos);
  }
}

TEST(FileIo, PathParts) {
  EXPECT_EQ(ExtractFileDir("/a/b/c.ldr"), "/a/b");
  EXPECT_EQ(ExtractFileName("/a/b/c.ldr"), "c.ldr");
  EXPECT_EQ(ChangeFileExt("/a/b.c/prog", ".flt"), "/a/b.c/prog.flt");
  EXPECT_EQ(ChangeFileExt("/a/prog.exe", ".flt"), "/a/prog.flt");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
}

}  // namespace vetrilo
