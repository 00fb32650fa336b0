#include <gtest/gtest.h>

#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;

namespace {

std::vector<std::string> Shred(std::initializer_list<std::string> args) {
  std::vector<std::string> argv{VETRILO_CLI, "shred"};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

}  // namespace

TEST(CliShred, PrintsTheValueOrTheMessage) {
  struct TCase {
    std::vector<std::string> Argv;
    std::string Out;
  };
  const TCase cases[] = {
      {Shred({"(n1+n2)/n3", "--comb", "3,5,7,40"}), "14\n"},
      {Shred({"(n1+n2)/n3", "--comb", "3,5,7,40", "--digits", "3"}), "142\n"},
      {Shred({"(n1+n2)/n3", "--comb", "43,2,16,3"}), "81\n"},  // given order: 45/16
      {Shred({"n1-n2", "--comb", "10,25,1,2"}), "0\n"},
      {Shred({"N1/P1", "--comb", "4,1,2,3", "--prev", "9,10,11,12"}), "44\n"},
      {Shred({"(n1+p1+t1)/7", "--comb", "5,1,2,3", "--prev", "8,3,17,25", "--prev2", "4,11,22,33"}),
       "42\n"},
      {Shred({"N1/P1", "--comb", "4,1,2,3"}), "Деление на нуль\n"},
      {Shred({"(n1+n2+n3)/(n4+n5)", "--comb", "1,2,3,4"}), "Синтаксическая ошибка\n"},
      {Shred({"(n1+n2", "--comb", "1,2,3,4"}), "Не хватает скобочки\n"},
      {Shred({"LN(0-n1)", "--comb", "1,2,3,4"}), "Выражение под логарифмом меньне нуля\n"},
      {Shred({"SQRT(0-n1)", "--comb", "1,2,3,4"}), "Выражение под корнем меньне нуля\n"},
      {Shred({"EXP(n1*99999)", "--comb", "1,2,3,4"}), "Ошибка в операции с плавающей точкой\n"},
      {Shred({"-n2/n1", "--comb", "4,3,1,2", "--digits", "5"}), "75000\n"},
      {Shred({"n1/7", "--comb", "5,1,2,3", "--digits", "5"}), "71428\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Argv[2]);
    const auto r = RunProgram(c.Argv);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
  }
}

TEST(CliShred, BadArgumentsExitWithStatus2) {
  const std::vector<std::string> cases[] = {
      Shred({}),
      Shred({"n1"}),
      Shred({"n1", "n2", "--comb", "1,2,3,4"}),
      Shred({"n1", "--comb", "1,2,3"}),
      Shred({"n1", "--comb", "1,2,3,48"}),
      Shred({"n1", "--comb", "1,2,2,4"}),
      Shred({"n1", "--comb", "1,2,x,4"}),
      Shred({"n1", "--comb", "1,2,3,4", "--prev", "0,1,2,3"}),
      Shred({"n1", "--comb", "1,2,3,4", "--prev2", "1,2,3"}),
      Shred({"n1", "--comb", "1,2,3,4", "--digits", "0"}),
      Shred({"n1", "--comb", "1,2,3,4", "--digits", "6"}),
      Shred({"n1", "--comb", "1,2,3,4", "--digits", "two"}),
      Shred({"n1", "--comb", "1,2,3,4", "--digits"}),
      Shred({"n1", "--comb", "1,2,3,4", "--sorted"}),
  };
  for (const auto& argv : cases) {
    std::string line;
    for (const auto& a : argv) line += a + " ";
    SCOPED_TRACE(line);
    const auto r = RunProgram(argv);
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_FALSE(r.Err.empty());
  }
}

}  // namespace vetrilo
