#include "acquire/draws_csv.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;

TEST(DrawsCsv, ExportLinesAndDates) {
  TDrawArchive a = MakeArchive({{1234, 5, 17, 23, 40, 9, "07/04/2014"},
                                {1235, 1, 2, 3, 4, 17, "a\"b"},
                                {1236, 47, 46, 45, 44, 1, "x\r\ny\nz"},
                                {-3, 0, 255, 3, 4, 0, "Дата"}});
  EXPECT_EQ(DrawsCsvText(a.Draws),
            "1234;\"07/04/2014\";5;17;23;40;9\r\n"
            "1235;\"a\"\"b\";1;2;3;4;17\r\n"
            "1236;\"x  y z\";47;46;45;44;1\r\n"
            "-3;\"\xC4\xE0\xF2\xE0\";0;255;3;4;0\r\n");
  EXPECT_EQ(DrawsCsvText({}), "");
}

TEST(DrawsCsv, LineSplitting) {
  struct TCase {
    std::string Line;
    std::vector<std::string> Fields;
  };
  const TCase cases[] = {
      {"1;\"07/04/2014\";5;17;23;40;9", {"1", "07/04/2014", "5", "17", "23", "40", "9"}},
      {"  a ; b;;c ", {"a", "b", "", "c"}},
      {"a;", {"a", ""}},
      {"a; ", {"a"}},
      {"07 04 2014", {"07", "04", "2014"}},
      {"a\tb\x01"
       "c",
       {"a", "b", "c"}},
      {std::string("a\0b", 3), {"a", "b"}},
      {"\"x;y \"\"q\"\"\";z", {"x;y \"q\"", "z"}},
      {"\"ab\"cd;e", {"ab", "cd", "e"}},
      {"\"open;to end", {"open;to end"}},
      {";", {"", ""}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Line);
    EXPECT_EQ(SplitDrawCsvLine(c.Line), c.Fields);
  }
}

TEST(DrawsCsv, ImportRules) {
  TDrawArchive a =
      MakeArchive({{10, 1, 2, 3, 4, 5, "01/01/2015"}, {12, 1, 2, 3, 4, 5, "01/02/2015"}});
  const std::string file =
      "\r\n"
      "   \r\n"
      "\"01/03/2015\";5;17;23;40;9\r\n"  // 6 fields: after the newest, 13
      "11;\"01/04/2015\";6;7;8;9;10\n"   // 7 fields, a free number
      "12;\"01/05/2015\";6;7;8;9;10\r"   // number stored already
      "0;\"01/06/2015\";6;7;8;9;10\r\n"  // number 0
      "x;\"01/06/2015\";6;7;8;9;10\r\n"  // not a number
      "20;07 04 2014;6;7;8;9;10\r\n"     // the blanks split the date: 9 fields
      "21;\"01/07/2015 long text\";300;-1;a;9;18\r\n"
      "\"01/08/2015\";1;2;3;4;5\r\n"  // 6 fields again: after 21 stored last, 22
      "1;2;3;4;5\r\n";                // 5 fields
  EXPECT_EQ(ImportDrawsCsv(file, a), 4);
  ASSERT_EQ(a.Count(), 6);
  EXPECT_EQ(a.Draws[2].Number, 13);
  EXPECT_EQ(a.Draws[2].Date, "01/03/2015");
  EXPECT_EQ(a.Draws[2].Balls, (std::array<uint8_t, 4>{5, 17, 23, 40}));
  EXPECT_EQ(a.Draws[2].Extra, 9);
  EXPECT_EQ(a.Draws[3].Number, 11);
  EXPECT_EQ(a.Draws[4].Number, 21);
  EXPECT_EQ(a.Draws[4].Date, "01/07/2015");
  EXPECT_EQ(a.Draws[4].Balls, (std::array<uint8_t, 4>{44, 255, 0, 9}));
  EXPECT_EQ(a.Draws[4].Extra, 18);
  EXPECT_EQ(a.Draws[5].Number, 22);
}

TEST(DrawsCsv, RoundTripAndEmptyArchive) {
  const TDrawArchive a = MakeArchive({{1, 5, 17, 23, 40, 9, "07/04/2014"},
                                      {7, 1, 2, 3, 4, 17, "a\"b;c d"},
                                      {9, 47, 46, 45, 44, 1, "Дата"}});
  const std::string text = DrawsCsvText(a.Draws);
  TDrawArchive same = a;
  EXPECT_EQ(ImportDrawsCsv(text, same), 0);  // every number exists
  TDrawArchive empty;
  EXPECT_EQ(ImportDrawsCsv(text, empty), 3);
  ASSERT_EQ(empty.Count(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(empty.Draws[size_t(i)].Number, a.Draws[size_t(i)].Number);
    EXPECT_EQ(empty.Draws[size_t(i)].Date, a.Draws[size_t(i)].Date);
    EXPECT_EQ(empty.Draws[size_t(i)].Balls, a.Draws[size_t(i)].Balls);
    EXPECT_EQ(empty.Draws[size_t(i)].Extra, a.Draws[size_t(i)].Extra);
  }
  // Six fields into an empty archive: 1, 2, 3 in file order.
  TDrawArchive six;
  EXPECT_EQ(ImportDrawsCsv("\"a\";1;2;3;4;5\r\n\"b\";1;2;3;4;5\r\n\"c\";1;2;3;4;5", six), 3);
  EXPECT_EQ(six.Draws[0].Number, 1);
  EXPECT_EQ(six.Draws[2].Number, 3);
  EXPECT_EQ(six.Draws[2].Date, "c");
}

TEST(DrawsCsv, ByteOrderMarkMakesTheFileUtf8) {
  TDrawArchive a;
  EXPECT_EQ(ImportDrawsCsv("\xEF\xBB\xBF"
                           "5;\"Дата тиража длинная\";1;2;3;4;5\r\n",
                           a),
            1);
  EXPECT_EQ(a.Draws[0].Number, 5);
  EXPECT_EQ(a.Draws[0].Date, "Дата тираж");
  TDrawArchive b;
  EXPECT_EQ(ImportDrawsCsv("5;\"\xC4\xE0\xF2\xE0\";1;2;3;4;5\r\n", b), 1);
  EXPECT_EQ(b.Draws[0].Date, "Дата");
}

}  // namespace vetrilo
