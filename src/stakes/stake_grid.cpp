#include "stakes/stake_grid.h"

#include "core/format.h"
#include "core/money_text.h"
#include "core/translate.h"

namespace vetrilo {

const std::array<std::string, kStakeColumns>& StakeColumnCaptions() {
  static const std::array<std::string, kStakeColumns> captions = {
      Tr("№ тиража"),          Tr("Вид ставки"), Tr("Моя ставка"), Tr("Выборка"),
      Tr("Результаты тиража"), Tr("Совпадений"), Tr("Совпадения"), Tr("Профит"),
      Tr("Комментарий")};
  return captions;
}

std::string StakeCell(const TStakeRec& r, int column) {
  if (r.DrawNumber <= 0) return {};
  switch (column) {
    case 0:
      return std::to_string(r.DrawNumber);
    case 1:
      return StakeOriginName(r.Kind);
    case 2:
      return r.NumbersText(";");
    case 3:
      return std::to_string(r.SampleSize);
    case 4:
      return r.IsChecked() ? r.DrawResultText(";") : std::string();
    case 5:
      return r.IsChecked() ? std::to_string(r.MatchesCount) : std::string();
    case 6:
      return r.IsChecked() ? r.MatchedText(" ") : std::string();
    case 7:
      return MoneyText(r.Profit);
    case 8:
      return r.Comment;
    default:
      return {};
  }
}

std::string StakeCountText(int64_t records) {
  return Format(Tr("Ставок: %d"), {records});
}

TCellAlign StakeColumnAlign(int column) {
  if (column == 7) return TCellAlign::Right;
  if (column == 8) return TCellAlign::Left;
  return TCellAlign::Center;
}

int64_t StakeRowColor(const TStakeRec& r) {
  switch (r.Kind) {
    case kStakeManual:
      return 0xEAFFEA;
    case kStakeRegular:
      return 0xFFEAEA;
    case kStakeScript:
      return 0xEAFFFF;
    case kStakeSystem:
      return 0xFCFDD9;
    default:
      return -1;
  }
}

int64_t StakeCellTextColor(const TStakeRec& r, int column) {
  if (r.DrawNumber <= 0 || !r.IsChecked() || column < 5 || column > 7) return -1;
  return r.Profit > 0 ? 0x008000 : 0xFF0000;
}

std::vector<TStakeNumberPiece> StakeNumberPieces(const TStakeRec& r, int column) {
  std::vector<TStakeNumberPiece> pieces;
  if (r.DrawNumber <= 0) return pieces;
  auto matched = [&](uint8_t n) {
    if (!r.IsChecked()) return false;
    for (int i = 0; i < r.StoredMatches(); ++i) {
      if (r.MatchedNumbers[size_t(i)] == n) return true;
    }
    return false;
  };
  if (column == 2) {
    for (int i = 0; i < r.StoredNumbers(); ++i) {
      pieces.push_back({std::to_string(r.Numbers[size_t(i)]), matched(r.Numbers[size_t(i)])});
    }
  } else if (column == 4 && r.IsChecked()) {
    for (uint8_t n : r.DrawResult) pieces.push_back({std::to_string(n), matched(n)});
  }
  return pieces;
}

}  // namespace vetrilo
