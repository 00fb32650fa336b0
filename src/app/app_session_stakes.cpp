#include <random>

#include "app/app_session.h"
#include "app/list_columns.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "stakes/stake_dialog.h"

namespace vetrilo {

void TAppSession::SyncStakeSettings() {
  stakes_.Prices = {statList_.Cost, statList_.Profits};
  stakes_.LogEnabled = options_.StakesLogEnabled;
  stakes_.Log = {paths_.Dir, paths_.BaseName};
  stakes_.RatingsPath = paths_.File(".lrt");
}

bool TAppSession::OpenStakeFile(std::string* error) {
  SyncStakeSettings();
  const TListColumns columns =
      ReadListColumns(frmAtStart_, kMainSection, "lvRatings", kRatingColumns);
  const TRatingsSort sort = StoredRatingsSort(columns.Sort);
  stakes_.SetSort(sort.Column, sort.Descending);
  TBusyGuard busy(*this, Tr("Загрузка файла ставок..."));
  folderBusy_ = false;
  try {
    stakes_.File.Open(paths_.StakesFile(), true);
  } catch (const EFolderLocked& e) {
    folderBusy_ = true;
    if (error) *error = e.Message();
    return false;
  } catch (const EVetrilo& e) {
    if (error) *error = e.Message();
    return false;
  }
  try {
    const std::string warning = ApplyStakesStartRule(stakes_.File);
    if (!warning.empty()) hooks_->ShowMessage(TMessageKind::Warning, warning);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка чтения файла ставок!\r\r%s"), {e.Message()}));
  }
  stakesScroll_ = true;
  Notify(kChangeStakes);
  return true;
}

void TAppSession::LoadRatingsAtStart() {
  TBusyGuard busy(*this, "");
  stakes_.LoadRatings(*hooks_);
  Notify(kChangeRatings);
}

int32_t TAppSession::NextStakeDraw() const {
  if (archive_.Count() == 0) return 1;
  return archive_.Draws[size_t(LastIndex())].Number + 1;
}

TStakeRec TAppSession::NewManualStake(TComb comb) const {
  TStakeRec r;
  r.Kind = kStakeManual;
  r.DrawNumber = NextStakeDraw();
  r.Comment = std::string(kManualStakeComment);
  r.SampleSize = combs_.Count();
  r.SetNumbers(comb);
  r.Profit = statList_.StakeOutcome(r.NumbersCount, -1);
  return r;
}

TComb TAppSession::RandomComb() {
  const int count = combs_.Count();
  if (count == 0) return 0;
  static std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<int> pick(0, count - 1);
  return combs_.Combs()[size_t(pick(generator))];
}

bool TAppSession::AddStake(const TStakeRec& rec, int draws) {
  {
    TBusyGuard busy(*this, Tr("Создание ставки..."));
    try {
      AppendStake(stakes_.File, rec, draws);
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      Notify(kChangeStakes);
      return false;
    }
  }
  CheckStakes();
  stakesScroll_ = true;
  Notify(kChangeStakes);
  return true;
}

bool TAppSession::AddStakes(const std::vector<TComb>& combs, int32_t draw,
                            const std::string& comment, int draws) {
  bool ok = true;
  {
    TBusyGuard busy(*this, Tr("Создание ставок..."));
    for (TComb comb : combs) {
      try {
        TStakeRec rec = NewManualStake(comb);
        rec.DrawNumber = draw;
        rec.Comment = comment;
        AppendStake(stakes_.File, rec, draws);
      } catch (const EVetrilo& e) {
        ShowError(e.Message());
        ok = false;
        break;
      }
    }
  }
  if (ok) {
    CheckStakes();
    stakesScroll_ = options_.StakesScrollEnabled;
  }
  Notify(kChangeStakes);
  return ok;
}

int64_t TAppSession::CheckStakes() {
  SyncStakeSettings();
  int64_t checked = -1;
  {
    TBusyGuard busy(*this, Tr("Проверка результатов ставок..."));
    try {
      checked = stakes_.Check(archive_, *hooks_);
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
    }
  }
  Notify(kChangeStakes | (checked > 0 ? kChangeRatings : 0u));
  return checked;
}

bool TAppSession::RewriteStakes(const std::function<void()>& rewrite) {
  {
    TBusyGuard busy(*this, Tr("Удаление ставок..."));
    try {
      rewrite();
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      Notify(kChangeStakes);
      return false;
    }
  }
  CheckStakes();
  return true;
}

bool TAppSession::DeleteStakeRows(int64_t first, int64_t last) {
  if (first < 1 || last < first || last > stakes_.File.Count()) return false;
  if (!hooks_->ConfirmDestructive(kDeleteQuestionTitle, DeleteRecordsQuestion(last - first + 1)))
    return false;
  return RewriteStakes([&] { vetrilo::DeleteStakeRows(stakes_.File, first, last); });
}

bool TAppSession::DeleteStakesWhere(TStakeCondition condition, int value) {
  return RewriteStakes([&] { vetrilo::DeleteStakesWhere(stakes_.File, condition, value); });
}

bool TAppSession::ClearStakes() {
  if (!HasStakes() || !hooks_->ConfirmDestructive(kDeleteQuestionTitle,
                                                  DeleteRecordsQuestion(stakes_.File.Count())))
    return false;
  {
    TBusyGuard busy(*this, Tr("Удаление ставок..."));
    try {
      EmptyStakes(stakes_.File);
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка удаления записи из файла ставок!\r\r%s"), {e.Message()}));
      Notify(kChangeStakes);
      return false;
    }
  }
  Notify(kChangeStakes);
  RefreshRatings();
  return true;
}

bool TAppSession::RefreshRatings() {
  if (stakes_.Ratings.Count() > 0 &&
      !hooks_->ConfirmDestructive(
          kQuestionTitle,
          Tr("Пересчитать рейтинг только по текущим ставкам?\r\rНакопленные ранее данные "
             "по удаленным ставкам будут потеряны."))) {
    return false;
  }
  bool ok = false;
  {
    TBusyGuard busy(*this, Tr("Обновление рейтинга..."));
    ok = stakes_.RebuildRatings(*hooks_);
  }
  Notify(kChangeRatings);
  return ok;
}

void TAppSession::SetRatingsSort(int column, bool descending) {
  stakes_.SetSort(column, descending);
  {
    TBusyGuard busy(*this, "");
    stakes_.SortAndSaveRatings(*hooks_);
  }
  Notify(kChangeRatings);
}

void TAppSession::SortRatingsBy(int column) {
  if (!RatingColumnSorts(column)) return;
  const bool descending = stakes_.SortColumn == column && !stakes_.SortDescending;
  SetRatingsSort(column, descending);
}

void TAppSession::SetRatingsEffMode(int mode) {
  if (mode < 0 || mode > 2) return;
  options_.RatingsEffMode = mode;
  try {
    FrmFile().WriteInteger(kMainSection, "RatingsEffMode", mode);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
  Notify(kChangeRatings | kChangeOptions);
}

void TAppSession::SetStakesScrollEnabled(bool on) {
  options_.StakesScrollEnabled = on;
  SaveOption("StakesScrollEnabled", on);
  Notify(kChangeOptions);
}

void TAppSession::SetStakesLogEnabled(bool on) {
  options_.StakesLogEnabled = on;
  stakes_.LogEnabled = on;
  SaveOption("StakesLogEnabled", on);
  Notify(kChangeOptions);
}

void TAppSession::DeleteStakeLogs() {
  SyncStakeSettings();
  TBusyGuard busy(*this, "");
  stakes_.Log.DeleteAll(*hooks_);
}

std::vector<std::string> TAppSession::RatingLabels(const std::vector<int>& rows) const {
  std::vector<std::string> labels;
  for (int row : rows) {
    if (row >= 0 && row < stakes_.Ratings.Count())
      labels.push_back(stakes_.Ratings.Item(row).Label);
  }
  return labels;
}

bool TAppSession::ExportRatingsCsv(const std::string& path, char point) {
  TBusyGuard busy(*this, Tr("Экспорт в CSV-файл..."));
  try {
    SaveFileAtomic(path, RatingsCsv(stakes_.Ratings, point));
    return true;
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка записи в файл \"%s\"!\r\r%s"), {path, e.Message()}));
    return false;
  }
}

TGraphData TAppSession::ProfitChartData() {
  TBusyGuard busy(*this, Tr("Создание графиков..."));
  return ProfitChart(ProfitPerDraw(stakes_.File));
}

TGraphData TAppSession::RatedStakesChartData(const std::vector<int>& ratingRows, bool overlap) {
  TBusyGuard busy(*this, Tr("Создание графиков..."));
  return RatedStakesChart(stakes_.File, RatingLabels(ratingRows), overlap);
}

TGraphData TAppSession::RatingsOverlapChartData(const std::vector<int>& ratingRows) {
  TBusyGuard busy(*this, Tr("Создание графиков..."));
  std::vector<TRatingRec> chosen;
  for (int row : ratingRows) {
    if (row >= 0 && row < stakes_.Ratings.Count()) chosen.push_back(stakes_.Ratings.Item(row));
  }
  return RatingsOverlapChart(chosen);
}

}  // namespace vetrilo
