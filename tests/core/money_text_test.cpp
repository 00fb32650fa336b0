#include "core/money_text.h"

#include <gtest/gtest.h>

namespace vetrilo {

TEST(MoneyText, ExactDecimalRoundingHalfAwayFromZero) {
  struct TCase {
    TMoney Value;
    int Decimals;
    const char* Text;
  };
  for (const TCase& c : std::vector<TCase>{{490000, 2, "49.00"},
                                           {-10000, 2, "-1.00"},
                                           {50, 2, "0.01"},    // 0.005 up
                                           {-50, 2, "-0.01"},  // away from zero
                                           {49, 2, "0.00"},
                                           {-40, 2, "0.00"},  // never "-0.00"
                                           {12345, 4, "1.2345"},
                                           {-5, 4, "-0.0005"},
                                           {INT64_MAX, 2, "922337203685477.58"},
                                           {INT64_MIN, 2, "-922337203685477.58"}}) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(MoneyText(c.Value, c.Decimals), c.Text);
  }
  EXPECT_EQ(MoneyText(15000, 2, ','), "1,50");
  EXPECT_EQ(RatioText(1, 16, 3), "0.063");  // an exact tie goes away from zero
  EXPECT_EQ(RatioText(2, 3, 3), "0.667");
  EXPECT_EQ(RatioText(-2, 3, 3), "-0.667");
  EXPECT_EQ(RoundDivAway(-15, 10), -2);
  EXPECT_EQ(RoundDivAway(15, -10), -2);
  EXPECT_EQ(RoundDivAway(14, 10), 1);
}

TEST(MoneyText, SumsBeyond64BitsAreExactAndStopAtTheRecordLimit) {
  // 2^63 - 1 = 9223372036854775807 and 2^64 = 18446744073709551616 ten-thousandths.
  const TMoneySum twiceMax = TMoneySum{INT64_MAX} * 2;
  const TMoneySum twiceMin = TMoneySum{INT64_MIN} * 2;
  struct TCase {
    TMoneySum Value;
    int Decimals;
    const char* Text;
  };
  for (const TCase& c : std::vector<TCase>{{twiceMax, 4, "1844674407370955.1614"},
                                           {twiceMax, 2, "1844674407370955.16"},
                                           {twiceMin, 4, "-1844674407370955.1616"},
                                           {twiceMin, 0, "-1844674407370955"},
                                           {TMoneySum{INT64_MAX} + 1, 4, "922337203685477.5808"},
                                           {490000, 2, "49.00"},
                                           {50, 2, "0.01"},
                                           {-50, 2, "-0.01"},
                                           {-40, 2, "0.00"},
                                           {15000, 0, "2"},
                                           {-5, 4, "-0.0005"},
                                           {0, 4, "0.0000"}}) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(MoneySumText(c.Value, c.Decimals), c.Text);
  }
  EXPECT_EQ(MoneySumText(15000, 2, ','), "1,50");
  EXPECT_EQ(ClampMoney(twiceMax), INT64_MAX);
  EXPECT_EQ(ClampMoney(TMoneySum{INT64_MAX} + 1), INT64_MAX);
  EXPECT_EQ(ClampMoney(TMoneySum{INT64_MIN} - 1), INT64_MIN);
  EXPECT_EQ(ClampMoney(-12345), -12345);
  EXPECT_TRUE(RoundSumDivAway(twiceMax, 2) == TMoneySum{INT64_MAX});
  EXPECT_TRUE(RoundSumDivAway(-15, 10) == -2);
}

TEST(MoneyText, AStakeOutcomeBeyondTheRecordStopsAtItsLimit) {
  // 70 tickets (8 numbers) at a price of 2^60 cost far more than a record holds.
  EXPECT_EQ(StakeOutcome(8, -1, TMoney{1} << 60, {}), INT64_MIN);
  // A refund of one ticket plus the largest prize.
  EXPECT_EQ(StakeOutcome(4, 4, -1, {{4, INT64_MAX}}), INT64_MAX);
  EXPECT_EQ(StakeOutcome(4, 4, 10000, {{4, INT64_MAX}}), INT64_MAX - 10000);
  EXPECT_EQ(StakeOutcome(5, 3, 10000, {{3, 500000}}), 500000 - 5 * 10000);
}

TEST(MoneyText, DecimalSettingsAreReadExactlyHalfToEven) {
  struct TCase {
    const char* Text;
    std::optional<TMoney> Money;
  };
  for (const TCase& c : std::vector<TCase>{{"1", 10000},
                                           {" 2.5 ", 25000},
                                           {"2,75", 27500},
                                           {"-0.5", -5000},
                                           {"0.00015", 2},   // tie, to even
                                           {"0.00025", 2},   // tie, to even
                                           {"0.000251", 3},  // above the tie
                                           {"0.00005", 0},
                                           {".5", 5000},
                                           {"1e3", std::nullopt},
                                           {"abc", std::nullopt},
                                           {"", std::nullopt},
                                           {"-", std::nullopt}}) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(MoneyFromDecimalText(c.Text), c.Money);
  }
}

}  // namespace vetrilo

#include "core/ini_file.h"
#include "stats/stat_list.h"

namespace vetrilo {

TEST(MoneyText, StakePricesOfTheSettingsAreExact) {
  const TIniData ini = TIniData::Parse(
      "[STAKES]\nCost=0.00015\nProfits=2\nProfit_0_Overlap=3\nProfit_0_Profit=49,99995\n"
      "Profit_1_Overlap=4\nProfit_1_Profit=1e2\n");
  TStatList list;
  list.LoadEngineSettings(ini);
  EXPECT_EQ(list.Cost, 2);
  ASSERT_EQ(list.Profits.size(), 2u);
  EXPECT_EQ(list.Profits[0].Profit, 500000);   // 49.99995 ties to even
  EXPECT_EQ(list.Profits[1].Profit, 1000000);  // an exponent still reads
}

}  // namespace vetrilo
