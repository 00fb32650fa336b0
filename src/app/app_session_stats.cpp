// The session's part of the draw statistics view: its options, its state and
// its calculation.
#include <algorithm>
#include <exception>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

void TAppSession::LoadDrawStatsOptions() {
  drawStats_.Depth = StoredDrawsStatLen(options_.DrawsStatLen);
  if (!options_.PrefetchsInit) {
    options_.PrefetchsInit = true;
    try {
      FrmFile().Update([&](TIniData& data) {
        data.WriteBool(kMainSection, "PrefetchsInit", true);
        data.WriteBool(kMainSection, "PrefetchsEnabled", options_.PrefetchsEnabled);
      });
    } catch (const EVetrilo& e) {
      ShowError(Format(Tr("Ошибка загрузки параметров программы!\r\r%s"), {e.what()}));
    }
  }
  ChooseDrawStatsMethod(options_.DrawsStatType);
}

void TAppSession::ChooseDrawStatsMethod(std::string_view code) {
  const std::vector<TMethodItem> items = DrawStatsMethodItems(statList_);
  const int wanted = code.empty() ? -1 : statList_.FindByCode(code);
  const bool listed = std::any_of(items.begin(), items.end(),
                                  [&](const TMethodItem& item) { return item.Method == wanted; });
  drawStats_.Method = listed ? wanted : items.empty() ? -1 : items.front().Method;
  drawStats_.Key = TDrawStatsKey();
}

void TAppSession::SelectDrawStatsMethod(int method) {
  drawStats_.Method = method >= 0 && method < statList_.Count() ? method : -1;
  if (drawStats_.Method >= 0) options_.DrawsStatType = statList_.Item(drawStats_.Method).Code();
  RecalcViews(false);
}

void TAppSession::ApplyDrawsStatLen(int depth) {
  SetDrawsStatLen(depth);
  RecalcViews(false);
}

void TAppSession::RefreshDrawStats() {
  RecalcViews(true);
}

void TAppSession::SetDrawStatsSort(int column, bool descending) {
  if (column < -1 || column >= kDrawStatsColumns) return;
  drawStats_.SortColumn = column;
  drawStats_.SortDescending = column >= 0 && descending;
  Notify(kChangeDrawStats);
}

void TAppSession::SortDrawStatsBy(int column) {
  const TDrawStatsState& s = drawStats_;
  SetDrawStatsSort(column, s.SortColumn == column && !s.SortDescending);
}

void TAppSession::SetPrefetchsEnabled(bool on) {
  options_.PrefetchsEnabled = on;
  SaveOption("PrefetchsEnabled", on);
  Notify(kChangeOptions);
  RefreshDistributions(false, 0);
  CalcDrawStats(true);
}

void TAppSession::SetShowTotalLine(bool on) {
  options_.ShowTotalLine = on;
  SaveOption("ShowTotalLine", on);
  Notify(kChangeOptions);
  TBusyGuard busy(*this, Tr("Создание графиков..."));
  drawStats_.Table.Chart = TDrawStatsChart();
  Notify(kChangeDrawStats);
  CalcDrawStats(true);
}

void TAppSession::SetDrawsStatLen(int depth) {
  drawStats_.Depth = std::clamp(depth, kMinDrawsStatLen, kMaxDrawsStatLen);
  options_.DrawsStatLen = drawStats_.Depth;
}

bool TAppSession::CalcDrawStats(bool forced) {
  TDrawStatsState& s = drawStats_;
  const TDrawStatsKey key{archive_.Count(), drawsOffset_, s.Depth, s.Method};
  if (!forced && key == s.Key) return true;
  s.Key = key;
  if (!HasDrawStatsMethods(statList_)) return true;
  struct TNotifyOnExit {
    TAppSession& Session;
    ~TNotifyOnExit() { Session.Notify(kChangeDrawStats); }
  } notify{*this};
  s.Table.Clear();
  if (s.Method < 0 || s.Method >= statList_.Count() || archive_.Count() == 0) return true;

  TBusyGuard busy(*this, Tr("Анализ тиражей и расчет статистики..."));
  const TStatMethod& method = statList_.Item(s.Method);
  auto stat = statList_.CreateStat(method);
  try {
    const std::optional<TDistribution> dist =
        OpenDistribution(statList_, method, PrefetchPlace(), options_.PrefetchsEnabled, *hooks_);
    SetStatus(Tr("Анализ тиражей и расчет статистики..."));
    TDrawStatsInput input;
    input.Archive = &archive_;
    input.LastIndex = LastIndex();
    input.Depth = s.Depth;
    input.Sorted = options_.SortedDraws;
    input.Cdl = statList_.Cdl;
    input.ShowTotalLine = options_.ShowTotalLine;
    input.Hooks = hooks_;
    BuildDrawStats(*stat, input, dist ? &*dist : nullptr, s.Table);
  } catch (const EStopped&) {
    // Not computed: the next recalculation runs again whatever its key.
    s.Key = TDrawStatsKey();
    return false;
  }
  return true;
}

bool TAppSession::RefreshDistributions(bool forced, uint32_t groupMask) {
  if (!forced && !options_.PrefetchsEnabled) return true;
  TBusyGuard busy(*this, Tr("Создание файлов для полного набора комбинаций..."));
  try {
    ::vetrilo::RefreshDistributions(statList_, PrefetchPlace(), forced, options_.PrefetchsEnabled,
                                    groupMask, *hooks_);
  } catch (const EStopped&) {
    return false;
  }
  return true;
}

void TAppSession::SettingsGroupsChanged(uint32_t groupMask) {
  if (groupMask != 0) {
    if (options_.PrefetchsEnabled) {
      RefreshDistributions(false, groupMask);
    } else {
      DeleteDistributions(statList_, PrefetchPlace(), groupMask);
    }
  }
  RecalcViews(true);
}

void TAppSession::RecalcViews(bool forced) {
  try {
    CalcDrawStats(forced);
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  RecalcAnalysisViews(forced);
}

}  // namespace vetrilo
