#include <gtest/gtest.h>

#include "core/combinatorics.h"
#include "core/dates.h"
#include "core/errors.h"

namespace vetrilo {

TEST(Dates, KeysAndTexts) {
  EXPECT_EQ(DateKeyToText(20140704), "07/04/2014");
  EXPECT_EQ(DateKeyToText(0), "");
  EXPECT_EQ(TextToDateKey("07/04/2014"), 20140704);
  EXPECT_EQ(TextToDateKey("  "), 0);
  EXPECT_THROW(TextToDateKey("02/30/2014"), EVetrilo);
  EXPECT_THROW(TextToDateKey("junk"), EVetrilo);
  EXPECT_EQ(DateKeyAddDays(20140704, 0), 20140704);
  EXPECT_EQ(DateKeyAddDays(20141230, 3), 20150102);
  EXPECT_EQ(DateKeyAddDays(20160301, -1), 20160229);
  EXPECT_EQ(DateKeyWeekday(20140704), 5);  // Friday
}

TEST(Combinatorics, CountsAndRuns) {
  EXPECT_EQ(Binomial(47, 4), 178365u);
  EXPECT_EQ(Binomial(5, 4), 5u);
  EXPECT_EQ(Binomial(4, 4), 1u);
  EXPECT_EQ(Binomial(3, 4), 1u);
  EXPECT_EQ(Binomial(45, 4), 148995u);
  const int64_t expected[] = {123410, 49364, 5418, 172, 1};
  int64_t sum = 0;
  for (int m = 0; m <= 4; ++m) {
    EXPECT_EQ(MatchCount(47, 4, uint8_t(m)), expected[m]);
    EXPECT_EQ(MatchDistribution()[static_cast<size_t>(m)].Count, expected[m]);
    sum += expected[m];
  }
  EXPECT_EQ(sum, 178365);
  EXPECT_EQ(RunSumUp(1, 4), 10);
  EXPECT_EQ(RunSumDown(47, 4), 182);
  EXPECT_EQ(Factorial(0), 1.0L);
  EXPECT_EQ(RisingProduct(3, 0), 1.0L);
}

TEST(Combinatorics, RoundingIsHalfToEven) {
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(3.5L), 4);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(2.51L), 3);
}

TEST(Combinatorics, CdlScore) {
  const TCdlWeights defaults;
  EXPECT_DOUBLE_EQ(double(CdlScore(defaults, true, 5, 20, 100, 12, 7)), 14.0);
  EXPECT_DOUBLE_EQ(double(CdlScore(defaults, false, 5, 20, 100, 12, 7)), 12.0);
  TCdlWeights percents;
  percents.UsePercents = true;
  percents.CountWeight = 1;
  EXPECT_DOUBLE_EQ(double(CdlScore(percents, true, 5, 0, 0, 12, 0)), 0.0);  // nothing divides by 0
  EXPECT_DOUBLE_EQ(double(CdlScore(percents, true, 5, 24, 50, 12, 4)), 10.0 - 25.0 + 50.0);
  TCdlWeights absolute;
  absolute.UseAbsValues = true;
  EXPECT_DOUBLE_EQ(double(CdlScore(absolute, true, 9, 20, 100, 12, 7)), -2.0 + 12.0);
}

TEST(Combinatorics, StakeOutcome) {
  const std::vector<TProfitLevel> prizes = {
      {2, 1 * kMoneyScale}, {3, 10 * kMoneyScale}, {4, 1000 * kMoneyScale}};
  EXPECT_EQ(StakeOutcome(4, 3, kMoneyScale, prizes), 9 * kMoneyScale);
  EXPECT_EQ(StakeOutcome(6, 1, kMoneyScale, prizes), -15 * kMoneyScale);
  EXPECT_EQ(StakeOutcome(6, -1, kMoneyScale, prizes), -15 * kMoneyScale);
  EXPECT_EQ(StakeOutcome(4, 4, 5000, prizes), 1000 * kMoneyScale - 5000);
  EXPECT_EQ(MoneyToDecimalText(15000), "1.5");
  EXPECT_EQ(MoneyToDecimalText(-20000), "-2");
  EXPECT_EQ(MoneyToDecimalText(1), "0.0001");
  EXPECT_EQ(MoneyFromReal(1.25L), 12500);
}

}  // namespace vetrilo
