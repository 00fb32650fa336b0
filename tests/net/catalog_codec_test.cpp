#include "net/catalog_codec.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace vetrilo {
namespace {

TEST(CatalogCodec, EscapesAreTheCOnesAndRoundTrip) {
  const struct {
    std::string In, Out;
  } cases[] = {
      {std::string("\0\1\2\3\4\5\6", 7), "\\0\\1\\2\\3\\4\\5\\6"},
      {"\a\b\t\n\v\f\r\x1b", "\\a\\b\\t\\n\\v\\f\\r\\e"},
      {"\"'?\\", "\\\"\\'\\?\\\\"},
      {"Сумма & <x> = 5%", "Сумма & <x> = 5%"},
      {"\x0e\x1a\x7f", "\x0e\x1a\x7f"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EscapeText(c.In), c.Out);
    EXPECT_EQ(UnescapeText(c.Out), c.In);
  }
  // A lone or unknown escape stays as it is.
  EXPECT_EQ(UnescapeText("a\\qb\\"), "a\\qb\\");
}

TEST(CatalogCodec, Base64AndFormEncoding) {
  for (const std::string s : {"", "f", "fo", "foo", "foob", "fooba", "foobar", "Система\r\n"}) {
    const auto back = Base64Decode(Base64Encode(s));
    ASSERT_TRUE(back.has_value()) << s;
    EXPECT_EQ(*back, s);
  }
  EXPECT_EQ(Base64Encode("foobar"), "Zm9vYmFy");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Decode("Zm9v\r\nYmFy"), "foobar");
  for (const char* bad : {"Zm9", "Zm9v!", "Z=m9", "Zm==Zm9v", "Zm9v====="}) {
    EXPECT_FALSE(Base64Decode(bad).has_value()) << bad;
  }
  EXPECT_EQ(EncodeForm({{"title", "a&b=c d+е"}, {"x", ""}}), "title=a%26b%3Dc%20d%2B%D0%B5&x=");
}

TEST(CatalogCodec, RepliesAreReadIgnoringCaseAndErrorsThrow) {
  const auto rows = ParseCatalogReply(
      "junk<RESULT>\n<row><ID>7</Id><title>VA==</title><empty></empty></row>"
      "<Row><author>A &amp; B &lt;x&gt;</author></ROW></result>tail");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Value("id"), "7");
  EXPECT_EQ(rows[0].Value("title"), "VA==");
  EXPECT_TRUE(rows[0].Has("empty"));
  EXPECT_FALSE(rows[0].Has("author"));
  EXPECT_EQ(rows[1].Text("author"), "A & B <x>");
  EXPECT_TRUE(ParseCatalogReply("<result></result>").empty());

  bool hasResult = true;
  EXPECT_TRUE(ParseCatalogReply("<html>maintenance</html>", &hasResult).empty());
  EXPECT_FALSE(hasResult);
  for (const char* bad : {"<html>maintenance</html>", "<result><row><id>1</id></row>",
                          "<result><row><id>1</id></result>", "<result><row><id>1</row></result>",
                          "<result><row><id>1</ID2></row></result>"}) {
    EXPECT_THROW(ParseCatalogReply(bad), EVetrilo) << bad;
  }
  try {
    ParseCatalogReply(
        "<result><row><id>1</id></row><row><error>Нет &lt;доступа&gt;</error></row></result>");
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "Нет <доступа>");
  }
}

}  // namespace
}  // namespace vetrilo
