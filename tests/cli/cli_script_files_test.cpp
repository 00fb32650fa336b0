#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/ini_file.h"
#include "scripts/script_file.h"
#include "stats/stat_list.h"
#include "test_paths.h"
#include "test_support.h"

namespace vetrilo {
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TCliScript {
  TTempDir Dir;
  std::string Lss() const { return Dir.File("Vetrilo_4d47.lss"); }
  test::TRunResult Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(args);
  }
};

const std::string kHeader =
    "Комментарии\tОпции\tФильтр 1\tФильтр 2\tФильтр 3\tФильтр 4\tФильтр 5\tФильтр 6\tФильтр 7\n";

}  // namespace

TEST(CliScriptFiles, LinesShowTheProgramsScriptAsTheListDoes) {
  TCliScript c;
  auto r = c.Run({"script", "lines"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader);

  WriteFile(c.Lss(),
            "excl:3#all|tsd#sums:1000| |BMF#EVEN:5#LMV:3#ST:2| | | | |\xCF\xF0\xEE\xE1\xE0\r\n"
            "\r\njust text\n");
  r = c.Run({"script", "lines"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, kHeader +
                       "Проба\tИсключить 3 тиражей; Все; Все создаваемые ставки\t"
                       "TSD1#SUMS:1000#LNO:#SF:0\t\tBMF1#EVEN:5#LMV:3#ST:2\t\t\t\t\n"
                       "\t\t\t\t\t\t\t\t\n"
                       "\tИсходный список; Случайно; Все создаваемые ставки\t\t\t\t\t\t\t\n");
}

TEST(CliScriptFiles, AppendOpenAndSave) {
  TCliScript c;
  WriteFile(c.Dir.File("a.lsc"), "FULL:0#RAND|TSD#NUMS:5\r\n\xCF\r\n");
  ASSERT_EQ(c.Run({"script", "append", c.Dir.File("a.lsc")}).Status, 0);
  EXPECT_EQ(test::ReadFile(c.Lss()), "FULL:0#RAND|TSD#NUMS:5\r\n\xCF\r\n");
  ASSERT_EQ(c.Run({"script", "append", c.Dir.File("a.lsc")}).Status, 0);
  EXPECT_EQ(test::ReadFile(c.Lss()),
            "FULL:0#RAND|TSD#NUMS:5\r\n\xCF\r\n\r\nFULL:0#RAND|TSD#NUMS:5\r\n\xCF\r\n");
  ASSERT_EQ(c.Run({"script", "save", c.Dir.File("b.lsc")}).Status, 0);
  EXPECT_EQ(test::ReadFile(c.Dir.File("b.lsc")), test::ReadFile(c.Lss()));

  WriteFile(c.Dir.File("c.lsc"), "x\ny");
  ASSERT_EQ(c.Run({"script", "open", c.Dir.File("c.lsc")}).Status, 0);
  EXPECT_EQ(test::ReadFile(c.Lss()), "x\r\ny\r\n");
}

TEST(CliScriptFiles, FilesThatCannotBeReadOrWrittenChangeNothing) {
  TCliScript c;
  WriteFile(c.Lss(), "keep\r\n");
  WriteFile(c.Dir.File("bad.lsc"), std::string("a\0b", 3));
  WriteFile(c.Dir.File("plain"), "x");
  for (const std::string command : {"append", "open"}) {
    for (const std::string& file :
         {c.Dir.File("bad.lsc"), c.Dir.File("missing.lsc"), c.Dir.Path()}) {
      SCOPED_TRACE(command + " " + file);
      const auto r = c.Run({"script", command, file});
      EXPECT_EQ(r.Status, 2);
      EXPECT_NE(r.Err.find("Ошибка чтения файла \"" + file + "\"!"), std::string::npos) << r.Err;
      EXPECT_EQ(r.Err.find('\r'), std::string::npos);
      EXPECT_EQ(test::ReadFile(c.Lss()), "keep\r\n");
    }
  }
  const auto r = c.Run({"script", "save", c.Dir.File("plain/x.lsc")});
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("Ошибка записи в файл \"" + c.Dir.File("plain/x.lsc") + "\"!"),
            std::string::npos);
  // A damaged script of the program is reported too, and not overwritten.
  WriteFile(c.Lss(), std::string("k\0", 2));
  WriteFile(c.Dir.File("a.lsc"), "a\r\n");
  EXPECT_EQ(c.Run({"script", "append", c.Dir.File("a.lsc")}).Status, 2);
  EXPECT_EQ(c.Run({"script", "lines"}).Status, 2);
  EXPECT_EQ(test::ReadFile(c.Lss()), std::string("k\0", 2));
  EXPECT_EQ(c.Run({"script", "lines", "x"}).Status, 2);
  EXPECT_EQ(c.Run({"script", "open"}).Status, 2);
}

TEST(CliScriptFiles, MethodsHonourFavouritesAndCaptions) {
  TCliScript c;
  TStatList list;
  list.BuildMethods();
  list.Language = 1049;  // the tool reads the captions of the base language
  TIniFile flt(c.Dir.File("Vetrilo_4d47.flt"));
  flt.WriteString("FILTERS", "Favorites", "SUMS,nums");
  flt.WriteString(list.CaptionsSection(), "SUMS", "Моя сумма");
  const auto r = c.Run({"methods"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::istringstream in(r.Out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].starts_with("NUMS\t0\t")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("SUMS\t1\t")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with("\t{ sum } Моя сумма [ NG ]")) << lines[1];
}

}  // namespace vetrilo
