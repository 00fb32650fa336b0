#include <gtest/gtest.h>

#include <filesystem>

#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

test::TRunResult Script(const TTempDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {VETRILO_CLI, "--dir", dir.Path(), "script"});
  return RunProgram(args);
}

}  // namespace

TEST(CliScript, NormalizeFromArgumentAndFile) {
  TTempDir dir;
  struct TCase {
    std::string Line, Out;
  };
  const TCase cases[] = {
      {"excl:7#all#nex#clr|bmf1#nums:100-500;100#ldv:1, 2, 5#st:3| |||Проба | два ",
       "EXCL:7#ALL#CLR#NEX|TSD1#NUMS:100-500;100#LDV:1, 2, 5#ST:3| |TSD1# #LNO:#SF:0|TSD1# "
       "#LNO:#SF:0| | | |\n"},
      {"", "\n"},
      {" ", "FULL:0#RAND| | | | | | | |\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    const auto r = Script(dir, {"normalize", c.Line});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, c.Out);
  }
  // The first line of the file: up to LF, a CR before it dropped, a byte order mark skipped.
  const std::string file = dir.File("line.txt");
  WriteFile(file,
            "\xEF\xBB\xBF"
            "EXCL:2#last|TSD1#EVEN:5|x\r\nFULL:0#RAND\n");
  auto r = Script(dir, {"normalize", "--file", file});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "EXCL:2#LAST|TSD1#EVEN:5#LNO:#SF:0|TSD1# #LNO:#SF:0| | | | | |\n");
  WriteFile(file, "");
  r = Script(dir, {"normalize", "--file", file});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "\n");
}

TEST(CliScript, VariantsRowsInOrder) {
  TTempDir dir;
  const std::string line =
      "EXCL:3#ALL#NEX|TSD1#NUMS:100-300;100#LMV:1, 2#SF:1| |TSD1#EVEN:500,1000#LDV:1, 2, 3#SF:1| | "
      "| | |Проба";
  const auto r = Script(dir, {"variants", line, "--line-no", "3"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::vector<std::string> rows;
  for (size_t pos = 0; pos < r.Out.size();) {
    const size_t end = r.Out.find('\n', pos);
    ASSERT_NE(end, std::string::npos);
    rows.push_back(r.Out.substr(pos, end - pos));
    pos = end + 1;
  }
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0],
            "1\tTSD#NUMS:100#LMV:1#SF:1 + TSD#EVEN:500#LDV:1, 2, 3#SF:1\t03.001: Проба @ "
            "EXCL:3#ALL#NEX + TSD#NUMS:100#LMV:1#SF:1 + TSD#EVEN:500#LDV:1, 2, 3#SF:1");
  EXPECT_EQ(rows[11],
            "12\tTSD#NUMS:300#LMV:2#SF:1 + TSD#EVEN:1000#LDV:1, 2, 3#SF:1\t03.012: Проба @ "
            "EXCL:3#ALL#NEX + TSD#NUMS:300#LMV:2#SF:1 + TSD#EVEN:1000#LDV:1, 2, 3#SF:1");

  auto bare = Script(dir, {"variants", "FULL:0#RAND| | | | | | | |"});
  EXPECT_EQ(bare.Status, 0) << bare.Err;
  EXPECT_EQ(bare.Out, "0\t\t01.000: @ FULL#RAND\n");
  bare =
      Script(dir, {"variants", "EXCL:4#sysa| |  | | | | | | комментарий | x ", "--line-no", "12"});
  EXPECT_EQ(bare.Out, "0\t\t12.000: комментарий | x @ EXCL:4#SYSA\n");
  const auto separator = Script(dir, {"variants", ""});
  EXPECT_EQ(separator.Status, 0);
  EXPECT_EQ(separator.Out, "");
}

TEST(CliScript, MalformedAndOversizedLines) {
  TTempDir dir;
  struct TCase {
    std::string Line;
    int Status;
    std::string Err;
  };
  const TCase cases[] = {
      {"FULL:0#RAND|TSD1#NUMS:1000|BMF1#EVEN:10-20#LMV:1", 2,
       "vetrilo-cli: Некорректное описание фильтра: BMF1#EVEN:10-20#LMV:1#SF:0!\n"},
      {"FULL:0#RAND|TSD1#NUMS:1000#LDV:x", 2,
       "vetrilo-cli: Некорректное описание фильтра: TSD1#NUMS:1000#LDV:x#SF:0!\n"},
      {"FULL:0#RAND|TSD1#NUMS:-2147483648-2147483647;1", 3,
       "vetrilo-cli: Вы задали слишком много вариантов фильтров - программа не сможет обработать "
       "их все! Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и "
       "глубины, а затем повторите попытку.  Количество вариантов фильтров превышает 1000000.\n"},
      {"FULL:0#RAND|TSD1#NUMS:1-1001;1#LMV:1-1000;1", 3, ""},
      {"FULL:0#RAND|TSD1#NUMS:1#LVA:1-2000000;1", 3,
       "vetrilo-cli: Список \"1-2000000;1\" содержит слишком много значений (2000000)!\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    const auto r = Script(dir, {"variants", c.Line});
    EXPECT_EQ(r.Status, c.Status);
    EXPECT_EQ(r.Out, "");
    if (!c.Err.empty()) {
      EXPECT_EQ(r.Err, c.Err);
    }
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1);
  }
}

TEST(CliScript, RefusalQuotesTheWholeFilterEvenWithANulByte) {
  TTempDir dir;
  const std::string filter("TSD1#ZZ\0ZZ:abc#LNO:#SF:1", 24);
  WriteFile(dir.File("line.txt"), "FULL:0#RAND|" + filter + "|\r\n");
  const auto r = Script(dir, {"variants", "--file", dir.File("line.txt")});
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Out, "");
  // The NUL is shown by the escaping rule of the output, not cut or sent raw.
  EXPECT_EQ(r.Err, "vetrilo-cli: Некорректное описание фильтра: TSD1#ZZ\\x00ZZ:abc#LNO:#SF:1!\n");
}

TEST(CliScript, BadArgumentsExitWithStatus2) {
  TTempDir dir;
  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"tidy", "x"},
                                               {"normalize"},
                                               {"normalize", "a", "b"},
                                               {"normalize", "a", "--file", dir.File("x")},
                                               {"normalize", "--file", dir.File("missing.txt")},
                                               {"normalize", "--file", dir.Path()},
                                               {"normalize", "a", "--line-no", "2"},
                                               {"variants", "a", "--line-no", "0"},
                                               {"variants", "a", "--line-no", "x"}}) {
    const auto r = Script(dir, args);
    EXPECT_EQ(r.Status, 2) << (args.empty() ? "" : args[0]);
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
  }
  // The method list comes from --dir: an unreadable list file is an error.
  std::filesystem::create_directory(dir.File("Vetrilo_4d47.flt"));
  EXPECT_EQ(Script(dir, {"normalize", "x"}).Status, 2);
}

}  // namespace vetrilo
