#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// The game: 4 distinct numbers out of 1..47, one extra ball out of 1..17.
constexpr int kMaxNumber = 47;
constexpr int kNumbersPerDraw = 4;
constexpr int kMaxExtra = 17;
constexpr int kAllCombinations = 178365;  // C(47, 4)

// Derived from the constants above, computed once.
struct TGameConstants {
  int MinSum;        // 1 + 2 + 3 + 4
  int MaxSum;        // 44 + 45 + 46 + 47
  int SumBandWidth;  // (MaxSum - MinSum) div 10
  bool NumberTextsNumeric;
};
const TGameConstants& Game();

// A combination: four numbers packed one byte each, the first in the lowest byte.
using TComb = uint32_t;
using TCombsArray = std::vector<TComb>;

constexpr TComb MakeComb(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  return TComb(a) | TComb(b) << 8 | TComb(c) << 16 | TComb(d) << 24;
}
// Byte i (1..4) of a combination.
constexpr uint8_t CombByte(TComb comb, int i) {
  return uint8_t(comb >> (8 * (i - 1)));
}
constexpr TComb SetCombByte(TComb comb, int i, uint8_t value) {
  const int shift = 8 * (i - 1);
  return (comb & ~(TComb(0xFF) << shift)) | TComb(value) << shift;
}

// A counted set of numbers, one byte each.
struct TNumSet {
  std::vector<uint8_t> Numbers;
  int32_t Count() const { return static_cast<int32_t>(Numbers.size()); }
};
TNumSet CombToNumSet(TComb comb);

// Number texts; for this game all three are the plain decimal text.
std::string NumberText(int n);
std::string ExtraText(int n);
std::string IntegerText(int n);

std::string CombListText(TComb comb);  // 3;15;27;41
std::string CombCopyText(TComb comb);  // 03 15 27 41
std::string NumSetText(const TNumSet& set, std::string_view separator);

// Clipboard text of one combination; throws EVetrilo "Некорректная комбинация: ..."
TComb ParseComb(std::string_view text);

int CeilDiv(int a, int b);
int ShiftNumber(int n, int k);
TComb ShiftComb(TComb comb, int k);
int GroupCount(int lo, int hi, int size);
int MatrixColumn(int n, int cols);
int MatrixRow(int n, int cols);
int NumberAtMatrix(int base, int col0, int row0, int cols);

bool CombHasNumber(TComb comb, int x);
int CombMatchCount(TComb a, TComb b);  // 4 x 4 comparisons of the bytes
TComb SortComb(TComb comb);            // bytes ascending
void SortNumSet(TNumSet& set);
bool EqualNumSets(const TNumSet& a, const TNumSet& b);

// Growable byte lists with linear search, as the families use them.
bool ByteListHas(const std::vector<uint8_t>& list, uint8_t x);
void ByteListAddUnique(std::vector<uint8_t>& list, uint8_t x);

// Distinct numbers of the first `count` combinations of a list.
int CountDistinctNumbers(const TCombsArray& combs, size_t count);
std::vector<uint8_t> DistinctNumbers(const TCombsArray& combs, size_t count);

// Integer lists: "2;4;6" or "1-10;3" (first-last;step). A range whose element
// count exceeds maxItems is reported through Count without building Items.
struct TIntList {
  std::vector<int32_t> Items;
  int64_t Count = 0;  // exact number of elements
  bool Valid = true;  // false when the text is neither a list nor a range
};
TIntList ParseIntListEx(std::string_view text, int64_t maxItems);
// Throws EVetrilo when the range holds more than kMaxIntListItems elements.
constexpr int64_t kMaxIntListItems = 1000000;
std::vector<int32_t> ParseIntList(std::string_view text);
std::string JoinIntList(const std::vector<int32_t>& list, std::string_view separator);

// Channel colour (0xRRGGBB) of number n for channel size s; red outside 1..47.
uint32_t ChannelColor(int n, int channelSize);

// Stake origins: 1 manual, 2 regular table, 3 script, 4 system.
std::string StakeOriginName(int code);

// All 178,365 ascending combinations in canonical (lexicographic) order.
const TCombsArray& FullSet();

}  // namespace vetrilo
