// vetrilo-cli reads the engine settings and method captions of --dir: the
// channel, matrix and segment methods follow them with no code of their own.
#include <gtest/gtest.h>

#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

bool HasLine(const std::string& out, const std::string& start) {
  return out.rfind(start, 0) == 0 || out.find("\n" + start) != std::string::npos;
}

}  // namespace

TEST(CliGrid, MethodsAndValuesFollowTheSettingsOfTheFolder) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ini"),
            "[GLOBAL]\r\nChannelSize=3\r\nMatrixCols=47\r\nMatrixSegments=" + std::string(20, '2') +
                std::string(27, '5') + "\r\n");
  WriteFile(dir.File("Vetrilo_4d47.flt"), "[STRINGS_RUS]\r\nCHN16=Last channel\r\n");

  const auto methods = RunProgram({VETRILO_CLI, "methods", "--dir", dir.Path()});
  ASSERT_EQ(methods.Status, 0) << methods.Err;
  EXPECT_TRUE(HasLine(methods.Out, "CHN16\t3\tNG\tnorm\tparse\t{ grp } Last channel [ NG ]\n"));
  EXPECT_FALSE(HasLine(methods.Out, "CHN17\t"));
  EXPECT_TRUE(HasLine(methods.Out, "COL47\t4\tNG\tnorm\tparse\t"));
  EXPECT_TRUE(HasLine(methods.Out, "ROW1\t"));
  EXPECT_FALSE(HasLine(methods.Out, "ROW2\t"));
  EXPECT_FALSE(HasLine(methods.Out, "SGM1\t"));
  EXPECT_TRUE(HasLine(methods.Out,
                      "SGM3\t5\tNG\tnorm\tparse\t{ sgm } Количество чисел в 3 сегменте матрицы"));
  EXPECT_TRUE(HasLine(methods.Out, "KGS3\t5\tS\t-\t-\t"));
  EXPECT_FALSE(HasLine(methods.Out, "KGS4\t"));

  const auto colm =
      RunProgram({VETRILO_CLI, "values", "COLM", "--comb", "1,2,3,47", "--dir", dir.Path()});
  ASSERT_EQ(colm.Status, 0) << colm.Err;
  EXPECT_EQ(colm.Out, "111" + std::string(43, '0') + "1 (123145302310913)\t1\t1/0/28672/0\n");
  const auto sgmv =
      RunProgram({VETRILO_CLI, "values", "SGMV", "--comb", "1,2,30,4", "--dir", dir.Path()});
  EXPECT_EQ(sgmv.Out, "2 x 3\t1\t2/3/0/0\n5 x 1\t1\t5/1/0/0\n");
}

TEST(CliGrid, NoChannelsOrMatrixForSizesOfZero) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ini"), "[GLOBAL]\r\nChannelSize=0\r\nMatrixCols=-2\r\n");
  const auto methods = RunProgram({VETRILO_CLI, "methods", "--dir", dir.Path()});
  ASSERT_EQ(methods.Status, 0) << methods.Err;
  EXPECT_FALSE(HasLine(methods.Out, "CHN1\t"));
  EXPECT_FALSE(HasLine(methods.Out, "COL1\t"));
  EXPECT_FALSE(HasLine(methods.Out, "ROW1\t"));
  EXPECT_TRUE(HasLine(methods.Out, "CHAN\t"));
  for (const char* code : {"CHAN", "CHNV", "COLS", "COLM", "KRS2"}) {
    const auto values =
        RunProgram({VETRILO_CLI, "values", code, "--comb", "1,2,3,4", "--dir", dir.Path()});
    EXPECT_EQ(values.Status, 0) << code << values.Err;
    EXPECT_EQ(values.Out, "") << code;
  }
}

}  // namespace vetrilo
