#include "acquire/page_parser.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/errors.h"
#include "net/result_server.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::ResultsPage;

namespace {

std::string MarkerError(std::string_view quoted, std::string_view start, std::string_view end) {
  return "Не удалось найти пару идентификаторов \"" + std::string(start) + "\" - \"" +
         std::string(end) + "\" в тексте\r\r[" + std::string(quoted) + "]!";
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const EVetrilo& e) {
    return e.Message();
  }
  return "(no error)";
}

const std::string kHead =
    "<html><body>noise <tr>not a row</tr><section class=\"winningNumbersResults\"><table><thead>"
    "<tr><th>x</th></tr></thead><tbody>";
const std::string kTail = "</tbody></table></section>tail<footer id=\"footerMain\">f</footer>";

std::string Row(const std::string& date, const std::string& numbers) {
  return "<tr><td><div>" + date + "</div></td><td><div>" + numbers + "</div></td></tr>\n";
}

}  // namespace

TEST(ExtractBetween, MarkersModesAndQuotes) {
  struct TCase {
    std::string Text, Start, End;
    int Mode;
    std::string Expected;
  };
  const TCase cases[] = {
      {"no marker here", "<a>", "</a>", 0, ""},
      {"xx<a>  hello \t</a>yy", "<a>", "</a>", 0, "hello"},
      {"x<A>Mixed</a>", "<a>", "</A>", 0, "Mixed"},
      {"</b>before<a>after</b>", "<a>", "</b>", 0, "after"},
      {"<a>rest of it ", "<a>", "</a>", 2, "rest of it"},
      {"<a>rest of it", "<a>", "</a>", 1, ""},
      {"<a>\"ab\"\"c\"</a>", "<a>", "</a>", 0, "ab\"c"},
      {"<a>\"a\"b\"</a>", "<a>", "</a>", 0, "ab"},
      {"<a>\"</a>", "<a>", "</a>", 0, "\""},
      {"<a>\"\"</a>", "<a>", "</a>", 0, ""},
      {"<a>\"x</a>", "<a>", "</a>", 0, "\"x"},
      {std::string("<a>\0 x \0</a>", 12), "<a>", "</a>", 0, "x"},
      {"<\xC4\xE0>v</\xE4\xC0>", "<\xE4\xC0>", "</\xC4\xE0>", 0, "v"},  // Cyrillic, any case
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ExtractBetween(c.Text, c.Start, c.End, c.Mode), c.Expected);
    std::string text = c.Text;
    EXPECT_EQ(ExtractNext(text, c.Start, c.End, c.Mode), c.Expected);
  }
}

TEST(ExtractBetween, MissingEndMarkerQuotesTheTextUpTo500Characters) {
  EXPECT_EQ(ErrorOf([] { ExtractBetween("ab<a>cd", "<a>", "</a>", 0); }),
            MarkerError("ab<a>cd", "<a>", "</a>"));
  const std::string page = "<a>" + std::string(1000, 'z') + "\xC4";
  const std::string quoted = "<a>" + std::string(497, 'z');
  EXPECT_EQ(ErrorOf([&] { ExtractBetween(page, "<a>", "</a>", 0); }),
            MarkerError(quoted, "<a>", "</a>"));
  // Bytes of the page are code page 1251; the message shows them as letters.
  EXPECT_EQ(ErrorOf([] { ExtractBetween("\xC4<a>", "<a>", "</a>", 0); }),
            MarkerError("Д<a>", "<a>", "</a>"));
  std::string text = "ab<a>cd";
  EXPECT_THROW(ExtractNext(text, "<a>", "</a>", 0), EVetrilo);
  EXPECT_EQ(text, "ab<a>cd");
}

TEST(ExtractNext, ConsumesThroughTheEndMarker) {
  std::string text = "<tr a>one</tr><TR>two</Tr>tail";
  EXPECT_EQ(ExtractNext(text, "<tr", "</tr>", 0), "a>one");
  EXPECT_EQ(text, "<TR>two</Tr>tail");
  EXPECT_EQ(ExtractNext(text, "<tr", "</tr>", 0), ">two");
  EXPECT_EQ(text, "tail");
  EXPECT_EQ(ExtractNext(text, "<tr", "</tr>", 0), "");
  EXPECT_EQ(text, "tail");
  text = "<a>rest";
  EXPECT_EQ(ExtractNext(text, "<a>", "</a>", 2), "rest");
  EXPECT_EQ(text, "");
}

TEST(ResultsQuery, DatesGoOutAsMonthDayYear) {
  EXPECT_EQ(ResultsQuery(20140704, 20141011),
            "/site/winningNumberSearch?searchTypeIn=range&gameNameIn=VETRILO&singleDateIn=&"
            "fromDateIn=07%2F04%2F2014&toDateIn=10%2F11%2F2014&n1In=&n2In=&n3In=&n4In=&n5In=&"
            "submitForm=Submit");
  EXPECT_EQ(ResultsAddress(" http://127.0.0.1:8080/ ", 20150101, 20150101),
            "http://127.0.0.1:8080" + ResultsQuery(20150101, 20150101));
}

TEST(ParseResultsPage, NewDrawsInPageOrderNumberedAfterTheNewest) {
  // A gap in the numbering: the next number follows the newest, not the count.
  const TDrawArchive archive =
      MakeArchive({{5, 1, 2, 3, 4, 5, "01/01/2015"}, {9, 5, 6, 7, 8, 6, "01/05/2015"}});
  const std::string page = kHead + Row("01/08/2015", "3-15-27-41 Bonus 9") +
                           Row("01/12/2015", " 4 - 16 -28- 42\tx\t10 more") + kTail;
  const TDrawsArray draws = ParseResultsPage(page, archive);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].Number, 10);
  EXPECT_EQ(draws[0].Balls, (std::array<uint8_t, 4>{3, 15, 27, 41}));
  EXPECT_EQ(draws[0].Extra, 9);
  EXPECT_EQ(draws[0].Date, "01/08/2015");
  EXPECT_EQ(draws[1].Number, 11);
  EXPECT_EQ(draws[1].Balls, (std::array<uint8_t, 4>{4, 16, 28, 42}));
  EXPECT_EQ(draws[1].Extra, 10);
  // The stand-in server's layout is the same layout.
  EXPECT_EQ(ParseResultsPage(ResultsPage(draws), archive).size(), 2u);
}

TEST(ParseResultsPage, RowsSkippedOrReadAsTheyStand) {
  const TDrawArchive archive = MakeArchive({{1, 1, 2, 3, 4, 1, "01/01/2015"},
                                            {2, 1, 2, 3, 4, 1, "01/02/2015"},
                                            {3, 1, 2, 3, 4, 1, "01/03/2015"},
                                            {4, 1, 2, 3, 4, 1, "01/04/2015"},
                                            {5, 1, 2, 3, 4, 1, "aBc"}});
  struct TCase {
    std::string Date, Numbers;
    bool Kept;
    std::array<uint8_t, 4> Balls;
    uint8_t Extra;
    std::string StoredDate;
  };
  const TCase cases[] = {
      {"01/02/2015", "1-2-3-4 x 5", false, {}, 0, ""},  // one of the 4 newest dates
      {"ABC", "1-2-3-4 x 5", false, {}, 0, ""},         // letter case ignored
      {"01/01/2015", "1-2-3-4 x 5", true, {1, 2, 3, 4}, 5, "01/01/2015"},  // 5th newest
      {"02/01/2015", "-", false, {}, 0, ""},
      {"02/01/2015", "", false, {}, 0, ""},
      {"02/01/2015", "1-2-3", false, {}, 0, ""},
      {"02/01/2015", "1-2-3-4-5 x 6", false, {}, 0, ""},
      {"02/01/2015", "--1--2-3---4 x 6", true, {1, 2, 3, 4}, 6, "02/01/2015"},
      {"02/01/2015", "a-2-$A-300 x z", true, {0, 2, 10, 44}, 0, "02/01/2015"},
      {"02/01/2015", "1-2-3-4", true, {1, 2, 3, 4}, 0, "02/01/2015"},
      {"02/01/2015", "1-2-3-4  x", true, {1, 2, 3, 4}, 0, "02/01/2015"},
      {"02/01/2015 Sunday", "1-2-3-4 x 7", true, {1, 2, 3, 4}, 7, "02/01/2015"},
      {"\xC4\xE0\xF2\xE0", "1-2-3-4 x 7", true, {1, 2, 3, 4}, 7, "Дата"},
      {"\xD0\x94\xD0\xB0", "1-2-3-4 x 7", true, {1, 2, 3, 4}, 7, Cp1251ToUtf8("\xD0\x94\xD0\xB0")},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Date + " | " + c.Numbers);
    const TDrawsArray draws = ParseResultsPage(kHead + Row(c.Date, c.Numbers) + kTail, archive);
    ASSERT_EQ(draws.size(), c.Kept ? 1u : 0u);
    if (!c.Kept) continue;
    EXPECT_EQ(draws[0].Number, 6);
    EXPECT_EQ(draws[0].Balls, c.Balls);
    EXPECT_EQ(draws[0].Extra, c.Extra);
    EXPECT_EQ(draws[0].Date, c.StoredDate);
  }
}

TEST(ParseResultsPage, PageErrorsAndEmptyPages) {
  const TDrawArchive archive;
  EXPECT_TRUE(ParseResultsPage("", archive).empty());
  EXPECT_TRUE(ParseResultsPage("<html>maintenance</html>", archive).empty());
  EXPECT_TRUE(ParseResultsPage(kHead + kTail, archive).empty());
  // Upper-case row tags are rows too.
  EXPECT_EQ(ParseResultsPage(
                kHead + "<TR><TD><DIV>01/01/2015</DIV><DIV>1-2-3-4 x 5</DIV></TR>" + kTail, archive)
                .size(),
            1u);
  struct TCase {
    std::string Page, Start, End;
  };
  const std::string section = "<section class=\"winningNumbersResults\">";
  const TCase cases[] = {
      {kHead + Row("01/01/2015", "1-2-3-4 x 5"), section, "<footer id=\"footerMain\">"},
      {section + "<table><thead></thead><tbody><tr></tr></table><footer id=\"footerMain\">",
       "</thead><tbody>", "</tbody></table>"},
      {kHead + "<tr><td><div>01/01/2015</div>" + kTail, "<tr", "</tr>"},
      {kHead + "<tr><td><div>01/01/2015</td></tr>" + kTail, "<div>", "</div>"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Page);
    const std::string error = ErrorOf([&] { ParseResultsPage(c.Page, archive); });
    EXPECT_EQ(error.rfind("Не удалось найти пару идентификаторов \"" + c.Start + "\" - \"" + c.End +
                              "\" в тексте\r\r[",
                          0),
              0u)
        << error;
  }
}

TEST(ParseResultsPage, ALargePageIsReadInOnePass) {
  std::string rows;
  for (int i = 0; i < 100000; ++i) rows += Row("01/01/2015", "1-2-3-4 x 5");
  const TDrawsArray draws = ParseResultsPage(kHead + rows + kTail, TDrawArchive());
  ASSERT_EQ(draws.size(), 100000u);
  EXPECT_EQ(draws.back().Number, 100000);
}

TEST(ParseResultsPage, HostilePagesNeverCrash) {
  const TDrawArchive archive = MakeArchive({{1, 1, 2, 3, 4, 1, "01/01/2015"}});
  const std::string good = ResultsPage(
      MakeArchive({{1, 5, 6, 7, 8, 9, "01/02/2015"}, {2, 5, 6, 7, 8, 9, "01/03/2015"}}).Draws);
  uint64_t seed = 12345;
  auto next = [&] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(seed >> 33);
  };
  int parsed = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string page = good;
    const int edits = 1 + static_cast<int>(next() % 6);
    for (int e = 0; e < edits && !page.empty(); ++e) {
      const size_t at = next() % page.size();
      switch (next() % 3) {
        case 0:
          page.erase(at, 1 + next() % 20);
          break;
        case 1:
          page.insert(at, 1, static_cast<char>(next() % 256));
          break;
        default:
          page[at] = static_cast<char>(next() % 256);
          break;
      }
    }
    try {
      for (const TDrawRec& d : ParseResultsPage(page, archive)) {
        EXPECT_LE(d.Date.size(), 30u);  // 10 characters of code page 1251 in UTF-8
        EXPECT_GE(d.Number, 2);
      }
      ++parsed;
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message().rfind("Не удалось найти пару идентификаторов", 0), 0u);
    }
  }
  EXPECT_GT(parsed, 0);
}

}  // namespace vetrilo
