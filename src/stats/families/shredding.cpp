#include "stats/families/shredding.h"

#include <array>
#include <vector>

#include "core/format.h"
#include "core/translate.h"
#include "stats/stat_list.h"

namespace vetrilo {

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool MatchesAt(const std::string& text, size_t i, std::string_view pattern) {
  if (i + pattern.size() > text.size()) return false;
  for (size_t k = 0; k < pattern.size(); ++k) {
    if (Lower(text[i + k]) != Lower(pattern[k])) return false;
  }
  return true;
}

// Every non-overlapping occurrence, scanned left to right; the inserted text is
// not scanned again within the same replacement.
void ReplaceAllIgnoringCase(std::string& text, std::string_view pattern, std::string_view with) {
  size_t i = 0;
  while (i < text.size() && !MatchesAt(text, i, pattern)) ++i;
  if (i >= text.size()) return;  // the usual case: nothing to rebuild
  std::string out = text.substr(0, i);
  while (i < text.size()) {
    if (MatchesAt(text, i, pattern)) {
      out += with;
      i += pattern.size();
    } else {
      out += text[i++];
    }
  }
  text = std::move(out);
}

}  // namespace

TShredNumbers ShredNumbersOf(TComb comb) {
  return {CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3), CombByte(comb, 4)};
}

std::string ShredSubstitute(std::string_view formula, const TShredNumbers& n,
                            const TShredNumbers& p, const TShredNumbers& t) {
  static constexpr std::string_view kNames[4][3] = {
      {"n1", "p1", "t1"}, {"n2", "p2", "t2"}, {"n3", "p3", "t3"}, {"n4", "p4", "t4"}};
  static const std::array<std::string, 256> kTexts = [] {
    std::array<std::string, 256> texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = std::to_string(i);
    return texts;
  }();
  std::string text(formula);
  for (size_t i = 0; i < 4; ++i) {
    ReplaceAllIgnoringCase(text, kNames[i][0], kTexts[n[i]]);
    ReplaceAllIgnoringCase(text, kNames[i][1], kTexts[p[i]]);
    ReplaceAllIgnoringCase(text, kNames[i][2], kTexts[t[i]]);
  }
  return text;
}

namespace {

// Slots of the compiled form: n1..n4, then p1..p4, then t1..t4.
int VariableKind(char c) {
  switch (Lower(c)) {
    case 'n':
      return 0;
    case 'p':
      return 1;
    case 't':
      return 2;
    default:
      return -1;
  }
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) < '!';
}

// Whether a number put in place of text[begin, end) is read as a number of its
// own: only an operator or a parenthesis (or nothing) may touch it once blanks
// are gone. Digits, letters, "." or "$" beside it would join it into another
// token, and a letter before it could even form a new variable name.
bool StandsAlone(std::string_view text, size_t begin, size_t end) {
  while (begin > 0 && IsBlank(text[begin - 1])) --begin;
  if (begin > 0) {
    const char before = text[begin - 1];
    if (std::string_view("+-*/^(").find(before) == std::string_view::npos) return false;
    // "1E-" + digits is an exponent.
    if (before == '+' || before == '-') {
      size_t k = begin - 1;
      while (k > 0 && IsBlank(text[k - 1])) --k;
      if (k > 0 && Lower(text[k - 1]) == 'e') return false;
    }
  }
  while (end < text.size() && IsBlank(text[end])) ++end;
  return end == text.size() || std::string_view("+-*/^)").find(text[end]) != std::string_view::npos;
}

}  // namespace

TShredFormula::TShredFormula(std::string_view formula, int digits)
    : text_(formula), digits_(digits) {
  std::vector<TExprVariable> variables;
  // Two-character names cannot overlap, so every match is one substitution.
  for (size_t i = 0; i + 1 < text_.size(); ++i) {
    const int kind = VariableKind(text_[i]);
    const char index = text_[i + 1];
    if (kind < 0 || index < '1' || index > '4') continue;
    if (!StandsAlone(text_, i, i + 2)) return;
    variables.push_back({i, 2, kind * 4 + (index - '1')});
    ++i;
  }
  variables_ = !variables.empty();
  expression_.emplace(text_, variables);
}

TShredResult TShredFormula::Evaluate(const TShredNumbers& n, const TShredNumbers& p,
                                     const TShredNumbers& t) const {
  if (!expression_) return ShredEvaluateLiteral(text_, digits_, n, p, t);
  TShredResult result;
  if (expression_->ParseError() != TExprError::None) {
    result.Error = expression_->ParseError();
    return result;
  }
  const int32_t slots[12] = {n[0], n[1], n[2], n[3], p[0], p[1],
                             p[2], p[3], t[0], t[1], t[2], t[3]};
  result.Error = expression_->FractionDigits(slots, digits_, result.Value);
  if (result.Error != TExprError::None) result.Value = 0;
  return result;
}

TShredResult ShredEvaluateLiteral(std::string_view formula, int digits, const TShredNumbers& n,
                                  const TShredNumbers& p, const TShredNumbers& t) {
  TShredResult result;
  const TExpression expression(ShredSubstitute(formula, n, p, t));
  result.Error = expression.FractionDigits({}, digits, result.Value);
  if (result.Error != TExprError::None) result.Value = 0;
  return result;
}

TShredResult ShredEvaluate(std::string_view formula, int digits, const TShredNumbers& n,
                           const TShredNumbers& p, const TShredNumbers& t) {
  return TShredFormula(formula, digits).Evaluate(n, p, t);
}

int32_t ShredValue(const TShredNumbers& n, const TShredNumbers& p, const TShredNumbers& t,
                   int digits, std::string_view formula) {
  const TShredResult r = ShredEvaluate(formula, digits, n, p, t);
  return r.Error == TExprError::None ? r.Value : 0;
}

TShredPreview ShredPreview(const TDrawArchive& archive, int index, bool sorted,
                           std::string_view formula, int digits) {
  const bool hasDraw = index >= 0 && index <= archive.High();
  const TDrawRec draw = archive.GetDraw(index, sorted);
  const TShredResult r =
      ShredEvaluate(formula, digits, draw.Balls, archive.GetDraw(index - 1, sorted).Balls,
                    archive.GetDraw(index - 2, sorted).Balls);
  TShredPreview preview;
  preview.Failed = r.Error != TExprError::None;
  const std::string shown = preview.Failed ? ExprErrorText(r.Error) : std::to_string(r.Value);
  preview.Text = hasDraw ? Format(Tr("Тираж %d: %s"), {draw.Number, shown}) : shown;
  return preview;
}

// SHR%d

TstShreddingStat::TstShreddingStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param),
      formula_(param >= 1 && param <= 3 ? std::string_view(list.Formula[size_t(param - 1)]) : "",
               param >= 1 && param <= 3 ? list.FormulaDigits[size_t(param - 1)] : 2) {}

std::string TstShreddingStat::ValueToText(const TStatDrawRec& value) const {
  return std::to_string(value.Half(1));
}

void TstShreddingStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddHalves(list, false, Shred(ShredNumbersOf(SortComb(comb)), kNoShredNumbers, kNoShredNumbers));
}

void TstShreddingStat::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  if (!formula_.Constant()) {
    TCustomStat::CountCombValues(combs, list);
    return;
  }
  // The default formulas name n5: one value, 0, for every combination.
  if (combs.empty()) return;
  TStatDrawRec value;
  value.SetHalves(Shred(kNoShredNumbers, kNoShredNumbers, kNoShredNumbers));
  AddCounted(list, value.Key(), int32_t(combs.size()));
}

void TstShreddingStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                     TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddHalves(list, true,
            Shred(Draw.Balls, GetDraw(index - 1, sorted).Balls, GetDraw(index - 2, sorted).Balls));
}

bool TstShreddingStat::CombMatches(TComb comb, const TStatDrawArray& selected, int lastIndex,
                                   bool sorted, bool) {
  const int32_t v = Shred(ShredNumbersOf(comb), GetDraw(lastIndex, sorted).Balls,
                          GetDraw(lastIndex - 1, sorted).Balls);
  return ListHasLong(selected, 1, v);
}

int32_t TstShreddingStat::GetGraphValue(TComb comb, int index, int, bool sorted) {
  return Shred(ShredNumbersOf(comb), GetDraw(index - 1, sorted).Balls,
               GetDraw(index - 2, sorted).Balls);
}

}  // namespace vetrilo
