#include <gtest/gtest.h>

#include "core/draw_archive.h"
#include "core/file_io.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;

TEST(CliDraws, MakeDemoIsDeterministicAndDrawsPrintsIt) {
  TTempDir dir;
  const std::string archive = dir.File("Vetrilo_4d47.ldr");
  ASSERT_EQ(RunProgram({VETRILO_CLI, "make-demo", archive, "--draws", "30", "--seed", "7"}).Status,
            0);
  const std::string first = ReadFile(archive);
  ASSERT_EQ(first.size(), 600u);
  ASSERT_EQ(RunProgram({VETRILO_CLI, "make-demo", archive, "--draws", "30", "--seed", "7"}).Status,
            0);
  EXPECT_EQ(ReadFile(archive), first);

  const TDrawsArray draws = ParseDrawRecords(first);
  for (size_t i = 0; i < draws.size(); ++i) {
    EXPECT_EQ(draws[i].Number, int(i) + 1);
    EXPECT_GE(draws[i].Extra, 1);
    EXPECT_LE(draws[i].Extra, 17);
    for (uint8_t b : draws[i].Balls) {
      EXPECT_GE(b, 1);
      EXPECT_LE(b, 47);
    }
    EXPECT_EQ(CombMatchCount(draws[i].Comb(), draws[i].Comb()), 4);  // distinct numbers
  }
  EXPECT_EQ(draws[0].Date, "07/04/2014");
  EXPECT_EQ(draws[1].Date, "07/07/2014");
  EXPECT_EQ(draws[2].Date, "07/11/2014");

  const auto csv = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "draws"});
  ASSERT_EQ(csv.Status, 0) << csv.Err;
  const auto& d = draws[0];
  const std::string row1 = "1," + std::to_string(d.Balls[0]) + "," + std::to_string(d.Balls[1]) +
                           "," + std::to_string(d.Balls[2]) + "," + std::to_string(d.Balls[3]) +
                           "," + std::to_string(d.Extra) + ",07/04/2014\n";
  EXPECT_EQ(csv.Out.rfind("Number,1,2,3,4,E,Date\n" + row1, 0), 0u);

  const auto sorted = RunProgram({VETRILO_CLI, "draws", "--sorted", "--dir", dir.Path()});
  const TDrawRec s = draws[0].Sorted();
  EXPECT_NE(
      sorted.Out.find("\n1," + std::to_string(s.Balls[0]) + "," + std::to_string(s.Balls[1]) + "," +
                      std::to_string(s.Balls[2]) + "," + std::to_string(s.Balls[3]) + ","),
      std::string::npos);
}

TEST(CliDraws, BadArgumentsExitWithStatus2) {
  TTempDir dir;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{VETRILO_CLI, "nonsense"},
        {VETRILO_CLI, "draws", "--bogus"},
        {VETRILO_CLI, "make-demo"},
        {VETRILO_CLI, "make-demo", dir.File("x.ldr"), "--draws", "many"},
        {VETRILO_CLI, "make-demo", dir.File("no/such/x.ldr")},
        {VETRILO_CLI, "--dir"}}) {
    const auto r = RunProgram(args);
    EXPECT_EQ(r.Status, 2) << args[1];
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
  }
  std::filesystem::create_directory(dir.File("Vetrilo_4d47.ldr"));
  EXPECT_EQ(RunProgram({VETRILO_CLI, "--dir", dir.Path(), "draws"}).Status, 2);
}

TEST(CliDraws, EmptyFolderPrintsTheHeaderOnly) {
  TTempDir dir;
  const auto r = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "draws"});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "Number,1,2,3,4,E,Date\n");
}

}  // namespace vetrilo
