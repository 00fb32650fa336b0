#include <algorithm>
#include <filesystem>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "stakes/system_store.h"

namespace vetrilo {

void TAppSession::SetTablesShown(bool on) {
  options_.TabTables = on;
  SaveOption("TabTables", on);
  if (on) {
    LoadTables();
  } else {
    tables_.clear();
  }
  Notify(kChangeTables | kChangeOptions);
}

bool TAppSession::LoadTables() {
  TBusyGuard busy(*this, Tr("Загрузка файла регулярных ставок..."));
  std::string warning;
  try {
    tables_ = ReadTablesFile(TablesFile(), &warning);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка чтения файла регулярных ставок!\r\r%s"), {e.Message()}));
    return false;
  }
  if (!warning.empty()) hooks_->ShowMessage(TMessageKind::Warning, warning);
  Notify(kChangeTables);
  return true;
}

bool TAppSession::SaveTables() {
  if (!options_.TabTables) return true;
  TBusyGuard busy(*this, Tr("Сохранение файла регулярных ставок..."));
  try {
    WriteTablesFile(TablesFile(), tables_);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка записи в файл регулярных ставок!\r\r%s"), {e.Message()}));
    return false;
  }
  return true;
}

std::vector<std::string> TAppSession::TableNames() const {
  std::vector<std::string> names;
  for (const TTableRec& t : tables_) names.push_back(t.Name);
  return names;
}

int TAppSession::AddTables(const TTableDialogInput& input, const std::vector<int>& selectedRows) {
  if (!options_.TabTables) return 0;
  std::vector<TSelectedComb> selected;
  std::vector<int> rows = selectedRows;
  std::sort(rows.begin(), rows.end());
  for (const int row : rows) {
    if (row >= 0 && row < combs_.Count())
      selected.push_back({combs_.Combs()[size_t(row)], row + 1});
  }
  std::vector<TTableRec> added;
  {
    TBusyGuard busy(*this, Tr("Создание регулярных ставок..."));
    added = NewTables(input, selected, tables_);
    tables_.insert(tables_.end(), added.begin(), added.end());
    SaveTables();
  }
  Notify(kChangeTables);
  return int(added.size());
}

bool TAppSession::DeleteTables(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  if (rows.empty()) return false;
  if (!hooks_->ConfirmDestructive(kDeleteQuestionTitle,
                                  DeleteRecordsQuestion(int64_t(rows.size()))))
    return false;
  bool ok = true;
  {
    TBusyGuard busy(*this, Tr("Удаление регулярных ставок..."));
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
      if (*it < 0 || size_t(*it) >= tables_.size()) {
        ShowError(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {*it}));
        ok = false;
        break;
      }
      tables_.erase(tables_.begin() + *it);
    }
    ok = SaveTables() && ok;
  }
  Notify(kChangeTables);
  return ok;
}

std::pair<TTableRec, TStakeRec> TAppSession::PrepareTableStake(int index) const {
  if (index < 0 || size_t(index) >= tables_.size()) {
    throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
  }
  TTableRec table = tables_[size_t(index)];
  const int newest = LastIndex();
  std::array<uint8_t, 4> draw{};
  int32_t number = 0;
  if (newest >= 0) {
    draw = archive_.Draws[size_t(newest)].Balls;
    number = archive_.Draws[size_t(newest)].Number;
  }
  AdvanceTable(table, draw);
  return {table, TableStake(table, number, combs_.Count(), statList_.StakeOutcome(4, -1))};
}

bool TAppSession::CommitTableStake(int index, const TTableRec& advanced, const TStakeRec& rec,
                                   int draws) {
  if (index < 0 || size_t(index) >= tables_.size()) return false;
  tables_[size_t(index)] = advanced;
  SaveTables();
  Notify(kChangeTables);
  return AddStake(rec, draws);
}

bool TAppSession::TestTables(const std::vector<int>& rows, int draws) {
  if (rows.empty() || draws <= 0) return false;
  bool ok = true;
  {
    TBusyGuard busy(*this, Tr("Создание ставок по регулярным табличным ставкам..."));
    try {
      RunTableTest(tables_, rows, std::min(draws, MaxScriptTests()), archive_, stakes_.File,
                   combs_.Count(), statList_.StakeOutcome(4, -1));
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      ok = false;
    }
    SaveTables();
  }
  if (ok) {
    CheckStakes();
    stakesScroll_ = true;
  }
  Notify(kChangeTables | kChangeStakes);
  return ok;
}

TSystemLines TAppSession::MakeSystemDesign(
    int nums, int block, double timeLimit, uint64_t seed,
    const std::function<bool(const TDesignProgress&)>& progress) {
  TBusyGuard busy(*this, Tr("Построение системы..."));
  TDesignOptions options;
  options.Nums = nums;
  options.Block = block;
  options.Seed = seed;
  options.TimeLimit = timeLimit;
  options.Progress = [&](const TDesignProgress& p) {
    hooks_->SetStatus(Format(Tr("Построение системы: %d комбинаций"), {p.Best}));
    const bool go = !progress || progress(p);
    return go && !hooks_->StopRequested();
  };
  return MakeSystem(options);
}

bool TAppSession::SaveDesignedSystem(const TSystemLines& lines, int nums, int block) {
  const std::string dir = paths_.SystemsDir();
  const std::string name = SystemFileName(nums, block, 0);
  std::vector<std::string> others;
  {
    std::error_code error;
    const std::string prefix = Format("%d-%.2d-", {4, nums});
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end;
         it.increment(error)) {
      const std::string other = it->path().filename().string();
      if (other != name && SystemNumsFromFileName(other) == nums) others.push_back(other);
    }
  }
  if (!others.empty() &&
      !hooks_->ConfirmDestructive(
          kQuestionTitle,
          Format(Tr("Для %d чисел уже сохранена система \"%s\".\r\rЗаменить её построенной?"),
                 {nums, others.front()}))) {
    return false;
  }
  TBusyGuard busy(*this, Tr("Сохранение системы..."));
  try {
    ForceDirectory(dir);
    SaveFileAtomic(JoinPath(dir, name), SystemFileText(lines));
    for (const std::string& other : others) {
      std::error_code error;
      std::filesystem::remove(JoinPath(dir, other), error);
      if (error) throw EVetrilo(OsErrorText(JoinPath(dir, other), error.value()));
    }
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения системы!\r\r%s"), {e.Message()}));
    return false;
  }
  return true;
}

bool TAppSession::StakeDesignedSystem(const TSystemLines& lines, int nums, int block, int draws) {
  const std::vector<uint8_t> numbers = CollectNumbers(combs_.Combs());
  if (int(numbers.size()) != nums) {
    ShowError(Format(Tr("В списке комбинаций %d чисел, а система построена для %d чисел!"),
                     {int(numbers.size()), nums}));
    return false;
  }
  std::vector<TComb> combs;
  for (const TSystemLine& line : lines) {
    combs.push_back(SortComb(MakeComb(numbers[line[0] - 1], numbers[line[1] - 1],
                                      numbers[line[2] - 1], numbers[line[3] - 1])));
  }
  bool ok = true;
  {
    TBusyGuard busy(*this, Tr("Создание ставок..."));
    const std::string comment = Format(Tr("Системная игра для %d чисел [вся система]: %s"),
                                       {nums, ChangeFileExt(SystemFileName(nums, block, 0), "")});
    try {
      // The series stands apart from the stakes before it.
      if (stakes_.File.Count() > 0 && stakes_.File.Read(2, -1).IsStake()) {
        stakes_.File.Append(TStakeRec::Separator().Bytes());
      }
    } catch (const EVetrilo& e) {
      ShowError(e.Message());
      ok = false;
    }
    for (const TComb comb : combs) {
      if (!ok) break;
      try {
        TStakeRec rec = NewManualStake(comb);
        rec.Kind = kStakeSystem;
        rec.Comment = comment;
        rec.SampleSize = int32_t(combs.size());
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
    stakesScroll_ = true;
  }
  Notify(kChangeStakes);
  return ok;
}

}  // namespace vetrilo
