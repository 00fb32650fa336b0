#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

TEST(SessionRobustness, StaleTemporariesGoOnceTheFolderIsOurs) {
  TTempDir dir;
  std::filesystem::create_directory(dir.File("Prefetchs"));
  const std::string stale[] = {".vetrilo-q1W2e3.tmp", "Vetrilo_4d47.ldr.tmp-AbCdEf",
                               "Prefetchs/Vetrilo_4d47_NUMS.dfc.tmp-123abc",
                               "Prefetchs/.vetrilo-zzzzzz.tmp", "Vetrilo_4d47.~tmp"};
  for (const std::string& name : stale) WriteFile(dir.File(name), std::string(5000, 'x'));
  WriteFile(dir.File("notes.tmp-1"), "mine");
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  ASSERT_TRUE(session.AcquireDataLock());
  for (const std::string& name : stale)
    EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
  EXPECT_EQ(ReadFile(dir.File("notes.tmp-1")), "mine");
  // A second copy is refused and removes nothing of the first one's.
  WriteFile(dir.File(".vetrilo-busy01.tmp"), "in use");
  TAppSession second(TAppPaths::ForFolder(dir.Path()), hooks);
  EXPECT_FALSE(second.AcquireDataLock());
  EXPECT_TRUE(std::filesystem::exists(dir.File(".vetrilo-busy01.tmp")));
}

TEST(SessionRobustness, OddDrawsAreLoadedAndCountedInOneWarning) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws({{1, 0, 2, 3, 4, 5, "01/01/2020"},
                                            {2, 1, 2, 3, 4, 0, "01/04/2020"},
                                            {3, 1, 2, 3, 4, 5, "01/08/2020"},
                                            {4, 200, 200, 8, 9, 5, "01/11/2020"}})));
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  ASSERT_TRUE(session.LoadArchive());
  EXPECT_EQ(session.Archive().Count(), 4);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Warning);
  EXPECT_NE(hooks.Messages[0].Text.find(": 3."), std::string::npos) << hooks.Messages[0].Text;
  // A clean archive says nothing.
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws({{1, 1, 2, 3, 4, 5, "01/01/2020"}})));
  hooks.Messages.clear();
  ASSERT_TRUE(session.LoadArchive());
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST(SessionRobustness, SettingsThatAreNoFileAreShownAndKeptApart) {
  for (const char* name : {"Vetrilo_4d47.ini", "Vetrilo_4d47.frm"}) {
    for (const bool fifo : {false, true}) {
      SCOPED_TRACE(std::string(name) + (fifo ? " fifo" : " folder"));
      TTempDir dir;
      const std::string path = dir.File(name);
      if (fifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
      } else {
        std::filesystem::create_directory(path);
      }
      TRecordingHooks hooks;
      TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
      session.LoadOptions();
      ASSERT_FALSE(hooks.Messages.empty());
      EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Error);
      // Nothing replaced it with defaults.
      struct stat st;
      ASSERT_EQ(::lstat(path.c_str(), &st), 0);
      EXPECT_EQ(fifo, S_ISFIFO(st.st_mode));
    }
  }
}

}  // namespace vetrilo
