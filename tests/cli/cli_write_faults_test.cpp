// Every file the command-line tool writes, failed at every step of its write
// and killed at every step: the files are each old or new and whole, the failure
// is one stderr line and a non-zero status, and the command then succeeds.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "core/draw_archive.h"
#include "core/file_io.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

using TSnapshot = std::map<std::string, std::string>;

TSnapshot Snapshot(const std::string& dir) {
  TSnapshot files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) {
      files[std::filesystem::relative(e.path(), dir).string()] = ReadFile(e.path().string());
    }
  }
  return files;
}

void Prepare(const TTempDir& dir) {
  WriteFile(dir.File("Vetrilo_4d47.ini"),
            "[STAKES]\r\nCost=1\r\nProfits=1\r\nProfit_0_Overlap=2\r\nProfit_0_Profit=3\r\n");
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws(
                {{1000, 1, 2, 3, 4, 1, "01/01/2020"}, {1001, 5, 6, 7, 8, 2, "01/04/2020"}})));
  WriteFile(dir.File("Vetrilo_4d47.lsk"), "");
  WriteFile(dir.File("list.lcv"), "old list\r\n");
  WriteFile(dir.File("out.csv"), "old csv\r\n");
  WriteFile(dir.File("demo.ldr"), "old demo");
  WriteFile(dir.File("in.csv"), "1002;\"01/08/2020\";9;10;11;12;3\r\n");
}

test::TRunResult RunCli(const TTempDir& dir, const std::vector<std::string>& words,
                        const std::string& fault) {
  std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path()};
  argv.insert(argv.end(), words.begin(), words.end());
  std::vector<std::string> env;
  if (!fault.empty()) env.push_back("VETRILO_FILE_FAULT=" + fault);
  return RunProgram(argv, env);
}

int Lines(const std::string& text) {
  return int(std::count(text.begin(), text.end(), '\n'));
}

// Each file as it was before, or whole in the size the clean run left it (a stake
// appended but not checked, a log line with another time), and nothing else.
void ExpectOldOrNew(const TSnapshot& now, const TSnapshot& before, const TSnapshot& after) {
  for (const auto& [name, bytes] : now) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(before.count(name) || after.count(name)) << "left behind";
    const bool old = before.count(name) && before.at(name) == bytes;
    const bool fresh = after.count(name) && after.at(name).size() == bytes.size();
    EXPECT_TRUE(old || fresh) << bytes.size() << " bytes";
  }
  for (const auto& [name, bytes] : before) EXPECT_TRUE(now.count(name)) << name << " lost";
}

}  // namespace

TEST(CliWriteFaults, EveryWriteFailsSafelyAtEveryStep) {
  const std::vector<std::vector<std::string>> commands = {
      {"generate", "--mode", "2", "--numbers", "1,2,3,4,5", "--out", "LIST"},
      {"make-demo", "DEMO", "--draws", "30"},
      {"csv-export", "CSV"},
      {"csv-import", "IN"},
      {"draw", "add", "--numbers", "11;12;13;14;5", "--date", "01/15/2020"},
      {"stakes", "add", "--draw", "1001", "--numbers", "5;6;30;40"},
  };
  const int errors[] = {ENOSPC, EIO, EROFS};
  for (const std::vector<std::string>& pattern : commands) {
    SCOPED_TRACE(pattern[0] + " " + pattern[1]);
    TSnapshot before, after;
    std::string cleanErr;  // what the command says on stderr when all goes well
    // The files named in the words lie in each run's own folder.
    const auto words = [&](const TTempDir& dir) {
      std::vector<std::string> out = pattern;
      for (std::string& w : out) {
        if (w == "LIST") w = dir.File("list.lcv");
        if (w == "DEMO") w = dir.File("demo.ldr");
        if (w == "CSV") w = dir.File("out.csv");
        if (w == "IN") w = dir.File("in.csv");
      }
      return out;
    };
    {
      TTempDir dir;
      Prepare(dir);
      before = Snapshot(dir.Path());
      const auto r = RunCli(dir, words(dir), "");
      ASSERT_EQ(r.Status, 0) << r.Err;
      cleanErr = r.Err;
      after = Snapshot(dir.Path());
      ASSERT_NE(before, after);
    }
    int steps = 0;
    for (int at = 0;; ++at) {
      SCOPED_TRACE("step " + std::to_string(at));
      ASSERT_LT(at, 50) << "the fault never stopped reaching a step";
      TTempDir dir;
      Prepare(dir);
      const int err = errors[at % 3];
      const auto r = RunCli(dir, words(dir), std::to_string(at) + ":" + std::to_string(err));
      if (r.Status == 0 && r.Err == cleanErr) break;  // past the last step
      ++steps;
      EXPECT_GT(Lines(r.Err), r.Status == 0 ? Lines(cleanErr) : 0) << r.Err;
      EXPECT_NE(r.Err.find(std::strerror(err)), std::string::npos) << r.Err;
      // Only a stake log line may fail without failing the command.
      if (r.Status == 0) {
        EXPECT_NE(r.Err.find(".log"), std::string::npos) << r.Err;
      }
      ExpectOldOrNew(Snapshot(dir.Path()), before, after);
      if (r.Status != 0) {
        const auto again = RunCli(dir, words(dir), "");
        EXPECT_EQ(again.Status, 0) << again.Err;
      }
    }
    EXPECT_GE(steps, 4);
    // Killed at each step: old or new, and only a temporary beside them, which
    // the next start of the program removes.
    for (int at = 0; at < steps; ++at) {
      SCOPED_TRACE("kill at " + std::to_string(at));
      TTempDir dir;
      Prepare(dir);
      const auto r = RunCli(dir, words(dir), std::to_string(at) + ":KILL");
      EXPECT_EQ(r.Status, 128 + SIGKILL);
      RemoveStaleTemporaries(dir.Path());
      ExpectOldOrNew(Snapshot(dir.Path()), before, after);
    }
  }
}

}  // namespace vetrilo
