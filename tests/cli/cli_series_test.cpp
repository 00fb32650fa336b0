#include <gtest/gtest.h>

#include "core/draw_archive.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

TEST(CliSeries, MethodsAndValuesFollowTheFoldersSettings) {
  TTempDir dir;
  WriteFile(dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws({{1, 18, 21, 33, 46, 1, "07/04/2014"},
                                            {2, 2, 18, 30, 44, 2, "07/07/2014"},
                                            {3, 4, 18, 25, 40, 3, "07/11/2014"}})));
  WriteFile(dir.File("Vetrilo_4d47.ini"), "[GLOBAL]\r\nChannelSize=10\r\nMatrixSegments=0012\r\n");

  const auto methods = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "methods"});
  ASSERT_EQ(methods.Status, 0) << methods.Err;
  for (const char* line :
       {"GRPV\t8\tD\t-\t-\t{ ser } Повторы чисел в нескольких тиражах подряд [ D ]\n",
        "PRDC\t9\tP\t-\t-\t{ per } Периоды повторения каналов [ P ]\n",
        "SC2C5\t10\tD\t-\t-\t{ mov } Переходы кол-ва чисел в 5 канале между 2 тиражами [ D ]\n",
        "SS3C0\t10\tD\t-\t-\t{ mov } Переходы кол-ва чисел в 0 сегменте между 3 тиражами [ D ]\n",
        "SS2C2\t10\tD\t-\t-\t"}) {
    EXPECT_NE(methods.Out.find(line), std::string::npos) << line;
  }
  for (const char* code : {"\nSC2C6\t", "\nSS2C3\t"}) {
    EXPECT_EQ(methods.Out.find(code), std::string::npos) << code;
  }

  const auto sdv2 = RunProgram({VETRILO_CLI, "values", "SDV2", "--draw", "2", "--dir", dir.Path()});
  ASSERT_EQ(sdv2.Status, 0) << sdv2.Err;
  EXPECT_EQ(sdv2.Out,
            "18 -> 2\t1\t18/2/0/0\n18 -> 18\t1\t18/18/0/0\n18 -> 30\t1\t18/30/0/0\n"
            "18 -> 44\t1\t18/44/0/0\n");
  const auto grcv = RunProgram({VETRILO_CLI, "values", "GRCV", "--draw", "3", "--dir", dir.Path()});
  ASSERT_EQ(grcv.Status, 0) << grcv.Err;
  EXPECT_EQ(grcv.Out,
            "01 x 1\t1\t1/1/0/0\n02 x 1\t1\t2/1/0/0\n03 x 1\t1\t3/1/0/0\n04 x 1\t1\t4/1/0/0\n");
}

}  // namespace vetrilo
