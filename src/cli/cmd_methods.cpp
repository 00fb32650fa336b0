// methods, values: the method list and the values of one combination or draw.
#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "stats/stat_protocols.h"

namespace vetrilo::cli {
namespace {

int Methods(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {});
  if (!args.Positional().empty()) throw ECliError("methods takes no arguments");
  TCliEngine engine(context.Paths);
  // The favourites of the method-list file, as the program lists them.
  std::string error;
  if (!engine.List.LoadMethodSettings(context.Paths.FltFile(), true, &error)) {
    throw ECliError("cannot read the method list: " + error);
  }
  engine.List.ShowGroupName = true;
  engine.List.ShowMethodFlags = true;
  std::string out;
  for (int i = 0; i < engine.List.Count(); ++i) {
    if (!engine.List.IsListed(i)) continue;
    const TStatMethod& m = engine.List.Item(i);
    const std::string flags = FlagLetters(m.Stat->GetAllFlags());
    out += TsvRow({m.Code(), std::to_string(m.Stat->GetGroup()), flags.empty() ? "-" : flags,
                   m.Stat->HasNorm() ? "norm" : "-", m.Stat->CanParseValue() ? "parse" : "-",
                   engine.List.MethodCaption(i, true)});
  }
  Out(out);
  return 0;
}

int Values(const TCliContext& context) {
  const TCliArgs args(context.Words, {"comb", "draw", "offset"}, {"sorted"});
  if (args.Positional().size() != 1) throw ECliError("values needs one method CODE");
  if (args.Has("comb") == args.Has("draw")) throw ECliError("values needs --comb or --draw");
  TCliEngine engine(context.Paths);
  const TStatMethod& method = engine.Method(args.Positional()[0]);
  auto stat = engine.List.CreateStat(method);
  TStatDrawArray list;
  if (args.Has("comb")) {
    if (args.Has("offset") || args.Flag("sorted")) {
      throw ECliError("--offset and --sorted go with --draw");
    }
    list = CombValues(*stat, ParseCombArg(args.Value("comb")));
  } else {
    const int number = ParseIntArg(args.Value("draw"), "--draw");
    const int index = engine.Archive.FindDrawIndex(number);
    if (index < 0) throw ECliError("draw " + std::to_string(number) + " is not in the archive");
    const int offset = engine.CheckedOffset(args.Int("offset", 0, 0, 2147483647));
    list = DrawValues(*stat, index, engine.Archive.LastIndex(offset), args.Flag("sorted"));
  }
  std::string out;
  for (const TStatDrawRec& r : list) {
    out += TsvRow({stat->ValueToText(r), std::to_string(r.Count),
                   std::to_string(r.Value[0]) + "/" + std::to_string(r.Value[1]) + "/" +
                       std::to_string(r.Value[2]) + "/" + std::to_string(r.Value[3])});
  }
  Out(out);
  return 0;
}

const TCliRegistration kMethods(
    "methods", "methods   the method list: code, group, flags, norm, parse, caption", Methods);
const TCliRegistration kValues(
    "values",
    "values CODE (--comb a,b,c,d | --draw NUMBER [--offset K] [--sorted])   values of one "
    "combination or draw",
    Values);

}  // namespace
}  // namespace vetrilo::cli
