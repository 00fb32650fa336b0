#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/combinatorics.h"
#include "core/game.h"

namespace vetrilo {

constexpr size_t kStakeRecordSize = 304;
constexpr uint8_t kStakeVersion = 2;

// Kinds of records: 0 separator, then the stake origins.
enum TStakeKind : uint8_t {
  kStakeSeparator = 0,
  kStakeManual = 1,
  kStakeRegular = 2,
  kStakeScript = 3,
  kStakeSystem = 4,
};

// One record of the stake file. Fields are decoded from `Raw`; writing a record
// lays the fields over `Raw`, so reserved bytes and the unused tail of the
// comment keep whatever the file had (zero for a new record).
struct TStakeRec {
  uint8_t Version = kStakeVersion;
  uint8_t Kind = kStakeManual;
  int32_t DrawNumber = 0;
  uint8_t Checked = 0;
  int32_t SampleSize = 0;
  int32_t NumbersCount = 0;                 // may exceed 4 (a wider stake); 4 bytes are stored
  std::array<uint8_t, 4> Numbers{};         // ascending
  std::array<uint8_t, 4> DrawResult{};      // the draw's numbers in drawing order
  int32_t MatchesCount = -1;                // -1 before the check
  std::array<uint8_t, 4> MatchedNumbers{};  // ascending
  TMoney Profit = 0;
  std::string Comment;  // UTF-8; at most 255 bytes once in code page 1251
  std::array<uint8_t, kStakeRecordSize> Raw{};

  static TStakeRec FromBytes(const uint8_t* bytes);
  void ToBytes(uint8_t* out) const;
  std::string Bytes() const;

  static TStakeRec Separator();
  bool IsStake() const { return DrawNumber > 0; }
  bool IsChecked() const { return Checked != 0; }
  // The stored numbers that count: at most 4, none for a negative count.
  int StoredNumbers() const;
  int StoredMatches() const;
  // Ascending; a number outside 1..47 throws EVetrilo (the record is left as it was).
  void SetNumbers(TComb comb);  // 0: no numbers
  void SetNumbers(const std::vector<uint8_t>& numbers);
  std::string NumbersText(std::string_view separator = ";") const;
  std::string DrawResultText(std::string_view separator = ";") const;
  std::string MatchedText(std::string_view separator = " ") const;
  bool HasNumber(uint8_t n) const;
};

// Offsets of the fields a check writes.
constexpr size_t kStakeCheckedOffset = 8;
constexpr size_t kStakeDrawResultOffset = 24;
constexpr size_t kStakeMatchesOffset = 28;
constexpr size_t kStakeProfitOffset = 40;
constexpr size_t kStakeCommentOffset = 48;

}  // namespace vetrilo
