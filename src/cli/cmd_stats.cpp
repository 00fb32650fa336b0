// stats, prefetch: the draw statistics table as CSV, and the distribution caches.
#include <algorithm>
#include <cstdio>

#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "core/csv.h"
#include "core/ini_file.h"
#include "views/distribution_cache.h"
#include "views/draw_stats.h"

namespace vetrilo::cli {
namespace {

// Messages and the progress of cache creation go to stderr; failures are counted
// so the exit status can tell them.
class TCacheHooks : public TConsoleHooks {
 public:
  explicit TCacheHooks(bool progress) : progress_(progress) {}
  int Errors = 0;

  void ShowMessage(TMessageKind kind, std::string_view text) override {
    EndProgressLine();
    if (kind == TMessageKind::Error) ++Errors;
    TConsoleHooks::ShowMessage(kind, text);
  }
  void SetProgress(int percent) override {
    if (!progress_) return;
    if (percent < 0) {
      EndProgressLine();
      return;
    }
    std::fprintf(stderr, "\rСоздание файлов для полного набора комбинаций... %d%%", percent);
    std::fflush(stderr);
    open_ = true;
  }
  void EndProgressLine() {
    if (!open_) return;
    std::fputc('\n', stderr);
    open_ = false;
  }

 private:
  bool progress_;
  bool open_ = false;
};

TPrefetchPlace PlaceOf(const TAppPaths& paths) {
  return {paths.PrefetchDir(), paths.BaseName};
}

int Stats(const TCliContext& context) {
  const TCliArgs args(context.Words, {"depth", "offset"}, {"sorted", "no-norm"});
  if (args.Positional().size() != 1) throw ECliError("stats needs one method CODE");
  const int depth =
      args.Int("depth", SavedDrawsStatLen(context.Paths), kMinDrawsStatLen, kMaxDrawsStatLen);
  const int offsetArg = args.Int("offset", 0, 0, 2147483647);
  // A missing distribution cache is made and saved on the way.
  if (!args.Flag("no-norm")) LockFolder(context);
  TCliEngine engine(context.Paths);
  const TStatMethod& method = engine.Method(args.Positional()[0]);
  const int offset = engine.CheckedOffset(offsetArg);

  const auto& captions = DrawStatsCaptions();
  std::string out = CsvRow(std::vector<std::string>(captions.begin(), captions.end()));
  TCacheHooks hooks(false);
  if (engine.Archive.Count() > 0) {
    auto stat = engine.List.CreateStat(method);
    const std::optional<TDistribution> dist =
        OpenDistribution(engine.List, method, PlaceOf(context.Paths), !args.Flag("no-norm"), hooks);
    TDrawStatsInput input;
    input.Archive = &engine.Archive;
    input.LastIndex = engine.Archive.LastIndex(offset);
    input.Depth = depth;
    input.Sorted = args.Flag("sorted");
    input.Cdl = engine.List.Cdl;
    TDrawStatsTable table;
    BuildDrawStats(*stat, input, dist ? &*dist : nullptr, table);
    for (const TDrawStatsRow& row : table.Rows) {
      out += CsvRow(std::vector<std::string>(row.Cells.begin(), row.Cells.end()));
    }
  }
  Out(out);
  return hooks.Errors > 0 ? 1 : 0;
}

int Prefetch(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {"all"});
  if (!args.Positional().empty()) throw ECliError("prefetch takes no arguments but --all");
  LockFolder(context);
  TCliEngine engine(context.Paths);
  TCacheHooks hooks(true);
  RefreshDistributions(engine.List, PlaceOf(context.Paths), true, true,
                       args.Flag("all") ? kAllGroupsMask : 0, hooks);
  hooks.EndProgressLine();
  return hooks.Errors > 0 ? 1 : 0;
}

const TCliRegistration kStats(
    "stats",
    "stats CODE [--depth D] [--offset K] [--sorted] [--no-norm]   the draw statistics table "
    "as CSV",
    Stats);
const TCliRegistration kPrefetch(
    "prefetch",
    "prefetch [--all]   create the missing distribution caches (all of them with --all)", Prefetch);

}  // namespace
}  // namespace vetrilo::cli
