#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vetrilo {

// Money: a signed count of ten-thousandths of a currency unit.
using TMoney = int64_t;
constexpr TMoney kMoneyScale = 10000;

// Real results are computed in extended precision; integer results round half to even.
int64_t RoundHalfEven(long double value);

long double Factorial(uint8_t n);
long double RisingProduct(uint8_t a, uint8_t k);
long double FallingProduct(uint8_t a, uint8_t k);
uint32_t Binomial(uint8_t n, uint8_t k);
int64_t MatchCount(uint8_t total, int drawSize, uint8_t matches);
int64_t RunSumUp(int first, int count);
int64_t RunSumDown(int first, int count);

// Combinations sharing exactly m numbers with a draw, m = 0..4.
struct TMatchRow {
  int32_t Count;
  long double Probability;
};
const std::array<TMatchRow, 5>& MatchDistribution();

struct TCdlWeights {
  long double CountWeight = 0.0L;
  long double DeviationWeight = -1.0L;
  long double LevelWeight = 1.0L;
  bool UsePercents = false;
  bool UseAbsValues = false;
  bool operator==(const TCdlWeights&) const = default;
};

long double CdlScore(const TCdlWeights& w, bool hasNorm, int32_t count, int32_t maxAgo,
                     int64_t total, int32_t ago, int32_t norm);

struct TProfitLevel {
  uint8_t Overlap = 0;
  TMoney Profit = 0;
};

// Money result of a stake of n numbers with m matches (m < 0: not known yet).
TMoney StakeOutcome(int n, int m, TMoney cost, const std::vector<TProfitLevel>& profits);

// "1.5" for 15000: the settings' decimal text of an amount, and back (rounded).
std::string MoneyToDecimalText(TMoney value);
TMoney MoneyFromReal(long double value);

}  // namespace vetrilo
