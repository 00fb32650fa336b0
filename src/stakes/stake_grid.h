#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stakes/stake_record.h"

namespace vetrilo {

constexpr int kStakeColumns = 9;

// What the stake grid shows of a record.
const std::array<std::string, kStakeColumns>& StakeColumnCaptions();
// Cell text; every cell of a separator row (DrawNumber <= 0) is empty.
std::string StakeCell(const TStakeRec& r, int column);
// "Ставок: %d"
std::string StakeCountText(int64_t records);

enum class TCellAlign { Left, Center, Right };
TCellAlign StakeColumnAlign(int column);

// Row background by kind (0xRRGGBB); nullopt for the window colour.
int64_t StakeRowColor(const TStakeRec& r);  // -1: window colour
// Text colour of columns 5..7 of a checked stake: green when it paid, else
// red; -1 for the default colour.
int64_t StakeCellTextColor(const TStakeRec& r, int column);

// The numbers of columns 2 and 4 one by one, with the matched ones marked
// (drawn bold blue); empty for other columns and for separators.
struct TStakeNumberPiece {
  std::string Text;
  bool Matched = false;
};
std::vector<TStakeNumberPiece> StakeNumberPieces(const TStakeRec& r, int column);

constexpr int64_t kMatchedNumberColor = 0x0000FF;

}  // namespace vetrilo
