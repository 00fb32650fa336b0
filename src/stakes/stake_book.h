#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/draw_archive.h"
#include "core/ui_hooks.h"
#include "scripts/ratings.h"
#include "stakes/stake_check.h"
#include "stakes/stake_file.h"
#include "stakes/stake_log.h"

namespace vetrilo {

// The player's books of one program folder: the open stake file, the ratings
// it feeds, the prices and the logs. The program's session and the
// command-line tool both work through it; messages go through the hooks.
class TStakeBook {
 public:
  TStakeFile File;
  TRatings Ratings;
  TStakePrices Prices;
  TStakeLog Log;
  bool LogEnabled = false;
  std::string RatingsPath;
  // The ratings list's sort (default "Среднее", descending).
  int SortColumn = TRatingsSort{}.Column;
  bool SortDescending = TRatingsSort{}.Descending;
  // The time stamp of log lines.
  std::function<std::string()> Now = NowLogTime;

  // CheckStakes: every newly checked stake goes to the ratings and, when
  // enabled, its log; the ratings are then sorted and saved. Throws
  // "Ошибка проверки ставок!..." (nothing fed then).
  int64_t Check(const TDrawArchive& archive, TUiHooks& hooks);

  // Sorted by the list's column and saved; a failed save is shown ("Ошибка
  // записи в файл рейтинга!...") and answers false.
  bool SortAndSaveRatings(TUiHooks& hooks);
  void SetSort(int column, bool descending) {
    SortColumn = column;
    SortDescending = descending;
  }
  // At start: the file when it exists, then sorted and saved. A failure is
  // shown and the list keeps what it had.
  bool LoadRatings(TUiHooks& hooks);
  // Rebuilt from the checked stakes of the file, sorted and saved. A failure
  // is shown ("Ошибка обновления рейтинга!...") and leaves the list as it was.
  bool RebuildRatings(TUiHooks& hooks);
};

}  // namespace vetrilo
