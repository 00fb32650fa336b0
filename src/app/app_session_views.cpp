// The session's part of the graphs, card, layout and weekday views, the sum
// distribution, the repeats window and the information window.
#include <algorithm>
#include <exception>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

const char* TabKey(TWorkView view) {
  switch (view) {
    case TWorkView::Graphs:
      return "TabGraphs";
    case TWorkView::Card:
      return "TabCard";
    case TWorkView::Layout:
      return "TabLayout";
    case TWorkView::Week:
      return "TabWeek";
    default:
      return nullptr;
  }
}

}  // namespace

void TAppSession::LoadViewOptions() {
  views_.GraphDepth = ClampViewDepth(options_.DrawsGraphLen);
  views_.LayoutDepth = ClampViewDepth(options_.LayoutLen);
  for (size_t k = 0; k < 5; ++k) {
    views_.CompareDepths[k] = ClampViewDepth(options_.LayoutCompareLen[k]);
  }
  views_.WeekDepth = ClampViewDepth(options_.WeekLen);
  ChooseGraphMethod(options_.DrawsGraphType);
}

void TAppSession::ChooseGraphMethod(std::string_view code) {
  const std::vector<TMethodItem> items = DrawGraphMethodItems(statList_);
  const int wanted = code.empty() ? -1 : statList_.FindByCode(code);
  const bool listed = std::any_of(items.begin(), items.end(),
                                  [&](const TMethodItem& item) { return item.Method == wanted; });
  views_.GraphMethod = listed ? wanted : items.empty() ? -1 : items.front().Method;
  views_.GraphKey = TViewKey();
}

void TAppSession::SaveIntOption(std::string_view key, int value) {
  try {
    FrmFile().WriteInteger(kMainSection, key, value);
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
}

bool TAppSession::TabVisible(TWorkView view) const {
  switch (view) {
    case TWorkView::Graphs:
      return options_.TabGraphs;
    case TWorkView::Card:
      return options_.TabCard;
    case TWorkView::Layout:
      return options_.TabLayout;
    case TWorkView::Week:
      return options_.TabWeek;
    default:
      return true;
  }
}

void TAppSession::SetTabVisible(TWorkView view, bool visible) {
  bool* option = view == TWorkView::Graphs   ? &options_.TabGraphs
                 : view == TWorkView::Card   ? &options_.TabCard
                 : view == TWorkView::Layout ? &options_.TabLayout
                 : view == TWorkView::Week   ? &options_.TabWeek
                                             : nullptr;
  if (!option) return;
  *option = visible;
  SaveOption(TabKey(view), visible);
  Notify(kChangeOptions | kChangeViews);
  if (!visible) return;
  try {
    switch (view) {
      case TWorkView::Graphs:
        BuildGraphs(true);
        break;
      case TWorkView::Card:
        RefreshCard(true);
        break;
      case TWorkView::Layout:
        BuildLayout(true);
        BuildLayoutCompare(true);
        break;
      default:
        BuildWeek(true);
        break;
    }
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

void TAppSession::ShowView(TWorkView view) {
  views_.Shown = view;
  RecalcAnalysisViews(false);
}

bool TAppSession::ViewLive(TWorkView view, bool forced, TViewKey& key) {
  if (!TabVisible(view)) return false;
  if (views_.Shown != view) {
    // Built when it comes on screen.
    if (forced) key = TViewKey();
    return false;
  }
  return true;
}

void TAppSession::RecalcAnalysisViews(bool forced) {
  for (auto build :
       {&TAppSession::BuildGraphs, &TAppSession::RefreshCard, &TAppSession::BuildLayout,
        &TAppSession::BuildLayoutCompare, &TAppSession::BuildWeek}) {
    try {
      (this->*build)(forced);
    } catch (const EStopped&) {
    } catch (const std::exception& e) {
      ShowError(e.what());
    }
  }
}

void TAppSession::SelectGraphMethod(int method) {
  views_.GraphMethod = method >= 0 && method < statList_.Count() ? method : -1;
  if (views_.GraphMethod >= 0) options_.DrawsGraphType = statList_.Item(method).Code();
  BuildGraphs(false);
}

void TAppSession::SetDrawsGraphLen(int depth) {
  views_.GraphDepth = ClampViewDepth(depth);
  options_.DrawsGraphLen = views_.GraphDepth;
}

void TAppSession::ApplyDrawsGraphLen(int depth) {
  SetDrawsGraphLen(depth);
  BuildGraphs(false);
}

void TAppSession::BuildGraphs(bool forced) {
  TViewKey& k = views_.GraphKey;
  if (!ViewLive(TWorkView::Graphs, forced, k)) return;
  const TViewKey key{archive_.Count(), drawsOffset_, views_.GraphDepth, views_.GraphMethod};
  if (!forced && key == k) return;
  k = key;
  struct TNotifyOnExit {
    TAppSession& Session;
    ~TNotifyOnExit() { Session.Notify(kChangeViews); }
  } notify{*this};
  views_.Graph = TDrawGraph();
  ++views_.GraphBuilds;
  const int m = views_.GraphMethod;
  if (m < 0 || m >= statList_.Count() || archive_.Count() == 0) return;
  TBusyGuard busy(*this, Tr("Анализ тиражей и построение графиков..."));
  const TStatMethod& method = statList_.Item(m);
  auto stat = statList_.CreateStat(method);
  views_.Graph = BuildDrawGraph(*stat, statList_.MethodCaption(m, true), archive_, drawsOffset_,
                                views_.GraphDepth, options_.SortedDraws);
}

TCardOptions TAppSession::CardOptions() const {
  return {options_.ColorCard, options_.ColorCardSequences, statList_.ChannelSize};
}

void TAppSession::RefreshCard(bool forced) {
  TViewKey unused;
  if (!ViewLive(TWorkView::Card, forced, unused)) {
    if (forced) views_.Card.Clear();
    return;
  }
  // An edited draw changes no count, so the card compares what it shows.
  if (!forced && views_.Card.Shows(archive_)) return;
  TBusyGuard busy(*this, Tr("Обновление карты тиражей..."));
  views_.Card.Build(archive_);
  ++views_.CardBuilds;
  Notify(kChangeViews);
}

void TAppSession::SetColorCard(bool on) {
  options_.ColorCard = on;
  SaveOption("ColorCard", on);
  Notify(kChangeOptions | kChangeViews);
}

void TAppSession::SetColorCardSequences(bool on) {
  options_.ColorCardSequences = on;
  SaveOption("ColorCardSequences", on);
  Notify(kChangeOptions | kChangeViews);
}

void TAppSession::SetLayoutLen(int depth) {
  views_.LayoutDepth = ClampViewDepth(depth);
  options_.LayoutLen = views_.LayoutDepth;
}

void TAppSession::ApplyLayoutLen(int depth) {
  SetLayoutLen(depth);
  BuildLayout(false);
}

void TAppSession::SetLayoutCompareLen(int list, int depth) {
  if (list < 0 || list >= 5) return;
  views_.CompareDepths[size_t(list)] = ClampViewDepth(depth);
  options_.LayoutCompareLen[size_t(list)] = views_.CompareDepths[size_t(list)];
}

void TAppSession::ApplyLayoutCompareLen(int list, int depth) {
  SetLayoutCompareLen(list, depth);
  BuildLayoutCompare(true);
}

void TAppSession::BuildLayout(bool forced) {
  TViewKey& k = views_.LayoutKey;
  if (!ViewLive(TWorkView::Layout, forced, k)) return;
  const TViewKey key{archive_.Count(), drawsOffset_, views_.LayoutDepth, -1};
  if (!forced && key == k) return;
  k = key;
  TBusyGuard busy(*this, Tr("Построение схемы выпадения номеров..."));
  views_.Layout.Build(archive_, drawsOffset_, views_.LayoutDepth);
  ++views_.LayoutBuilds;
  Notify(kChangeViews);
}

void TAppSession::BuildLayoutCompare(bool forced) {
  TViewKey& k = views_.CompareKey;
  if (!ViewLive(TWorkView::Layout, forced, k)) return;
  const TViewKey key{archive_.Count(), drawsOffset_, -1, -1};
  if (!forced && key == k) return;
  k = key;
  TBusyGuard busy(*this, Tr("Построение схемы выпадения номеров..."));
  for (size_t i = 0; i < 5; ++i) {
    views_.Compare[i] =
        ::vetrilo::BuildLayoutCompare(archive_, drawsOffset_, views_.CompareDepths[i]);
  }
  ++views_.CompareBuilds;
  Notify(kChangeViews);
}

void TAppSession::SetLayoutGradient(bool on) {
  options_.LayoutGradient = on;
  SaveOption("LayoutGradient", on);
  Notify(kChangeOptions | kChangeViews);
}

void TAppSession::SetWeekLen(int depth) {
  views_.WeekDepth = ClampViewDepth(depth);
  options_.WeekLen = views_.WeekDepth;
}

void TAppSession::ApplyWeekLen(int depth) {
  SetWeekLen(depth);
  BuildWeek(false);
}

void TAppSession::BuildWeek(bool forced) {
  TViewKey& k = views_.WeekKey;
  if (!ViewLive(TWorkView::Week, forced, k)) return;
  const TViewKey key{archive_.Count(), drawsOffset_, views_.WeekDepth, -1};
  if (!forced && key == k) return;
  k = key;
  TBusyGuard busy(*this, Tr("Построение статистики по дням недели..."));
  views_.Week.Build(archive_, drawsOffset_, views_.WeekDepth);
  ++views_.WeekBuilds;
  Notify(kChangeViews);
}

void TAppSession::SetWeekChartMode(int mode) {
  options_.WeekChartMode = mode == 1 ? 1 : 0;
  SaveIntOption("WeekChartMode", options_.WeekChartMode);
  Notify(kChangeOptions | kChangeViews);
}

void TAppSession::SetWeekChartType(bool line) {
  options_.WeekChartType = line;
  SaveOption("WeekChartType", line);
  Notify(kChangeOptions | kChangeViews);
}

void TAppSession::SetWeekCell(int row, int column) {
  views_.WeekRow = row;
  views_.WeekColumn = column;
  Notify(kChangeViews);
}

const std::array<std::string, 7>& TAppSession::WeekdayNames() const {
  return WeekdayShortNames(statList_.Language);
}

bool TAppSession::CanFilterCard(const TGridRect& selection) const {
  return combs_.Count() > 0 && options_.TabCard && TDrawCard::CanFilter(selection);
}

bool TAppSession::CanFilterLayout(const TGridRect& selection) const {
  return combs_.Count() > 0 && options_.TabLayout && TLayoutScheme::CanFilter(selection);
}

bool TAppSession::CanFilterWeek(const TGridRect& selection) const {
  return combs_.Count() > 0 && options_.TabWeek && !selection.Empty();
}

bool TAppSession::FilterCombsByCard(const TGridRect& selection, bool keep) {
  if (!CanFilterCard(selection)) return false;
  return FilterCombsByGrid(views_.Card.SelectionValues(selection), Tr(kCardFilterCaption), keep);
}

bool TAppSession::FilterCombsByLayout(const TGridRect& selection, bool keep) {
  if (!CanFilterLayout(selection)) return false;
  return FilterCombsByGrid(views_.Layout.SelectionValues(selection), Tr(kLayoutFilterCaption),
                           keep);
}

bool TAppSession::FilterCombsByWeek(const TGridRect& selection, bool keep) {
  if (!CanFilterWeek(selection)) return false;
  return FilterCombsByGrid(TWeekdayStats::SelectionValues(selection), Tr(kWeekFilterCaption), keep);
}

TSumDistribution TAppSession::TotalSumCombs() {
  TBusyGuard busy(*this, Tr("Идет сбор статистики...."));
  return BuildSumDistribution(archive_);
}

std::optional<TRepeatsAnalysis> TAppSession::AnalyzeRepeats(int length, int deep) {
  TBusyGuard busy(*this, Tr("Идет сбор статистики...."));
  try {
    return ::vetrilo::AnalyzeRepeats(archive_, length, deep, hooks_);
  } catch (const EStopped&) {
    hooks_->SetProgress(-1);
    return std::nullopt;
  }
}

TRepeatsWindowState TAppSession::RepeatsWindow() {
  if (!repeatsWindow_) {
    TRepeatsWindowState s;
    const char* section = TRepeatsWindowState::kSection;
    s.DrawsLength = ClampViewDepth(frmAtStart_.ReadInteger(section, "DrawsLength", s.DrawsLength));
    s.DrawsDeep = ClampViewDepth(frmAtStart_.ReadInteger(section, "DrawsDeep", s.DrawsDeep));
    const int64_t height = frmAtStart_.ReadInteger(section, "GraphHeight", -1);
    s.GraphHeight = height > 0 && height < 10000 ? int(height) : -1;
    repeatsWindow_ = s;
  }
  return *repeatsWindow_;
}

void TAppSession::SaveRepeatsWindow(const TRepeatsWindowState& state) {
  repeatsWindow_ = state;
  try {
    FrmFile().Update([&](TIniData& d) {
      const char* section = TRepeatsWindowState::kSection;
      d.WriteInteger(section, "DrawsLength", state.DrawsLength);
      d.WriteInteger(section, "DrawsDeep", state.DrawsDeep);
      if (state.GraphHeight > 0) d.WriteInteger(section, "GraphHeight", state.GraphHeight);
    });
  } catch (const EVetrilo& e) {
    ShowError(Format(Tr("Ошибка сохранения параметров программы!\r\r%s"), {e.what()}));
  }
}

std::vector<TInfoRow> TAppSession::DrawInfo(int index) const {
  return DrawInfoRows(statList_, archive_, index, options_.SortedDraws);
}

std::vector<TInfoRow> TAppSession::CombInfo(TComb comb) const {
  return CombInfoRows(statList_, archive_, comb, drawsOffset_, options_.SortedDraws);
}

}  // namespace vetrilo
