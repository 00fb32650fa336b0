// export: a table of the main window as an .xlsx report, laid out as the program exports it.
#include <ctime>
#include <memory>

#include "app/list_columns.h"
#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/translate.h"
#include "scripts/ratings.h"
#include "services/table_sources.h"
#include "services/xlsx_report.h"
#include "views/distribution_cache.h"
#include "views/draw_stats.h"
#include "workspace/comb_list_view.h"
#include "workspace/comb_workspace.h"

namespace vetrilo::cli {
namespace {

TIniData LoadSettings(const std::string& path) {
  try {
    return TIniFile(path).Load();
  } catch (const EVetrilo& e) {
    throw ECliError("cannot read " + path + ": " + e.Message());
  }
}

// What one table needs kept alive while the report is written.
struct TTable {
  std::unique_ptr<TCliEngine> Engine;
  std::unique_ptr<TCombWorkspace> Combs;
  std::unique_ptr<TCombListView> CombView;
  std::unique_ptr<TDrawListView> DrawView;
  TDrawStatsTable Stats;
  TRatings Ratings;
  std::string StakeBytes;
  TExportSource Source;
  std::string Title;
};

std::vector<int> StoredWidths(const TIniData& frm, std::string_view name, int columns) {
  return ReadListColumns(frm, "TFormMain", name, columns).Widths;
}

void NoMoreWords(const TCliArgs& args, size_t count, const std::string& table) {
  if (args.Positional().size() != count) {
    throw ECliError("export " + table + ": unexpected arguments");
  }
}

void BuildTable(const TCliContext& context, const TCliArgs& args, TTable& t) {
  const std::string table = args.Positional()[0];
  const TIniData frm = LoadSettings(context.Paths.FrmFile());
  const TMainOptions options = TMainOptions::Load(frm);
  TConsoleHooks hooks;
  if (table == "draws") {
    NoMoreWords(args, 2, table);
    t.Engine = std::make_unique<TCliEngine>(context.Paths);
    t.DrawView = std::make_unique<TDrawListView>(t.Engine->Archive, 0, args.Flag("sorted"), false,
                                                 t.Engine->List.ChannelSize);
    t.Source = DrawListExportSource(*t.DrawView, StoredWidths(frm, "lvDraws", 8));
    t.Title = Tr("Архив тиражей");
  } else if (table == "combinations") {
    NoMoreWords(args, 2, table);
    t.Engine = std::make_unique<TCliEngine>(context.Paths);
    t.Combs = std::make_unique<TCombWorkspace>(t.Engine->Archive, hooks);
    try {
      t.Combs->GenerateCombs(args.Has("in") ? 4 : 0, args.Value("in"), false);
    } catch (const EVetrilo& e) {
      throw ECliError("cannot read " + args.Value("in") + ": " + e.Message());
    }
    t.CombView = std::make_unique<TCombListView>(*t.Combs, false, t.Engine->List.ChannelSize);
    t.Source = CombListExportSource(*t.CombView,
                                    StoredWidths(frm, "lvCombs", TCombListView::kColumnCount));
    t.Title = Tr("Комбинации");
  } else if (table == "stats") {
    if (args.Positional().size() != 3) throw ECliError("export stats needs one method CODE");
    const int depth = args.Int("depth", options.DrawsStatLen, kMinDrawsStatLen, kMaxDrawsStatLen);
    LockFolder(context);
    t.Engine = std::make_unique<TCliEngine>(context.Paths);
    const TStatMethod& method = t.Engine->Method(args.Positional()[2]);
    const int offset = t.Engine->CheckedOffset(args.Int("offset", 0, 0, 2147483647));
    if (t.Engine->Archive.Count() > 0) {
      auto stat = t.Engine->List.CreateStat(method);
      const std::optional<TDistribution> dist = OpenDistribution(
          t.Engine->List, method, {context.Paths.PrefetchDir(), context.Paths.BaseName},
          !args.Flag("no-norm"), hooks);
      TDrawStatsInput input;
      input.Archive = &t.Engine->Archive;
      input.LastIndex = t.Engine->Archive.LastIndex(offset);
      input.Depth = depth;
      input.Sorted = args.Flag("sorted");
      input.Cdl = t.Engine->List.Cdl;
      BuildDrawStats(*stat, input, dist ? &*dist : nullptr, t.Stats);
    }
    t.Source = DrawStatsExportSource(t.Stats, t.Stats.HasNorm,
                                     StoredWidths(frm, "lvDrawsStat", kDrawStatsColumns));
    t.Title = Tr("Статистика");
  } else if (table == "ratings") {
    NoMoreWords(args, 2, table);
    const std::string path = context.Paths.File(".lrt");
    if (PathExists(path)) t.Ratings.Load(path);
    const TListColumns columns = ReadListColumns(frm, "TFormMain", "lvRatings", kRatingColumns);
    if (columns.Sort) {
      const TRatingsSort sort = StoredRatingsSort(columns.Sort);
      t.Ratings.Sort(sort.Column, sort.Descending);
    }
    t.Source = RatingsExportSource(t.Ratings, options.RatingsEffMode, columns.Widths);
    t.Title = Tr("Рейтинг");
  } else if (table == "stakes") {
    NoMoreWords(args, 2, table);
    const std::string path = context.Paths.StakesFile();
    if (PathExists(path)) t.StakeBytes = ReadFileBytes(path);
    t.Source = StakesExportSource(t.StakeBytes, StoredWidths(frm, "sgStakes", 9));
    t.Title = Tr("Ставки");
  } else {
    throw ECliError("export: unknown table \"" + table +
                    "\" (draws, stats, stakes, ratings, combinations)");
  }
}

int Export(const TCliContext& context) {
  const TCliArgs args(context.Words, {"title", "depth", "offset", "in"}, {"sorted", "no-norm"});
  if (args.Positional().size() < 2) throw ECliError("export needs a TABLE and an OUT.xlsx file");
  TTable t;
  BuildTable(context, args, t);
  // The stored parameters of the table apply as in the program; the settings
  // file is only read.
  TExportParams params = NewExportParams(t.Source, t.Title, t.Title);
  TIniData ini = LoadSettings(context.Paths.IniFile());
  LoadExportParams(ini, ExportSectionName(t.Source.OwnerName, t.Source.Name), true, params);
  if (args.Has("title")) params.Title = args.Value("title");
  params.SendMode = TSendMode::All;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  TConsoleHooks hooks;
  WriteXlsxReport(args.Positional()[1], t.Source, params, ExportRows(t.Source, TSendMode::All),
                  local, "", hooks);
  return 0;
}

const TCliRegistration kExport(
    "export",
    "export TABLE OUT.xlsx [--title T] [ARGS]   a table as a spreadsheet report: draws "
    "[--sorted] | stats CODE [--depth D] [--offset K] [--sorted] [--no-norm] | stakes | ratings | "
    "combinations "
    "[--in F.lcv]",
    Export);

}  // namespace
}  // namespace vetrilo::cli
