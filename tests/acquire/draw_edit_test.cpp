#include "acquire/draw_edit.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;

TEST(DrawEdit, DialogNumbersValidation) {
  struct TCase {
    std::string Text;
    bool Ok;
  };
  const TCase cases[] = {
      {"5;17;23;40;9", true},
      {" 5 , 17;;23,, 40 ; 9 ", true},
      {"47;46;45;44;17", true},
      {"5,17,17,40,9", false},
      {"5;17;23;48;9", false},
      {"5;17;23;40;18", false},
      {"5;17;23;40;0", false},
      {"0;17;23;40;9", false},
      {"5;17;23;40", false},
      {"5;17;23;40;9;1", false},
      {"5;17;2 3;40;9", false},
      {"5;17;x;40;9", false},
      {"", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ParseDrawNumbers(c.Text).has_value(), c.Ok);
  }
  const auto n = ParseDrawNumbers(" 5 , 17;;23,, 40 ; 9 ");
  ASSERT_TRUE(n);
  EXPECT_EQ(n->Balls, (std::array<uint8_t, 4>{5, 17, 23, 40}));
  EXPECT_EQ(n->Extra, 9);
  const TDrawRec d = MakeDrawRecord(77, *n, 20140704);
  EXPECT_EQ(d.Date, "07/04/2014");
  EXPECT_EQ(DrawNumbersText(d), "5;17;23;40;9");
}

TEST(DrawEdit, DialogStartsFromTheArchive) {
  EXPECT_EQ(NextNewDrawNumber(TDrawArchive()), 1);
  EXPECT_EQ(NextNewDrawNumber(MakeArchive({{7, 1, 2, 3, 4, 5, "x"}, {3, 1, 2, 3, 4, 5, "y"}})), 4);
  EXPECT_EQ(DialogDate("07/04/2014", 20200101), 20140704);
  EXPECT_EQ(DialogDate("", 20200101), 20200101);
  EXPECT_EQ(DialogDate("soon", 20200101), 20200101);
}

TEST(DrawEdit, DeleteRemovesTheRecordsOfTheRows) {
  // Two draws share a number: the selected one goes, not the first with that number.
  TDrawArchive a = MakeArchive({{1, 1, 2, 3, 4, 5, "a"},
                                {2, 1, 2, 3, 4, 5, "b"},
                                {2, 1, 2, 3, 4, 5, "c"},
                                {4, 1, 2, 3, 4, 5, "d"}});
  EXPECT_EQ(DeleteDrawRows(a, {1, 3, 1}), 2);  // rows 1 and 3: "c" and "a"
  ASSERT_EQ(a.Count(), 2);
  EXPECT_EQ(a.Draws[0].Date, "b");
  EXPECT_EQ(a.Draws[1].Date, "d");
  EXPECT_EQ(a.Draws[1].Number, 4);  // no renumbering
  try {
    DeleteDrawRows(a, {0, 5});
    ADD_FAILURE();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "Запись со индексом -4 в файле данных не найдена!");
  }
  EXPECT_EQ(a.Count(), 2);  // a bad row removes nothing
  EXPECT_EQ(DeleteRecordsQuestion(1), "Удалить выделенную запись?");
  EXPECT_EQ(DeleteRecordsQuestion(3),
            "Удалить все выделенные записи (всего будет удалено 3 записи(ей))?");
}

}  // namespace vetrilo
