#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "stats/custom_stat.h"
#include "stats/expression.h"

namespace vetrilo {

// The numbers a shredding formula sees: n (the draw or combination), p (the draw
// before it) and t (the draw before that), each in the order given.
using TShredNumbers = std::array<uint8_t, 4>;
constexpr TShredNumbers kNoShredNumbers{0, 0, 0, 0};
TShredNumbers ShredNumbersOf(TComb comb);

// The formula text with n1..n4, p1..p4, t1..t4 replaced, letter case ignored:
// for i = 1..4 in turn, "n" + i, then "p" + i, then "t" + i, each everywhere.
std::string ShredSubstitute(std::string_view formula, const TShredNumbers& n,
                            const TShredNumbers& p, const TShredNumbers& t);

// The formula's value with the variables substituted: the fractional part of its
// absolute value, `digits` decimals of it read as an integer (0 .. 10^digits - 1).
// Error is TExprError::None on success.
struct TShredResult {
  TExprError Error = TExprError::None;
  int32_t Value = 0;
};

// A formula parsed once, evaluated for any numbers with the same result as
// substituting them into the text and evaluating that. Where a substituted
// number could run into the text around it ("n12", "$n1", "n1n2", "pn1"), the
// text is substituted and parsed for every evaluation instead.
class TShredFormula {
 public:
  TShredFormula(std::string_view formula, int digits);

  const std::string& Text() const { return text_; }
  int Digits() const { return digits_; }
  // False when every evaluation substitutes and parses the text.
  bool Compiled() const { return expression_.has_value(); }
  // The same result for any numbers: no variable, or a text that does not parse.
  bool Constant() const {
    return expression_ && (!variables_ || expression_->ParseError() != TExprError::None);
  }

  TShredResult Evaluate(const TShredNumbers& n, const TShredNumbers& p,
                        const TShredNumbers& t) const;
  // Any failure gives 0.
  int32_t Value(const TShredNumbers& n, const TShredNumbers& p, const TShredNumbers& t) const {
    const TShredResult r = Evaluate(n, p, t);
    return r.Error == TExprError::None ? r.Value : 0;
  }

 private:
  std::string text_;
  int digits_;
  bool variables_ = false;
  std::optional<TExpression> expression_;
};

TShredResult ShredEvaluate(std::string_view formula, int digits, const TShredNumbers& n,
                           const TShredNumbers& p, const TShredNumbers& t);
// Substitutes the numbers into the text and parses the result, every time.
TShredResult ShredEvaluateLiteral(std::string_view formula, int digits, const TShredNumbers& n,
                                  const TShredNumbers& p, const TShredNumbers& t);

// As the statistic takes it: any failure gives 0.
int32_t ShredValue(const TShredNumbers& n, const TShredNumbers& p, const TShredNumbers& t,
                   int digits, std::string_view formula);

// What the shredding dialog shows under a formula: its value for the draw at
// `index` (with the two draws before it), or the evaluator's message. With no
// draw (index outside the archive) every variable is 0 and the draw is not named.
struct TShredPreview {
  std::string Text;
  bool Failed = false;
};
TShredPreview ShredPreview(const TDrawArchive& archive, int index, bool sorted,
                           std::string_view formula, int digits);

// SHR%d: user formula Param (1..3) over the draw and the two draws before it.
// The value is kept in the first 32-bit half, so five digits (up to 99,999)
// stay distinct and positive.
class TstShreddingStat : public TCustomGraphStat {
 public:
  TstShreddingStat(const TStatList& list, int param);
  static constexpr const char* kClassName = "TstShreddingStat";
  static constexpr const char* kCode = "SHR%d";
  static constexpr const char* kCaption = "Метод шинковки %0:d: %%s";
  static constexpr const char* kHelpCode = "SHRx";
  static constexpr int kGroup = 12;
  static constexpr uint8_t kFlags = kFlagS | kFlagN;
  static constexpr bool kHasParamRange = true;
  static void GetParamRange(const TStatList&, int& low, int& high) { low = 1, high = 3; }

  // Copied from the settings at creation: an edit reaches objects created later.
  const std::string& Formula() const { return formula_.Text(); }
  int Digits() const { return formula_.Digits(); }

  int32_t Shred(const TShredNumbers& n, const TShredNumbers& p, const TShredNumbers& t) const {
    return formula_.Value(n, p, t);
  }

  std::string ValueToText(const TStatDrawRec& value) const override;
  void GetCombValues(TComb comb, TStatDrawArray& list) override;
  void CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) override;
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override;
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex, bool sorted,
                   bool exclude) override;
  int32_t GetGraphValue(TComb comb, int index, int lastIndex, bool sorted) override;

 private:
  TShredFormula formula_;
};

}  // namespace vetrilo
