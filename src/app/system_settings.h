#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/combinatorics.h"
#include "stats/stat_list.h"

namespace vetrilo {

// The copy of the engine settings that the dialog "Параметры системы" edits; it
// replaces the registry's settings only when the user confirms.
struct TSystemSettings {
  static constexpr int kMinMatrixCols = 1, kMaxMatrixCols = 47;
  static constexpr int kMinChannelSize = 3, kMaxChannelSize = 47;
  static constexpr int kPrizeRows = 5;  // matches 0..4

  int MatrixCols = 8;
  std::array<uint8_t, 47> Segments{};  // segment of numbers 1..47 at [n - 1]
  int ChannelSize = 8;
  TMoney Cost = 0;
  // Row i is the prize for i matched numbers.
  std::array<TMoney, kPrizeRows> Prizes{};
  TCdlWeights Cdl;
  // Address "Сайт лотереи" opens ([GLOBAL] LotterySite); empty: the item is off.
  std::string LotterySite;
  // Address of the operator's result search ([GLOBAL] ResultsSite); empty: no downloads.
  std::string ResultsSite;

  // Row i shows the prize of the level whose Overlap is i (0 when there is none).
  static TSystemSettings FromList(const TStatList& list);

  int MatrixRows() const;
  // The number a cell of the segment grid stands for; 0 for cells beyond 47.
  int CellNumber(int row, int column) const;
  // A typed segment cell: empty counts as 1; anything but 1..9 gives the
  // message and the cell becomes "1".
  static std::optional<std::string> SegmentCellError(std::string_view text);
  static uint8_t SegmentOfCellText(std::string_view text);

  std::string PrizeRowText(int row) const;  // "%d=%.2f"
  // A typed amount: decimal with "." or ","; 0 when it is not a number.
  static TMoney ParseAmount(std::string_view text);

  // A typed site address: empty or a web address (http:// or https://); the
  // message when it is neither.
  static std::optional<std::string> LotterySiteError(std::string_view address);
  static std::optional<std::string> ResultsSiteError(std::string_view address);

  // Stores the settings in the registry: every prize row becomes a level
  // {Overlap = row, Profit}.
  void ApplyTo(TStatList& list) const;
};

}  // namespace vetrilo
