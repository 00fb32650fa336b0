#include "core/combinatorics.h"

#include <cfenv>
#include <cmath>
#include <string>

#include "core/money_text.h"

namespace vetrilo {

int64_t RoundHalfEven(long double value) {
  // nearbyint follows the current rounding mode, which is to-nearest-even by default.
  return static_cast<int64_t>(std::nearbyintl(value));
}

long double Factorial(uint8_t n) {
  long double r = 1;
  for (int i = 2; i <= n; ++i) r *= i;
  return r;
}

long double RisingProduct(uint8_t a, uint8_t k) {
  long double r = 1;
  for (int i = 0; i < k; ++i) r *= a + i;
  return r;
}

long double FallingProduct(uint8_t a, uint8_t k) {
  long double r = 1;
  for (int i = 0; i < k; ++i) r *= a - i;
  return r;
}

uint32_t Binomial(uint8_t n, uint8_t k) {
  if (k >= n) return 1;
  return static_cast<uint32_t>(
      RoundHalfEven(Factorial(n) / (Factorial(uint8_t(n - k)) * Factorial(k))));
}

int64_t MatchCount(uint8_t total, int drawSize, uint8_t matches) {
  if (matches >= total) return 1;
  auto choose = [](int n, int k) -> long double {
    if (k < 0 || n < 0) return 0;
    return FallingProduct(uint8_t(n), uint8_t(k)) / RisingProduct(1, uint8_t(k));
  };
  return RoundHalfEven(choose(drawSize, matches) * choose(total - drawSize, drawSize - matches));
}

int64_t RunSumUp(int first, int count) {
  int64_t s = 0;
  for (int i = 0; i < count; ++i) s += first + i;
  return s;
}

int64_t RunSumDown(int first, int count) {
  int64_t s = 0;
  for (int i = 0; i < count; ++i) s += first - i;
  return s;
}

const std::array<TMatchRow, 5>& MatchDistribution() {
  static const std::array<TMatchRow, 5> table = [] {
    std::array<TMatchRow, 5> t{};
    const long double all = Binomial(47, 4);
    for (int m = 0; m <= 4; ++m) {
      t[m].Count = static_cast<int32_t>(MatchCount(47, 4, uint8_t(m)));
      t[m].Probability = t[m].Count / all;
    }
    return t;
  }();
  return table;
}

long double CdlScore(const TCdlWeights& w, bool hasNorm, int32_t count, int32_t maxAgo,
                     int64_t total, int32_t ago, int32_t norm) {
  const long double d = hasNorm ? static_cast<long double>(count) - norm : 0.0L;
  long double c = count, dv = d, l = ago;
  if (w.UsePercents) {
    c = total == 0 ? 0.0L : count * 100.0L / total;
    dv = hasNorm && norm != 0 ? d * 100.0L / norm : 0.0L;
    l = maxAgo == 0 ? 0.0L : ago * 100.0L / maxAgo;
  }
  if (w.UseAbsValues) {
    c = std::fabs(c);
    dv = std::fabs(dv);
    l = std::fabs(l);
  }
  return w.CountWeight * c + w.DeviationWeight * dv + w.LevelWeight * l;
}

TMoney StakeOutcome(int n, int m, TMoney cost, const std::vector<TProfitLevel>& profits) {
  const int64_t tickets = Binomial(uint8_t(n < 0 ? 0 : n > 255 ? 255 : n), 4);
  // Amounts are whole ten-thousandths already, so the fixed-point rounding is exact.
  // In 128 bits: a huge price or prize stops at the record's limit instead of changing sign.
  const TMoneySum outcome = -TMoneySum{tickets} * cost;
  if (m < 0) return ClampMoney(outcome);
  for (const TProfitLevel& level : profits) {
    if (level.Overlap == m) return ClampMoney(outcome + level.Profit);
  }
  return ClampMoney(outcome);
}

std::string MoneyToDecimalText(TMoney value) {
  const bool negative = value < 0;
  const uint64_t mag = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string text = std::to_string(mag / kMoneyScale);
  uint64_t frac = mag % kMoneyScale;
  if (frac != 0) {
    std::string digits = std::to_string(frac);
    digits.insert(0, 4 - digits.size(), '0');
    while (digits.back() == '0') digits.pop_back();
    text += "." + digits;
  }
  return negative ? "-" + text : text;
}

TMoney MoneyFromReal(long double value) {
  return RoundHalfEven(value * kMoneyScale);
}

}  // namespace vetrilo
