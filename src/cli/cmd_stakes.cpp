// stakes, ratings: the stake list, its check and profit, and the ratings it feeds.
#include <climits>

#include "app/list_columns.h"
#include "app/main_options.h"
#include "cli/cli.h"
#include "cli/cli_books.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "core/ui_hooks.h"
#include "stakes/stake_book.h"
#include "stakes/stake_charts.h"
#include "stakes/stake_dialog.h"
#include "stakes/stake_grid.h"
#include "stakes/stake_store.h"
#include "stats/stat_list.h"

namespace vetrilo::cli {
namespace {

int StakesList(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("stakes list takes no arguments");
  TCliBooks books(context.Paths, false);
  const auto& captions = StakeColumnCaptions();
  std::string out = TsvRow({captions.begin(), captions.end()});
  const TStakeFile& file = books.Book.File;
  for (int64_t i = 0; i < file.Count(); ++i) {
    const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
    std::vector<std::string> cells;
    for (int c = 0; c < kStakeColumns; ++c) cells.push_back(StakeCell(r, c));
    out += TsvRow(cells);
  }
  out += StakeCountText(file.Count()) + "\n";
  Out(out);
  return 0;
}

int StakesAdd(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("stakes add takes options only");
  if (!args.Has("draw")) throw ECliError("stakes add needs --draw N");
  if (!args.Has("numbers")) throw ECliError("stakes add needs --numbers \"a;b;c;d\"");
  const int draw = args.Int("draw", 0, 1, INT_MAX);
  const int draws = args.Int("draws", 1, 1, kStakeDrawsMax);
  const int kind = args.Int("kind", kStakeManual, 1, 4);
  const int sample = args.Int("sample", kAllCombinations, 0, INT_MAX);
  const std::string comment = args.Value("comment", std::string(kManualStakeComment));
  if (Utf8Length(comment) > size_t(kStakeCommentMaxChars)) {
    throw ECliError("--comment: at most 64 characters");
  }
  if (auto error = StakeDialogError(args.Value("numbers"), comment)) throw EVetrilo(*error);
  TCliBooks books(context.Paths, true);
  books.LoadRatingsOrThrow();
  TStakeRec rec;
  rec.Kind = static_cast<uint8_t>(kind);
  rec.DrawNumber = draw;
  rec.SampleSize = sample;
  rec.Comment = comment;
  rec.SetNumbers(*ParseStakeNumbers(args.Value("numbers")));
  rec.Profit =
      StakeOutcome(rec.NumbersCount, -1, books.Book.Prices.Cost, books.Book.Prices.Profits);
  AppendStake(books.Book.File, rec, draws);
  books.Check();
  return books.Status();
}

int StakesCheck(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("stakes check takes no arguments");
  TCliBooks books(context.Paths, true);
  const int checked = books.Check();
  Out(Format("checked: %d\n", {checked}));
  return books.Status();
}

TStakeCondition ParseCondition(const std::string& op) {
  if (op == "=") return TStakeCondition::Equal;
  if (op == ">") return TStakeCondition::Greater;
  if (op == ">=") return TStakeCondition::NotLess;
  if (op == "<") return TStakeCondition::Less;
  if (op == "<=") return TStakeCondition::NotGreater;
  throw ECliError("--where: the condition is one of = > >= < <=");
}

int StakesDelete(const TCliContext& context, const TCliArgs& args) {
  const bool rows = args.Has("rows"), where = args.Has("where");
  if (rows == where) throw ECliError("stakes delete needs --rows FIRST-LAST or --where OP VALUE");
  int64_t first = 0, last = 0, value = 0;
  TStakeCondition condition = TStakeCondition::Equal;
  if (rows) {
    if (args.Positional().size() != 1) throw ECliError("stakes delete --rows takes no other words");
    const std::vector<std::string> parts = SplitAll(args.Value("rows"), '-');
    if (parts.size() != 2) throw ECliError("--rows: FIRST-LAST");
    first = ParseIntArg(parts[0], "--rows");
    last = ParseIntArg(parts[1], "--rows");
    if (first < 1 || last < first) throw ECliError("--rows: 1 <= FIRST <= LAST");
  } else {
    if (args.Positional().size() != 2) throw ECliError("--where needs OP VALUE");
    condition = ParseCondition(args.Value("where"));
    value = ParseIntArg(args.Positional()[1], "--where");
    if (value < 0 || value > 4) throw ECliError("--where: VALUE is 0..4");
  }
  TCliBooks books(context.Paths, true);
  books.LoadRatingsOrThrow();
  TStakeFile& file = books.Book.File;
  if (rows && last > file.Count()) {
    throw ECliError(Format("--rows: the file has %d records", {file.Count()}));
  }
  const int64_t before = file.Count();
  if (rows) {
    DeleteStakeRows(file, first, last);
  } else {
    DeleteStakesWhere(file, condition, static_cast<int>(value));
  }
  const int64_t deleted = before - file.Count();
  books.Check();
  Out(Format("deleted: %d\n", {deleted}));
  return books.Status();
}

int StakesProfit(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("stakes profit takes no arguments");
  TCliBooks books(context.Paths, false);
  Out(ProfitTsv(ProfitPerDraw(books.Book.File)));
  return 0;
}

int Stakes(const TCliContext& context) {
  const TCliArgs args(context.Words,
                      {"draw", "numbers", "comment", "draws", "kind", "sample", "rows", "where"},
                      {});
  if (args.Positional().empty()) throw ECliError("stakes needs list, add, check, delete or profit");
  const std::string& what = args.Positional()[0];
  if (what == "list") return StakesList(context, args);
  if (what == "add") return StakesAdd(context, args);
  if (what == "check") return StakesCheck(context, args);
  if (what == "delete") return StakesDelete(context, args);
  if (what == "profit") return StakesProfit(context, args);
  throw ECliError("unknown stakes command \"" + what + "\"");
}

// --sort K [--order asc|desc]: the sort is applied and saved as the program's
// header click does.
bool ApplySort(TCliBooks& books, const TCliArgs& args) {
  if (!args.Has("sort")) {
    if (args.Has("order")) throw ECliError("--order needs --sort");
    return false;
  }
  const int column = args.Int("sort", 0, 0, kRatingColumns - 1);
  const std::string order = args.Value("order", "asc");
  if (order != "asc" && order != "desc") throw ECliError("--order: asc or desc");
  books.Book.SetSort(column, order == "desc");
  if (!books.Book.SortAndSaveRatings(books.Hooks)) throw EVetrilo("Ошибка записи в файл рейтинга!");
  return true;
}

int Ratings(const TCliContext& context) {
  const TCliArgs args(context.Words, {"mode", "sort", "order"}, {});
  const std::vector<std::string>& words = args.Positional();
  const std::string what = words.empty() ? "" : words[0];
  if (what == "refresh") {
    if (words.size() != 1 || args.Has("mode") || args.Has("sort") || args.Has("order")) {
      throw ECliError("ratings refresh takes no arguments");
    }
    TCliBooks books(context.Paths, false);
    if (!books.Book.RebuildRatings(books.Hooks)) return 2;
    Out(Format("Рейтинг: %d\n", {books.Book.Ratings.Count()}));
    return 0;
  }
  if (what == "csv") {
    if (words.size() != 2 || args.Has("mode")) throw ECliError("ratings csv needs OUT.csv");
    TCliBooks books(context.Paths, false);
    books.LoadRatingsOrThrow();
    ApplySort(books, args);
    try {
      SaveFileAtomic(words[1], RatingsCsv(books.Book.Ratings, '.'));
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка записи в файл \"%s\"!\r\r%s", {words[1], e.Message()}));
    }
    return 0;
  }
  if (!words.empty()) throw ECliError("unknown ratings command \"" + what + "\"");
  TCliBooks books(context.Paths, false);
  const int mode = args.Int("mode", books.EffMode, 0, 2);
  books.LoadRatingsOrThrow();
  ApplySort(books, args);
  const auto& captions = RatingColumnCaptions();
  std::string out = TsvRow({captions.begin(), captions.end()});
  for (const TRatingRec& r : books.Book.Ratings.Items()) {
    std::vector<std::string> cells;
    for (int c = 0; c < kRatingColumns; ++c) cells.push_back(RatingCell(r, c, mode));
    out += TsvRow(cells);
  }
  out += Format("Рейтинг: %d\n", {books.Book.Ratings.Count()});
  Out(out);
  return 0;
}

const TCliRegistration kStakes(
    "stakes",
    "stakes list | add --draw N --numbers \"a;b;c;d\" [--comment C] [--draws D] [--kind K] "
    "[--sample S] | check | delete --rows FIRST-LAST | delete --where OP VALUE | profit",
    Stakes);
const TCliRegistration kRatings(
    "ratings",
    "ratings [--mode 0|1|2] [--sort K] [--order asc|desc] | refresh | csv OUT.csv [--sort K] "
    "[--order asc|desc]",
    Ratings);

}  // namespace
}  // namespace vetrilo::cli
