#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "core/cp1251.h"
#include "core/draw_archive.h"
#include "stats/stat_list.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A program folder with an archive whose sums are 100, 105, 100, 90, 100.
struct TCliFolder {
  TTempDir Dir;
  TCliFolder() {
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(test::MakeDraws({{11, 10, 20, 30, 40, 1, "07/04/2014"},
                                                    {12, 45, 10, 20, 30, 2, "07/07/2014"},
                                                    {13, 5, 25, 30, 40, 3, "07/11/2014"},
                                                    {14, 5, 15, 30, 40, 4, "07/14/2014"},
                                                    {15, 40, 30, 20, 10, 5, "07/18/2014"}})));
  }
  test::TRunResult Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(args);
  }
};

}  // namespace

TEST(CliMethods, OneTabSeparatedLinePerMethodInListOrder) {
  TCliFolder f;
  const auto r = f.Run({"methods"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Err, "");
  const std::vector<std::string> lines = Lines(r.Out);

  TStatList list;
  list.BuildMethods();
  ASSERT_EQ(lines.size(), size_t(list.Count()));
  for (int i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(std::count(lines[size_t(i)].begin(), lines[size_t(i)].end(), '\t'), 5)
        << lines[size_t(i)];
    EXPECT_EQ(lines[size_t(i)].substr(0, lines[size_t(i)].find('\t')), list.Item(i).Code());
  }
  for (const char* expected : {
           "NUMS\t0\tN\tnorm\tparse\t{ num } Числа тиража [ N ]",
           "EVNV\t0\tSN\tnorm\tparse\t{ num } Четные и нечетные числа в тираже (Чн..нЧ) [ SN ]",
           "SUM2\t1\tNG\tnorm\t-\t{ sum } Сумма тиража: диапазон 2 (1/2) [ NG ]",
           "SUMV\t1\tD\t-\t-\t{ sum } Сумма тиража: изменения (диапазон) [ D ]",
           "DIFO\t2\tSN\tnorm\t-\t{ dif } Одинаковые разности между соседними позициями [ SN ]",
           "KNP23\t0\tS\t-\t-\t{ num } Сочетания из 2-х чисел тиража начиная с 3 позиции [ S ]",
           "POE1\t0\tG\t-\tparse\t{ num } Extra (Bonus, Star...) - число (!без фильтра!) [ G ]",
       }) {
    EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
  }
}

TEST(CliMethods, UnreadableSettingsFileIsAnErrorNotDefaults) {
  const struct {
    const char* Ext;
    const char* Message;
  } cases[] = {{".ini", "Ошибка чтения файла конфигурации!"},
               {".frm", "Ошибка загрузки параметров программы!"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Ext);
    TCliFolder f;
    const std::string path = f.Dir.File(std::string("Vetrilo_4d47") + c.Ext);
    std::filesystem::create_directory(path);
    const auto r = f.Run({"methods"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, std::string("vetrilo-cli: ") + c.Message + "  \"" + path +
                         "\": " + std::strerror(EISDIR) + "\n");
    EXPECT_TRUE(std::filesystem::is_directory(path));
  }
}

TEST(CliMethods, UserCaptionsOfTheBaseLanguageWhateverTheInterfaceSays) {
  TCliFolder f;
  WriteFile(f.Dir.File("Vetrilo_4d47.frm"), "[TFormMain]\r\nLanguage=1033\r\n");
  WriteFile(f.Dir.File("Vetrilo_4d47_ENU.lng"), "module");
  WriteFile(f.Dir.File("Vetrilo_4d47.flt"),
            Utf8ToCp1251("[FILTERS]\r\nShowGroupName=0\r\nShowMethodFlags=0\r\n"
                         "[STRINGS_RUS]\r\nSUMS=Моя сумма\r\n[STRINGS_ENU]\r\nNUMS=Other\r\n"));
  const auto r = f.Run({"methods"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::vector<std::string> lines = Lines(r.Out);
  // The display options of the file do not change the tool's caption form.
  EXPECT_NE(
      std::find(lines.begin(), lines.end(), "SUMS\t1\tNG\tnorm\tparse\t{ sum } Моя сумма [ NG ]"),
      lines.end());
  EXPECT_EQ(lines[0], "NUMS\t0\tN\tnorm\tparse\t{ num } Числа тиража [ N ]");
}

TEST(CliValues, CombinationValues) {
  TCliFolder f;
  struct TCase {
    std::vector<std::string> Args;
    std::string Out;
  };
  const TCase cases[] = {
      {{"values", "DIFO", "--comb", "1,4,7,9"}, "3 x 2\t1\t3/2/0/0\n2 x 1\t1\t2/1/0/0\n"},
      {{"values", "NUMS", "--comb", "41,3,15,27"},
       "41\t1\t41/0/0/0\n3\t1\t3/0/0/0\n15\t1\t15/0/0/0\n27\t1\t27/0/0/0\n"},
      {{"values", "DIGS", "--comb", "10,20,30,40"},
       "1\t1\t1/0/0/0\n0\t4\t0/0/0/0\n2\t1\t2/0/0/0\n3\t1\t3/0/0/0\n4\t1\t4/0/0/0\n"},
      {{"values", "SUM1", "--comb", "1,2,5,47"}, "Остальные\t1\t0/0/0/0\n"},
      {{"values", "EVNV", "--comb", "2,5,8,11"}, "ЧнЧн (005)\t1\t5/0/0/0\n"},
      {{"values", "EVEN", "--comb", "1,3,5,7"}, "0:4\t1\t0/0/0/0\n"},
      {{"values", "sums", "--comb", "44,45,46,47"}, "182\t1\t182/0/0/0\n"},
      // Classes that learn from draws print nothing for a combination.
      {{"values", "KNM2", "--comb", "1,2,3,4"}, ""},
      {{"values", "SUMC", "--comb", "1,2,3,4"}, ""},
  };
  for (const TCase& c : cases) {
    const auto r = f.Run(c.Args);
    EXPECT_EQ(r.Status, 0) << c.Args[1] << r.Err;
    EXPECT_EQ(r.Out, c.Out) << c.Args[1];
  }
}

TEST(CliValues, DrawValuesWithReferenceOffsetAndOrder) {
  TCliFolder f;
  struct TCase {
    std::vector<std::string> Args;
    std::string Out;
  };
  const TCase cases[] = {
      {{"values", "POS1", "--draw", "12"}, "45\t1\t45/0/0/0\n"},
      {{"values", "POS1", "--draw", "12", "--sorted"}, "10\t1\t10/0/0/0\n"},
      {{"values", "KNP22", "--draw", "12"}, "10:20\t1\t10/20/0/0\n"},
      {{"values", "DIFA", "--draw", "12"}, "35\t1\t35/0/0/0\n10\t2\t10/0/0/0\n"},
      // The reference is the newest visible draw: sum 100, or 90 one draw back.
      {{"values", "SUMC", "--draw", "12"}, "+05 : 100 + 5 = 105\t1\t100/0/105/0\n"},
      {{"values", "SUMC", "--draw", "12", "--offset", "1"}, ""},
      {{"values", "SUMV", "--draw", "13"}, "- 05\t1\t-5/-1/0/0\n"},
      {{"values", "SUMT", "--draw", "14"}, "-\t1\t-1/-1/0/0\n"},
      {{"values", "SUMT", "--draw", "14", "--offset", "1"}, ""},
      {{"values", "SUMV", "--draw", "11"}, ""},  // the oldest draw has no predecessor
  };
  for (const TCase& c : cases) {
    std::string what;
    for (const std::string& a : c.Args) what += a + " ";
    const auto r = f.Run(c.Args);
    EXPECT_EQ(r.Status, 0) << what << r.Err;
    EXPECT_EQ(r.Out, c.Out) << what;
  }
}

TEST(CliValues, BadInputIsOneLineOnStderrAndStatus2) {
  TCliFolder f;
  const std::vector<std::vector<std::string>> cases = {
      {"values", "NOPE", "--comb", "1,2,3,4"},
      {"values", "SUM4", "--draw", "12"},
      {"values", "NUMS", "--comb", "1,2,3"},
      {"values", "NUMS", "--comb", "1,2,3,4,5"},
      {"values", "NUMS", "--comb", "1,2,3,48"},
      {"values", "NUMS", "--comb", "0,1,2,3"},
      {"values", "NUMS", "--comb", "1,2,2,4"},
      {"values", "NUMS", "--comb", "a,b,c,d"},
      {"values", "NUMS", "--comb", "1;2;3;4"},
      {"values", "NUMS", "--comb", "1,2,,4"},
      {"values", "NUMS", "--draw", "99"},
      {"values", "NUMS", "--draw", "x"},
      {"values", "NUMS", "--draw", "12", "--offset", "5"},
      {"values", "NUMS", "--draw", "12", "--comb", "1,2,3,4"},
      {"values", "NUMS"},
      {"values", "--comb", "1,2,3,4"},
      {"values", "NUMS", "--comb"},
      {"methods", "extra"},
  };
  for (const auto& args : cases) {
    std::string what;
    for (const std::string& a : args) what += a + " ";
    const auto r = f.Run(args);
    EXPECT_EQ(r.Status, 2) << what;
    EXPECT_EQ(r.Out, "") << what;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << what << r.Err;
  }
  // An empty folder has no draws at all.
  TTempDir empty;
  const auto r = RunProgram({VETRILO_CLI, "--dir", empty.Path(), "values", "NUMS", "--draw", "1"});
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("not in the archive"), std::string::npos) << r.Err;
}

}  // namespace vetrilo
