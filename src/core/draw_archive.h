#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/game.h"

namespace vetrilo {

// One draw: also the 20-byte record of the archive file.
struct TDrawRec {
  int32_t Number = 0;
  std::array<uint8_t, 4> Balls{};  // the four main numbers, in drawing order
  uint8_t Extra = 0;
  std::string Date;  // as received, normally "mm/dd/yyyy"; at most 10 characters on disk

  TComb Comb() const { return MakeComb(Balls[0], Balls[1], Balls[2], Balls[3]); }
  bool HasNumber(int x) const;
  int Sum() const { return Balls[0] + Balls[1] + Balls[2] + Balls[3]; }
  // A copy whose Balls are sorted ascending.
  TDrawRec Sorted() const;
};
using TDrawsArray = std::vector<TDrawRec>;

constexpr size_t kDrawRecordSize = 20;

// The file holds nothing but 20-byte records; trailing bytes are ignored and a
// date length above 10 reads as 10.
TDrawsArray ParseDrawRecords(std::string_view bytes);
std::string SerializeDrawRecords(const TDrawsArray& draws);
// An archive larger than this is not one of ours (about 3 million draws).
constexpr uint64_t kDrawArchiveReadLimit = uint64_t(64) << 20;

// Draws a damaged or foreign archive may hold and the program still takes as
// they are: a ball outside 1..47, a ball twice, a bonus outside 1..17.
bool IsOddDraw(const TDrawRec& draw);
int CountOddDraws(const TDrawsArray& draws);
// The warning shown once on load when there are such draws; empty when none.
std::string OddDrawsWarning(const TDrawsArray& draws);

// "Тираж № 512 от 07/04/2014, значения: 3;15;27;41 e:9"
std::string DrawText(const TDrawRec& draw);
// Match count of two draws' main numbers.
int DrawMatchCount(const TDrawRec& a, const TDrawRec& b);

// The draw history, oldest first. The draw offset k hides the newest k draws.
class TDrawArchive {
 public:
  TDrawsArray Draws;

  int Count() const { return static_cast<int>(Draws.size()); }
  int High() const { return Count() - 1; }
  // Archive index of the newest visible draw for offset k (0 when k exceeds High).
  int LastIndex(int k) const;

  // Throws EVetrilo with the error text; Draws is left as the file allowed.
  void LoadFromFile(const std::string& path);
  // Atomic: a failure leaves the old file and the archive as they were.
  void SaveToFile(const std::string& path) const;

  // A copy of draw `index`; all zero outside the archive; Balls sorted when asked.
  TDrawRec GetDraw(int index, bool sorted) const;

  void DeleteDraw(int index);  // throws "Запись со индексом %d ..."
  void Clear() { Draws.clear(); }
  int NextDrawNumber(int k) const;
  std::string TargetDrawText(int k) const;
  TNumSet TargetNumbers(int k) const;
  TDateKey DrawDateKey(int a, int days) const;
  int FindDrawIndex(int number) const;
};

}  // namespace vetrilo
