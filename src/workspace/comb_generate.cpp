#include "workspace/comb_generate.h"

#include <array>
#include <cstring>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

std::string GenerateModeCaption(int mode) {
  switch (mode) {
    case kGenerateFull:
      return Tr("Полный список (все возможные для данного лото варианты)");
    case kGenerateAnyOf:
      return Tr("Мои числа - должно присутствовать любое из указанных");
    case kGenerateOnlyOf:
      return Tr("Мои числа - комбинации только из списка указанных");
    case kGenerateNoneOf:
      return Tr("Мои числа - исключить комбинации с любым из указанных");
    case kGenerateFile:
      return Tr("Загрузить список из заранее подготовленного CSV-файла");
    default:
      return "";
  }
}

std::vector<uint8_t> ParseGenerateNumbers(std::string_view text) {
  std::vector<uint8_t> numbers;
  for (const std::string& word : SplitWords(text, ",;")) {
    const int32_t n = StrToIntDef(word, 0);
    if (n >= 0 && n <= 255) numbers.push_back(static_cast<uint8_t>(n));
  }
  return numbers;
}

void CheckGenerateNumbers(int mode, std::string_view text) {
  if (mode < kGenerateAnyOf || mode > kGenerateNoneOf || Trim(text).empty()) return;
  for (const uint8_t n : ParseGenerateNumbers(text)) {
    if (n >= 1 && n <= kMaxNumber) return;
  }
  // Without one the list would be empty or whole, whatever the user meant.
  throw EVetrilo(Format(Tr("Не указано ни одного числа от 1 до %d."), {kMaxNumber}));
}

namespace {

// Whether the mode keeps a combination with `inSet` of its 4 numbers among the user's.
inline bool ModeKeeps(int mode, int inSet) {
  switch (mode) {
    case kGenerateAnyOf:
      return inSet > 0;
    case kGenerateOnlyOf:
      return inSet == 4;
    case kGenerateNoneOf:
      return inSet == 0;
    default:
      return true;
  }
}

}  // namespace

void GenerateFromFullSet(int mode, const std::vector<uint8_t>& numbers, TCombsArray& out) {
  const TCombsArray& all = FullSet();
  const size_t base = out.size();
  if (mode < kGenerateAnyOf || mode > kGenerateNoneOf) {
    out.resize(base + all.size());
    std::memcpy(out.data() + base, all.data(), all.size() * sizeof(TComb));
    return;
  }
  // Full-set numbers are 1..47, so one byte table answers the membership test.
  std::array<uint8_t, 256> mine{};
  for (uint8_t n : numbers) mine[n] = 1;
  std::array<uint8_t, 5> keep{};
  for (int k = 0; k <= 4; ++k) keep[size_t(k)] = ModeKeeps(mode, k) ? 1 : 0;
  out.resize(base + all.size());
  TComb* dst = out.data() + base;
  size_t kept = 0;
  for (const TComb c : all) {
    dst[kept] = c;
    kept += keep[mine[c & 0xFF] + mine[(c >> 8) & 0xFF] + mine[(c >> 16) & 0xFF] + mine[c >> 24]];
  }
  out.resize(base + kept);
}

void GenerateFromFullSetLiteral(int mode, const std::vector<uint8_t>& numbers, TCombsArray& out) {
  for (int a = 1; a <= kMaxNumber; ++a) {
    for (int b = a + 1; b <= kMaxNumber; ++b) {
      for (int c = b + 1; c <= kMaxNumber; ++c) {
        for (int d = c + 1; d <= kMaxNumber; ++d) {
          const TComb comb = MakeComb(uint8_t(a), uint8_t(b), uint8_t(c), uint8_t(d));
          int inSet = 0;
          for (int i = 1; i <= 4; ++i) inSet += ByteListHas(numbers, CombByte(comb, i)) ? 1 : 0;
          if (ModeKeeps(mode, inSet)) out.push_back(comb);
        }
      }
    }
  }
}

}  // namespace vetrilo
