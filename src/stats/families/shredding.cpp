#include "stats/families/shredding.h"

#include <array>
#include <cmath>

#include "core/format.h"
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

constexpr int32_t kPowersOfTen[] = {1,      10,      100,      1000,      10000,
                                    100000, 1000000, 10000000, 100000000, 1000000000};

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

TShredResult ShredEvaluate(std::string_view formula, int digits, const TShredNumbers& n,
                           const TShredNumbers& p, const TShredNumbers& t) {
  TShredResult result;
  long double value = 0;
  result.Error = TryEvaluateExpression(ShredSubstitute(formula, n, p, t), value);
  if (result.Error != TExprError::None) return result;
  if (digits < 0) digits = 0;
  if (digits > 9) digits = 9;
  const long double whole = std::fabs(value);
  const long double fraction = whole - std::trunc(whole);
  // 0 <= fraction < 1, so the product stays below 10^digits.
  const long double scaled = std::trunc(fraction * kPowersOfTen[digits]);
  result.Value = static_cast<int32_t>(scaled);
  if (result.Value >= kPowersOfTen[digits]) result.Value = kPowersOfTen[digits] - 1;
  return result;
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
  preview.Text = hasDraw ? Format("Тираж %d: %s", {draw.Number, shown}) : shown;
  return preview;
}

// SHR%d

TstShreddingStat::TstShreddingStat(const TStatList& list, int param)
    : TCustomGraphStat(list, param) {
  if (param >= 1 && param <= 3) {
    Formula = list.Formula[size_t(param - 1)];
    Digits = list.FormulaDigits[size_t(param - 1)];
  }
}

std::string TstShreddingStat::ValueToText(const TStatDrawRec& value) const {
  return std::to_string(value.Half(1));
}

void TstShreddingStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddHalves(list, false, Shred(ShredNumbersOf(SortComb(comb)), kNoShredNumbers, kNoShredNumbers));
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
