#include "stats/families/shredding.h"

#include <gtest/gtest.h>

#include <map>
#include <span>

#include "core/combinatorics.h"
#include "stats/stat_list.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::Texts;
using test::TStatFixture;

namespace {

constexpr TShredNumbers kZero = kNoShredNumbers;

struct TShredCase {
  const char* Formula;
  int Digits;
  TShredNumbers N, P, T;
  int32_t Expected;
};

// The value, parsed once and evaluated, and the same by substituting the numbers
// into the text.
void ExpectShredValues(std::span<const TShredCase> cases) {
  for (const TShredCase& c : cases) {
    SCOPED_TRACE(c.Formula + std::string(" d=") + std::to_string(c.Digits));
    EXPECT_EQ(ShredValue(c.N, c.P, c.T, c.Digits, c.Formula), c.Expected);
    EXPECT_EQ(ShredEvaluateLiteral(c.Formula, c.Digits, c.N, c.P, c.T).Value, c.Expected);
  }
}

TStatDrawArray SelectedHalves(std::initializer_list<int32_t> values) {
  TStatDrawArray list;
  for (int32_t v : values) {
    TStatDrawRec r;
    r.SetHalves(v);
    list.Append(r);
  }
  return list;
}

// Draws 1..3; the newest has 8 first in drawing order and 3 first when sorted.
const std::vector<test::TDrawSpec> kDraws = {
    {1, 9, 20, 30, 40, 1, ""},
    {2, 4, 11, 22, 33, 2, ""},
    {3, 8, 3, 17, 25, 3, ""},
};

}  // namespace

TEST(Shredding, ValueEdgeCases) {
  const TShredCase cases[] = {
      {"(n1+n2)/n3", 2, {3, 5, 7, 40}, kZero, kZero, 14},  // 8/7 = 1.142857...
      {"(n1+n2)/n3", 3, {3, 5, 7, 40}, kZero, kZero, 142},
      {"(n1+n2)/n3", 5, {3, 5, 7, 40}, kZero, kZero, 14285},
      {"n1-n2", 2, {10, 25, 1, 2}, kZero, kZero, 0},             // -15: whole results give 0
      {"(n1+n2+n3)/(n4+n5)", 2, {1, 2, 3, 4}, kZero, kZero, 0},  // n5 stays unknown
      {"(n4+n5)/(n1+n2+n3)", 2, {1, 2, 3, 4}, kZero, kZero, 0},
      {"N1+P1", 2, {4, 1, 2, 3}, {9, 10, 11, 12}, kZero, 0},  // 13
      {"N1/P1", 2, {4, 1, 2, 3}, {9, 10, 11, 12}, kZero, 44},
      {"N1/P1", 2, {4, 1, 2, 3}, kZero, kZero, 0},  // division by zero
      {"t4/7", 3, kZero, kZero, {1, 2, 3, 4}, 571},
      {"1/(n1-n1)", 2, {5, 6, 7, 8}, kZero, kZero, 0},
      {"(n1+n2", 2, {5, 6, 7, 8}, kZero, kZero, 0},
      {"0-n2/n1", 2, {4, 3, 1, 2}, kZero, kZero, 75},  // absolute value first
      {"SQRT(0-n1)", 2, {4, 3, 1, 2}, kZero, kZero, 0},
      {"2^3^2/7", 2, kZero, kZero, kZero, 14},  // 64/7 = 9.142857...
      {"n1/7", 1, {6, 1, 2, 3}, kZero, kZero, 8},
      {"n1/7", 4, {6, 1, 2, 3}, kZero, kZero, 8571},
      {"PI", 5, kZero, kZero, kZero, 14159},
  };
  ExpectShredValues(cases);
  EXPECT_EQ(ShredEvaluate("(n1+n2", 2, kZero, kZero, kZero).Error, TExprError::Brackets);
  EXPECT_EQ(ShredEvaluate("n5", 2, kZero, kZero, kZero).Error, TExprError::Syntax);
  EXPECT_EQ(ShredEvaluate("1/(n1-n1)", 2, kZero, kZero, kZero).Error, TExprError::DivisionByZero);
}

// Binary floating point sees 3.84 as 3.8399...: exact decimal results must keep
// their digits.
TEST(Shredding, ExactDecimalResultsKeepTheirDigits) {
  const TShredCase cases[] = {
      {"(n1*n4+n2)/(n3+1)", 2, {6, 42, 24, 9}, kZero, kZero, 84},        // 96/25 = 3.84
      {"n1/n2", 1, {7, 5, 1, 2}, kZero, kZero, 4},                       // 1.4
      {"n1/n2", 2, {13, 10, 1, 2}, kZero, kZero, 30},                    // 1.3
      {"n1/n2", 3, {21, 5, 1, 2}, kZero, kZero, 200},                    // 4.2
      {"n1/n2", 3, {47, 40, 1, 2}, kZero, kZero, 175},                   // 1.175
      {"n1*2.3", 2, {1, 2, 3, 4}, kZero, kZero, 30},                     // 2.3
      {"n1*0.7", 1, {3, 2, 1, 4}, kZero, kZero, 1},                      // 2.1
      {"(n1+p1+t1)/5", 1, {4, 1, 2, 3}, {5, 1, 2, 3}, {5, 1, 2, 3}, 8},  // 2.8
      {"SQR(n1/n2)", 2, {13, 10, 1, 2}, kZero, kZero, 69},               // 1.69
      {"0-n1/n2", 1, {7, 5, 1, 2}, kZero, kZero, 4},                     // |-1.4|
      {"FRAC(n1/n2)*100", 5, {96, 25, 1, 2}, kZero, kZero, 0},           // 84 exactly
      {"n1/n2^2", 4, {7, 5, 1, 2}, kZero, kZero, 9600},                  // (7/5)^2
      {"ROUND(n1/n2)+n3/n4", 2, {5, 2, 7, 20}, kZero, kZero, 35},        // 2 + 0.35
  };
  ExpectShredValues(cases);
}

TEST(Shredding, StatisticValuesOfExactDecimals) {
  TStatFixture f({{1, 6, 42, 24, 9, 1, ""}});
  f.List.Formula[0] = "(n1*n4+n2)/(n3+1)";
  auto stat = f.Stat("SHR1");
  const TStatDrawArray draw = DrawValues(*stat, 0, 0, false);
  ASSERT_EQ(draw.size(), 1u);
  EXPECT_EQ(stat->ValueToText(draw[0]), "84");  // (54 + 42) / 25
  auto& shr = static_cast<TstShreddingStat&>(*stat);
  EXPECT_EQ(shr.GetGraphValue(MakeComb(6, 42, 24, 9), 0, 0, false), 84);
  // Ascending for the full set: (6*42 + 9) / 25 = 10.44.
  EXPECT_EQ(Texts(*stat, CombValues(*stat, MakeComb(42, 24, 9, 6))),
            std::vector<std::string>{"44 x1"});
}

TEST(Shredding, SubstitutionIsPlainTextReplacementInOrder) {
  const TShredNumbers n{3, 5, 7, 40}, p{9, 10, 11, 12}, t{1, 2, 33, 4};
  struct TCase {
    const char* Formula;
    const char* Expected;
  };
  const TCase cases[] = {
      {"n1+N2*p3-T4", "3+5*11-4"},
      {"n12", "32"},  // n1 is replaced inside n12
      {"nn1", "7"},   // "n3" after round 1, replaced by n3 in round 3
      {"pn1", "11"},  // "p3" after round 1
      {"$n4", "$40"},
      {"n5+x1", "n5+x1"},
      {"sin(t3)", "sin(33)"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(ShredSubstitute(c.Formula, n, p, t), c.Expected) << c.Formula;
  }
}

// The formula is parsed once; where a substituted number would merge with the
// text around it, every evaluation substitutes and parses as the text demands.
TEST(Shredding, ParsedOnceGivesWhatSubstitutionGives) {
  struct TCase {
    const char* Formula;
    bool Compiled;
  };
  const TCase cases[] = {
      {"(n1+n2+n3)/(n4+n5)", true},  // n5 is a syntax error for every set of numbers
      {"(n1+n2)/n3", true},
      {" N1 + p2 *\tT3 ", true},
      {"-n1/7", true},
      {"1/(n1-p1)", true},
      {"SQRT(n1-n2)+LN(n3-n4)", true},
      {"n1^p1/7", true},
      {"(n1+n2", true},
      {"n1+x", true},
      {"n12/7", false},   // n1 joins the digit after it
      {"nn1/7", false},   // "n" + n1 may name another variable
      {"pn1", false},     // p3 for n1 = 3, p1 and more for n1 = 15
      {"n1n2/7", false},  // two numbers joined
      {"$n4", false},     // read as hexadecimal
      {"n1.5", false},
      {"n1E2/7", false},
      {"2En1", false},
      {"2E-n1", false},  // an exponent
      {"2E + n1", false},
      {"2*E-n1", false},
      {"n 1/7", true},  // not a variable: blanks go only after substitution
      {"n1 2/7", false},
      {"SIN n1", false},
  };
  const std::vector<TShredNumbers> numbers = {kZero,        {3, 5, 7, 40},    {15, 25, 1, 2},
                                              {1, 2, 3, 4}, {47, 46, 45, 44}, {12, 24, 36, 10}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Formula);
    for (int digits : {1, 2, 5}) {
      const TShredFormula formula(c.Formula, digits);
      EXPECT_EQ(formula.Compiled(), c.Compiled);
      for (const TShredNumbers& n : numbers) {
        for (const TShredNumbers& p : numbers) {
          for (const TShredNumbers& t : {kZero, TShredNumbers{9, 8, 7, 6}}) {
            const TShredResult literal = ShredEvaluateLiteral(c.Formula, digits, n, p, t);
            const TShredResult compiled = formula.Evaluate(n, p, t);
            ASSERT_EQ(compiled.Error, literal.Error) << int(n[0]) << " " << int(p[0]);
            ASSERT_EQ(compiled.Value, literal.Value) << int(n[0]) << " " << int(p[0]);
          }
        }
      }
    }
  }
  // The messages that win stay those of the substituted text.
  EXPECT_EQ(TShredFormula("1/(n1-n1)+SQRT(0-n2)", 2).Evaluate(kZero, kZero, kZero).Error,
            TExprError::DivisionByZero);
  EXPECT_EQ(TShredFormula("SQRT(0-n2)+1/(n1-n1)", 2).Evaluate({1, 2, 3, 4}, kZero, kZero).Error,
            TExprError::RootNegative);
  EXPECT_EQ(TShredFormula("1/(n1-n1)+(", 2).Evaluate(kZero, kZero, kZero).Error,
            TExprError::Brackets);
  EXPECT_EQ(TShredFormula("1/(n1-n1)+n5", 2).Evaluate(kZero, kZero, kZero).Error,
            TExprError::Syntax);
  EXPECT_EQ(TShredFormula("pn1", 2).Evaluate({15, 0, 0, 0}, {7, 0, 0, 0}, kZero).Error,
            TExprError::None);  // "p15" -> "75"
  EXPECT_EQ(TShredFormula("pn1/7", 2).Evaluate({25, 0, 0, 0}, {7, 8, 0, 0}, kZero).Value,
            14);  // "p25/7" -> "85/7"
  EXPECT_EQ(TShredFormula("pn1", 2).Evaluate({5, 0, 0, 0}, {7, 8, 0, 0}, kZero).Error,
            TExprError::Syntax);  // "p5"
}

TEST(Shredding, ClassDataAndCaptions) {
  TStatFixture f;
  ASSERT_GE(f.List.FindByCode("SHR1"), 0);
  EXPECT_GE(f.List.FindByCode("SHR3"), 0);
  EXPECT_EQ(f.List.FindByCode("SHR4"), -1);
  const TStatMethod& m = f.List.Item(f.List.FindByCode("SHR2"));
  EXPECT_EQ(m.Formula, "(n4+n5)/(n1+n2+n3)");
  EXPECT_EQ(m.Stat->GetHelpCode(), "SHRx");
  EXPECT_EQ(m.Stat->GetCaptionFor(2), "Метод шинковки 2: %s");
  EXPECT_EQ(f.List.MethodCaption(f.List.FindByCode("SHR2"), true),
            "{ shr } Метод шинковки 2: (n4+n5)/(n1+n2+n3) [ SNG ]");
  EXPECT_TRUE(m.Stat->CanParseValue());
  EXPECT_TRUE(m.Stat->HasNorm());
}

TEST(Shredding, SettingsAreCopiedWhenTheObjectIsCreated) {
  TStatFixture f;
  f.List.Formula[0] = "n1/7";
  f.List.FormulaDigits[0] = 3;
  auto before = f.Stat("SHR1");
  f.List.Formula[0] = "n1/9";
  f.List.FormulaDigits[0] = 1;
  auto after = f.Stat("SHR1");
  auto& a = static_cast<TstShreddingStat&>(*before);
  auto& b = static_cast<TstShreddingStat&>(*after);
  EXPECT_EQ(a.Formula(), "n1/7");
  EXPECT_EQ(a.Digits(), 3);
  EXPECT_EQ(b.Formula(), "n1/9");
  EXPECT_EQ(b.Digits(), 1);
  EXPECT_EQ(Texts(a, CombValues(a, MakeComb(1, 2, 3, 4))), std::vector<std::string>{"142 x1"});
  EXPECT_EQ(Texts(b, CombValues(b, MakeComb(1, 2, 3, 4))), std::vector<std::string>{"1 x1"});
}

TEST(Shredding, CombinationValuesUseAscendingNumbersAndNoEarlierDraws) {
  TStatFixture f(kDraws);
  f.List.Formula[0] = "(n1+n2)/n3";
  f.List.Formula[1] = "(N1+P1+T1)/7";
  auto shr1 = f.Stat("SHR1");
  auto shr2 = f.Stat("SHR2");
  EXPECT_EQ(Texts(*shr1, CombValues(*shr1, MakeComb(40, 7, 5, 3))),
            std::vector<std::string>{"14 x1"});
  EXPECT_EQ(Texts(*shr2, CombValues(*shr2, MakeComb(40, 7, 5, 3))),
            std::vector<std::string>{"42 x1"});  // 3/7, p1 = t1 = 0
}

TEST(Shredding, DrawValuesReadTheTwoDrawsBeforeInTheCallersOrder) {
  TStatFixture f(kDraws);
  f.List.Formula[0] = "(N1+P1)/7";
  f.List.Formula[1] = "(N1+T1)/7";
  auto shr1 = f.Stat("SHR1");
  auto shr2 = f.Stat("SHR2");
  struct TCase {
    TCustomStat* Stat;
    int Index;
    bool Sorted;
    const char* Expected;
  };
  const TCase cases[] = {
      {shr1.get(), 0, false, "28"},  // 9/7, no draw before
      {shr1.get(), 1, false, "85"},  // 13/7
      {shr1.get(), 2, false, "71"},  // 12/7
      {shr1.get(), 2, true, "0"},    // (3+4)/7
      {shr2.get(), 1, false, "57"},  // 4/7
      {shr2.get(), 2, false, "42"},  // 17/7
      {shr2.get(), 2, true, "71"},   // (3+9)/7
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Index);
    const TStatDrawArray list = DrawValues(*c.Stat, c.Index, 2, c.Sorted);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(c.Stat->ValueToText(list[0]), c.Expected);
    EXPECT_EQ(list[0].LastDraw, c.Index + 1);
  }
  // Gaps are tracked: 85 and 71 once each, newest first seen at draw 3.
  EXPECT_EQ(Texts(*shr1, RangeValues(*shr1, 0, 2, false)),
            (std::vector<std::string>{"28 x1", "85 x1", "71 x1"}));
}

TEST(Shredding, FilterAndGraphTakeTheCandidateAsTheNextDraw) {
  TStatFixture f(kDraws);
  f.List.Formula[0] = "(N1+P1+T1)/7";
  auto stat = f.Stat("SHR1");
  auto& shr = static_cast<TstShreddingStat&>(*stat);
  const TComb comb = MakeComb(5, 1, 2, 3);
  // Filter at the newest draw: p = draw 3 (8), t = draw 2 (4): 17/7 -> 42.
  EXPECT_TRUE(shr.CombMatches(comb, SelectedHalves({7, 42}), 2, false, false));
  EXPECT_FALSE(shr.CombMatches(comb, SelectedHalves({41}), 2, false, false));
  // Sorted: p1 = 3, t1 = 4: 12/7 -> 71.
  EXPECT_TRUE(shr.CombMatches(comb, SelectedHalves({71}), 2, true, false));
  // Graph at index 2: p = draw 2 (4), t = draw 1 (9): 18/7 -> 57.
  EXPECT_EQ(shr.GetGraphValue(comb, 2, 2, false), 57);
  // The draw itself: (8 + 4 + 9)/7 = 3 -> 0.
  EXPECT_EQ(shr.GetDrawGraphValue(2, 2, false), 0);
  EXPECT_EQ(shr.GetGraphValue(comb, 0, 2, false), 71);  // 5/7, nothing before
}

TEST(Shredding, FiveDigitValuesStayDistinctAndPositive) {
  TStatFixture f(kDraws);
  f.List.Formula[2] = "n1/7";
  f.List.FormulaDigits[2] = 5;
  auto stat = f.Stat("SHR3");
  const TStatDrawArray a = CombValues(*stat, MakeComb(5, 10, 20, 30));  // 0.714285...
  const TStatDrawArray b = CombValues(*stat, MakeComb(6, 10, 20, 30));  // 0.857142...
  ASSERT_EQ(a.size(), 1u);
  EXPECT_EQ(a[0].Half(1), 71428);
  EXPECT_EQ(a[0].Half(2), 0);
  EXPECT_EQ(stat->ValueToText(a[0]), "71428");
  EXPECT_EQ(stat->ValueToText(b[0]), "85714");
  // 71428 and 5892 share their low 16 bits; they are different values.
  const TComb comb = MakeComb(5, 10, 20, 30);
  EXPECT_TRUE(stat->CombMatches(comb, SelectedHalves({71428}), 2, false, false));
  EXPECT_FALSE(stat->CombMatches(comb, SelectedHalves({71428 - 65536}), 2, false, false));
  TStatDrawRec small;
  small.SetHalves(71428 - 65536);
  EXPECT_NE(small.Key(), a[0].Key());
  // Up to four digits the record is the plain first word.
  f.List.FormulaDigits[2] = 4;
  auto four = f.Stat("SHR3");
  const TStatDrawArray c = CombValues(*four, comb);
  EXPECT_EQ(c[0].Word(1), 7142);
  EXPECT_EQ(c[0].Word(2), 0);
}

TEST(Shredding, FullSetDistributionCountsEveryCombination) {
  TStatFixture f;
  f.List.Formula[0] = "n1/7";
  f.List.FormulaDigits[0] = 1;
  auto stat = f.Stat("SHR1");
  const TStatDrawArray list = FullSetValues(*stat);
  // The smallest number n1 decides: k/7 gives the first digit of k mod 7 sevenths.
  const int firstDigit[7] = {0, 1, 2, 4, 5, 7, 8};
  std::map<int, int64_t> expected;
  for (int n1 = 1; n1 <= 44; ++n1) expected[firstDigit[n1 % 7]] += Binomial(47 - n1, 3);
  std::map<int, int64_t> counted;
  for (const TStatDrawRec& r : list) counted[r.Half(1)] += r.Count;
  EXPECT_EQ(counted, expected);
}

TEST(Shredding, PreviewNamesTheDrawOrShowsTheMessage) {
  TStatFixture f(kDraws);
  const TShredPreview ok = ShredPreview(f.Archive, 2, false, "(N1+P1)/7", 2);
  EXPECT_EQ(ok.Text, "Тираж 3: 71");
  EXPECT_FALSE(ok.Failed);
  EXPECT_EQ(ShredPreview(f.Archive, 2, true, "(N1+P1)/7", 3).Text, "Тираж 3: 0");
  const TShredPreview bad = ShredPreview(f.Archive, 2, false, "(n1+n2+n3)/(n4+n5)", 2);
  EXPECT_EQ(bad.Text, "Тираж 3: Синтаксическая ошибка");
  EXPECT_TRUE(bad.Failed);
  EXPECT_EQ(ShredPreview(f.Archive, 1, false, "1/(n1-n1)", 2).Text, "Тираж 2: Деление на нуль");
  const TDrawArchive empty;
  EXPECT_EQ(ShredPreview(empty, 0, false, "(1+2)/7", 2).Text, "42");
  EXPECT_EQ(ShredPreview(empty, 0, false, "(n1", 2).Text, "Не хватает скобочки");
}

}  // namespace vetrilo
