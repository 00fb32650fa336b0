#include <filesystem>
#include <random>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "stakes/stake_store.h"

namespace vetrilo {

// A run's stakes in the program's stake file; the list repaints when the run
// says so, not per record.
class TSessionRunStakes : public TRunStakeStore {
 public:
  explicit TSessionRunStakes(TAppSession& session) : session_(session) {}

  bool LastIsStake() override {
    const TStakeFile& file = session_.stakes_.File;
    return file.Count() > 0 && file.Read(2, -1).IsStake();
  }
  void AppendSeparator() override { AppendStake(session_.stakes_.File, TStakeRec::Separator(), 1); }
  bool Has(int32_t drawNumber, TComb comb) override {
    return FindStake(session_.stakes_.File, drawNumber, CombToNumSet(comb).Numbers);
  }
  void Append(const TRunStake& stake, bool bulk) override {
    TStakeRec rec;
    rec.Kind = kStakeScript;
    rec.DrawNumber = stake.DrawNumber;
    rec.SampleSize = stake.SampleSize;
    rec.SetNumbers(stake.Comb);
    rec.Profit = session_.statList_.StakeOutcome(4, -1);
    rec.Comment = stake.Comment;
    AppendStake(session_.stakes_.File, rec, 1);
    if (!bulk || session_.options_.StakesScrollEnabled) session_.stakesScroll_ = true;
  }
  void Empty() override {
    EmptyStakes(session_.stakes_.File);
    session_.Notify(kChangeStakes);
  }
  void Check() override {
    session_.SyncStakeSettings();
    const int64_t checked = session_.stakes_.Check(session_.archive_, *session_.hooks_);
    session_.Notify(kChangeStakes | (checked > 0 ? kChangeRatings : 0u));
  }
  void Refresh() override { session_.Notify(kChangeStakes); }

 private:
  TAppSession& session_;
};

std::unique_ptr<TRunStakeStore> TAppSession::StakeFileStore() {
  return std::make_unique<TSessionRunStakes>(*this);
}

TRunEnd TAppSession::RunScript(int testDraws, uint64_t seed, TRunStakeStore* store) {
  // A copy: the lines stay as they were when the run started.
  const std::vector<std::string> lines = script_;
  return RunScriptLines(lines, testDraws, seed, store);
}

TRunEnd TAppSession::RunScriptLines(const std::vector<std::string>& lines, int testDraws,
                                    uint64_t seed, TRunStakeStore* store) {
  TSessionRunStakes fileStakes(*this);
  TScriptRunner::TSettings settings;
  settings.LogEnabled = options_.ScriptLogEnabled;
  settings.CheckOnLine = options_.StakesCheckOnLine;
  settings.Seed = seed;
  TScriptRunner runner(*this, store ? *store : fileStakes, scriptRun_, settings);
  runner_ = &runner;
  TRunEnd end;
  try {
    end = testDraws > 0 ? runner.Test(lines, std::min(testDraws, MaxScriptTests()))
                        : runner.Forecast(lines);
  } catch (...) {
    runner_ = nullptr;
    throw;
  }
  runner_ = nullptr;
  finishedScriptLog_ = runner.LogFile();
  return end;
}

void TAppSession::RequestScriptStop(bool ask) {
  if (!CanStopScript()) return;
  if (ask && !hooks_->ConfirmDestructive(kQuestionTitle, Tr("Остановить выполнение сценария?")))
    return;
  if (runner_) runner_->RequestStopByUser();
  Notify(kChangeScriptRun);
}

void TAppSession::SetScriptLogEnabled(bool on) {
  options_.ScriptLogEnabled = on;
  SaveOption("ScriptLogEnabled", on);
  Notify(kChangeOptions);
}

void TAppSession::SetStakesCheckOnLine(bool on) {
  options_.StakesCheckOnLine = on;
  SaveOption("StakesCheckOnLine", on);
  Notify(kChangeOptions);
}

void TAppSession::DeleteScriptLogs() {
  std::vector<std::string> logs = TScriptLog::Find(paths_.Dir);
  if (logs.empty()) {
    hooks_->ShowMessage(TMessageKind::Information, Tr("Файлы журналов не найдены!"));
    return;
  }
  std::string details;
  int deleted = 0;
  {
    TBusyGuard busy(*this, Tr("Поиск файлов журналов..."));
    for (const std::string& path : logs) {
      std::error_code error;
      if (std::filesystem::remove(path, error)) {
        ++deleted;
        details += "\r" + ExtractFileName(path);
      } else {
        details += "\r" + ExtractFileName(path) + ": " + error.message();
      }
    }
  }
  const std::string summary =
      Format(Tr("Удалено файлов журналов: %d из %d."), {deleted, int(logs.size())}) + "\r" +
      details;
  hooks_->ShowMessage(deleted == int(logs.size()) ? TMessageKind::Information : TMessageKind::Error,
                      summary);
}

}  // namespace vetrilo
