#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/csv.h"
#include "core/text.h"

namespace vetrilo {

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, CyrillicAndPunctuationMapBothWays) {
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8\xB8\xB9"), "АяЁё№");
  EXPECT_EQ(Utf8ToCp1251("Тираж №"), "\xD2\xE8\xF0\xE0\xE6 \xB9");
  EXPECT_EQ(Utf8ToCp1251("日"), "?");
}

TEST(Cp1251, CaseInsensitiveComparisonCoversCyrillic) {
  EXPECT_TRUE(SameTextIgnoringCase("Числа тиража", "ЧИСЛА ТИРАЖА"));
  EXPECT_TRUE(SameTextIgnoringCase("nums", "NUMS"));
  EXPECT_TRUE(SameTextIgnoringCase("ёж", "ЁЖ"));
  EXPECT_FALSE(SameTextIgnoringCase("NUMS", "NUM"));
  EXPECT_EQ(Utf8Length("Тираж"), 5u);
}

TEST(Text, TrimSplitAndIntegers) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(SplitWords(";;1;;2;3;", ";"), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(SplitAll("a||b", '|'), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(StrToIntStrict("-42"), -42);
  EXPECT_EQ(StrToIntStrict("$1F"), 31);
  EXPECT_FALSE(StrToIntStrict("4x"));
  EXPECT_FALSE(StrToIntStrict(""));
  EXPECT_FALSE(StrToIntStrict("99999999999"));
  EXPECT_EQ(StrToIntDef(" 7 ", 0), 7);
  EXPECT_EQ(CrToLf("a\r\rb"), "a\n\nb");
}

TEST(Csv, QuotesOnlyWhenNeeded) {
  EXPECT_EQ(CsvField("07/04/2014"), "07/04/2014");
  EXPECT_EQ(CsvField("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvLine({"1", "x,y"}), "1,\"x,y\"\n");
}

}  // namespace vetrilo
