#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/combinatorics.h"
#include "core/draw_archive.h"
#include "core/ui_hooks.h"
#include "stakes/stake_file.h"

namespace vetrilo {

// Prices of the stake check: the ticket price and the prize table.
struct TStakePrices {
  TMoney Cost = 0;
  std::vector<TProfitLevel> Profits;
};

// Draw number -> archive index of its first draw, built once per check.
class TDrawIndex {
 public:
  explicit TDrawIndex(const TDrawArchive& archive);
  int Find(int32_t number) const;

 private:
  int64_t base_ = 0;
  std::vector<int32_t> direct_;                      // dense numbering
  std::vector<std::pair<int32_t, int32_t>> sorted_;  // anything else
};

// A stake is checked when it is not yet, is for a draw (> 0) with at least 4
// numbers, and that draw is in the archive.
bool IsCheckCandidate(const uint8_t* record);
// Writes the check's fields into a record in place: Checked, DrawResult,
// Matches (of the 4 stored numbers), Profit. Nothing else changes.
void ApplyCheck(uint8_t* record, const TDrawRec& draw, const TStakePrices& prices);

// Checks every candidate against the whole archive (the draw offset does not
// matter) and writes the file once. `onChecked` gets each checked record after
// the file was written (ratings, logs). Returns the number checked. Throws
// EVetrilo "Ошибка проверки ставок!..." (the file keeps its old content).
int64_t CheckStakes(TStakeFile& file, const TDrawArchive& archive, const TStakePrices& prices,
                    TUiHooks& hooks, const std::function<void(const TStakeRec&)>& onChecked);

}  // namespace vetrilo
