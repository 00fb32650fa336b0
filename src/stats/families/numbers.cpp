#include "stats/families/numbers.h"

namespace vetrilo {

namespace {

// One flag per byte value 0..255: the fast filters look the four bytes up instead of
// searching the selected values for each combination.
using TByteTable = std::array<uint8_t, 256>;

template <class TTest>
TByteTable ByteTable(TTest test) {
  TByteTable table{};
  for (int b = 0; b < 256; ++b) table[size_t(b)] = test(b) ? 1 : 0;
  return table;
}

inline uint8_t B(TComb comb, int shift) {
  return uint8_t(comb >> shift);
}

}  // namespace

bool IsPrimeNumber(int n) {
  switch (n) {
    case 1:
    case 2:
    case 3:
    case 5:
    case 7:
    case 11:
    case 13:
    case 17:
    case 19:
    case 23:
    case 29:
    case 31:
    case 37:
    case 41:
    case 43:
    case 47:
      return true;
    default:
      return false;
  }
}

// NUMS

void TstValues::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 1; n <= kMaxNumber; ++n) AddWords(list, false, n);
}

void TstValues::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  for (int i = 1; i <= 4; ++i) AddWords(list, false, CombByte(comb, i));
}

void TstValues::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  std::array<int32_t, 256> counts{};
  for (const TComb comb : combs) {
    for (int i = 1; i <= 4; ++i) ++counts[CombByte(comb, i)];
  }
  AddCounts(list, counts);
}

void TstValues::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                              TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  for (uint8_t b : Draw.Balls) AddWords(list, true, b);
}

bool TstValues::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (int i = 1; i <= 4; ++i) {
    if (ListHasValue(selected, CombByte(comb, i), 0, 0, 0)) return true;
  }
  return false;
}

void TstValues::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int, bool,
                            bool exclude, TCombsArray& out) {
  const TByteTable hit =
      ByteTable([&](int b) { return ListHasValue(selected, int16_t(b), 0, 0, 0); });
  KeepCombs(combs, exclude, out,
            [&](TComb c) { return hit[B(c, 0)] | hit[B(c, 8)] | hit[B(c, 16)] | hit[B(c, 24)]; });
}

// DIGS

// The number texts, made once: the full set asks for four per combination.
static const std::string& CachedNumberText(uint8_t n) {
  static const std::array<std::string, 256> kTexts = [] {
    std::array<std::string, 256> texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = NumberText(int(i));
    return texts;
  }();
  return kTexts[n];
}

void TstDigits::AddDigits(TStatDrawArray& list, std::array<uint8_t, 4> numbers, bool trackGaps) {
  for (uint8_t n : numbers) {
    for (char c : CachedNumberText(n)) AddWords(list, trackGaps, c - '0');
  }
}

void TstDigits::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddDigits(list, {CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3), CombByte(comb, 4)},
            false);
}

void TstDigits::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                              TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddDigits(list, Draw.Balls, true);
}

bool TstDigits::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  for (int i = 1; i <= 4; ++i) {
    for (char c : CachedNumberText(CombByte(comb, i))) {
      if (ListHasValue(selected, int16_t(c - '0'), 0, 0, 0)) return true;
    }
  }
  return false;
}

void TstDigits::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected, int, bool,
                            bool exclude, TCombsArray& out) {
  const TByteTable hit = ByteTable([&](int b) {
    for (char c : NumberText(b)) {
      if (ListHasValue(selected, int16_t(c - '0'), 0, 0, 0)) return true;
    }
    return false;
  });
  KeepCombs(combs, exclude, out,
            [&](TComb c) { return hit[B(c, 0)] | hit[B(c, 8)] | hit[B(c, 16)] | hit[B(c, 24)]; });
}

// EVEN, SMAL, PRIM

int TCustomCountStat::CountOf(TComb comb) const {
  int n = 0;
  for (int i = 1; i <= 4; ++i) n += HasProperty(CombByte(comb, i)) ? 1 : 0;
  return n;
}

void TCustomCountStat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 1; n <= 4; ++n) AddWords(list, false, n);
}

void TCustomCountStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, CountOf(comb));
}

void TCustomCountStat::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return WordKey(CountOf(comb)); });
}

void TCustomCountStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                     TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, CountOf(Draw.Comb()));
}

bool TCustomCountStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasWord(selected, 1, int16_t(CountOf(comb)));
}

void TCustomCountStat::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected,
                                   int, bool, bool exclude, TCombsArray& out) {
  const TByteTable has = ByteTable([&](int b) { return HasProperty(b); });
  std::array<uint8_t, 5> hit{};
  for (int n = 0; n <= 4; ++n) hit[size_t(n)] = ListHasWord(selected, 1, int16_t(n)) ? 1 : 0;
  KeepCombs(combs, exclude, out, [&](TComb c) {
    return hit[has[B(c, 0)] + has[B(c, 8)] + has[B(c, 16)] + has[B(c, 24)]];
  });
}

int32_t TCustomCountStat::GetGraphValue(TComb comb, int, int, bool) {
  return CountOf(comb);
}

// EVNV, SMLV, PRMV

int TCustomPatternStat::PatternOf(TComb comb) const {
  int p = 0;
  for (int i = 1; i <= 4; ++i) p = p * 2 + (IsOn(CombByte(comb, i)) ? 1 : 0);
  return p;
}

void TCustomPatternStat::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddHalves(list, false, PatternOf(comb));
}

void TCustomPatternStat::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return HalfKey(PatternOf(comb)); });
}

void TCustomPatternStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                                       TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddHalves(list, true, PatternOf(Draw.Comb()));
}

bool TCustomPatternStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasLong(selected, 1, PatternOf(comb));
}

void TCustomPatternStat::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected,
                                     int, bool, bool exclude, TCombsArray& out) {
  const TByteTable on = ByteTable([&](int b) { return IsOn(b); });
  std::array<uint8_t, 16> hit{};
  for (int p = 0; p < 16; ++p) hit[size_t(p)] = ListHasLong(selected, 1, p) ? 1 : 0;
  KeepCombs(combs, exclude, out, [&](TComb c) {
    return hit[on[B(c, 0)] << 3 | on[B(c, 8)] << 2 | on[B(c, 16)] << 1 | on[B(c, 24)]];
  });
}

// POS%d

std::string TstPosVal::ValueToText(const TStatDrawRec& value) const {
  return NumberText(value.Value[0]);
}

void TstPosVal::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int n = 1; n <= kMaxNumber; ++n) AddWords(list, false, n);
}

void TstPosVal::GetCombValues(TComb comb, TStatDrawArray& list) {
  TCustomStat::GetCombValues(comb, list);
  AddWords(list, false, CombByte(comb, Param));
}

void TstPosVal::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  CountKeys(combs, list, [this](TComb comb) { return WordKey(CombByte(comb, Param)); });
}

void TstPosVal::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                              TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, Draw.Balls[size_t(Param - 1)]);
}

bool TstPosVal::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) {
  return ListHasWord(selected, 1, CombByte(comb, Param));
}

void TstPosVal::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected,
                            int lastIndex, bool sorted, bool exclude, TCombsArray& out) {
  if (Param < 1 || Param > 4) {
    TCustomStat::FilterCombs(combs, selected, lastIndex, sorted, exclude, out);
    return;
  }
  const TByteTable hit = ByteTable([&](int b) { return ListHasWord(selected, 1, int16_t(b)); });
  const int shift = 8 * (Param - 1);
  KeepCombs(combs, exclude, out, [&](TComb c) { return hit[B(c, shift)]; });
}

int32_t TstPosVal::GetGraphValue(TComb comb, int, int, bool) {
  return CombByte(comb, Param);
}

// POE%d

std::string TstPosExt::ValueToText(const TStatDrawRec& value) const {
  return ExtraText(value.Value[0]);
}

void TstPosExt::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                              TSeriesState& state, TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  AddWords(list, true, Draw.Extra);
}

int32_t TstPosExt::GetGraphValue(TComb, int index, int lastIndex, bool sorted) {
  LoadDraws(index, lastIndex, sorted);
  return Draw.Extra;
}

void TstPosExt::FilterCombs(std::span<const TComb> combs, const TStatDrawArray&, int, bool,
                            bool exclude, TCombsArray& out) {
  KeepCombs(combs, exclude, out, [](TComb) { return false; });
}

}  // namespace vetrilo
