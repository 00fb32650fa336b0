// view, filter-view: the analysis views as tab-separated text, and the keep/remove
// filters of the card, layout and weekday grids.
#include <functional>

#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "views/analysis_views.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"
#include "workspace/comb_workspace.h"

namespace vetrilo::cli {
namespace {

// Rows first..last of a grid given by its cell texts.
std::string GridTsv(int firstRow, int lastRow, int columns,
                    const std::function<std::string(int, int)>& text) {
  std::string out;
  for (int r = firstRow; r <= lastRow; ++r) {
    std::vector<std::string> cells;
    for (int c = 0; c < columns; ++c) cells.push_back(text(r, c));
    out += TsvRow(cells);
  }
  return out;
}

int Offset(const TCliArgs& args, const TCliEngine& engine) {
  return engine.CheckedOffset(args.Int("offset", 0, 0, kMaxViewDepth));
}

int Depth(const TCliArgs& args, int saved) {
  return args.Int("depth", ClampViewDepth(saved), kMinViewDepth, kMaxViewDepth);
}

void NoPositional(const TCliArgs& args, const std::string& what) {
  if (!args.Positional().empty()) throw ECliError(what + " takes no further words");
}

std::string ViewCard(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {"rows"}, {"no-channel-colors", "no-sequence-colors"});
  NoPositional(args, "view card");
  TCliEngine engine(context.Paths);
  const TMainOptions saved = SavedMainOptions(context.Paths);
  TCardOptions options{saved.ColorCard && !args.Flag("no-channel-colors"),
                       saved.ColorCardSequences && !args.Flag("no-sequence-colors"),
                       engine.List.ChannelSize};
  TDrawCard card;
  card.Build(engine.Archive);
  const int last = std::min(card.RowCount() - 1, args.Int("rows", kMaxViewDepth, 0, kMaxViewDepth));
  auto text = [&](int r, int c) { return card.Text(r, c); };
  std::string out = GridTsv(0, last, kCardColumns, text);
  out += "\n" + GridTsv(0, 0, kCardColumns, text);
  out += GridTsv(1, last, kCardColumns, [&](int r, int c) {
    return c == 0 ? card.Text(r, c) : card.Color(r, c, options).Rule;
  });
  return out;
}

std::string ViewLayout(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {"depth", "offset", "compare"}, {});
  NoPositional(args, "view layout");
  TCliEngine engine(context.Paths);
  const TMainOptions saved = SavedMainOptions(context.Paths);
  const int depth = Depth(args, saved.LayoutLen);
  const int offset = Offset(args, engine);
  std::array<int, 5> depths;
  for (size_t k = 0; k < 5; ++k) depths[k] = ClampViewDepth(saved.LayoutCompareLen[k]);
  if (args.Has("compare")) {
    const auto parts = SplitAll(args.Value("compare"), ',');
    if (parts.size() != 5) throw ECliError("--compare needs five depths a,b,c,d,e");
    for (size_t k = 0; k < 5; ++k) {
      depths[k] = ParseIntArg(parts[k], "--compare");
      if (depths[k] < kMinViewDepth) throw ECliError("--compare depths must be at least 1");
    }
  }
  TLayoutScheme scheme;
  scheme.Build(engine.Archive, offset, depth);
  std::string out = GridTsv(0, scheme.RowCount() - 1, scheme.ColumnCount(),
                            [&](int r, int c) { return scheme.Text(r, c); });
  for (size_t k = 0; k < 5; ++k) {
    const TLayoutCompareList list = BuildLayoutCompare(engine.Archive, offset, depths[k]);
    out += "\n" + TsvRow({kLayoutCompareCountCaption, list.Caption});
    for (const TLayoutCompareItem& item : list.Items) {
      out += TsvRow({IntegerText(item.Count), item.Numbers});
    }
  }
  return out;
}

std::string ViewWeekday(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {"depth", "offset"}, {});
  NoPositional(args, "view weekday");
  TCliEngine engine(context.Paths);
  TWeekdayStats week;
  week.Build(engine.Archive, Offset(args, engine),
             Depth(args, SavedMainOptions(context.Paths).WeekLen));
  const auto& names = WeekdayShortNames(1049);
  return GridTsv(0, week.RowCount() - 1, week.ColumnCount(),
                 [&](int r, int c) { return week.Text(r, c, names); });
}

std::string ViewSums(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {}, {});
  NoPositional(args, "view sums");
  TCliEngine engine(context.Paths);
  const TSumDistribution d = BuildSumDistribution(engine.Archive);
  std::vector<std::string> header{"Сумма", "Комбинаций", TSumDistribution::kActualName,
                                  TSumDistribution::kTheoryName};
  for (const TSumLevel& level : d.Levels) header.push_back(level.Title);
  std::string out = TsvRow(header);
  for (const TSumCount& t : d.Theory) {
    std::vector<std::string> row{IntegerText(t.Sum), IntegerText(t.Count),
                                 IntegerText(d.ActualCount(t.Sum)),
                                 Format("%.2f", {d.Scaled(t.Count)})};
    for (const TSumLevel& level : d.Levels)
      row.push_back(Format("%.2f", {d.Scaled(level.Threshold)}));
    out += TsvRow(row);
  }
  return out;
}

std::string ViewRepeats(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {"depth", "deep"}, {});
  NoPositional(args, "view repeats");
  TCliEngine engine(context.Paths);
  const TRepeatsAnalysis a =
      AnalyzeRepeats(engine.Archive, args.Int("depth", kDefaultRepeatsLength, 1, kMaxViewDepth),
                     args.Int("deep", kDefaultRepeatsDeep, 1, kMaxViewDepth));
  const auto& captions = RepeatsCaptions();
  std::string out = TsvRow({captions.begin(), captions.end()});
  for (const TRepeatsRow& row : a.Rows) {
    out += TsvRow(
        {IntegerText(row.Draw), IntegerText(row.Matches), IntegerText(row.Repeats), row.Draws});
  }
  return out;
}

std::string ViewGraph(const TCliContext& context, const std::vector<std::string>& words) {
  const TCliArgs args(words, {"depth", "offset"}, {"sorted"});
  if (args.Positional().size() != 1) throw ECliError("view graph needs one method CODE");
  TCliEngine engine(context.Paths);
  const TStatMethod& method = engine.Method(args.Positional()[0]);
  if (!method.Stat->HasGraph()) {
    throw ECliError(method.Code() + " has no graph value");
  }
  const int index = engine.List.FindByCode(method.Code());
  auto stat = engine.List.CreateStat(method);
  const TDrawGraph g = BuildDrawGraph(
      *stat, engine.List.MethodCaption(index, true), engine.Archive, Offset(args, engine),
      Depth(args, SavedMainOptions(context.Paths).DrawsGraphLen), args.Flag("sorted"));
  std::string out = TsvRow({"Тираж", g.Caption, TDrawGraph::kMeanName, TDrawGraph::kModeName});
  for (const TChartPoint& p : g.Values) {
    out += TsvRow({p.Label, IntegerText(int(p.Y)), DrawGraphMeanText(g), IntegerText(g.Mode)});
  }
  return out;
}

int View(const TCliContext& context) {
  if (context.Words.empty()) {
    throw ECliError("view needs one of: card, layout, weekday, sums, repeats, graph");
  }
  const std::string name = context.Words[0];
  const std::vector<std::string> rest(context.Words.begin() + 1, context.Words.end());
  std::string out;
  if (name == "card") {
    out = ViewCard(context, rest);
  } else if (name == "layout") {
    out = ViewLayout(context, rest);
  } else if (name == "weekday") {
    out = ViewWeekday(context, rest);
  } else if (name == "sums") {
    out = ViewSums(context, rest);
  } else if (name == "repeats") {
    out = ViewRepeats(context, rest);
  } else if (name == "graph") {
    out = ViewGraph(context, rest);
  } else {
    throw ECliError("unknown view \"" + name + "\"");
  }
  Out(out);
  return 0;
}

TGridRect ParseRect(const std::string& text) {
  const auto parts = SplitAll(text, ',');
  if (parts.size() != 4) throw ECliError("--rect needs LEFT,TOP,RIGHT,BOTTOM: \"" + text + "\"");
  TGridRect r{ParseIntArg(parts[0], "--rect"), ParseIntArg(parts[1], "--rect"),
              ParseIntArg(parts[2], "--rect"), ParseIntArg(parts[3], "--rect")};
  if (r.Empty()) throw ECliError("--rect is empty: \"" + text + "\"");
  return r;
}

TGridRect ParseColumns(const std::string& text) {
  const auto parts = SplitAll(text, '-');
  if (parts.size() > 2) throw ECliError("--columns needs FIRST or FIRST-LAST: \"" + text + "\"");
  const int first = ParseIntArg(parts[0], "--columns");
  const int last = parts.size() == 2 ? ParseIntArg(parts[1], "--columns") : first;
  if (last < first) throw ECliError("--columns is empty: \"" + text + "\"");
  return {first, 1, last, 7};
}

int FilterView(const TCliContext& context) {
  const TCliArgs args(context.Words, {"rect", "columns", "mode", "depth", "offset", "in", "out"},
                      {"sorted"});
  if (args.Positional().size() != 1) throw ECliError("filter-view needs card, layout or weekday");
  const std::string view = args.Positional()[0];
  const std::string mode = args.Value("mode");
  if (mode != "keep" && mode != "remove") throw ECliError("--mode must be keep or remove");
  TCliEngine engine(context.Paths);
  const int offset = Offset(args, engine);
  TGridValues values;
  std::string_view caption;
  if (view == "card" || view == "layout") {
    if (!args.Has("rect")) throw ECliError("filter-view " + view + " needs --rect L,T,R,B");
    const TGridRect rect = ParseRect(args.Value("rect"));
    if (view == "card") {
      if (!TDrawCard::CanFilter(rect)) throw ECliError("--rect must lie within columns 1..47");
      TDrawCard card;
      card.Build(engine.Archive);
      values = card.SelectionValues(rect);
      caption = kCardFilterCaption;
    } else {
      if (!TLayoutScheme::CanFilter(rect)) throw ECliError("--rect must lie within columns 1..47");
      TLayoutScheme scheme;
      scheme.Build(engine.Archive, offset, Depth(args, SavedMainOptions(context.Paths).LayoutLen));
      values = scheme.SelectionValues(rect);
      caption = kLayoutFilterCaption;
    }
  } else if (view == "weekday") {
    if (!args.Has("columns")) throw ECliError("filter-view weekday needs --columns FIRST-LAST");
    values = TWeekdayStats::SelectionValues(ParseColumns(args.Value("columns")));
    caption = kWeekFilterCaption;
  } else {
    throw ECliError("filter-view needs card, layout or weekday, not \"" + view + "\"");
  }
  TConsoleHooks hooks;
  TCombWorkspace combs(engine.Archive, hooks);
  try {
    if (args.Has("in")) {
      combs.OpenFile(args.Value("in"));
    } else {
      combs.GenerateCombs(0, "", false);
    }
    combs.GridFilterStep(engine.List, values, caption, mode == "remove",
                         engine.Archive.LastIndex(offset), args.Flag("sorted"));
    if (args.Has("out")) combs.SaveFile(args.Value("out"));
  } catch (const EVetrilo& e) {
    throw ECliError(e.what(), 1);
  }
  const TJournalRow& row = combs.Journal().back();
  Out(TsvRow({"Примененные фильтры", "Значения", "Комбинаций"}) +
      TsvRow({row.Caption, row.Values, IntegerText(row.Count)}));
  return 0;
}

const TCliRegistration kView(
    "view",
    "view card [--rows N] [--no-channel-colors] [--no-sequence-colors] | layout [--depth N] "
    "[--offset K] [--compare a,b,c,d,e] | weekday [--depth N] [--offset K] | sums | repeats "
    "[--depth N] [--deep D] | graph CODE [--depth N] [--offset K] [--sorted]   an analysis "
    "view as tab-separated text",
    View);
const TCliRegistration kFilterView(
    "filter-view",
    "filter-view card|layout|weekday --mode keep|remove (--rect L,T,R,B | --columns A-B) "
    "[--depth N] [--offset K] [--sorted] [--in FILE.lcv] [--out FILE.lcv]   a filter from a "
    "view's selection; prints its journal row",
    FilterView);

}  // namespace
}  // namespace vetrilo::cli
