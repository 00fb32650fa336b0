// Random and hostile texts for the expression evaluator: it must answer every
// one of them with a finite value or one of its messages, the same answer
// whatever blanks or letter case the text carries.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "stats/expression.h"
#include "stats/families/shredding.h"

namespace vetrilo {

namespace {

struct TAnswer {
  TExprError Error;
  long double Value;
};

TAnswer Evaluate(const std::string& text) {
  long double v = 0;
  const TExprError e = TryEvaluateExpression(text, v);
  return {e, e == TExprError::None ? v : 0};
}

bool SameAnswer(const TAnswer& a, const TAnswer& b) {
  return a.Error == b.Error && std::memcmp(&a.Value, &b.Value, 10) == 0;
}

// The raw output of the engine is fixed by the standard, unlike the distributions.
class TRandom {
 public:
  explicit TRandom(uint32_t seed) : engine_(seed) {}
  size_t Below(size_t n) { return size_t(engine_() % n); }
  bool Chance(size_t oneIn) { return Below(oneIn) == 0; }

 private:
  std::mt19937 engine_;
};

const std::vector<std::string> kTokens = {
    "(",    ")",   "+",      "-",      "*",     "/",     "^",    "$",    ".",    "E",     "e",
    "PI",   "0",   "1",      "2",      "7",     "9",     "12",   "3.5",  "1E3",  "1e-",   "$1F",
    "FF",   "SIN", "arctan", "LN",     "LOG",   "SQRT",  "SQR",  "INT",  "frac", "ROUND", "NOT",
    "SIGN", "EXP", "ABS",    "ARCCOS", " ",     "\t",    "\r\n", "n1",   "P2",   "t4",    "x",
    ",",    "%",   "\xd0",   "\x7f",   "99999", "1E999", "0.",   "(0-1)"};

std::string RandomTokens(TRandom& r, size_t count) {
  std::string s;
  for (size_t i = 0; i < count; ++i) s += kTokens[r.Below(kTokens.size())];
  return s;
}

std::string RandomBytes(TRandom& r, size_t count) {
  std::string s;
  for (size_t i = 0; i < count; ++i) s += char(r.Below(256));
  return s;
}

// Inserts blanks and control characters and flips the case of letters: the
// evaluator must not see any difference.
std::string Disguise(TRandom& r, const std::string& text) {
  std::string s;
  for (char c : text) {
    if (r.Chance(3)) s += char(r.Below(33));
    if (c >= 'a' && c <= 'z' && r.Chance(2)) {
      c = char(c - 'a' + 'A');
    } else if (c >= 'A' && c <= 'Z' && r.Chance(2)) {
      c = char(c - 'A' + 'a');
    }
    s += c;
  }
  return s;
}

void CheckOne(TRandom& r, const std::string& text) {
  const TAnswer a = Evaluate(text);
  ASSERT_TRUE(a.Error != TExprError::None || std::isfinite(a.Value)) << text;
  ASSERT_TRUE(SameAnswer(a, Evaluate(Disguise(r, text)))) << text;
}

// Well-formed integer expressions of + - * ^ and parentheses with their value
// by the grammar's rules: one level for * and ^, left to right.
class TIntegerExpressions {
 public:
  explicit TIntegerExpressions(TRandom& r) : r_(r) {}
  bool TooBig = false;

  std::string Text(int depth, long double& value, bool top) {
    std::string s;
    if (top && r_.Chance(4)) {
      s = r_.Chance(2) ? "-" : "+";
      value = 0;
      long double t = 0;
      s += Term(depth, t);
      value = s[0] == '-' ? -t : t;
    } else {
      s = Term(depth, value);
    }
    for (size_t n = r_.Below(4); n > 0; --n) {
      long double t = 0;
      const bool plus = r_.Chance(2);
      s += plus ? "+" : "-";
      s += Term(depth, t);
      value = Check(plus ? value + t : value - t);
    }
    return s;
  }

 private:
  std::string Term(int depth, long double& value) {
    std::string s = Factor(depth, value);
    for (size_t n = r_.Below(3); n > 0; --n) {
      if (r_.Chance(3)) {
        const int exponent = int(r_.Below(4));
        s += "^" + std::to_string(exponent);
        long double p = 1;
        for (int i = 0; i < exponent; ++i) p = Check(p * value);
        value = p;
      } else {
        long double f = 0;
        s += "*" + Factor(depth, f);
        value = Check(value * f);
      }
    }
    return s;
  }

  std::string Factor(int depth, long double& value) {
    if (depth > 0 && r_.Chance(3)) return "(" + Text(depth - 1, value, false) + ")";
    value = static_cast<long double>(r_.Below(10));
    return std::to_string(int(value));
  }

  long double Check(long double v) {
    if (std::fabs(v) > 1e18L) TooBig = true;
    return v;
  }

  TRandom& r_;
};

// Well-formed formulas over the shredding variables, with their exact value as
// a rational (the oracle of the exact arithmetic): + - * / and small integral
// powers of integers, decimals and variables.
class TRationalFormulas {
 public:
  TRationalFormulas(TRandom& r, const TShredNumbers& n, const TShredNumbers& p,
                    const TShredNumbers& t)
      : r_(r), n_(n), p_(p), t_(t) {}
  bool DividedByZero = false;

  std::string Text(int depth, mpq_class& value) {
    std::string s = Term(depth, value);
    for (size_t k = r_.Below(3); k > 0; --k) {
      mpq_class v;
      const bool plus = r_.Chance(2);
      s += plus ? " + " : " - ";
      s += Term(depth, v);
      value = plus ? mpq_class(value + v) : mpq_class(value - v);
    }
    return s;
  }

 private:
  std::string Term(int depth, mpq_class& value) {
    std::string s = Factor(depth, value);
    for (size_t k = r_.Below(3); k > 0; --k) {
      if (r_.Chance(4)) {
        const unsigned exponent = unsigned(r_.Below(4));
        s += "^" + std::to_string(exponent);
        mpq_class power = 1;
        for (unsigned i = 0; i < exponent; ++i) power *= value;
        value = power;
        continue;
      }
      mpq_class v;
      const bool multiply = r_.Chance(2);
      s += multiply ? "*" : "/";
      s += Factor(depth, v);
      if (multiply) {
        value *= v;
      } else if (v == 0) {
        DividedByZero = true;
      } else {
        value /= v;
      }
    }
    return s;
  }

  std::string Factor(int depth, mpq_class& value) {
    if (depth > 0 && r_.Chance(4)) return "(" + Text(depth - 1, value) + ")";
    switch (r_.Below(4)) {
      case 0: {
        value = int(r_.Below(30));
        return value.get_str();
      }
      case 1: {
        // A decimal with up to three places.
        const int units = int(r_.Below(5000));
        value = mpq_class(units, 1000);
        value.canonicalize();
        return std::to_string(units / 1000) + "." + std::to_string(1000 + units % 1000).substr(1);
      }
      default: {
        const size_t i = r_.Below(4);
        const char* names[] = {"n", "P", "t"};
        const size_t kind = r_.Below(3);
        const TShredNumbers& numbers = kind == 0 ? n_ : kind == 1 ? p_ : t_;
        value = numbers[i];
        return names[kind] + std::to_string(i + 1);
      }
    }
  }

  TRandom& r_;
  const TShredNumbers& n_;
  const TShredNumbers& p_;
  const TShredNumbers& t_;
};

TShredNumbers RandomNumbers(TRandom& r, bool mayBeZero) {
  TShredNumbers numbers{};
  if (mayBeZero && r.Chance(3)) return numbers;
  for (auto& x : numbers) x = uint8_t(1 + r.Below(47));
  return numbers;
}

}  // namespace

TEST(ExpressionFuzz, HostileTextsEndWithAMessageOrAFiniteValue) {
  const std::string deep(100000, '(');
  const std::string close(100000, ')');
  std::string calls;
  for (int i = 0; i < 20000; ++i) calls += "ABS(";
  const std::string longSum = [] {
    std::string s;
    for (int i = 0; i < 100000; ++i) s += "1+";
    return s + "1";
  }();
  struct TCase {
    std::string Text;
    TExprError Expected;
  };
  const TCase cases[] = {
      {deep + "1" + close, TExprError::Syntax},
      {deep, TExprError::Brackets},
      {close, TExprError::Brackets},
      {calls + "1" + std::string(20000, ')'), TExprError::Syntax},
      {"1" + std::string(200000, '0'), TExprError::FloatingPoint},
      {"0." + std::string(200000, '0') + "1", TExprError::None},
      {std::string(100000, '1') + "E-99990", TExprError::None},
      {std::string(200000, '7') + "." + std::string(200000, '3'), TExprError::FloatingPoint},
      {"$" + std::string(100000, 'F'), TExprError::FloatingPoint},
      {"$" + std::string(16, 'F'), TExprError::None},
      {"9^9^9^9^9^9", TExprError::FloatingPoint},
      {"2^1E18", TExprError::FloatingPoint},
      {"0.5^1E18", TExprError::None},
      {"(0-1)^99999999999999999999", TExprError::None},
      {"EXP(EXP(EXP(EXP(10))))", TExprError::FloatingPoint},
      {"1E99999999999999999999999999999999", TExprError::FloatingPoint},
      {"1E-99999999999999999999999999999999", TExprError::None},
      {"SIN(1E4000)+COS(1E4000)+TAN(1E4931)+ARCTAN(1E4931)", TExprError::None},
      {"ROUND(1E4000)+INT(1E4000)+FRAC(1E4000)", TExprError::None},
      {longSum, TExprError::None},
      {std::string(100000, ' '), TExprError::Syntax},
      {std::string(100000, '+'), TExprError::Syntax},
      {std::string("1\0"
                   "2",
                   3),
       TExprError::None},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text.substr(0, 40));
    const TAnswer a = Evaluate(c.Text);
    EXPECT_EQ(a.Error, c.Expected);
    EXPECT_TRUE(std::isfinite(a.Value));
  }
  EXPECT_EQ(Evaluate(longSum).Value, 100001);
  EXPECT_NEAR(double(Evaluate(std::string(100000, '1') + "E-99990").Value), 1111111111.1111111,
              1e-6);
  EXPECT_EQ(Evaluate(std::string("1\0"
                                 "2",
                                 3))
                .Value,
            12);
}

TEST(ExpressionFuzz, RandomTokenSoupAndRandomBytes) {
  TRandom r(20240611);
  for (int i = 0; i < 20000; ++i) {
    CheckOne(r, RandomTokens(r, 1 + r.Below(40)));
    CheckOne(r, RandomBytes(r, r.Below(120)));
  }
}

TEST(ExpressionFuzz, WellFormedIntegerExpressionsFollowTheGrammar) {
  TRandom r(7);
  int checked = 0;
  for (int i = 0; i < 5000; ++i) {
    TIntegerExpressions gen(r);
    long double expected = 0;
    const std::string text = gen.Text(3, expected, true);
    if (gen.TooBig) continue;
    SCOPED_TRACE(text);
    const TAnswer a = Evaluate(text);
    ASSERT_EQ(a.Error, TExprError::None);
    ASSERT_EQ(a.Value, expected);
    ++checked;
  }
  EXPECT_GT(checked, 4000);
}

// Decimal literals come out exactly as the library's correctly rounded
// conversion gives them, whether the short exact path or the conversion reads them.
TEST(ExpressionFuzz, DecimalLiteralsAreCorrectlyRounded) {
  TRandom r(1234);
  for (int i = 0; i < 20000; ++i) {
    std::string literal;
    const size_t intDigits = 1 + r.Below(r.Chance(4) ? 45 : 12);
    for (size_t k = 0; k < intDigits; ++k) literal += char('0' + r.Below(10));
    if (r.Chance(2)) {
      literal += '.';
      const size_t fracDigits = r.Below(r.Chance(4) ? 45 : 12);
      for (size_t k = 0; k < fracDigits; ++k) literal += char('0' + r.Below(10));
    }
    if (r.Chance(2)) literal += "E" + std::to_string(int(r.Below(81)) - 40);
    long double expected = 0;
    const auto [end, ec] =
        std::from_chars(literal.data(), literal.data() + literal.size(), expected);
    ASSERT_TRUE(ec == std::errc() && end == literal.data() + literal.size()) << literal;
    const TAnswer a = Evaluate(literal);
    ASSERT_EQ(a.Error, TExprError::None) << literal;
    ASSERT_TRUE(std::memcmp(&a.Value, &expected, 10) == 0) << literal;
  }
}

TEST(ExpressionFuzz, ShreddingValuesStayWithinTheirDigits) {
  TRandom r(99);
  for (int i = 0; i < 5000; ++i) {
    const std::string formula = RandomTokens(r, 1 + r.Below(30));
    const int digits = 1 + int(r.Below(5));
    TShredNumbers n{}, p{}, t{};
    for (size_t k = 0; k < 4; ++k) {
      n[k] = uint8_t(1 + r.Below(47));
      p[k] = uint8_t(r.Below(48));
      t[k] = uint8_t(r.Below(48));
    }
    const int32_t v = ShredValue(n, p, t, digits, formula);
    ASSERT_GE(v, 0) << formula;
    ASSERT_LT(v, int32_t(std::pow(10, digits))) << formula;
  }
}

}  // namespace vetrilo

namespace vetrilo {

// Exact arithmetic: the digits are those of the exact rational value.
TEST(ExpressionFuzz, ShreddingDigitsOfRationalFormulasAreExact) {
  TRandom r(4242);
  int checked = 0;
  for (int i = 0; i < 4000; ++i) {
    const TShredNumbers n = RandomNumbers(r, false);
    const TShredNumbers p = RandomNumbers(r, true);
    const TShredNumbers t = RandomNumbers(r, true);
    TRationalFormulas gen(r, n, p, t);
    mpq_class exact;
    const std::string formula = gen.Text(3, exact);
    const int digits = int(1 + r.Below(9));
    SCOPED_TRACE(formula + " d=" + std::to_string(digits));
    const TShredResult result = ShredEvaluate(formula, digits, n, p, t);
    if (gen.DividedByZero) {
      ASSERT_EQ(result.Error, TExprError::DivisionByZero);
      continue;
    }
    ASSERT_EQ(result.Error, TExprError::None);
    mpz_class whole = abs(exact.get_num());
    mpz_class rest = whole % exact.get_den();
    mpz_class scaled = rest * mpz_class(int(std::pow(10, digits))) / exact.get_den();
    ASSERT_EQ(result.Value, scaled.get_si()) << exact.get_str();
    ++checked;
  }
  EXPECT_GT(checked, 3000);
}

// The formula parsed once answers exactly as substituting the numbers into the
// text and parsing that, for random token soups and well-formed formulas alike.
TEST(ExpressionFuzz, CompiledShreddingFormulasMatchSubstitution) {
  TRandom r(31337);
  int compiled = 0;
  for (int i = 0; i < 6000; ++i) {
    std::string formula;
    if (r.Chance(2)) {
      formula = RandomTokens(r, 1 + r.Below(30));
    } else {
      mpq_class ignored;
      const TShredNumbers any{};
      TRationalFormulas gen(r, any, any, any);
      formula = gen.Text(3, ignored);
    }
    if (r.Chance(4)) formula = Disguise(r, formula);
    const int digits = int(r.Below(7));
    const TShredFormula shred(formula, digits);
    compiled += shred.Compiled() ? 1 : 0;
    for (int k = 0; k < 6; ++k) {
      const TShredNumbers n = RandomNumbers(r, false);
      const TShredNumbers p = RandomNumbers(r, true);
      const TShredNumbers t = RandomNumbers(r, true);
      const TShredResult literal = ShredEvaluateLiteral(formula, digits, n, p, t);
      const TShredResult fast = shred.Evaluate(n, p, t);
      ASSERT_EQ(fast.Error, literal.Error) << formula;
      ASSERT_EQ(fast.Value, literal.Value) << formula;
    }
  }
  EXPECT_GT(compiled, 3000);
}

}  // namespace vetrilo
