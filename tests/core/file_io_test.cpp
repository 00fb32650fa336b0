#include "core/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "core/errors.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

namespace {

std::set<std::string> Entries(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    names.insert(e.path().filename().string());
  }
  return names;
}

unsigned ModeOf(const std::string& path) {
  struct stat st;
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

}  // namespace

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
  EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"busy", "plain"}));
  EXPECT_EQ(Entries(dir.File("busy")), (std::set<std::string>{"inner"}));
}

TEST(FileIo, ReplacedFileKeepsItsModeAndNewFilesGetTheAskedOne) {
  TTempDir dir;
  struct TCase {
    const char* Name;
    int OldMode;  // -1: no file yet
    unsigned NewFileMode;
    unsigned Expected;
  };
  const TCase cases[] = {
      {"private", 0600, kNewFileMode, 0600},      {"group", 0640, kNewFileMode, 0640},
      {"open", 0666, kPrivateFileMode, 0666},     {"new", -1, kNewFileMode, 0644},
      {"new-secret", -1, kPrivateFileMode, 0600},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = dir.File(c.Name);
    if (c.OldMode >= 0) {
      WriteFile(path, "old");
      ASSERT_EQ(::chmod(path.c_str(), static_cast<mode_t>(c.OldMode)), 0);
    }
    SaveFileAtomic(path, "new", c.NewFileMode);
    EXPECT_EQ(ReadFile(path), "new");
    EXPECT_EQ(ModeOf(path), c.Expected);
  }
}

TEST(FileIo, SaveThroughASymbolicLinkWritesItsTarget) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("real"));
  WriteFile(dir.File("real/a.ini"), "old");
  ASSERT_EQ(::chmod(dir.File("real/a.ini").c_str(), 0600), 0);
  // A relative link, a link to that link, and an absolute link to a file not made yet.
  std::filesystem::create_symlink("real/a.ini", dir.File("rel.ini"));
  std::filesystem::create_symlink(dir.File("rel.ini"), dir.File("chain.ini"));
  std::filesystem::create_symlink(dir.File("real/b.ini"), dir.File("dangling.ini"));

  SaveFileAtomic(dir.File("rel.ini"), "one");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("rel.ini")));
  EXPECT_EQ(ReadFile(dir.File("real/a.ini")), "one");
  EXPECT_EQ(ModeOf(dir.File("real/a.ini")), 0600u);

  SaveFileAtomic(dir.File("chain.ini"), "two");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.ini")));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("rel.ini")));
  EXPECT_EQ(ReadFile(dir.File("real/a.ini")), "two");

  SaveFileAtomic(dir.File("dangling.ini"), "three");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.ini")));
  EXPECT_EQ(ReadFile(dir.File("real/b.ini")), "three");
  EXPECT_EQ(Entries(dir.File("real")), (std::set<std::string>{"a.ini", "b.ini"}));
  EXPECT_EQ(Entries(dir.Path()),
            (std::set<std::string>{"real", "rel.ini", "chain.ini", "dangling.ini"}));

  // A link loop cannot be saved through and is left alone.
  std::filesystem::create_symlink(dir.File("loop2"), dir.File("loop1"));
  std::filesystem::create_symlink(dir.File("loop1"), dir.File("loop2"));
  EXPECT_THROW(SaveFileAtomic(dir.File("loop1"), "x"), EVetrilo);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("loop1")));
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
