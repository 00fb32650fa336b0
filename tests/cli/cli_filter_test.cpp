#include <gtest/gtest.h>

#include <filesystem>

#include "core/combinatorics.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "stats/stat_protocols.h"
#include "test_paths.h"
#include "test_support.h"
#include "workspace/comb_file.h"

namespace vetrilo {
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

// The lines of a written list; an empty list is an empty file, which opening refuses.
TCombsArray ReadCombs(const std::string& path) {
  TCombsArray combs;
  ParseCombFileText(ReadFile(path), combs);
  return combs;
}

}  // namespace

TEST(CliGenerate, WritesTheModesList) {
  TTempDir dir;
  const std::string out = dir.File("g.lcv");
  struct TCase {
    std::vector<std::string> Args;
    size_t Count;
  };
  const TCase cases[] = {
      {{"--mode", "0"}, 178365},
      {{"--mode", "1", "--numbers", "1;2"}, 29370},
      {{"--mode", "2", "--numbers", "1;2;3;4;5"}, 5},
      {{"--mode", "3"}, 178365},
      {{"--mode", "1"}, 0},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path(), "generate", "--out", out};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    const auto r = RunProgram(argv);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, std::to_string(c.Count) + "\n");
    EXPECT_EQ(ReadCombs(out).size(), c.Count);
  }
  EXPECT_EQ(ReadFile(out), "");
  WriteFile(dir.File("mine.lcv"), "5;1;9;3\n1;2;3\n");
  const auto r = RunProgram(
      {VETRILO_CLI, "generate", "--mode", "4", "--numbers", dir.File("mine.lcv"), "--out", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(ReadFile(out), "5;1;9;3\r\n");
}

TEST(CliFilter, CountsAndListsAsTheTableStepWould) {
  TTempDir dir;
  const auto keep = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "filter", "NUMS", "--value", "7",
                                "--mode", "keep", "--out", dir.File("k.lcv")});
  ASSERT_EQ(keep.Status, 0) << keep.Err;
  EXPECT_EQ(keep.Out, "15180\n");
  TCombsArray expected;
  std::copy_if(FullSet().begin(), FullSet().end(), std::back_inserter(expected),
               [](TComb c) { return CombHasNumber(c, 7); });
  EXPECT_EQ(expected.size(), 15180u);
  EXPECT_TRUE(ReadCombs(dir.File("k.lcv")) == expected);  // canonical order kept

  const auto remove = RunProgram(
      {VETRILO_CLI, "--dir", dir.Path(), "filter", "NUMS", "--value", "7", "--mode", "remove"});
  EXPECT_EQ(remove.Out, "163185\n");

  // From a list: the second step of a chain.
  const auto chained =
      RunProgram({VETRILO_CLI, "--dir", dir.Path(), "filter", "NUMS", "--value", "8", "--value",
                  "9", "--mode", "remove", "--in", dir.File("k.lcv")});
  ASSERT_EQ(chained.Status, 0) << chained.Err;
  EXPECT_EQ(chained.Out, std::to_string(Binomial(44, 3)) + "\n");
}

TEST(CliFilter, RowTextsOfTheDrawTableAndParsedValues) {
  TTempDir dir;
  SaveFileAtomic(dir.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(MakeDemoDraws(60, 4)));
  struct TCase {
    std::vector<std::string> Args;
    size_t Count;
  };
  const TCase cases[] = {
      {{"EVEN", "--value", "0:4"}, Binomial(24, 4)},  // all four odd: never seeded, parsed
      {{"EVEN", "--value", "4:0", "--value", "0:4"}, Binomial(24, 4) + Binomial(23, 4)},
      {{"EVNV", "--value", "ЧЧЧЧ (000)"}, Binomial(23, 4)},
      {{"POS1", "--value", "44", "--sorted", "--depth", "10"}, 1},
      {{"POE1", "--value", "3", "--offset", "5"}, 0},
      {{"DIGS", "--value", "0"}, 178365 - Binomial(43, 4)},  // 10, 20, 30, 40
  };
  for (const TCase& c : cases) {
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path(), "filter"};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    argv.insert(argv.end(), {"--mode", "keep"});
    const auto r = RunProgram(argv);
    ASSERT_EQ(r.Status, 0) << c.Args[0] << ": " << r.Err;
    EXPECT_EQ(r.Out, std::to_string(c.Count) + "\n") << c.Args[0];
  }
}

TEST(CliFilter, BadInputExitsWith2AndTouchesNoFile) {
  TTempDir dir;
  SaveFileAtomic(dir.File("Vetrilo_4d47.ldr"), SerializeDrawRecords(MakeDemoDraws(10, 2)));
  WriteFile(dir.File("out.lcv"), "old");
  WriteFile(dir.File("plain"), "x");
  std::filesystem::create_directory(dir.File("folder.lcv"));
  const std::string out = dir.File("out.lcv");
  const std::vector<std::vector<std::string>> bad = {
      {"filter", "NUMS", "--mode", "keep", "--out", out},
      {"filter", "NOPE", "--value", "7", "--mode", "keep", "--out", out},
      {"filter", "NUMS", "--value", "7", "--mode", "drop", "--out", out},
      {"filter", "NUMS", "--value", "7", "--out", out},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--depth", "0", "--out", out},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--offset", "10", "--out", out},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--in", dir.File("none.lcv"), "--out",
       out},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--in", dir.File("folder.lcv"), "--out",
       out},
      {"filter", "NUMS", "NUMS", "--value", "7", "--mode", "keep", "--out", out},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--out", dir.File("plain/x.lcv")},
      {"filter", "NUMS", "--value", "7", "--mode", "keep", "--out", dir.File("folder.lcv")},
      {"generate", "--mode", "5", "--out", out},
      {"generate", "--mode", "1"},
      {"generate", "--mode", "0", "--numbers", "1", "--out", out},
      {"generate", "--mode", "4", "--out", out},
      {"generate", "--mode", "4", "--numbers", dir.File("none.lcv"), "--out", out},
      {"generate", "--mode", "x", "--out", out},
  };
  for (const auto& args : bad) {
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path()};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto r = RunProgram(argv);
    SCOPED_TRACE(args[0] + " " + args[1] + " " + args[2]);
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
    EXPECT_EQ(ReadFile(out), "old");
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.lcv")));
}

}  // namespace vetrilo
