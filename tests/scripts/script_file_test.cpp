#include "scripts/script_file.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::TTempDir;
using test::WriteFile;

TEST(ScriptFile, LinesEndAtCrLfLfOrCrAndAFinalBreakAddsNone) {
  struct TCase {
    std::string Bytes;
    std::vector<std::string> Lines;
  };
  const std::vector<TCase> cases = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\n", {"a"}},
      {"a\r", {"a"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\nb\r", {"a", "", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {" |x| \t", {" |x| \t"}},
      {"\xCF\xF0\xEE\xE1\xE0\r\n\x98", {"Проба", "\xC2\x98"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Bytes);
    EXPECT_EQ(ParseScriptFileBytes(c.Bytes), c.Lines);
  }
}

TEST(ScriptFile, BinaryOrUnicodeFilesAreRefused) {
  for (const std::string& bytes : {std::string("FULL:0#RAND|\0|", 13), std::string("\xEF\xBB\xBFx"),
                                   std::string("\xFF\xFEx\0", 4), std::string("\xFE\xFF\0x", 4)}) {
    SCOPED_TRACE(bytes);
    EXPECT_THROW(ParseScriptFileBytes(bytes), EVetrilo);
  }
}

TEST(ScriptFile, WrittenInWindows1251WithCrLfAndReadBackTheSame) {
  TTempDir dir;
  const std::vector<std::string> lines = {"FULL:0#RAND| | | | | | | |Проба", "", "x"};
  const std::string path = dir.File("a.lsc");
  WriteScriptFile(path, lines);
  EXPECT_EQ(test::ReadFile(path), "FULL:0#RAND| | | | | | | |\xCF\xF0\xEE\xE1\xE0\r\n\r\nx\r\n");
  EXPECT_EQ(ReadScriptFile(path), lines);
  WriteScriptFile(path, {});
  EXPECT_EQ(test::ReadFile(path), "");
  EXPECT_EQ(ReadScriptFile(path), std::vector<std::string>{});
}

TEST(ScriptFile, UnusablePathsThrowAndKeepTheFileBeforeThem) {
  TTempDir dir;
  WriteFile(dir.File("plain"), "x");
  EXPECT_THROW(ReadScriptFile(dir.File("missing.lsc")), EVetrilo);
  EXPECT_THROW(ReadScriptFile(dir.Path()), EVetrilo);
  EXPECT_THROW(WriteScriptFile(dir.File("plain/a.lsc"), {"a"}), EVetrilo);
  EXPECT_THROW(WriteScriptFile(dir.Path(), {"a"}), EVetrilo);
  EXPECT_EQ(test::ReadFile(dir.File("plain")), "x");
}

TEST(ScriptFile, AppendingPutsOneSeparatorBetween) {
  struct TCase {
    std::vector<std::string> Script, Added, Result;
  };
  const std::vector<TCase> cases = {
      {{}, {"a", "b"}, {"a", "b"}},
      {{}, {"", "a"}, {"", "a"}},
      {{"x"}, {"a"}, {"x", "", "a"}},
      {{"x", ""}, {"a"}, {"x", "", "a"}},
      {{"x", ""}, {"", "a"}, {"x", "", "", "a"}},
      {{"x"}, {}, {"x"}},
      {{""}, {"a"}, {"", "a"}},
  };
  for (const TCase& c : cases) {
    std::vector<std::string> script = c.Script;
    AppendScriptLines(script, c.Added);
    EXPECT_EQ(script, c.Result);
  }
}

TEST(ScriptFile, CharactersAFileCannotHoldAreFound) {
  EXPECT_EQ(FirstUnsavableChar("Проба ?№€ abc"), std::nullopt);
  EXPECT_EQ(FirstUnsavableChar("a✓b中"), std::optional<std::string>("✓"));
  EXPECT_EQ(FirstUnsavableChar("ab\ncd"), std::optional<std::string>("\n"));
  EXPECT_EQ(FirstUnsavableChar("ab\rcd"), std::optional<std::string>("\r"));
  EXPECT_EQ(UnsavableCharMessage("✓"), "Символ \"✓\" не может быть записан в файл сценария!");
}

}  // namespace vetrilo
