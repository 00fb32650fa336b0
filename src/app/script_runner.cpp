#include "app/script_runner.h"

#include <algorithm>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "scripts/script_level.h"
#include "scripts/script_list_view.h"
#include "stakes/system_store.h"
#include "workspace/comb_filter.h"

namespace vetrilo {
namespace {

const std::string kDashLine(94, '-');
const std::string kEqualsLine(94, '=');

constexpr std::string_view kRunStatus = "Выполнение сценария...";
constexpr std::string_view kTooManyVariants =
    "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\r"
    "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а "
    "затем повторите попытку.";

std::optional<int64_t> CellInteger(const std::string& text) {
  const auto v = StrToIntStrict(Trim(text));
  if (!v) return std::nullopt;
  return *v;
}

double CellDecimal(const std::string& text) {
  const std::string t = Trim(text);
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  return !t.empty() && end == t.c_str() + t.size() ? v : 0.0;
}

std::string RowLogText(const std::array<std::string, kDrawStatsColumns>& c) {
  return Format(
      Tr("< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >"),
      {c[kDsValue], c[kDsCount], c[kDsCountPct], c[kDsDeviation], c[kDsDeviationPct], c[kDsAgo],
       c[kDsAgoPct], c[kDsWeight]});
}

}  // namespace

std::array<std::string, 5> ScriptRunPanels(const TScriptRunState& state, int lineCount) {
  return {ScriptLineCountText(lineCount), Format(Tr("Цикл: %d"), {state.Cycle}),
          Format(Tr("Строка: %d"), {state.Line}), Format(Tr("Ставок: %d"), {state.StakesMade}),
          state.Activity};
}

TScriptRunner::TScriptRunner(TAppSession& session, TRunStakeStore& stakes, TScriptRunState& state,
                             TSettings settings)
    : session_(session),
      stakes_(stakes),
      state_(state),
      settings_(std::move(settings)),
      log_(
          session.Paths().Dir, [this](const std::string& text) { session_.ShowError(text); },
          settings_.Clock),
      random_(settings_.Seed) {}

TScriptRunner::~TScriptRunner() = default;

uint64_t TScriptRunner::UniformIndex(std::mt19937_64& generator, uint64_t count) {
  // Rejection of the top partial range keeps every index equally likely.
  const uint64_t limit = UINT64_MAX - UINT64_MAX % count;
  uint64_t x;
  do {
    x = generator();
  } while (x >= limit);
  return x % count;
}

bool TScriptRunner::Stopping() const {
  return state_.StopRequested || session_.Hooks().StopRequested();
}

void TScriptRunner::Log(const std::string& message) {
  log_.Write(message);
}

void TScriptRunner::LogF(std::string_view format, std::initializer_list<TFmtArg> args) {
  // Most runs keep no log: their texts are not made.
  if (log_.Active()) log_.Write(Format(format, args));
}

void TScriptRunner::RequestStopByUser() {
  Log(
      Tr("### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО "
         "#############################################################"));
  RequestStop();
}

void TScriptRunner::SetActivity(std::string text) {
  state_.Activity = std::move(text);
  ShowPanels();
}

void TScriptRunner::ShowPanels(bool pump) {
  session_.Notify(kChangeScriptRun);
  // The status repaint is where the screen takes input ("Стоп").
  if (pump) session_.SetStatus(Tr(kRunStatus));
}

void TScriptRunner::Fail(const std::string& text) {
  RequestStop();
  errorEnded_ = true;
  session_.ShowError(text);
}

void TScriptRunner::Begin() {
  busy_ = std::make_unique<TBusyGuard>(session_, Tr(kRunStatus));
  if (settings_.LogEnabled) {
    log_.Start();
    state_.LogFileName = log_.FileName();
    Log(
        Tr("### ЗАПУСК СЦЕНАРИЯ "
           "##########################################################################"));
    // The seed lets a run's random choices be made again.
    Log(Tr("Начальное значение генератора случайных чисел: ") + std::to_string(settings_.Seed));
  }
  state_.Running = true;
  state_.StopRequested = false;
  state_.StakesMade = 0;
  state_.Line = 0;
  errorEnded_ = stopLine_ = false;
  // The engine's weights come back at the end whatever the run ends by.
  session_.StatList().SaveCdl();
  // The method selector's items: the list does not change while the run lasts.
  methodItems_ = DrawStatsMethodItems(session_.StatList());
  savedSortColumn_ = session_.DrawStats().SortColumn;
  savedSortDescending_ = session_.DrawStats().SortDescending;
  SetActivity(Tr(kRunStatus));
}

TRunEnd TScriptRunner::Finish() {
  const bool stopped = Stopping();
  if (!stopped) state_.Activity = Tr("Сценарий завершен!");
  state_.Running = false;
  state_.StopRequested = false;
  state_.Cycle = 0;
  state_.Line = 0;
  session_.DrawStats().SortColumn = savedSortColumn_;
  session_.DrawStats().SortDescending = savedSortDescending_;
  session_.StatList().RestoreCdl();
  if (log_.Active()) {
    Log(
        Tr("### ЗАВЕРШЕНИЕ СЦЕНАРИЯ "
           "######################################################################"));
    finishedLog_ = log_.FileName();
    log_.End();
    state_.LogFileName.clear();
  }
  busy_.reset();
  session_.Notify(kChangeScriptRun | kChangeDrawStats);
  if (errorEnded_) return TRunEnd::Error;
  if (stopLine_) return TRunEnd::StopLine;
  return stopped ? TRunEnd::Stopped : TRunEnd::Completed;
}

void TScriptRunner::Guarded(const std::function<void()>& work) {
  // Whatever ends the work early, the run still ends as a run: state reset,
  // sort restored, log closed.
  try {
    work();
  } catch (const EStopped&) {
    RequestStop();
  } catch (const std::exception& e) {
    if (!errorEnded_) Fail(e.what());
  }
}

void TScriptRunner::LogOffsetHeader(int offset) {
  Log(kEqualsLine);
  LogF(Tr("=== Выполнение сценария для смещения %.6d "
          "=================================================="),
       {offset});
  Log(kEqualsLine);
}

TRunEnd TScriptRunner::Forecast(const std::vector<std::string>& lines) {
  Begin();
  state_.Cycle = 1;
  Guarded([&] {
    LogOffsetHeader(session_.DrawsOffset());
    Pass(lines);
  });
  return Finish();
}

TRunEnd TScriptRunner::Test(const std::vector<std::string>& lines, int draws) {
  Begin();
  state_.Cycle = 0;
  const int savedOffset = session_.DrawsOffset();
  Guarded([&] {
    for (int v = draws; v >= 1; --v) {
      ++state_.Cycle;
      SetActivity(Tr(kRunStatus));
      if (Stopping()) break;
      session_.SetDrawsOffsetQuietly(v);
      // The offset field follows the test; the views wait for its end.
      session_.Notify(kChangeOffset);
      if (Stopping()) break;
      LogOffsetHeader(v);
      if (Stopping()) break;
      Pass(lines);
    }
  });
  // After a stop the offset stays where the test stopped.
  if (!Stopping()) session_.SetDrawsOffsetQuietly(savedOffset);
  const TRunEnd end = Finish();
  session_.Notify(kChangeOffset);
  session_.RecalcViews(false);
  return end;
}

void TScriptRunner::Pass(const std::vector<std::string>& lines) {
  TStatList& list = session_.StatList();
  try {
    if (stakes_.LastIsStake()) stakes_.AppendSeparator();
  } catch (const std::exception& e) {
    Fail(e.what());
    return;
  }
  session_.Combs().InvalidateBuffer();
  list.SaveCdl();
  for (size_t i = 0; i < lines.size() && !Stopping(); ++i) {
    if (TrimBlanks(lines[i]).empty()) continue;
    state_.Line = int(i) + 1;
    Log(kDashLine);
    LogF(Tr("Выполнение строки %.3d: \"%s\""), {int(i) + 1, lines[i]});
    Log(kDashLine);
    RunLine(int(i) + 1, lines[i]);
    state_.Line = 0;
  }
  if (!settings_.CheckOnLine) CheckStakes();
  list.RestoreCdl();
  lastCdl_.reset();
  session_.Combs().InvalidateBuffer();
}

void TScriptRunner::RunLine(int number, const std::string& text) {
  TCombWorkspace& combs = session_.Combs();
  combs.DropUndo();
  try {
    const TScriptLine line = ParseScriptLine(text, session_.StatList());
    if (!Stopping()) RunVariants(number, line);
  } catch (const EStopped&) {
    RequestStop();
  } catch (const EScriptTooLarge& e) {
    Fail(Tr(kTooManyVariants) + "\r\r" + e.Message());
  } catch (const EVetrilo& e) {
    Fail(e.Message());
  } catch (const std::exception& e) {
    Fail(e.what());
  }
  // A line ended early still has its stakes checked.
  if (Stopping() && settings_.CheckOnLine) CheckStakes();
  combs.DropUndo();
}

void TScriptRunner::RunVariants(int number, const TScriptLine& line) {
  TCombWorkspace& combs = session_.Combs();
  const std::vector<TFilterItem> filters = line.AssignedFilters();
  Log(Tr("Создание всех вариантов фильтров..."));
  state_.Line = number;
  SetActivity(Tr("Создание всех вариантов фильтров..."));
  if (filters.empty()) {
    Log(Tr("{ERROR} Фильтры не применялись!"));
    Log("");
    SetActivity(FormatLabelOptions(line.Options));
    BuildStartList(line.Options);
    LogF(Tr("Количество комбинаций в списке: %d"), {combs.Count()});
    MakeStakes(line.Options,
               VariantLabel(number, 0, line.Comment, VariantFilterText(line.Options, nullptr)));
    if (settings_.CheckOnLine) CheckStakes();
    return;
  }
  const TVariantPlan plan(filters);
  LogF(Tr("Создано %d вариантов фильтров."), {plan.Count()});
  if (Stopping()) return;
  plan.ForEach([&](int64_t k, const TFilterRec& variant) {
    const std::string variantText = FormatVariant(variant);
    Log("");
    Log(kDashLine);
    LogF(Tr("Применение набора фильтров %.3d: \"%s\""), {k, variantText});
    Log(kDashLine);
    state_.Line = number;
    SetActivity(Format(Tr("Фильтр %d из %d: %s"), {k, plan.Count(), variantText}));
    Log(Tr("Создание начального списка комбинаций..."));
    BuildStartList(line.Options);
    LogF(Tr("Количество комбинаций в списке: %d"), {combs.Count()});
    if (Stopping()) return false;
    for (const TFilterPart& part : variant) {
      if (combs.Count() <= 1 || Stopping()) break;
      if (part.Assigned) ApplyPart(part);
    }
    if (Stopping()) return false;
    MakeStakes(line.Options, VariantLabel(int(number), int(k), line.Comment,
                                          VariantFilterText(line.Options, &variant)));
    if (Stopping()) return false;
    Log(kDashLine);
    if (settings_.CheckOnLine) CheckStakes();
    return !Stopping();
  });
}

void TScriptRunner::BuildStartList(const TScriptOptions& options) {
  TCombWorkspace& combs = session_.Combs();
  const TStatList& list = session_.StatList();
  if (options.StartList == kStartFull || options.StartList == kStartExcl) {
    // Silent: the journal and the exclusion buffer stay.
    combs.GenerateCombs(list.CombsGenerateMode, list.CombsGenerateParameters, false);
  }
  if (options.StartList == kStartExcl && options.DrawsExclude > 0) {
    const int offset = session_.DrawsOffset();
    if (!combs.LoadBuffer(offset, options.DrawsExclude)) {
      combs.TakeUndo(true);
      combs.ExcludeLastDraws(options.DrawsExclude, session_.LastIndex());
      combs.SaveBuffer(offset, options.DrawsExclude);
    }
  }
  if (options.ClearStakes) stakes_.Empty();
}

void TScriptRunner::ApplyPart(const TFilterPart& part) {
  TStatList& list = session_.StatList();
  TDrawStatsState& table = session_.DrawStats();
  TCombWorkspace& combs = session_.Combs();

  std::string caption;
  int index = -1;
  for (const TMethodItem& item : methodItems_) {
    if (part.Method && &list.Item(item.Method) == part.Method) {
      index = item.Method;
      caption = item.Caption;
      break;
    }
  }
  if (index < 0) {
    std::string code = part.MethodText, methodCaption;
    for (int i = 0; part.Method && i < list.Count(); ++i) {
      if (&list.Item(i) == part.Method) {
        code = part.Method->Code();
        methodCaption = list.MethodCaption(i, true);
      }
    }
    throw EVetrilo(Format(
        Tr("Метод расчета статистики \"%s\" на найден!\r%s\r\rВозможно, Вы отключили данных метод "
           "расчета либо использовали сценарий от другой модификации программы."),
        {code, methodCaption}));
  }
  table.Method = index;
  table.SortColumn = part.SortColumn;
  table.SortDescending = true;
  table.Depth = StoredDrawsStatLen(part.DrawsLen);
  LogF(Tr("Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей..."),
       {caption, table.Depth});
  list.UseCdl(part.CDLOverride, TCdlWeights{part.CoefCount, part.CoefDeviation, part.CoefLevel,
                                            part.UsePercents, part.UseAbsValues});
  // The weights are no part of the table's key: a change of them recalculates.
  const bool forced = !lastCdl_ || !(*lastCdl_ == list.Cdl);
  lastCdl_ = list.Cdl;
  if (!session_.CalcDrawStats(forced)) {
    RequestStop();
    return;
  }
  const std::vector<TDrawStatsRow>& rows = table.Table.Rows;
  std::vector<int> order = table.Table.SortedOrder(part.SortColumn, true);
  if (log_.Active()) {
    for (const int r : order) Log(RowLogText(rows[size_t(r)].Cells));
  }
  if (part.BottomUp) std::reverse(order.begin(), order.end());

  auto stat = list.CreateStat(*part.Method);
  const TLevelTest test(part.LevelMode, part.Value);
  const bool byValue = TLevelTest::Column(part.LevelMode) < 0 && part.LevelMode != 0;
  const auto passes = [&](const TDrawStatsRow& row) {
    return test.Passes(row.Cells, byValue ? stat->ParseValue(row.Cells[kDsValue]) : 0);
  };
  // "SV" and "SP": the walk ends at a row whose count (or count %) has reached the value.
  const auto reachedValue = [&](const TDrawStatsRow& row) {
    if (part.StopMode != kStopValue && part.StopMode != kStopPercent) return false;
    const double x = part.StopMode == kStopValue
                         ? double(CellInteger(row.Cells[kDsCount]).value_or(0))
                         : CellDecimal(row.Cells[kDsCountPct]);
    return part.BottomUp ? x >= double(part.StopValue) : x <= double(part.StopValue);
  };
  const int lastIndex = session_.LastIndex();
  const bool sorted = session_.SortedDraws();
  const auto apply = [&](const TStatDrawArray& selected, const std::vector<std::string>& texts) {
    Log(part.Keep ? Tr("Оставляем выделенные значения...") : Tr("Удаляем выделенные значения..."));
    combs.TakeUndo(true);
    combs.ApplyFilter(*stat, selected, caption, JoinValueTexts(texts), !part.Keep, lastIndex,
                      sorted);
    LogF(Tr("Количество комбинаций в списке: %d"), {combs.Count()});
    if (combs.Count() > 0) return false;
    Log(Tr("{UNDO} Откат изменений..."));
    combs.RestoreUndo(true);
    combs.AddUndoMarker();
    return true;
  };

  if (part.MultiSelect) {
    TStatDrawArray selected;
    std::vector<std::string> texts;
    int visited = 0;
    for (const int r : order) {
      if (Stopping()) return;
      const TDrawStatsRow& row = rows[size_t(r)];
      if (reachedValue(row)) break;
      if (part.StopMode == kStopSteps && visited >= part.StopValue) break;
      if (passes(row)) {
        selected.Append(row.Rec);
        texts.push_back(row.Cells[kDsValue]);
        if (log_.Active()) {
          Log(Format(Tr("Шаг %.3d. Выделение строки: "), {visited + 1}) + RowLogText(row.Cells));
        }
      }
      ++visited;
    }
    if (Stopping()) return;
    apply(selected, texts);
    return;
  }
  int steps = 0;
  for (const int r : order) {
    if (Stopping()) return;
    const TDrawStatsRow& row = rows[size_t(r)];
    if (part.StopMode == kStopCombs && part.StopValue >= combs.Count()) break;
    if (reachedValue(row)) break;
    if (part.StopMode == kStopSteps && steps >= part.StopValue) break;
    if (!passes(row)) continue;
    if (log_.Active()) {
      Log(Format(Tr("Шаг %.3d. Выделение строки: "), {steps + 1}) + RowLogText(row.Cells));
    }
    TStatDrawArray selected;
    selected.Append(row.Rec);
    if (apply(selected, {row.Cells[kDsValue]})) {
      if (part.StopMode == kStopEmpty) break;
    } else {
      ++steps;
    }
  }
}

void TScriptRunner::MakeStakes(const TScriptOptions& options, const std::string& label) {
  const TCombWorkspace& combs = session_.Combs();
  LogF(Tr("{*} Добавление ставки, режим: \"%s\""), {StakeModeCaption(options.StakeMode)});
  const int count = combs.Count();
  if (count == 0 || options.StakeMode == kStakeNone) return;
  if (count > 1 && options.StakeMode == kStakeStop) {
    RequestStop();
    stopLine_ = true;
    Log(Tr("{!} Сценарий остановлен!"));
    session_.Hooks().ShowMessage(
        TMessageKind::Warning,
        Format(Tr("Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
                  "комбинаций их осталось более одной: %d!\r\rФильтры: %s"),
               {count, label}));
    return;
  }
  if (count > 1 && options.StakeMode == kStakeSkip) {
    Log(Tr("{-} Ставка игнорирована!"));
    return;
  }
  if (Stopping()) return;
  if (count == 1) {
    OneStake(combs.Comb(0), options, label, false);
  } else {
    switch (options.StakeMode) {
      case kStakeRand:
        OneStake(combs.Comb(int(UniformIndex(random_, uint64_t(count)))), options, label, false);
        break;
      case kStakeFirst:
        OneStake(combs.Comb(0), options, label, false);
        break;
      case kStakeLast:
        OneStake(combs.Comb(count - 1), options, label, false);
        break;
      case kStakeAll:
        for (int i = 0; i < count; ++i) {
          if (Stopping()) break;
          OneStake(combs.Comb(i), options, label, true);
        }
        break;
      case kStakeSysA:
      case kStakeSysC:
        SystemStakes(options, label);
        break;
    }
  }
  ShowPanels();
  stakes_.Refresh();
}

void TScriptRunner::SystemStakes(const TScriptOptions& options, const std::string& label) {
  const TCombWorkspace& combs = session_.Combs();
  const std::vector<uint8_t> numbers = CollectNumbers(combs.Combs());
  const int n = int(numbers.size());
  TFoundSystem system;
  try {
    system = FindSystem(session_.Paths().SystemsDir(), numbers);
  } catch (const ESystemNotFound& e) {
    LogF(Tr("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\""), {n, e.Message()});
    session_.ShowError(e.ShownText());
    return;
  } catch (const EVetrilo& e) {
    LogF(Tr("{#} Системная игра для %d чисел [ОШИБКА]: \"%s\""), {n, e.Message()});
    session_.ShowError(e.Message());
    return;
  }
  const bool all = options.StakeMode == kStakeSysA;
  LogF(all ? Tr("{#} Системная игра для %d чисел [все система]: загружен файл \"%s\"")
           : Tr("{#} Системная игра для %d чисел [система * комбинации]: загружен файл \"%s\""),
       {n, system.Name});
  for (const TComb comb : system.Combs) {
    if (!all && !combs.Contains(comb)) continue;
    OneStake(comb, options, label, true);
  }
}

void TScriptRunner::OneStake(TComb comb, const TScriptOptions& options, const std::string& label,
                             bool bulk) {
  TRunStake stake;
  stake.DrawNumber = session_.Archive().NextDrawNumber(session_.DrawsOffset());
  stake.Comb = SortComb(comb);
  stake.SampleSize = session_.Combs().Count();
  stake.Comment = StoredVariantLabel(label);
  const std::string numbers = CombListText(stake.Comb);
  if (options.NewOnly && stakes_.Has(stake.DrawNumber, stake.Comb)) {
    LogF(Tr("{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]"),
         {stake.DrawNumber, numbers});
    return;
  }
  stakes_.Append(stake, bulk);
  LogF(Tr("{+} Ставка на тираж %d добавлена в список ставок: [%s]"), {stake.DrawNumber, numbers});
  ++state_.StakesMade;
  const auto now = std::chrono::steady_clock::now();
  if (!bulk || now - lastStakeStatus_ > std::chrono::milliseconds(100)) {
    lastStakeStatus_ = now;
    ShowPanels();
  }
}

void TScriptRunner::CheckStakes() {
  try {
    stakes_.Check();
  } catch (const EStopped&) {
    RequestStop();
  } catch (const EVetrilo& e) {
    if (!errorEnded_) Fail(e.Message());
  }
}

}  // namespace vetrilo
