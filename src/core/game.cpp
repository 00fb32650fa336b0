#include "core/game.h"

#include <algorithm>
#include <array>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

const TGameConstants& Game() {
  static const TGameConstants constants = [] {
    TGameConstants c{};
    for (int i = 0; i < kNumbersPerDraw; ++i) {
      c.MinSum += 1 + i;
      c.MaxSum += kMaxNumber - i;
    }
    c.SumBandWidth = (c.MaxSum - c.MinSum) / 10;
    c.NumberTextsNumeric = true;
    for (int n = 1; n <= kMaxNumber; ++n) {
      if (!StrToIntStrict(NumberText(n))) {
        c.NumberTextsNumeric = false;
        break;
      }
    }
    return c;
  }();
  return constants;
}

TNumSet CombToNumSet(TComb comb) {
  TNumSet set;
  for (int i = 1; i <= 4; ++i) set.Numbers.push_back(CombByte(comb, i));
  return set;
}

std::string NumberText(int n) {
  return std::to_string(n);
}
std::string ExtraText(int n) {
  return std::to_string(n);
}
std::string IntegerText(int n) {
  return std::to_string(n);
}

std::string CombListText(TComb comb) {
  std::string text;
  for (int i = 1; i <= 4; ++i) {
    if (i > 1) text += ';';
    text += NumberText(CombByte(comb, i));
  }
  return text;
}

std::string CombCopyText(TComb comb) {
  std::string text;
  for (int i = 1; i <= 4; ++i) {
    if (i > 1) text += ' ';
    std::string n = NumberText(CombByte(comb, i));
    if (Game().NumberTextsNumeric && n.size() < 2) n.insert(0, 2 - n.size(), '0');
    text += n;
  }
  return text;
}

std::string NumSetText(const TNumSet& set, std::string_view separator) {
  std::string text;
  for (size_t i = 0; i < set.Numbers.size(); ++i) {
    if (i > 0) text += separator;
    text += NumberText(set.Numbers[i]);
  }
  return text;
}

TComb ParseComb(std::string_view text) {
  const auto words = SplitWords(text, "\t ,-.:;|");
  if (words.size() != 4) {
    throw EVetrilo(Format(Tr("Некорректная комбинация: \"%s\"!"), {text}));
  }
  TComb comb = 0;
  for (int i = 0; i < 4; ++i) {
    comb = SetCombByte(comb, i + 1, static_cast<uint8_t>(StrToIntDef(words[i], 0)));
  }
  return comb;
}

int CeilDiv(int a, int b) {
  if (b == 0) return 0;
  return a / b + (a % b != 0 ? 1 : 0);
}

int ShiftNumber(int n, int k) {
  if (k == 0) return n;
  int y = n + k;
  if (k > 0 && y > kMaxNumber) y -= kMaxNumber;
  if (k < 0 && y < 1) y += kMaxNumber;
  return y;
}

TComb ShiftComb(TComb comb, int k) {
  TComb out = 0;
  for (int i = 1; i <= 4; ++i) {
    out = SetCombByte(out, i, static_cast<uint8_t>(ShiftNumber(CombByte(comb, i), k)));
  }
  return out;
}

int GroupCount(int lo, int hi, int size) {
  if (lo == 0) return CeilDiv(hi, size);
  return CeilDiv(hi - lo + 1, size);
}

int MatrixColumn(int n, int cols) {
  return (n - 1) % cols + 1;
}
int MatrixRow(int n, int cols) {
  return (n - 1) / cols + 1;
}
int NumberAtMatrix(int base, int col0, int row0, int cols) {
  return base + col0 + row0 * cols;
}

bool CombHasNumber(TComb comb, int x) {
  for (int i = 1; i <= 4; ++i) {
    if (CombByte(comb, i) == x) return true;
  }
  return false;
}

int CombMatchCount(TComb a, TComb b) {
  int n = 0;
  for (int i = 1; i <= 4; ++i) {
    for (int j = 1; j <= 4; ++j) {
      if (CombByte(a, i) == CombByte(b, j)) ++n;
    }
  }
  return n;
}

TComb SortComb(TComb comb) {
  std::array<uint8_t, 4> b{CombByte(comb, 1), CombByte(comb, 2), CombByte(comb, 3),
                           CombByte(comb, 4)};
  for (int i = 1; i < 4; ++i) {
    const uint8_t v = b[i];
    int j = i - 1;
    while (j >= 0 && b[j] > v) {
      b[j + 1] = b[j];
      --j;
    }
    b[j + 1] = v;
  }
  return MakeComb(b[0], b[1], b[2], b[3]);
}

void SortNumSet(TNumSet& set) {
  std::sort(set.Numbers.begin(), set.Numbers.end());
}

bool EqualNumSets(const TNumSet& a, const TNumSet& b) {
  if (a.Count() != b.Count()) return false;
  for (uint8_t n : a.Numbers) {
    if (!ByteListHas(b.Numbers, n)) return false;
  }
  return true;
}

bool ByteListHas(const std::vector<uint8_t>& list, uint8_t x) {
  return std::find(list.begin(), list.end(), x) != list.end();
}

void ByteListAddUnique(std::vector<uint8_t>& list, uint8_t x) {
  if (!ByteListHas(list, x)) list.push_back(x);
}

int CountDistinctNumbers(const TCombsArray& combs, size_t count) {
  std::array<bool, 256> seen{};
  int distinct = 0;
  for (size_t k = 0; k < count && k < combs.size(); ++k) {
    for (int i = 1; i <= 4; ++i) {
      const uint8_t n = CombByte(combs[k], i);
      if (!seen[n]) {
        seen[n] = true;
        if (++distinct >= kMaxNumber) return distinct;
      }
    }
  }
  return distinct;
}

std::vector<uint8_t> DistinctNumbers(const TCombsArray& combs, size_t count) {
  std::vector<uint8_t> list;
  for (size_t k = 0; k < count && k < combs.size(); ++k) {
    for (int i = 1; i <= 4; ++i) {
      ByteListAddUnique(list, CombByte(combs[k], i));
      if (list.size() > kMaxNumber - 1) return list;
    }
  }
  return list;
}

TIntList ParseIntListEx(std::string_view text, int64_t maxItems) {
  TIntList result;
  bool listForm = true;
  for (const std::string& word : SplitWords(text, ",;")) {
    auto v = StrToIntStrict(Trim(word));
    if (!v) {
      listForm = false;
      break;
    }
    result.Items.push_back(*v);
  }
  if (listForm) {
    result.Count = static_cast<int64_t>(result.Items.size());
    return result;
  }
  result.Items.clear();
  // Range form: first-last;step (or first-last,step).
  const size_t dash = text.find('-', 1);
  auto fail = [] {
    TIntList bad;
    bad.Valid = false;
    return bad;
  };
  if (text.empty() || dash == std::string_view::npos) return fail();
  const std::string_view rest = text.substr(dash + 1);
  const size_t sep = rest.find_first_of(";,");
  auto first = StrToIntStrict(Trim(text.substr(0, dash)));
  auto last = StrToIntStrict(Trim(rest.substr(0, sep)));
  if (!first || !last || sep == std::string_view::npos) return fail();
  const int32_t step = StrToIntStrict(Trim(rest.substr(sep + 1))).value_or(0);
  if (step == 0) return fail();
  const int64_t count = (int64_t{*last} - *first) / step + 1;
  result.Count = count > 0 ? count : 0;
  if (result.Count > maxItems) return result;
  result.Items.reserve(static_cast<size_t>(result.Count));
  int64_t v = *first;
  for (int64_t k = 0; k < result.Count; ++k, v += step) {
    result.Items.push_back(static_cast<int32_t>(v));
  }
  return result;
}

std::vector<int32_t> ParseIntList(std::string_view text) {
  TIntList list = ParseIntListEx(text, kMaxIntListItems);
  if (list.Count > kMaxIntListItems) {
    throw EVetrilo(
        Format(Tr("Список \"%s\" содержит слишком много значений (%d)!"), {text, list.Count}));
  }
  return std::move(list.Items);
}

std::string JoinIntList(const std::vector<int32_t>& list, std::string_view separator) {
  std::string text;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += separator;
    text += std::to_string(list[i]);
  }
  return text;
}

uint32_t ChannelColor(int n, int channelSize) {
  static constexpr std::array<uint32_t, 19> kColors = {
      0xAAFFAA, 0xFFFFAA, 0xAAFFFF, 0xFFAAAA, 0xAAAAFF, 0xFFD5AA, 0xD5AAFF,
      0xD4D4D4, 0xAAD5FF, 0xFFAAD5, 0xD5FFD5, 0xFFFFD5, 0xD5FFFF, 0xFFD5D5,
      0xD5D5FF, 0xFFEAD5, 0xEAD5FF, 0xE9E9E9, 0xD5EAFF};
  if (n < 1 || n > kMaxNumber || channelSize <= 0) return 0xFF0000;
  int index = CeilDiv(n, channelSize);
  while (index > 19) index -= 19;
  return kColors[static_cast<size_t>(index - 1)];
}

std::string StakeOriginName(int code) {
  switch (code) {
    case 1:
      return Tr("Вручную");
    case 2:
      return Tr("Регуляр");
    case 3:
      return Tr("Сценарий");
    case 4:
      return Tr("Система");
    default:
      return "";
  }
}

const TCombsArray& FullSet() {
  static const TCombsArray all = [] {
    TCombsArray combs;
    combs.reserve(kAllCombinations);
    for (int a = 1; a <= kMaxNumber; ++a)
      for (int b = a + 1; b <= kMaxNumber; ++b)
        for (int c = b + 1; c <= kMaxNumber; ++c)
          for (int d = c + 1; d <= kMaxNumber; ++d)
            combs.push_back(MakeComb(uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d)));
    return combs;
  }();
  return all;
}

}  // namespace vetrilo
