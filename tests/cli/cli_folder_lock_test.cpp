// Commands that change a program folder hold its lock for their whole
// read-modify-write: concurrent writers lose nothing, and a writer that finds
// the folder held by someone else refuses after a short wait.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>

#include "app/data_lock.h"
#include "core/draw_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "scripts/script_file.h"
#include "stakes/stake_tables.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
namespace {

using test::ReadFile;
using test::TRunResult;
using test::TTempDir;
using test::WriteFile;

TRunResult Cli(const TTempDir& dir, std::vector<std::string> words) {
  words.insert(words.begin(), {VETRILO_CLI, "--dir", dir.Path()});
  return test::RunProgram(words);
}

// Runs every command at once and waits for them all.
std::vector<TRunResult> RunTogether(const TTempDir& dir,
                                    const std::vector<std::vector<std::string>>& commands) {
  std::vector<TRunResult> results(commands.size());
  std::vector<std::thread> threads;
  for (size_t i = 0; i < commands.size(); ++i) {
    threads.emplace_back([&, i] { results[i] = Cli(dir, commands[i]); });
  }
  for (auto& t : threads) t.join();
  return results;
}

constexpr const char* kRefusal = "Невозможно получить монопольный доступ к файлам данных!";

// What a refused command says, and its status.
void ExpectRefused(const TRunResult& r) {
  EXPECT_EQ(r.Status, 4) << r.Err;
  EXPECT_NE(r.Err.find(kRefusal), std::string::npos) << r.Err;
}

int DrawCount(const TTempDir& dir) {
  TDrawArchive archive;
  archive.LoadFromFile(dir.File("Vetrilo_4d47.ldr"));
  return archive.Count();
}

int TableCount(const TTempDir& dir) {
  return int(ReadTablesFile(dir.File("Vetrilo_4d47.ltb")).size());
}

// Appended scripts are kept apart by separator lines: count the appended ones.
int ScriptLineCount(const TTempDir& dir) {
  const auto lines = ReadScriptFile(dir.File("Vetrilo_4d47.lss"));
  return int(std::count_if(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.starts_with("NUMS "); }));
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

}  // namespace

// Each kind of writer, run several at once: every run that says it succeeded
// kept its change, and a run that waited too long says so with status 4.
TEST(CliFolderLock, ConcurrentWritersLoseNothing) {
  constexpr int kRuns = 8;
  struct TCase {
    std::string name;
    std::function<std::vector<std::string>(const TTempDir&, int)> command;
    std::function<int(const TTempDir&)> kept;
  };
  const std::vector<TCase> cases = {
      {"tables add",
       [](const TTempDir&, int i) {
         return std::vector<std::string>{"tables",  "add",    "--name", "T" + std::to_string(i),
                                         "--start", "1;2;3;4"};
       },
       TableCount},
      {"draw add",
       [](const TTempDir&, int i) {
         return std::vector<std::string>{"draw",      "add",
                                         "--numbers", std::to_string(i + 1) + ";20;30;40;5",
                                         "--date",    "08/01/2014"};
       },
       DrawCount},
      {"script append",
       [](const TTempDir& dir, int i) {
         const std::string file = dir.File("l" + std::to_string(i) + ".lsc");
         WriteFile(file, "NUMS " + std::to_string(i) + "\r\n");
         return std::vector<std::string>{"script", "append", file};
       },
       ScriptLineCount},
      {"csv-import",
       [](const TTempDir& dir, int i) {
         const std::string file = dir.File("d" + std::to_string(i) + ".csv");
         WriteFile(file, "\"08/01/2014\";" + std::to_string(i + 1) + ";20;30;40;5\r\n");
         return std::vector<std::string>{"csv-import", file};
       },
       DrawCount},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TTempDir dir;
    std::vector<std::vector<std::string>> commands;
    for (int i = 0; i < kRuns; ++i) commands.push_back(c.command(dir, i));
    int succeeded = 0;
    for (const TRunResult& r : RunTogether(dir, commands)) {
      if (r.Status == 0) {
        ++succeeded;
      } else {
        ExpectRefused(r);
      }
    }
    EXPECT_GT(succeeded, 0);
    EXPECT_EQ(c.kept(dir), succeeded);
  }
}

// While another process holds the folder (the desktop program does for its
// whole run), every writer waits, then refuses and changes nothing; readers
// go on.
TEST(CliFolderLock, WritersRefuseWhileTheFolderIsHeldAndReadersGoOn) {
  TTempDir dir;
  ASSERT_EQ(Cli(dir, {"draw", "add", "--numbers", "1;2;3;4;5", "--date", "08/01/2014"}).Status, 0);
  ASSERT_EQ(Cli(dir, {"tables", "add", "--name", "T", "--start", "1;2;3;4"}).Status, 0);
  WriteFile(dir.File("a.lsc"), "NUMS 1\r\n");
  WriteFile(dir.File("d.csv"), "\"08/05/2014\";5;6;7;8;9\r\n");
  WriteFile(dir.File("Vetrilo_4d47.ini"),
            "[GLOBAL]\r\nResultsSite=http://127.0.0.1:9/\r\n"
            "UpdateSite=http://127.0.0.1:9/\r\n");
  auto snapshot = [&dir] {
    std::string all;
    for (const char* ext : {".ldr", ".ltb", ".lss", ".lsk", ".lrt", ".ini"}) {
      const std::string path = dir.File(std::string("Vetrilo_4d47") + ext);
      all += std::string(ext) + "=" + (PathExists(path) ? ReadFile(path) : "-") + "\n";
    }
    return all;
  };
  const std::string before = snapshot();

  TDataLock holder;
  ASSERT_TRUE(holder.Acquire(dir.File("Vetrilo_4d47.lsk"), nullptr));
  const std::vector<std::vector<std::string>> writers = {
      {"tables", "add", "--name", "U", "--start", "1;2;3;4"},
      {"tables", "stake", "--index", "0"},
      {"draw", "add", "--numbers", "5;6;7;8;9", "--date", "08/05/2014"},
      {"draw", "delete", "--rows", "0"},
      {"script", "append", dir.File("a.lsc")},
      {"csv-import", dir.File("d.csv")},
      {"stakes", "add", "--draw", "2", "--numbers", "1;2;3;4"},
      {"ratings", "--sort", "1"},
      {"download", "--answer", "no"},
      {"update", "install"},
      {"prefetch"},
  };
  const auto results = RunTogether(dir, writers);
  for (size_t i = 0; i < writers.size(); ++i) {
    SCOPED_TRACE(JoinWords(writers[i]));
    ExpectRefused(results[i]);
  }
  EXPECT_EQ(snapshot(), before);
  EXPECT_FALSE(PathExists(dir.File("Prefetchs")));

  const auto draws = Cli(dir, {"draws"});
  EXPECT_EQ(draws.Status, 0) << draws.Err;
  EXPECT_NE(draws.Out.find("08/01/2014"), std::string::npos);
  EXPECT_EQ(Cli(dir, {"tables", "list"}).Status, 0);
  EXPECT_EQ(Cli(dir, {"stats", "NUMS", "--no-norm"}).Status, 0);

  // Once the folder is free the same command goes through.
  holder.Release();
  EXPECT_EQ(Cli(dir, {"tables", "add", "--name", "U", "--start", "1;2;3;4"}).Status, 0);
  EXPECT_EQ(TableCount(dir), 2);
}

// A command that cannot read what it needs writes nothing: the stake is not
// appended when the ratings it would feed cannot be read.
TEST(CliFolderLock, UnreadableRatingsStopAStakeBeforeItIsWritten) {
  TTempDir dir;
  ASSERT_EQ(Cli(dir, {"draw", "add", "--numbers", "1;2;3;4;5", "--date", "08/01/2014"}).Status, 0);
  ASSERT_EQ(Cli(dir, {"tables", "add", "--name", "T", "--start", "1;2;3;4"}).Status, 0);
  std::filesystem::create_directory(dir.File("Vetrilo_4d47.lrt"));
  const std::string tables = ReadFile(dir.File("Vetrilo_4d47.ltb"));
  const std::vector<std::vector<std::string>> writers = {
      {"stakes", "add", "--draw", "1", "--numbers", "1;2;3;4"},
      {"tables", "stake", "--index", "0"},
      {"tables", "test", "--draws", "1"},
  };
  for (const auto& words : writers) {
    SCOPED_TRACE(JoinWords(words));
    for (int round = 0; round < 2; ++round) {
      const auto r = Cli(dir, words);
      EXPECT_EQ(r.Status, 2);
      EXPECT_NE(r.Err.find("Ошибка чтения файла рейтинга"), std::string::npos) << r.Err;
    }
    EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47.lsk")), "");
    EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47.ltb")), tables);
  }
}

// A FIFO, a device or a dangling link in a data file's place is a read error
// of that file, never an empty file.
TEST(CliFolderLock, SpecialFilesInPlaceOfDataFilesAreReadErrors) {
  struct TCase {
    const char* ext;
    std::vector<std::string> command;
    const char* error;
  };
  const std::vector<TCase> cases = {
      {".ldr", {"draws"}, "cannot read the draw archive"},
      {".lrt", {"ratings"}, "Ошибка чтения файла рейтинга!"},
      {".ltb", {"tables", "list"}, "Ошибка чтения файла регулярных ставок!"},
      {".lsk", {"stakes", "list"}, "Ошибка чтения файла ставок!"},
  };
  enum TKind { kFifo, kDevice, kDangling };
  for (const TCase& c : cases) {
    for (const TKind kind : {kFifo, kDevice, kDangling}) {
      SCOPED_TRACE(std::string(c.ext) + " kind " + std::to_string(int(kind)));
      TTempDir dir;
      const std::string path = dir.File(std::string("Vetrilo_4d47") + c.ext);
      if (kind == kFifo) {
        ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
      }
      if (kind == kDevice) std::filesystem::create_symlink("/dev/zero", path);
      if (kind == kDangling) std::filesystem::create_symlink(dir.File("gone"), path);
      const auto r = Cli(dir, c.command);
      EXPECT_EQ(r.Status, 2) << r.Out;
      EXPECT_NE(r.Err.find(c.error), std::string::npos) << r.Err;
      EXPECT_EQ(r.Err.find("Is a directory"), std::string::npos) << r.Err;
      EXPECT_FALSE(PathExists(dir.File("gone")));
    }
  }
}

// One escaping rule for every printed field: names with tabs or line breaks
// keep the TSV whole, and control characters cannot reach the terminal.
TEST(CliFolderLock, PrintedFieldsEscapeControlCharacters) {
  TTempDir dir;
  const std::string name = "a\tb\nc\rd\\e\x1b[31mf\x7f";
  ASSERT_EQ(Cli(dir, {"tables", "add", "--name", name, "--start", "1;2;3;4"}).Status, 0);
  const auto r = Cli(dir, {"tables", "list"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto lines = SplitLines(r.Out);
  ASSERT_EQ(lines.size(), 2u) << r.Out;
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), '\t'),
            std::count(lines[0].begin(), lines[0].end(), '\t'));
  EXPECT_NE(lines[1].find("a\\tb\\nc\\rd\\\\e\\x1b[31mf\\x7f"), std::string::npos) << lines[1];
  EXPECT_EQ(r.Out.find('\x1b'), std::string::npos);
}

}  // namespace vetrilo
