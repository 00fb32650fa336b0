// The sequence, repeat and Ognev methods reach the command line through the registry.
#include <gtest/gtest.h>

#include "core/draw_archive.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::RunProgram;
using test::TTempDir;

TEST(CliSeqRepOgnev, MethodsAndValuesThroughTheRegistry) {
  TTempDir dir;
  MakeArchive({{1, 46, 12, 30, 1, 1, "07/04/2014"},
               {2, 12, 30, 13, 20, 2, "07/07/2014"},
               {3, 1, 2, 3, 11, 3, "07/11/2014"},
               {4, 7, 21, 40, 44, 4, "07/14/2014"}})
      .SaveToFile(dir.File("Vetrilo_4d47.ldr"));

  const auto methods = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "methods"});
  ASSERT_EQ(methods.Status, 0) << methods.Err;
  for (const char* line :
       {"SEQL\t6\tSN\tnorm\tparse\t{ seq } Длина последовательности в тираже [ SN ]\n",
        "LENS\t6\tSNG\tnorm\tparse\t{ seq } Макс. длина последовательности в тираже [ SNG ]\n",
        "RPO1\t7\tD\t-\tparse\t{ rep } Количество повторов в 2-х тиражах через 1 тираж(а) [ D ]\n",
        "PRC+1\t7\tD\t-\tparse\t{ rep } Количество совпадений \"значений + 1\" [ D ]\n",
        "HCO3\t11\tSD\t-\t-\t{ ogn } Числа Огнева 3 (динамический, только фильтр) [ SD ]\n"}) {
    EXPECT_NE(methods.Out.find(line), std::string::npos) << line;
  }
  const size_t rpv2 = methods.Out.find("RPV2\t");
  const size_t prc2 = methods.Out.find("PRC-2\t");
  const size_t hco1 = methods.Out.find("HCO1\t");
  ASSERT_NE(rpv2, std::string::npos);
  EXPECT_LT(rpv2, prc2);
  EXPECT_LT(prc2, hco1);

  struct TCase {
    std::vector<std::string> Args;
    std::string Out;
  };
  const TCase cases[] = {
      // Draw 3 is the newest visible one with draw 4 hidden: its hits are marked.
      {{"values", "HCO3", "--draw", "3", "--offset", "1"},
       "7\t1\t7/0/0/0\n42\t0\t42/0/0/0\n35\t0\t35/0/0/0\n28\t0\t28/0/0/0\n21\t1\t21/0/0/0\n"
       "14\t0\t14/0/0/0\n"},
      {{"values", "HCO3", "--draw", "3"}, ""},                  // not the newest draw
      {{"values", "PRC+1", "--draw", "1"}, "4\t1\t4/0/0/0\n"},  // four shifted zeros, all 1
      {{"values", "RPV2", "--draw", "2", "--offset", "2"}, "12\t1\t12/0/0/0\n30\t1\t30/0/0/0\n"},
      {{"values", "RPO1", "--draw", "3", "--sorted"}, "1\t1\t1/0/0/0\n"},
      {{"values", "SEQS", "--comb", "1,2,4,5"}, "2\t1\t2/0/0/0\n"},
      {{"values", "HCO2", "--comb", "1,2,4,8"}, "3\t1\t3/0/0/0\n"},
      {{"values", "RPC2", "--comb", "1,2,4,8"}, ""},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> argv{VETRILO_CLI, "--dir", dir.Path()};
    argv.insert(argv.end(), c.Args.begin(), c.Args.end());
    const auto r = RunProgram(argv);
    SCOPED_TRACE(c.Args[1] + " " + c.Args[2] + " " + c.Args[3]);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
  }
}

}  // namespace vetrilo
