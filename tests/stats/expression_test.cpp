#include "stats/expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/errors.h"

namespace vetrilo {

namespace {

struct TValueCase {
  const char* Text;
  long double Expected;
};

void ExpectValues(std::initializer_list<TValueCase> cases) {
  for (const TValueCase& c : cases) {
    SCOPED_TRACE(c.Text);
    long double v = -12345;
    ASSERT_EQ(TryEvaluateExpression(c.Text, v), TExprError::None);
    const long double tolerance = 1e-15L * std::fmax(1.0L, std::fabs(c.Expected));
    EXPECT_TRUE(std::fabs(v - c.Expected) <= tolerance) << double(v);
  }
}

struct TErrorCase {
  const char* Text;
  TExprError Expected;
};

void ExpectErrors(std::initializer_list<TErrorCase> cases) {
  for (const TErrorCase& c : cases) {
    SCOPED_TRACE(c.Text);
    long double v = 0;
    EXPECT_EQ(TryEvaluateExpression(c.Text, v), c.Expected);
  }
}

}  // namespace

TEST(Expression, PrecedenceAndLeftToRightAssociativity) {
  ExpectValues({
      {"1+2*3", 7},
      {"2*3^2", 36},  // one level: (2*3)^2
      {"2^3^2", 64},  // (2^3)^2
      {"2^3*2", 16},
      {"8/4/2", 1},
      {"2/4*8", 4},    // (2/4)*8
      {"12/2^2", 36},  // (12/2)^2
      {"10-3-2", 5},
      {"10-3+2", 9},
      {"1+2^3", 9},
      {"2*(3+4)", 14},
      {"((2))", 2},
      {"(1+2)*(3+4)/7", 3},
      {"-2^2", -4},  // 0 - (2^2)
      {"-1+2", 1},
      {"+3*2", 6},
      {"-3*2+1", -5},
  });
}

TEST(Expression, NumbersHexAndConstants) {
  ExpectValues({
      {"42", 42},
      {"007", 7},
      {"2.5", 2.5L},
      {".5", 0.5L},
      {"5.", 5},
      {"1E3", 1000},
      {"1.5e+2", 150},
      {"25E-2", 0.25L},
      {"0.000125", 0.000125L},
      {"$FF", 255},
      {"$ff+1", 256},
      {"$1E", 30},  // E is a hexadecimal digit here
      {"PI", 3.141592653589793238462643383279502884L},
      {"pi*2", 6.283185307179586476925286766559005768L},
      {"E", 2.718281828459045235360287471352662498L},
      {"e*E", 7.389056098930650227230427460575007813L},
      {"E+1", 3.718281828459045235360287471352662498L},
      {"1e0+e", 3.718281828459045235360287471352662498L},
      {"123456789012345678901234567890123456789012345678901234567890", 1.2345678901234567890e59L},
      {"0.1234567890123456789012345678901234567890123456789", 0.12345678901234567890L},
      {"1e-99999", 0},
  });
}

TEST(Expression, BlanksControlCharactersAndCaseAreIgnored) {
  ExpectValues({
      {" 1 +\t2 *\r\n3 ", 7},
      {"1 2", 12},  // blanks are dropped before parsing
      {"s i n ( 0 )", 0},
      {"SqRt(16)", 4},
      {"- 2", -2},
      {"1\x01+\x1f"
       "2",
       3},
  });
}

TEST(Expression, EveryFunction) {
  ExpectValues({
      {"ARCTAN(1)", 0.785398163397448309615660845819875721L},
      {"COS(0)", 1},
      {"SIN(PI/2)", 1},
      {"TAN(PI/4)", 1},
      {"ABS(2-5)", 3},
      {"EXP(1)", 2.718281828459045235360287471352662498L},
      {"LN(E)", 1},
      {"LOG(1000)", 3},
      {"SQRT(2)", 1.414213562373095048801688724209698079L},
      {"SQR(3)", 9},
      {"INT(7/2)", 3},
      {"INT(0-7/2)", -3},
      {"TRUNC(0-2.7)", -2},
      {"FRAC(7/4)", 0.75L},
      {"FRAC(0-7/4)", -0.75L},
      {"ROUND(2.5)", 2},
      {"ROUND(3.5)", 4},
      {"ROUND(0-2.5)", -2},
      {"ROUND(0-3.5)", -4},
      {"ROUND(2.4999)", 2},
      {"ROUND(2.5001)", 3},
      {"ARCSIN(1)", 1.570796326794896619231321691639751442L},
      {"ARCCOS(0-1)", 3.141592653589793238462643383279502884L},
      {"SIGN(0-3)", -1},
      {"SIGN(0)", 0},
      {"SIGN(0.1)", 1},
      {"NOT(0)", 1},
      {"NOT(5)", 0},
      {"LN(1)+LOG(1)", 0},
      {"SIN(COS(0)-1)+ABS(SQR(0-2))", 4},
  });
}

// Exact arithmetic: the results are the exact values correctly rounded, so
// decimals come out as written (binary floating point gives 3.8399...).
TEST(Expression, RationalResultsAreExact) {
  struct TCase {
    const char* Text;
    long double Expected;
  };
  const TCase cases[] = {
      {"INT(FRAC(3.84)*100)", 84},
      {"FRAC(3.84)*100", 84},
      {"3.84-3", 0.84L},
      {"SQR(13/10)", 1.69L},
      {"7/5^2", 1.96L},
      {"(1/3)*3", 1},
      {"1/3+1/3+1/3", 1},
      {"0.1+0.2", 0.3L},
      {"ROUND(0.25*10)", 2},  // half to even, exactly at the half
      {"ROUND(0.35*10)", 4},
      {"(2/3)^(0-2)", 2.25L},
      {"$FFFFFFFFFFFFFFFFFF/$FFFFFFFFFFFFFFFFFF", 1},
      {"FRAC(123456789012345678901234567890.75)", 0.75L},
      {"INT(1E30/7)*7+FRAC(1E30/7)*7-1E30", 0},
      {"SQRT(6.25)", 2.5L},  // inexact from here on, still the right double
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    long double v = -1;
    ASSERT_EQ(TryEvaluateExpression(c.Text, v), TExprError::None);
    EXPECT_EQ(v, c.Expected);
  }
}

TEST(Expression, PowerRules) {
  ExpectValues({
      {"0^0", 1},
      {"5^0", 1},
      {"0^3", 0},
      {"(0-2)^3", -8},
      {"(0-2)^2", 4},
      {"(0-1)^1E30", 1},
      {"4^0.5", 2},
      {"2^(0-2)", 0.25L},
      {"2^(0-100000)", 0},
      {"2^(0-9223372036854775808)", 0},
      {"(0-1)^(0-9223372036854775808)", 1},
      {"(0-1)^(0-9223372036854775807)", -1},
      {"(1/2)^64", 1.0L / 18446744073709551616.0L},
  });
  ExpectErrors({
      {"(0-8)^(1/3)", TExprError::FloatingPoint},  // negative base, fractional exponent
      {"0^(0-1)", TExprError::FloatingPoint},
      {"2^100000", TExprError::FloatingPoint},
      {"9^9^9^9", TExprError::None},  // 9^729, still finite
      {"9^9^9^9^9", TExprError::FloatingPoint},
  });
}

TEST(Expression, EveryMessage) {
  ExpectErrors({
      {"(1+2", TExprError::Brackets},
      {"1+2)", TExprError::Brackets},
      {")(", TExprError::Brackets},
      {"SIN(1", TExprError::Brackets},
      {"(1+)", TExprError::Syntax},
      {"", TExprError::Syntax},
      {"   ", TExprError::Syntax},
      {"()", TExprError::Syntax},
      {"1+", TExprError::Syntax},
      {"-", TExprError::Syntax},
      {"--1", TExprError::Syntax},
      {"2*-3", TExprError::Syntax},  // only the whole text takes a sign
      {"(-3)", TExprError::Syntax},
      {"ABS(-3)", TExprError::Syntax},
      {"1,5", TExprError::Syntax},
      {"1.2.3", TExprError::Syntax},
      {"2E", TExprError::Syntax},
      {"2E+", TExprError::Syntax},
      {"2PI", TExprError::Syntax},
      {"PIE", TExprError::Syntax},
      {"N5", TExprError::Syntax},
      {"X", TExprError::Syntax},
      {"SIN", TExprError::Syntax},
      {"SIN 1", TExprError::Syntax},  // "SIN1" once blanks are gone
      {"PI(1)", TExprError::Syntax},
      {"2(3)", TExprError::Syntax},
      {"$", TExprError::Syntax},
      {"$G", TExprError::Syntax},
      {"1%2", TExprError::Syntax},
      {"\xd0\xbf", TExprError::Syntax},
      {"1/0", TExprError::DivisionByZero},
      {"0/0", TExprError::DivisionByZero},
      {"1/(2-2)", TExprError::DivisionByZero},
      {"LN(0-1)", TExprError::LogNegative},
      {"LOG(0-0.5)", TExprError::LogNegative},
      {"SQRT(0-4)", TExprError::RootNegative},
      {"LN(0)", TExprError::FloatingPoint},
      {"EXP(100000)", TExprError::FloatingPoint},
      {"ARCSIN(2)", TExprError::FloatingPoint},
      {"ARCCOS(0-1.5)", TExprError::FloatingPoint},
      {"1E5000", TExprError::FloatingPoint},
      {"SQR(1E3000)", TExprError::FloatingPoint},
      {"1E4000*1E4000", TExprError::FloatingPoint},
  });
}

TEST(Expression, BracketsThenSyntaxThenEvaluationErrors) {
  ExpectErrors({
      {"1/0+(", TExprError::Brackets},
      {"1/0+X", TExprError::Syntax},
      {"SQRT(0-1)+1/0", TExprError::RootNegative},  // the first in evaluation order
      {"1/0+SQRT(0-1)", TExprError::DivisionByZero},
  });
}

TEST(Expression, NestingIsBounded) {
  const auto nested = [](int depth) {
    return std::string(size_t(depth), '(') + "1" + std::string(size_t(depth), ')');
  };
  long double v = 0;
  EXPECT_EQ(TryEvaluateExpression(nested(kMaxExprNesting), v), TExprError::None);
  EXPECT_EQ(v, 1);
  EXPECT_EQ(TryEvaluateExpression(nested(kMaxExprNesting + 1), v), TExprError::Syntax);
  std::string calls;
  for (int i = 0; i < kMaxExprNesting; ++i) calls += "ABS(";
  calls += "2" + std::string(size_t(kMaxExprNesting), ')');
  EXPECT_EQ(TryEvaluateExpression(calls, v), TExprError::None);
  EXPECT_EQ(TryEvaluateExpression("ABS(" + calls + ")", v), TExprError::Syntax);
}

TEST(Expression, ThrowingFormCarriesTheMessages) {
  EXPECT_EQ(EvaluateExpression("(1+2)*3"), 9);
  const std::pair<const char*, const char*> cases[] = {
      {"(1", "Не хватает скобочки"},
      {"1+*2", "Синтаксическая ошибка"},
      {"1/0", "Деление на нуль"},
      {"LN(0-2)", "Выражение под логарифмом меньне нуля"},
      {"SQRT(0-2)", "Выражение под корнем меньне нуля"},
      {"EXP(1E6)", "Ошибка в операции с плавающей точкой"},
  };
  for (const auto& [text, message] : cases) {
    SCOPED_TRACE(text);
    try {
      EvaluateExpression(text);
      ADD_FAILURE() << "no error";
    } catch (const EVetrilo& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
  EXPECT_EQ(ExprErrorText(TExprError::None), "");
}

}  // namespace vetrilo
