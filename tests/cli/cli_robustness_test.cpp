// Hostile folders, targets and values given to the command-line tool: each is
// refused with a non-zero status and one line on stderr, and nothing is harmed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/draw_archive.h"
#include "core/file_io.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

// Runs a command line through the shell, for redirections and limits.
test::TRunResult Shell(const std::string& command) {
  return RunProgram({"/bin/sh", "-c", command});
}

// The tool's command line; a hang ends after 60 s with status 124.
std::string Cli(const TTempDir& dir) {
  return "timeout 60 " + Quoted(VETRILO_CLI) + " --dir " + Quoted(dir.Path());
}

void CopyDemoArchive(const TTempDir& dir) {
  std::filesystem::copy_file(VETRILO_DEMO_ARCHIVE, dir.File("Vetrilo_4d47.ldr"));
}

bool IsFifo(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

int Lines(const std::string& text) {
  return int(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

TEST(CliRobustness, OutputThatCannotBeWrittenIsAnError) {
  TTempDir dir;
  CopyDemoArchive(dir);
  const std::string cli = Cli(dir) + " draws";
  const auto full = Shell(cli + " > /dev/full");
  EXPECT_NE(full.Status, 0);
  EXPECT_EQ(Lines(full.Err), 1) << full.Err;
  EXPECT_NE(full.Err.find("standard output"), std::string::npos) << full.Err;
  // Past a file-size limit (in 512-byte blocks) the export is cut: an error too.
  const auto limited = Shell("ulimit -f 4; " + cli + " > " + Quoted(dir.File("out.csv")));
  EXPECT_NE(limited.Status, 0);
  EXPECT_NE(limited.Err.find("standard output"), std::string::npos) << limited.Err;
  // The same export that fits is whole and exits 0.
  const auto fine = Shell(cli + " > " + Quoted(dir.File("out.csv")));
  EXPECT_EQ(fine.Status, 0) << fine.Err;
  EXPECT_GT(ReadFile(dir.File("out.csv")).size(), 2048u);
}

TEST(CliRobustness, AFolderThatIsNotThereIsAnError) {
  TTempDir dir;
  WriteFile(dir.File("plain"), "x");
  const std::string missing = dir.File("no/such/tree");
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {missing, {"draws"}},
      {missing, {"prefetch"}},
      {dir.File("plain"), {"draws"}},
      {"", {"methods"}},
  };
  for (const auto& [folder, words] : cases) {
    SCOPED_TRACE(folder + " " + words[0]);
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", folder};
    argv.insert(argv.end(), words.begin(), words.end());
    const auto r = RunProgram(argv);
    EXPECT_EQ(r.Status, 2) << r.Out;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(Lines(r.Err), 1) << r.Err;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("no")));
}

TEST(CliRobustness, SettingsThatAreNoFileAreReadErrors) {
  struct TCase {
    const char* Name;
    const char* File;
    int Kind;  // 0 folder, 1 FIFO, 2 link to /dev/zero
    const char* Message;
  };
  const TCase cases[] = {
      {"ini folder", "Vetrilo_4d47.ini", 0, "Ошибка чтения файла конфигурации!"},
      {"frm folder", "Vetrilo_4d47.frm", 0, "Ошибка загрузки параметров программы!"},
      {"ini fifo", "Vetrilo_4d47.ini", 1, "Ошибка чтения файла конфигурации!"},
      {"frm fifo", "Vetrilo_4d47.frm", 1, "Ошибка загрузки параметров программы!"},
      {"ini zero", "Vetrilo_4d47.ini", 2, "Ошибка чтения файла конфигурации!"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string path = dir.File(c.File);
    if (c.Kind == 0) {
      std::filesystem::create_directory(path);
    } else if (c.Kind == 1) {
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    } else {
      ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0);
    }
    const auto r = Shell(Cli(dir) + " stats NUMS");
    EXPECT_EQ(r.Status, 2) << r.Err;
    EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
  }
}

TEST(CliRobustness, ListsThatAreNoFileAreReadErrors) {
  TTempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("list.lcv").c_str(), 0644), 0);
  ASSERT_EQ(::symlink("/dev/zero", dir.File("zero.lcv").c_str()), 0);
  for (const char* name : {"list.lcv", "zero.lcv"}) {
    SCOPED_TRACE(name);
    const auto r = Shell(Cli(dir) + " generate --mode 4 --numbers " + Quoted(dir.File(name)) +
                         " --out " + Quoted(dir.File("out.lcv")));
    EXPECT_EQ(r.Status, 2) << r.Err;
    EXPECT_FALSE(FileExists(dir.File("out.lcv")));
  }
}

TEST(CliRobustness, OnlyRegularFilesAreWrittenOver) {
  TTempDir dir;
  const std::string fifo = dir.File("pipe.lcv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const auto r = Shell(Cli(dir) + " generate --mode 2 --numbers 1,2,3,4 --out " + Quoted(fifo));
  EXPECT_EQ(r.Status, 2) << r.Err;
  EXPECT_TRUE(IsFifo(fifo));
  // A link to a list: the list is written, the link stays.
  WriteFile(dir.File("real.lcv"), "old");
  ASSERT_EQ(::symlink("real.lcv", dir.File("link.lcv").c_str()), 0);
  const auto linked = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "generate", "--mode", "2",
                                  "--numbers", "1,2,3,4", "--out", dir.File("link.lcv")});
  EXPECT_EQ(linked.Status, 0) << linked.Err;
  EXPECT_EQ(ReadFile(dir.File("real.lcv")), "1;2;3;4\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.lcv")));
}

TEST(CliRobustness, ValuesAMethodCannotReadOrHaveAreRefused) {
  TTempDir dir;
  CopyDemoArchive(dir);
  const std::pair<const char*, const char*> refused[] = {
      {"NUMS", "99"},   {"NUMS", ""},      {"NUMS", "abc"},  {"NUMS", "0"},
      {"EVNV", "AAAA"}, {"EVNV", "ЧЧЧЧЧ"}, {"SUMS", "1000"},
  };
  for (const auto& [code, value] : refused) {
    SCOPED_TRACE(std::string(code) + " '" + value + "'");
    const auto r = RunProgram(
        {VETRILO_CLI, "--dir", dir.Path(), "filter", code, "--value", value, "--mode", "keep"});
    EXPECT_EQ(r.Status, 2) << r.Out;
    EXPECT_EQ(Lines(r.Err), 1) << r.Err;
  }
  // What the method reads and can have still selects, shown or not in the table.
  const std::pair<const char*, const char*> taken[] = {
      {"NUMS", "47"},
      {"EVNV", "ЧЧЧЧ"},
      {"EVNV", "ЧЧЧЧ (000)"},
      {"SUMS", "100"},
  };
  for (const auto& [code, value] : taken) {
    SCOPED_TRACE(std::string(code) + " '" + value + "'");
    const auto r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "filter", code, "--value", value,
                               "--mode", "keep", "--depth", "1"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out, "0\n");
  }
}

TEST(CliRobustness, OutOfRangeDataIsTakenButSaidOnce) {
  TTempDir dir;
  // Balls 0 and 48, a ball twice, a bonus of 18: three odd draws among four.
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(test::MakeDraws({{1, 0, 2, 3, 4, 5, "01/01/2020"},
                                                  {2, 1, 48, 3, 4, 5, "01/04/2020"},
                                                  {3, 1, 2, 3, 4, 5, "01/08/2020"},
                                                  {4, 7, 7, 8, 9, 18, "01/11/2020"}})));
  const auto draws = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "draws"});
  EXPECT_EQ(draws.Status, 0) << draws.Err;
  EXPECT_EQ(Lines(draws.Out), 5);  // header and every draw, as stored
  EXPECT_EQ(Lines(draws.Err), 1) << draws.Err;
  EXPECT_NE(draws.Err.find(": 3."), std::string::npos) << draws.Err;
  // A list with 256 and -1 (read as 0 and 255) loads, with the count said.
  WriteFile(dir.File("odd.lcv"), "1;2;3;4\r\n256;2;3;4\r\n-1;2;3;4\r\n");
  const auto list = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "generate", "--mode", "4",
                                "--numbers", dir.File("odd.lcv"), "--out", dir.File("o.lcv")});
  EXPECT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(list.Out, "3\n");
  EXPECT_NE(list.Err.find(": 2."), std::string::npos) << list.Err;
  // Numbers that hold no number of the game are refused, not read as none.
  for (const char* numbers : {"abc", "0;48;255", ";;"}) {
    SCOPED_TRACE(numbers);
    const auto r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "generate", "--mode", "1",
                               "--numbers", numbers, "--out", dir.File("g.lcv")});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("Ошибка генерации файла комбинаций!"), std::string::npos) << r.Err;
    EXPECT_FALSE(FileExists(dir.File("g.lcv")));
  }
}

}  // namespace vetrilo
