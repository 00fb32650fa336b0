// The desktop program as a process: its start-up jobs and the exclusive use of
// its folder. Each test copies the program into a folder of its own, since the
// program keeps its data beside itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "app/data_lock.h"
#include "core/file_io.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;
using test::StartProgram;
using test::TTempDir;

namespace {

// Without a display, with the sanitizers quiet about Qt's own leaks.
const std::vector<std::string> kHeadless = {
    "DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "ASAN_OPTIONS=detect_leaks=0"};

std::string InstallProgram(const TTempDir& dir) {
  const std::string program = dir.File("Vetrilo_4d47");
  std::filesystem::copy_file(VETRILO_PROGRAM, program);
  std::filesystem::copy_file(VETRILO_DEMO_ARCHIVE, dir.File("Vetrilo_4d47.ldr"));
  return program;
}

bool FolderLocked(const TTempDir& dir) {
  TDataLock probe;
  return !probe.Acquire(dir.File("Vetrilo_4d47.lsk"), nullptr);
}

}  // namespace

TEST(Program, FullRecreateWithoutADisplayRebuildsEveryCacheAndExits) {
  TTempDir dir;
  const std::string program = InstallProgram(dir);
  std::filesystem::create_directory(dir.File("Prefetchs"));
  test::WriteFile(dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc"), std::string(24, '\x05'));
  const auto r = RunProgram({program, "/FULLRECREATE"}, kHeadless);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Создание файла предварительной выборки"), std::string::npos);
  EXPECT_NE(test::ReadFile(dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc")), std::string(24, '\x05'));
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.File("Prefetchs"))) {
    files += e.path().extension() == ".dfc" ? 1 : 0;
  }
  // One per method with a full-set norm (flag N) at the default settings: 8 number,
  // 7 sum, 5 difference, 3 channel and 12 matrix classes, 3 segment and 3 sequence
  // classes, POS1..4, CHN1..6, COL1..8, ROW1..6, SGM1, HCO1, HCO2 and SHR1..3.
  EXPECT_EQ(files, 71);

  // A job that fails says so and exits non-zero.
  TTempDir broken;
  const std::string other = InstallProgram(broken);
  test::WriteFile(broken.File("Prefetchs"), "not a folder");
  const auto bad = RunProgram({other, "--fullrefresh"}, kHeadless);
  EXPECT_NE(bad.Status, 0);
  EXPECT_NE(bad.Err.find("Ошибка создания файла данных для полного набора вариантов!"),
            std::string::npos);
}

TEST(Program, OneCopyPerFolder) {
  TTempDir dir, other;
  const std::string program = InstallProgram(dir);
  const std::string elsewhere = InstallProgram(other);
  // The first copy runs with a window (offscreen) and holds the folder.
  const int first = StartProgram({program, "batch"},
                                 {"QT_QPA_PLATFORM=offscreen", "ASAN_OPTIONS=detect_leaks=0"});
  for (int i = 0; i < 600 && !FolderLocked(dir); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_TRUE(FolderLocked(dir));

  const auto refused = RunProgram({program, "fullrefresh"}, kHeadless);
  EXPECT_NE(refused.Status, 0);
  EXPECT_NE(refused.Err.find("Невозможно получить монопольный доступ к файлам данных!"),
            std::string::npos)
      << refused.Err;
  EXPECT_EQ(RunProgram({elsewhere, "fullrefresh"}, kHeadless).Status, 0);

  // A copy that crashed leaves nothing behind that blocks the next start.
  ::kill(first, SIGKILL);
  int status = 0;
  ::waitpid(first, &status, 0);
  EXPECT_EQ(RunProgram({program, "fullrefresh"}, kHeadless).Status, 0);
}

TEST(Program, WithoutADisplayAndWithoutAJobItSaysSoInOneLine) {
  TTempDir dir;
  const auto r = RunProgram({InstallProgram(dir)}, kHeadless);
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
}

// After an update or a language switch the new copy waits for the old one to
// let go of this folder, and only of this folder.
TEST(Program, RestartWaitsForThisFolderOnly) {
  TTempDir dir, other;
  const std::string program = InstallProgram(dir);
  // Another program of the same file name runs in another folder.
  const std::string namesake = other.File("Vetrilo_4d47");
  std::filesystem::copy_file("/bin/sleep", namesake);
  const int sleeper = StartProgram({namesake, "120"});
  const auto free = RunProgram({program, "restart", "fullrefresh"}, kHeadless);
  EXPECT_EQ(free.Status, 0) << free.Err;

  // The old copy still holds the folder for a moment: the new one waits for it.
  TDataLock old;
  ASSERT_TRUE(old.Acquire(dir.File("Vetrilo_4d47.lsk"), nullptr));
  std::thread release([&old] {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    old.Release();
  });
  const auto waited = RunProgram({program, "restart", "fullrefresh"}, kHeadless);
  release.join();
  EXPECT_EQ(waited.Status, 0) << waited.Err;
  EXPECT_EQ(waited.Err.find("Невозможно получить монопольный доступ"), std::string::npos);
  ::kill(sleeper, SIGKILL);
  int status = 0;
  ::waitpid(sleeper, &status, 0);
}

}  // namespace vetrilo
