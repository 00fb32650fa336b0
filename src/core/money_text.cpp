#include "core/money_text.h"

#include "core/text.h"

namespace vetrilo {

namespace {

// n / d rounded half away from zero (d != 0).
__int128 RoundHalfAway(__int128 n, __int128 d) {
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const bool negative = n < 0;
  const __int128 mag = negative ? -n : n;
  const __int128 q = (2 * mag + d) / (2 * d);
  return negative ? -q : q;
}

// `units` of 10^-decimals as "[-]whole.frac"; a value that rounds to zero has no sign.
std::string FixedPointText(unsigned __int128 units, bool negative, int decimals, char point) {
  auto digitsOf = [](unsigned __int128 v) {
    std::string d;
    do {
      d.insert(d.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
      v /= 10;
    } while (v > 0);
    return d;
  };
  unsigned __int128 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  std::string text = digitsOf(units / scale);
  if (decimals > 0) {
    std::string frac = digitsOf(units % scale);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    text += point;
    text += frac;
  }
  return negative && units != 0 ? "-" + text : text;
}

}  // namespace

int64_t RoundDivAway(int64_t a, int64_t b) {
  return static_cast<int64_t>(RoundHalfAway(a, b));
}

std::string RatioText(int64_t num, int64_t den, int decimals, char point) {
  __int128 scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const __int128 rounded = RoundHalfAway(static_cast<__int128>(num) * scale, den);
  const bool negative = rounded < 0;
  return FixedPointText(static_cast<unsigned __int128>(negative ? -rounded : rounded), negative,
                        decimals, point);
}

std::string MoneyText(TMoney value, int decimals, char point) {
  return RatioText(value, kMoneyScale, decimals, point);
}

std::string MoneySumText(TMoneySum value, int decimals, char point) {
  // Rounded to the last shown decimal without scaling up, so any sum is exact.
  unsigned __int128 unit = 1;
  for (int i = decimals; i < 4; ++i) unit *= 10;
  const bool negative = value < 0;
  const unsigned __int128 mag =
      negative ? 0 - static_cast<unsigned __int128>(value) : static_cast<unsigned __int128>(value);
  unsigned __int128 q = mag / unit;
  if (mag % unit >= unit - mag % unit) ++q;  // the remainder is at least half a unit
  return FixedPointText(q, negative, decimals, point);
}

TMoneySum RoundSumDivAway(TMoneySum a, int64_t b) {
  return RoundHalfAway(a, b);
}

TMoney ClampMoney(TMoneySum sum) {
  if (sum > INT64_MAX) return INT64_MAX;
  if (sum < INT64_MIN) return INT64_MIN;
  return static_cast<TMoney>(sum);
}

std::optional<TMoney> MoneyFromDecimalText(std::string_view text) {
  const std::string t = Trim(text);
  size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  __int128 whole = 0;
  bool digits = false;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, digits = true) {
    whole = whole * 10 + (t[i] - '0');
    if (whole > static_cast<__int128>(INT64_MAX)) return std::nullopt;
  }
  // Ten-thousandths, then the first dropped digit and whether any non-zero one follows it.
  __int128 frac = 0;
  int fracDigits = 0, next = 0;
  bool rest = false;
  if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
    for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, digits = true) {
      const int d = t[i] - '0';
      if (fracDigits < 4) {
        frac = frac * 10 + d;
        ++fracDigits;
      } else if (fracDigits == 4) {
        next = d;
        ++fracDigits;
      } else if (d != 0) {
        rest = true;
      }
    }
  }
  if (!digits || i != t.size()) return std::nullopt;
  for (int k = fracDigits; k < 4; ++k) frac *= 10;
  __int128 v = whole * kMoneyScale + frac;
  if (next > 5 || (next == 5 && (rest || (v % 2) != 0))) ++v;
  if (negative) v = -v;
  if (v > INT64_MAX || v < INT64_MIN) return std::nullopt;
  return static_cast<TMoney>(v);
}

}  // namespace vetrilo
