// filter, generate: one filter step of the statistics table, and a generated combination list.
#include <optional>
#include <unordered_set>

#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/translate.h"
#include "stats/stat_protocols.h"
#include "views/distribution_cache.h"
#include "workspace/comb_file.h"
#include "workspace/comb_filter.h"
#include "workspace/comb_generate.h"
#include "workspace/comb_workspace.h"

namespace vetrilo::cli {
namespace {

void ReadCombsArg(const std::string& path, TCombsArray& combs) {
  try {
    ReadCombFile(path, combs);
  } catch (const EVetrilo& e) {
    throw ECliError("cannot read " + path + ": " + e.what());
  }
  if (const std::string warning = OddCombsWarning(path, combs); !warning.empty()) Warn(warning);
}

void WriteCombsArg(const std::string& path, const TCombsArray& combs) {
  try {
    WriteCombFile(path, combs);
  } catch (const EVetrilo& e) {
    throw ECliError("cannot write " + path + ": " + e.what());
  }
}

int Filter(const TCliContext& context) {
  const TCliArgs args(context.Words, {"value", "mode", "depth", "offset", "in", "out"}, {"sorted"});
  if (args.Positional().size() != 1) throw ECliError("filter needs one method CODE");
  if (args.Values("value").empty()) throw ECliError("filter needs at least one --value TEXT");
  const std::string mode = args.Value("mode");
  if (mode != "keep" && mode != "remove") throw ECliError("--mode must be keep or remove");
  if (args.Values("mode").size() > 1) throw ECliError("--mode may be given once");
  const int depth = args.Int("depth", SavedDrawsStatLen(context.Paths), 1, 2147483647);
  const bool sorted = args.Flag("sorted");

  TCliEngine engine(context.Paths);
  const TStatMethod& method = engine.Method(args.Positional()[0]);
  const int offset = engine.CheckedOffset(args.Int("offset", 0, 0, 2147483647));
  const int lastIndex = engine.Archive.LastIndex(offset);
  auto stat = engine.List.CreateStat(method);
  // The table has no rows while the archive is empty.
  TStatDrawArray rows;
  if (engine.Archive.Count() > 0) {
    rows = RangeValues(*stat, FirstIndexForDepth(lastIndex, depth), lastIndex, sorted);
  }
  TStatDrawArray selected;
  std::string unknown;
  // A value no combination can have would only ever select nothing.
  std::optional<std::unordered_set<uint64_t>> domain;
  const auto inDomain = [&](const TStatDrawRec& r) {
    if (!method.Stat->HasNorm()) return true;
    if (!domain) {
      domain.emplace();
      for (const TDfcRecord& d : ComputeDistribution(engine.List, method).Records) {
        domain->insert(d.Key());
      }
    }
    return domain->contains(r.Key());
  };
  if (!SelectRowsByText(*stat, rows, args.Values("value"), selected, unknown, inDomain)) {
    throw ECliError("--value \"" + unknown + "\" is not a row of the " + method.Code() +
                    " table nor a value the method can read and have");
  }

  TCombsArray start;
  if (args.Has("in")) {
    ReadCombsArg(args.Value("in"), start);
  } else {
    start = FullSet();
  }
  const TCombsArray kept = FilteredCombs(*engine.List.CreateStat(method), start, selected,
                                         lastIndex, sorted, mode == "remove");
  if (args.Has("out")) WriteCombsArg(args.Value("out"), kept);
  Out(std::to_string(kept.size()) + "\n");
  return 0;
}

int Generate(const TCliContext& context) {
  const TCliArgs args(context.Words, {"mode", "numbers", "out"}, {});
  if (!args.Positional().empty()) throw ECliError("generate takes no positional arguments");
  if (!args.Has("mode")) throw ECliError("generate needs --mode N (0..4)");
  if (!args.Has("out")) throw ECliError("generate needs --out FILE.lcv");
  const int mode = args.Int("mode", 0, 0, kGenerateModeCount - 1);
  if (mode == kGenerateFull && args.Has("numbers")) {
    throw ECliError("--numbers does not go with --mode 0");
  }
  if (mode == kGenerateFile && !args.Has("numbers")) {
    throw ECliError("--mode 4 needs --numbers FILE.lcv, the file to load");
  }
  TCombsArray combs;
  if (mode == kGenerateFile) {
    ReadCombsArg(args.Value("numbers"), combs);
  } else {
    try {
      CheckGenerateNumbers(mode, args.Value("numbers"));
    } catch (const EVetrilo& e) {
      throw ECliError(Format(Tr("Ошибка генерации файла комбинаций!\r\r%s"), {e.Message()}));
    }
    GenerateFromFullSet(mode, ParseGenerateNumbers(args.Value("numbers")), combs);
  }
  WriteCombsArg(args.Value("out"), combs);
  Out(std::to_string(combs.size()) + "\n");
  return 0;
}

const TCliRegistration kFilter(
    "filter",
    "filter CODE --value TEXT [--value TEXT ...] --mode keep|remove [--depth D] [--offset K] "
    "[--sorted] [--in FILE.lcv] [--out FILE.lcv]   one filter of the statistics table; prints "
    "the number of surviving combinations",
    Filter);
const TCliRegistration kGenerate(
    "generate",
    "generate --mode N [--numbers TEXT] --out FILE.lcv   a new combination list (0 full set, "
    "1 any of, 2 only of, 3 none of the numbers, 4 the file named by --numbers)",
    Generate);

}  // namespace
}  // namespace vetrilo::cli
