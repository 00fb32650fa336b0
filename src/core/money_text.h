#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/combinatorics.h"

namespace vetrilo {

// a / b rounded to the nearest integer, halves away from zero; b != 0.
int64_t RoundDivAway(int64_t a, int64_t b);

// "%.Nf" of num / den (den != 0) by exact decimal rounding, halves away from
// zero; never "-0.00". `point` is the decimal separator.
std::string RatioText(int64_t num, int64_t den, int decimals, char point = '.');

// Money with 2 (or `decimals` <= 4) decimals, rounded exactly from the integer amount.
std::string MoneyText(TMoney value, int decimals = 2, char point = '.');

// Sums of money are taken in 128 bits, so no sum of 64-bit amounts wraps round.
using TMoneySum = __int128;

// A sum of money with 2 (or `decimals` <= 4) decimals, exact, halves away from zero.
std::string MoneySumText(TMoneySum value, int decimals = 2, char point = '.');
// a / b rounded to the nearest integer, halves away from zero; b != 0.
TMoneySum RoundSumDivAway(TMoneySum a, int64_t b);
// A sum as a 64-bit amount: the nearer limit when it does not fit.
TMoney ClampMoney(TMoneySum sum);

// A plain decimal text ("1", "-0.5", "2,75") as money, exact, rounded half to
// even to ten-thousandths; nullopt for anything else (exponents, words).
std::optional<TMoney> MoneyFromDecimalText(std::string_view text);

// Two's complement sums of counts: damaged files may hold any values, and a
// sum of them must not be undefined.
constexpr int32_t WrapAdd32(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace vetrilo
