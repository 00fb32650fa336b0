#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/game.h"
#include "scripts/filter_variants.h"
#include "scripts/script_line.h"
#include "scripts/script_log.h"
#include "views/draw_stats.h"

namespace vetrilo {

class TAppSession;
class TBusyGuard;

// One stake a run makes: for the draw after the newest visible one, numbers
// ascending, the combination list's size at that moment and the variant label.
struct TRunStake {
  int32_t DrawNumber = 0;
  TComb Comb = 0;
  int32_t SampleSize = 0;
  std::string Comment;
};

// Where a run's stakes land: the stake file of the program, or a recorder.
// Failures throw EVetrilo with the text to show.
class TRunStakeStore {
 public:
  virtual ~TRunStakeStore() = default;
  virtual bool LastIsStake() = 0;  // not empty and the last record is a stake
  virtual void AppendSeparator() = 0;
  virtual bool Has(int32_t drawNumber, TComb comb) = 0;
  virtual void Append(const TRunStake& stake, bool bulk) = 0;
  virtual void Empty() = 0;  // "CLR"
  virtual void Check() = 0;  // checks every stake (feeding the ratings) and refreshes
  virtual void Refresh() {}  // the list shows the appended stakes
};

// What the script page shows of a run.
struct TScriptRunState {
  bool Running = false;
  bool StopRequested = false;
  int Cycle = 0;
  int StakesMade = 0;
  int Line = 0;          // 1-based line being run, 0 none
  std::string Activity;  // "Выполнение сценария...", "Фильтр %d из %d: %s", ...
  std::string LogFileName;
};

// The five panels of the script page's status bar: "Строк: %d", "Цикл: %d",
// "Строка: %d", "Ставок: %d" and the activity.
std::array<std::string, 5> ScriptRunPanels(const TScriptRunState& state, int lineCount);

// How a run ended.
enum class TRunEnd { Completed, Stopped, StopLine, Error };

// Runs a script through the session's own combination list, statistics table
// and filters, as a user would by hand: "Прогноз" at the current offset, "Тест"
// at the offsets N..1.
class TScriptRunner {
 public:
  struct TSettings {
    bool LogEnabled = false;   // ScriptLogEnabled
    bool CheckOnLine = true;   // StakesCheckOnLine
    uint64_t Seed = 0;         // of the "RAND" choices
    TScriptLog::TClock Clock;  // the log's time; empty: the system clock
  };

  TScriptRunner(TAppSession& session, TRunStakeStore& stakes, TScriptRunState& state,
                TSettings settings);
  ~TScriptRunner();

  TRunEnd Forecast(const std::vector<std::string>& lines);
  TRunEnd Test(const std::vector<std::string>& lines, int draws);
  // "Стоп" answered Yes: logged, and the run ends at its next step.
  void RequestStopByUser();
  // The finished run's log, empty when logging was off or nothing was written.
  const std::string& LogFile() const { return finishedLog_; }

  // Uniform index 0..count-1 of a 64-bit generator, without modulo bias.
  static uint64_t UniformIndex(std::mt19937_64& generator, uint64_t count);

 private:
  bool Stopping() const;
  void RequestStop() { state_.StopRequested = true; }
  void Begin();
  TRunEnd Finish();
  void Fail(const std::string& text);
  void Log(const std::string& message);
  void LogF(std::string_view format, std::initializer_list<TFmtArg> args);
  void SetActivity(std::string text);
  void ShowPanels(bool pump = true);
  void Guarded(const std::function<void()>& work);
  void LogOffsetHeader(int offset);
  void Pass(const std::vector<std::string>& lines);
  void RunLine(int number, const std::string& text);
  void RunVariants(int number, const TScriptLine& line);
  void BuildStartList(const TScriptOptions& options);
  void ApplyPart(const TFilterPart& part);
  void MakeStakes(const TScriptOptions& options, const std::string& label);
  void SystemStakes(const TScriptOptions& options, const std::string& label);
  void OneStake(TComb comb, const TScriptOptions& options, const std::string& label, bool bulk);
  void CheckStakes();

  TAppSession& session_;
  TRunStakeStore& stakes_;
  TScriptRunState& state_;
  TSettings settings_;
  TScriptLog log_;
  std::mt19937_64 random_;
  std::unique_ptr<TBusyGuard> busy_;
  int savedSortColumn_ = -1;
  bool savedSortDescending_ = false;
  bool errorEnded_ = false;
  bool stopLine_ = false;
  std::optional<TCdlWeights> lastCdl_;
  std::vector<TMethodItem> methodItems_;
  std::chrono::steady_clock::time_point lastStakeStatus_{};
  std::string finishedLog_;
};

}  // namespace vetrilo
