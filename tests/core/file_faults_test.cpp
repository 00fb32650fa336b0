#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <set>

#include "core/errors.h"
#include "core/file_io.h"
#include "fault_injection.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TFaultPlan;
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

const int kErrors[] = {ENOSPC, EIO, EROFS};

}  // namespace

// Every step of a save, failed with each error: the old file is whole, no
// temporary stays, the error names the file and the cause, and a retry works.
// A failed sync of the folder comes after the rename: the new file is whole then.
TEST(FileFaults, EveryFailurePointOfASaveKeepsTheOldFile) {
  TTempDir dir;
  const std::string path = dir.File("data.bin");
  const std::string old = "old contents";
  const std::string fresh(200000, 'n');  // more than one write for a short device
  const int points = test::CountFileSteps([&] { SaveFileAtomic(path, fresh); });
  ASSERT_GE(points, 6);
  for (int at = 0; at < points; ++at) {
    for (const int err : kErrors) {
      SCOPED_TRACE("step " + std::to_string(at) + " errno " + std::to_string(err));
      WriteFile(path, old);
      TFaultPlan plan(at, err);
      try {
        SaveFileAtomic(path, fresh);
        ADD_FAILURE() << "the save reported success";
      } catch (const EVetrilo& e) {
        EXPECT_NE(e.Message().find(path), std::string::npos) << e.Message();
        EXPECT_NE(e.Message().find(std::strerror(err)), std::string::npos) << e.Message();
      }
      const bool renamed = plan.FailedStep() == TFileStep::SyncFolder;
      EXPECT_EQ(ReadFile(path), renamed ? fresh : old);
      EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"data.bin"});
      plan.Clear();
      SaveFileAtomic(path, fresh);
      EXPECT_EQ(ReadFile(path), fresh);
    }
  }
}

TEST(FileFaults, AFailedAppendLeavesTheLogAsItWas) {
  TTempDir dir;
  const std::string path = dir.File("run.log");
  const std::string line = "a line of the log\r\n";
  const int points = test::CountFileSteps([&] { AppendFileBytes(path, line); });
  ASSERT_GE(points, 3);
  for (int at = 0; at < points; ++at) {
    for (const int err : kErrors) {
      SCOPED_TRACE("step " + std::to_string(at) + " errno " + std::to_string(err));
      WriteFile(path, "first\r\n");
      {
        TFaultPlan plan(at, err);
        EXPECT_THROW(AppendFileBytes(path, line), EVetrilo);
      }
      EXPECT_EQ(ReadFile(path), "first\r\n");
      AppendFileBytes(path, line);
      EXPECT_EQ(ReadFile(path), "first\r\n" + line);
    }
  }
}

// A process killed at any step of a save leaves the old file or the new one,
// whole; what it leaves besides is a temporary that start-up removes.
TEST(FileFaults, KilledAtAnyStepTheFileIsOldOrNewAndTheRestIsCleanedUp) {
  TTempDir dir;
  const std::string path = dir.File("data.bin");
  const std::string old = "old contents";
  const std::string fresh(100000, 'n');
  const int points = test::CountFileSteps([&] { SaveFileAtomic(path, fresh); });
  for (int at = 0; at < points; ++at) {
    SCOPED_TRACE("step " + std::to_string(at));
    WriteFile(path, old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int calls = 0;
      SetFileFaultHook([&](TFileStep, const std::string&) {
        if (calls++ == at) ::kill(::getpid(), SIGKILL);
        return 0;
      });
      try {
        SaveFileAtomic(path, fresh);
      } catch (...) {
      }
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    const std::string now = ReadFile(path);
    EXPECT_TRUE(now == old || now == fresh) << now.size() << " bytes";
    RemoveStaleTemporaries(dir.Path());
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"data.bin"});
  }
}

TEST(FileFaults, OnlyRegularFilesAreReplacedAndLinksKeepPointing) {
  TTempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_THROW(SaveFileAtomic(fifo, "x"), EVetrilo);
  EXPECT_THROW(AppendFileBytes(fifo, "x"), EVetrilo);
  struct stat st;
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  // A link to a device node is refused like the node itself.
  const std::string devLink = dir.File("null-link");
  ASSERT_EQ(::symlink("/dev/null", devLink.c_str()), 0);
  EXPECT_THROW(SaveFileAtomic(devLink, "x"), EVetrilo);
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  // A link to a regular file: the file it points to is replaced.
  WriteFile(dir.File("real"), "old");
  ASSERT_EQ(::symlink("real", dir.File("link").c_str()), 0);
  SaveFileAtomic(dir.File("link"), "new");
  ASSERT_EQ(::lstat(dir.File("link").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFile(dir.File("real")), "new");
  EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"pipe", "null-link", "real", "link"}));
}

TEST(FileFaults, NamesUpToTheLimitSave) {
  TTempDir dir;
  for (const size_t length : {size_t(245), size_t(250), size_t(255)}) {
    SCOPED_TRACE(length);
    const std::string path = dir.File(std::string(length, 'a'));
    SaveFileAtomic(path, "one");
    SaveFileAtomic(path, "two");
    EXPECT_EQ(ReadFile(path), "two");
  }
}

TEST(FileFaults, ReadingRefusesWhatIsNoFileAndWhatIsTooLarge) {
  TTempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero").c_str()), 0);
  std::filesystem::create_directory(dir.File("folder"));
  WriteFile(dir.File("big"), std::string(5000, 'x'));
  EXPECT_THROW(ReadFileBytes(fifo), EVetrilo);  // would block before
  EXPECT_THROW(ReadFileBytes(dir.File("zero")), EVetrilo);
  EXPECT_THROW(ReadFileBytes(dir.File("folder")), EVetrilo);
  EXPECT_THROW(ReadFileBytes(dir.File("big"), 4999), EVetrilo);
  EXPECT_EQ(ReadFileBytes(dir.File("big"), 5000).size(), 5000u);
}

TEST(FileFaults, StaleTemporariesAreKnownByTheirNamesOnly) {
  const std::pair<const char*, bool> cases[] = {
      {".vetrilo-a1B2c3.tmp", true},
      {"Vetrilo_4d47.ldr.tmp-Xy12Z9", true},
      {"Vetrilo_4d47_NUMS.dfc.tmp-000000", true},
      {".vetrilo-a1B2c.tmp", false},
      {".vetrilo-a1B2c3.tmp.bak", false},
      {"notes.tmp-1", false},
      {"notes.tmp-abcdefg", false},
      {".tmp-abcdef", false},
      {"Vetrilo_4d47.ldr", false},
      {"report.tmp-ab_def", false},
  };
  TTempDir dir;
  std::set<std::string> kept;
  for (const auto& [name, stale] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(IsStaleTemporaryName(name), stale);
    WriteFile(dir.File(name), "x");
    if (!stale) kept.insert(name);
  }
  std::filesystem::create_directory(dir.File(".vetrilo-folder.tmp"));
  kept.insert(".vetrilo-folder.tmp");
  EXPECT_EQ(RemoveStaleTemporaries(dir.Path()), 3);
  EXPECT_EQ(Entries(dir.Path()), kept);
}

}  // namespace vetrilo
