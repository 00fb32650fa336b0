#include "views/draw_card.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;

namespace {

// Newest draw last in the archive, first on the card.
TDrawArchive SequenceArchive() {
  return MakeArchive({{10, 1, 2, 3, 4, 9, "01/01/2014"},
                      {11, 6, 21, 40, 47, 3, "01/04/2014"},
                      {12, 5, 6, 20, 33, 17, "01/08/2014"}});
}

}  // namespace

TEST(DrawCard, TextsNewestFirstWithHeaderAndBonusColumn) {
  TDrawCard card;
  card.Build(SequenceArchive());
  ASSERT_EQ(card.RowCount(), 4);
  ASSERT_EQ(card.ColumnCount(), 49);
  EXPECT_EQ(card.Text(0, 0), "");
  EXPECT_EQ(card.Text(0, 1), "1");
  EXPECT_EQ(card.Text(0, 47), "47");
  EXPECT_EQ(card.Text(0, 48), "E");
  EXPECT_EQ(card.Text(1, 0), "12");
  EXPECT_EQ(card.Text(1, 5), "5");
  EXPECT_EQ(card.Text(1, 7), "");
  EXPECT_EQ(card.Text(1, 48), "17");
  EXPECT_EQ(card.Text(3, 0), "10");
  EXPECT_EQ(card.Text(3, 4), "4");

  TDrawCard empty;
  empty.Build(TDrawArchive());
  EXPECT_EQ(empty.RowCount(), 2);
  EXPECT_EQ(empty.Text(1, 0), "");
  EXPECT_EQ(empty.Text(0, 48), "E");
}

TEST(DrawCard, ColourRules) {
  TDrawCard card;
  card.Build(SequenceArchive());
  const TCardOptions both{true, true, 8};
  const TCardOptions channelsOnly{true, false, 8};
  const TCardOptions sequencesOnly{false, true, 8};
  const TCardOptions none{false, false, 8};
  struct TCase {
    int Row, Column;
    TCardOptions Options;
    std::string Rule;
  };
  const std::vector<TCase> cases = {
      {1, 5, both, "neighbour"},         // 6 beside it
      {1, 6, both, "repeat+neighbour"},  // 6 in the row below, 5 beside it
      {1, 20, both, "channel"},
      {1, 33, both, "channel"},
      {2, 6, both, "repeat"},  // 6 above, no neighbour
      {2, 21, both, "channel"},
      {2, 47, both, "channel"},  // the bonus column is no neighbour
      {1, 7, both, "channel"},   // empty cells take the column's channel colour
      {1, 7, sequencesOnly, "default"},
      {1, 6, channelsOnly, "channel"},
      {1, 6, sequencesOnly, "repeat+neighbour"},
      {2, 21, sequencesOnly, "default"},
      {1, 6, none, "default"},
      {1, 0, both, "default"},
      {1, 48, both, "default"},
      {0, 6, both, "default"},
      // The header row is no draw: the newest 33 is not a repeat of the caption "33".
      {1, 33, sequencesOnly, "default"},
      {3, 1, both, "neighbour"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.Row << " column " << c.Column);
    EXPECT_EQ(card.Color(c.Row, c.Column, c.Options).Rule, c.Rule);
  }
  EXPECT_EQ(card.Color(1, 5, both).Rgb, 0x00FFFFu);
  EXPECT_EQ(card.Color(1, 6, both).Rgb, 0xFFFF00u);
  EXPECT_EQ(card.Color(2, 6, both).Rgb, 0x00FF00u);
  EXPECT_EQ(card.Color(1, 20, both).Rgb, ChannelColor(20, 8));
  EXPECT_EQ(card.Color(2, 47, TCardOptions{true, true, 2}).Rgb, 0xAAAAFFu);
  EXPECT_FALSE(card.Color(1, 6, none).Rgb);
}

TEST(DrawCard, SelectionEnablesAndCollectsNumbersColumnByColumn) {
  struct TRectCase {
    TGridRect Rect;
    bool Filterable;
  };
  for (const TRectCase& c : std::vector<TRectCase>{{{1, 1, 47, 3}, true},
                                                   {{5, 2, 5, 2}, true},
                                                   {{0, 1, 0, 3}, false},
                                                   {{48, 1, 48, 3}, false},
                                                   {{0, 1, 5, 1}, false},
                                                   {{40, 1, 48, 1}, false},
                                                   {{5, 1, 4, 1}, false}}) {
    SCOPED_TRACE(testing::Message() << c.Rect.Left << ".." << c.Rect.Right);
    EXPECT_EQ(TDrawCard::CanFilter(c.Rect), c.Filterable);
  }
  TDrawCard card;
  card.Build(SequenceArchive());
  // Column 5 (row 1: 5), column 6 (rows 1 and 2: 6 twice), then 20, 21.
  EXPECT_EQ(card.SelectionValues({5, 1, 21, 3}).Text(), "5; 6; 20; 21");
  EXPECT_EQ(card.SelectionValues({1, 1, 4, 3}).Text(), "1; 2; 3; 4");
  EXPECT_TRUE(card.SelectionValues({7, 1, 19, 3}).Empty());
}

TEST(DrawCard, ShowsTellsAnEditedDrawApart) {
  TDrawArchive archive = SequenceArchive();
  TDrawCard card;
  EXPECT_FALSE(card.Shows(archive));
  card.Build(archive);
  EXPECT_TRUE(card.Shows(archive));
  archive.Draws[1].Balls[0] = 7;
  EXPECT_FALSE(card.Shows(archive));
  archive.Draws.pop_back();
  EXPECT_FALSE(card.Shows(archive));
}

}  // namespace vetrilo
