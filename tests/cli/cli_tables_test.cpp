#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/draw_archive.h"
#include "core/file_io.h"
#include "stakes/stake_tables.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TCliFolder {
  TTempDir Dir;
  TCliFolder() {
    WriteFile(Dir.File("Vetrilo_4d47.ini"),
              "[STAKES]\nCost=1\nProfits=1\nProfit_0_Overlap=4\nProfit_0_Profit=100\n");
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws({{1000, 41, 3, 27, 15, 1, "01/01/2020"},
                                              {1001, 1, 2, 3, 47, 2, "01/04/2020"},
                                              {1002, 10, 20, 30, 40, 3, "01/08/2020"}})));
  }
  test::TRunResult Run(std::vector<std::string> words) {
    words.insert(words.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(words);
  }
};

const std::string kHeader = "Комментарий\tСтартовая комбинация\tШаг\tТекущая комбинация\tСтавок\n";

// Every 4-subset of 1..n against every line, the plain way.
int64_t Uncovered(const std::vector<std::array<int, 4>>& lines, int n, int block) {
  int64_t uncovered = 0;
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b)
      for (int c = b + 1; c <= n; ++c)
        for (int d = c + 1; d <= n; ++d) {
          bool held = false;
          for (const auto& l : lines) {
            int common = 0;
            for (const int p : l) common += p == a || p == b || p == c || p == d;
            held = held || common >= block;
          }
          uncovered += !held;
        }
  return uncovered;
}

}  // namespace

TEST(CliTables, AddListStakeAndTest) {
  TCliFolder f;
  auto r = f.Run({"tables", "list"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader);
  r = f.Run({"tables", "add", "--name", "walk", "--start", "47;46;1;2"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  r = f.Run({"tables", "add", "--name", "follow", "--step", "-1", "--last-draw"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  // The same name in other letters, a bad start, a missing start: refused, nothing written.
  const std::vector<std::vector<std::string>> refused = {
      {"tables", "add", "--name", "WALK", "--start", "1;2;3;4"},
      {"tables", "add", "--name", "x", "--start", "1;2;3"},
      {"tables", "add", "--name", "x"},
      {"tables", "add", "--name", "x", "--start", "1;2;3;4", "--step", "48"},
      {"tables", "stake", "--index", "2"},
      {"tables", "test", "--draws", "3"},
      {"tables", "test", "--draws", "1", "--select", "5"},
  };
  for (const auto& words : refused) {
    SCOPED_TRACE(words[1] + " " + words[3]);
    EXPECT_NE(f.Run(words).Status, 0);
  }
  EXPECT_EQ(std::filesystem::file_size(f.Dir.File("Vetrilo_4d47.ltb")), 2u * 276);
  r = f.Run({"tables", "list"});
  EXPECT_EQ(r.Out, kHeader + "walk\t1;2;46;47\t1\t1;2;46;47\t0\nfollow\t0;0;0;0\t-1\t0;0;0;0\t0\n");

  // The first stake is the start shifted once; it is for the draw after the newest.
  r = f.Run({"tables", "stake", "--index", "0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader +
                       "walk\t1;2;46;47\t1\t1;2;3;47\t1\n"
                       "follow\t0;0;0;0\t-1\t0;0;0;0\t0\n"
                       "checked: 0\n");

  // Draw 1001 (1 2 3 47) follows 1000, 1002 follows 1001; follow shifts the draw before.
  r = f.Run({"tables", "test", "--draws", "2", "--select", "1"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader +
                       "walk\t1;2;46;47\t1\t1;2;3;47\t1\n"
                       "follow\t0;0;0;0\t-1\t1;2;46;47\t2\n"
                       "checked: 2\n");
  r = f.Run({"stakes", "list"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("1003\tРегуляр\t1;2;3;47\t178365\t\t\t\t-1.00\twalk\n"), std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("1001\tРегуляр\t2;14;26;40\t178365\t1;2;3;47\t1\t2\t-1.00\tfollow\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("1002\tРегуляр\t1;2;46;47\t178365\t10;20;30;40\t0\t\t-1.00\tfollow\n"),
            std::string::npos)
      << r.Out;
  r = f.Run({"ratings"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("follow"), std::string::npos) << r.Out;
}

TEST(CliTables, ADamagedTableIsRefusedAndNeverStaked) {
  TCliFolder f;
  TTableRec damaged;
  damaged.Name = "damaged";
  damaged.StartComb = {1, 2, 3, 4};
  damaged.CurrentComb = {218, 219, 249, 254};
  damaged.Step = -713105246;
  const std::string bytes = damaged.Bytes();
  WriteFile(f.Dir.File("Vetrilo_4d47.ltb"), bytes);
  auto r = f.Run({"tables", "list"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader);
  EXPECT_NE(r.Err.find("Они не загружены"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find(f.Dir.File("Vetrilo_4d47.ltb.bad")), std::string::npos) << r.Err;
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.ltb.bad")), bytes);
  r = f.Run({"tables", "stake", "--index", "0"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_FALSE(FileExists(f.Dir.File("Vetrilo_4d47.lsk")) &&
               !ReadFile(f.Dir.File("Vetrilo_4d47.lsk")).empty());
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.ltb")), bytes);
}

TEST(CliSystem, VerifyReportsTheClaimAndCovering) {
  TTempDir dir;
  // Complements of the pairs 12, 34, 56: holds "3 if 4" on 6 numbers, covers no triple 1 3 5.
  WriteFile(dir.File("4-06-3_0001.dat"), "01 02 03 04\r\n01 02 05 06\r\n03 04 05 06\r\n");
  WriteFile(dir.File("pairs.dat"), "1 2 3 4\n1,2,5,6\n3;4;5;6\n");
  WriteFile(dir.File("bad.dat"), "1 2 3\n");
  const struct {
    std::vector<std::string> Words;
    int Status;
    std::string Out;
  } cases[] = {
      {{"4-06-3_0001.dat", "--block", "3"}, 0, "nums: 6\nlines: 3\nuncovered: 0\ncovering: no\n"},
      {{"pairs.dat", "--block", "3"}, 0, "nums: 6\nlines: 3\nuncovered: 0\ncovering: no\n"},
      {{"pairs.dat", "--block", "3", "--nums", "7"},
       1,
       "nums: 7\nlines: 3\nuncovered: 8\ncovering: no\n"},
      // Block 2: every pair of 1..6 lies in a line; only 7, 8, 9 with one more miss.
      {{"pairs.dat", "--block", "2", "--nums", "8"}, 0, "nums: 8\nlines: 3\nuncovered: 0\n"},
      {{"pairs.dat", "--block", "2", "--nums", "9"}, 1, "nums: 9\nlines: 3\nuncovered: 6\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Words[0]);
    std::vector<std::string> argv = {VETRILO_CLI, "system", "verify", dir.File(c.Words[0])};
    argv.insert(argv.end(), c.Words.begin() + 1, c.Words.end());
    const auto r = RunProgram(argv);
    EXPECT_EQ(r.Status, c.Status) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
  }
  EXPECT_EQ(
      RunProgram({VETRILO_CLI, "system", "verify", dir.File("bad.dat"), "--block", "3"}).Status, 2);
  EXPECT_EQ(RunProgram({VETRILO_CLI, "system", "verify", dir.File("pairs.dat"), "--block", "3",
                        "--nums", "5"})
                .Status,
            2);
  EXPECT_EQ(
      RunProgram({VETRILO_CLI, "system", "verify", dir.File("none.dat"), "--block", "3"}).Status,
      2);
}

TEST(CliSystem, MakeWritesAVerifiedSystemInTheStoreFormat) {
  TTempDir dir;
  const std::string out = dir.File("4-09-3_0000.dat");
  auto r = RunProgram({VETRILO_CLI, "system", "make", "--nums", "9", "--block", "3", "--seed", "3",
                       "--time-limit", "0.5", "--out", out});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string text = ReadFile(out);
  std::vector<std::array<int, 4>> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    const std::string line = text.substr(at, end - at);
    ASSERT_EQ(line.size(), 11u) << line;
    std::array<int, 4> l{};
    for (int i = 0; i < 4; ++i) l[size_t(i)] = std::stoi(line.substr(size_t(i) * 3, 2));
    lines.push_back(l);
    at = end + 2;
  }
  EXPECT_EQ(Uncovered(lines, 9, 3), 0);
  EXPECT_LE(lines.size(), 25u);
  EXPECT_NE(r.Out.find("lines: " + std::to_string(lines.size()) + "\n"), std::string::npos);
  r = RunProgram({VETRILO_CLI, "system", "verify", out, "--block", "3"});
  EXPECT_EQ(r.Status, 0) << r.Out;
  // No file over an unusable path; bad sizes refused.
  EXPECT_EQ(RunProgram({VETRILO_CLI, "system", "make", "--nums", "9", "--block", "3",
                        "--time-limit", "0.2", "--out", out + "/x.dat"})
                .Status,
            2);
  EXPECT_EQ(RunProgram({VETRILO_CLI, "system", "make", "--nums", "4", "--block", "3", "--out",
                        dir.File("y.dat")})
                .Status,
            2);
  EXPECT_FALSE(FileExists(dir.File("y.dat")));
}

}  // namespace vetrilo
