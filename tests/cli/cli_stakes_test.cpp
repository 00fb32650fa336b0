#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/draw_archive.h"
#include "core/file_io.h"
#include "stakes/stake_test_support.h"
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
              "[STAKES]\nCost=1\nProfits=3\nProfit_0_Overlap=2\nProfit_0_Profit=3\n"
              "Profit_1_Overlap=3\nProfit_1_Profit=50\nProfit_2_Overlap=4\nProfit_2_Profit=5000\n");
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws({{1000, 41, 3, 27, 15, 1, "01/01/2020"}})));
  }
  test::TRunResult Run(std::vector<std::string> words) {
    words.insert(words.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(words);
  }
};

}  // namespace

TEST(CliStakes, AddListCheckProfitAndRatings) {
  TCliFolder f;
  auto r = f.Run({"stakes", "add", "--draw", "1000", "--numbers", "40;3;15;27"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  r = f.Run({"stakes", "add", "--draw", "1001", "--numbers", "1,2,3,4", "--comment", "next",
             "--draws", "2"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  r = f.Run({"stakes", "list"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "№ тиража\tВид ставки\tМоя ставка\tВыборка\tРезультаты тиража\tСовпадений\tСовпадения\t"
            "Профит\tКомментарий\n"
            "1000\tВручную\t3;15;27;40\t178365\t41;3;27;15\t3\t3 15 27\t49.00\tСтавка \"вручную\"\n"
            "\t\t\t\t\t\t\t\t\n"
            "1001\tВручную\t1;2;3;4\t178365\t\t\t\t-1.00\tnext\n"
            "\t\t\t\t\t\t\t\t\n"
            "1002\tВручную\t1;2;3;4\t178365\t\t\t\t-1.00\tnext\n"
            "Ставок: 5\n");
  r = f.Run({"stakes", "check"});
  EXPECT_EQ(r.Out, "checked: 0\n");
  r = f.Run({"stakes", "profit"});
  EXPECT_EQ(r.Out,
            "№ тиража\tСуммарный профит ставок по тиражу\tНакопленное значение\tСреднее значение\n"
            "1000\t49.0000\t49.0000\t15.6667\n"
            "1001\t-1.0000\t48.0000\t15.6667\n"
            "1002\t-1.0000\t47.0000\t15.6667\n");
  r = f.Run({"ratings", "--mode", "0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(
      r.Out,
      "Комментарий\tСтавок\tУгадано\tСреднее\tПрофит\tСр. профит\t0\t1\t2\t3\t4\tE0\tE1\tE2\tE3\t"
      "E4\nСтавка \"вручную\"\t1\t3\t3.000\t49.00\t49.00\t0\t0\t0\t1\t0\t1\t0\t0\t0\t0\n"
      "Рейтинг: 1\n");
  // Draw 1001 arrives: the check picks up its stake and feeds a second rating.
  WriteFile(f.Dir.File("Vetrilo_4d47.ldr"),
            SerializeDrawRecords(MakeDraws(
                {{1000, 41, 3, 27, 15, 1, "01/01/2020"}, {1001, 1, 2, 3, 4, 1, "01/04/2020"}})));
  EXPECT_EQ(f.Run({"stakes", "check"}).Out, "checked: 1\n");
  EXPECT_NE(f.Run({"ratings", "--sort", "1", "--order", "desc"}).Out.find("Рейтинг: 2"),
            std::string::npos);
  ASSERT_EQ(f.Run({"ratings", "csv", f.Dir.File("out.csv"), "--sort", "4"}).Status, 0);
  const std::string csv = Cp1251ToUtf8(ReadFile(f.Dir.File("out.csv")));
  EXPECT_NE(csv.find("\r\n\"Ставка \"\"вручную\"\"\";1;3;3.000;49.00;49.00;0;0;0;1;0\r\n"),
            std::string::npos);
  EXPECT_LT(csv.find("\"Ставка"), csv.find("\"next\";1;4;4.000;4999.00"));
  r = f.Run({"stakes", "delete", "--where", "<", "4"});
  EXPECT_EQ(r.Out, "deleted: 2\n");
  r = f.Run({"stakes", "delete", "--rows", "1-1"});
  EXPECT_EQ(r.Out, "deleted: 1\n");
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lsk")).size(), 608u);
  r = f.Run({"ratings", "refresh"});
  EXPECT_EQ(r.Out, "Рейтинг: 1\n");
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lrt")).size(), 296u);
}

TEST(CliStakes, ProfitTotalsBeyond64BitsKeepTheirSign) {
  TCliFolder f;
  std::vector<TStakeRec> stakes;
  for (const int draw : {2000, 2001}) {
    stakes.push_back(test::MakeStake(draw, {1, 2, 3, 4}));
    stakes.back().Profit = INT64_MAX;
  }
  WriteFile(f.Dir.File("Vetrilo_4d47.lsk"), test::Records(stakes));
  const auto r = f.Run({"stakes", "profit"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  // (2^63 - 1) * 2 = 18446744073709551614 ten-thousandths.
  EXPECT_EQ(r.Out,
            "№ тиража\tСуммарный профит ставок по тиражу\tНакопленное значение\tСреднее значение\n"
            "2000\t922337203685477.5807\t922337203685477.5807\t922337203685477.5807\n"
            "2001\t922337203685477.5807\t1844674407370955.1614\t922337203685477.5807\n");
}

TEST(CliStakes, ADamagedRatingsFileIsKeptAsideWithAWarning) {
  TCliFolder f;
  std::string noise(1000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = char(0x80 + (i * 31) % 113);
  WriteFile(f.Dir.File("Vetrilo_4d47.lrt"), noise);
  const auto r = f.Run({"ratings", "--sort", "1"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Файл рейтинга \"" + f.Dir.File("Vetrilo_4d47.lrt") + "\" поврежден"),
            std::string::npos)
      << r.Err;
  EXPECT_EQ(r.Out.substr(r.Out.rfind("Рейтинг:")), "Рейтинг: 0\n");
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lrt.bad")), noise);
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lrt")), "");
}

TEST(CliStakes, RefusalsGoToStderrWithStatus2) {
  TCliFolder f;
  struct TCase {
    std::vector<std::string> Words;
    std::string Err;
  };
  for (const TCase& c : std::vector<TCase>{
           {{"stakes", "add", "--draw", "5", "--numbers", "1;2;3;3"},
            "Введена некорректная комбинация!"},
           {{"stakes", "add", "--draw", "5", "--numbers", "1;2;3;48"},
            "Введена некорректная комбинация!"},
           {{"stakes", "add", "--draw", "5", "--numbers", "1;2;3"},
            "Введена некорректная комбинация!"},
           {{"stakes", "add", "--draw", "5", "--numbers", "1;2;3;4", "--comment", " "},
            "Необходимо ввести комментарий!"},
           {{"stakes", "add", "--draw", "2147483647", "--numbers", "1;2;3;4", "--draws", "2"},
            "Ошибка добавления записи в файл ставок!"},
           {{"stakes", "add", "--draw", "0", "--numbers", "1;2;3;4"}, ""},
           {{"stakes", "delete", "--where", "!", "1"}, ""},
           {{"stakes", "delete", "--rows", "1-1"}, ""},
           {{"stakes", "profit"}, "Для построения графиков необходимо"},
           {{"stakes", "bogus"}, ""},
           {{"ratings", "--mode", "3"}, ""}}) {
    SCOPED_TRACE(c.Words[0] + " " + c.Words[1]);
    const auto r = f.Run(c.Words);
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find(c.Err), std::string::npos) << r.Err;
    EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << "one line";
  }
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lsk")), "");
}

}  // namespace vetrilo

namespace vetrilo {

TEST(CliStakes, RatingsBecomeScriptLines) {
  TCliFolder f;
  // Two rated variants and one rating whose label is no script line.
  const std::string labels[] = {"01.002: Проба @ FULL#FIRST + TSD1#SUMS:100#LNO:#SF:1",
                                "02.000: a@b @ EXCL:3#ALL#NEX + BMF2#EVEN:50#LMV:3#ST:2",
                                "вручную"};
  for (const std::string& label : labels) {
    auto r = f.Run({"stakes", "add", "--draw", "1000", "--numbers", "1;2;3;4", "--comment", label});
    ASSERT_EQ(r.Status, 0) << r.Err;
  }
  WriteFile(f.Dir.File("Vetrilo_4d47.lss"), "CURR:0#NONE| | | | | | | |\r\n");
  auto r = f.Run({"script", "from-ratings", "--rows", "4"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(ReadFile(f.Dir.File("Vetrilo_4d47.lss")), "CURR:0#NONE| | | | | | | |\r\n");
  r = f.Run({"script", "from-ratings", "--rows", "1,2,3"});
  EXPECT_EQ(r.Status, 2);  // the third label is refused, the others are added
  EXPECT_NE(r.Err.find("невозможно добавить в сценарий!"), std::string::npos) << r.Err;
  const std::string script = Cp1251ToUtf8(ReadFile(f.Dir.File("Vetrilo_4d47.lss")));
  EXPECT_NE(script.find("FULL#FIRST|TSD1#SUMS:100#LNO:#SF:1| | | | | | |01.002: Проба\r\n"),
            std::string::npos)
      << script;
  EXPECT_NE(script.find("EXCL:3#ALL#NEX|BMF2#EVEN:50#LMV:3#ST:2| | | | | | |02.000: a@b\r\n"),
            std::string::npos)
      << script;
  EXPECT_EQ(script.rfind("CURR:0#NONE| | | | | | | |\r\n", 0), 0u);
}

}  // namespace vetrilo
