#include "core/game.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace vetrilo {

TEST(Game, ComputedConstants) {
  EXPECT_EQ(Game().MinSum, 10);
  EXPECT_EQ(Game().MaxSum, 182);
  EXPECT_EQ(Game().SumBandWidth, 17);
  EXPECT_TRUE(Game().NumberTextsNumeric);
}

TEST(Game, CombinationPackingAndTexts) {
  const TComb c = MakeComb(3, 15, 27, 41);
  EXPECT_EQ(c, 0x291B0F03u);  // first number in the lowest byte
  EXPECT_EQ(CombByte(c, 1), 3);
  EXPECT_EQ(CombByte(c, 4), 41);
  EXPECT_EQ(CombListText(c), "3;15;27;41");
  EXPECT_EQ(CombCopyText(c), "03 15 27 41");
  EXPECT_EQ(NumSetText(CombToNumSet(c), ", "), "3, 15, 27, 41");
}

TEST(Game, ParseCombination) {
  EXPECT_EQ(ParseComb("5-17.23|40"), MakeComb(5, 17, 23, 40));
  EXPECT_EQ(ParseComb("x;2;3;4"), MakeComb(0, 2, 3, 4));
  EXPECT_EQ(ParseComb(" 03 15\t27,,41 "), MakeComb(3, 15, 27, 41));
  EXPECT_EQ(ParseComb("41 3 27 15"), MakeComb(41, 3, 27, 15));  // order kept
  for (const char* bad : {"1 2 3", "1;2;3;4;5", ""}) {
    try {
      ParseComb(bad);
      FAIL() << bad;
    } catch (const EVetrilo& e) {
      EXPECT_EQ(std::string(e.what()), "Некорректная комбинация: \"" + std::string(bad) + "\"!");
    }
  }
}

TEST(Game, NumberOperations) {
  EXPECT_EQ(ShiftNumber(47, 1), 1);
  EXPECT_EQ(ShiftNumber(1, -1), 47);
  EXPECT_EQ(ShiftNumber(20, 0), 20);
  EXPECT_EQ(ShiftNumber(1, -2), 46);
  EXPECT_EQ(ShiftComb(MakeComb(5, 12, 30, 47), 1), MakeComb(6, 13, 31, 1));
  EXPECT_EQ(CeilDiv(47, 8), 6);
  EXPECT_EQ(CeilDiv(48, 8), 6);
  EXPECT_EQ(GroupCount(1, 47, 8), 6);
  EXPECT_EQ(GroupCount(0, 47, 10), 5);
  EXPECT_EQ(MatrixColumn(9, 8), 1);
  EXPECT_EQ(MatrixRow(9, 8), 2);
  EXPECT_EQ(NumberAtMatrix(1, 2, 1, 8), 11);
  EXPECT_EQ(CombMatchCount(MakeComb(1, 2, 3, 4), MakeComb(4, 3, 9, 10)), 2);
  EXPECT_EQ(SortComb(MakeComb(30, 5, 17, 2)), MakeComb(2, 5, 17, 30));
}

TEST(Game, IntegerLists) {
  struct TCase {
    const char* Text;
    std::vector<int32_t> Expected;
  };
  const TCase cases[] = {
      {"1-10;3", {1, 4, 7, 10}},
      {"2;4;6", {2, 4, 6}},
      {"5", {5}},
      {"a-b", {}},
      {"100-500;100", {100, 200, 300, 400, 500}},
      {"500-100;100", {}},
      {"10-20", {}},
      {"1-5,2", {1, 3, 5}},
      {"1 , 2", {1, 2}},
      {"-3-3;3", {-3, 0, 3}},
      {"1-5;0", {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(ParseIntList(c.Text), c.Expected) << c.Text;
  EXPECT_EQ(JoinIntList({1, 2, 3}, ","), "1,2,3");
}

TEST(Game, HugeRangesAreCountedExactlyAndNotBuilt) {
  const TIntList all = ParseIntListEx("-2147483648-2147483647;1", 10);
  EXPECT_EQ(all.Count, int64_t{4294967296});
  EXPECT_TRUE(all.Items.empty());
  EXPECT_THROW(ParseIntList("1-2000000;1"), EVetrilo);
}

TEST(Game, ChannelColoursAndOrigins) {
  EXPECT_EQ(ChannelColor(47, 2), 0xAAAAFFu);  // entry 24 - 19 = 5
  EXPECT_EQ(ChannelColor(1, 8), 0xAAFFAAu);
  EXPECT_EQ(ChannelColor(47, 8), 0xFFD5AAu);
  EXPECT_EQ(ChannelColor(0, 8), 0xFF0000u);
  EXPECT_EQ(ChannelColor(48, 8), 0xFF0000u);
  EXPECT_EQ(StakeOriginName(3), "Сценарий");
  EXPECT_EQ(StakeOriginName(9), "");
}

TEST(Game, FullSetIsCanonical) {
  const TCombsArray& all = FullSet();
  ASSERT_EQ(all.size(), size_t(kAllCombinations));
  EXPECT_EQ(all[0], MakeComb(1, 2, 3, 4));
  EXPECT_EQ(all[1], MakeComb(1, 2, 3, 5));
  EXPECT_EQ(all[43], MakeComb(1, 2, 3, 47));
  EXPECT_EQ(all[44], MakeComb(1, 2, 4, 5));
  EXPECT_EQ(all.back(), MakeComb(44, 45, 46, 47));
  EXPECT_EQ(CountDistinctNumbers(all, all.size()), 47);
  EXPECT_EQ(DistinctNumbers({MakeComb(5, 1, 9, 3), MakeComb(1, 2, 3, 4)}, 2),
            (std::vector<uint8_t>{5, 1, 9, 3, 2, 4}));
}

}  // namespace vetrilo
