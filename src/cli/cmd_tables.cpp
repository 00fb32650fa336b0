// tables: regular table stakes, a combination walked by a step from draw to draw.
#include <algorithm>

#include "cli/cli.h"
#include "cli/cli_books.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/text.h"
#include "stakes/stake_dialog.h"
#include "stakes/stake_tables.h"

namespace vetrilo::cli {
namespace {

std::vector<TTableRec> ReadTables(const TAppPaths& paths) {
  std::vector<TTableRec> tables;
  std::string warning;
  try {
    tables = ReadTablesFile(paths.File(kTablesFileExt), &warning);
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format("Ошибка чтения файла регулярных ставок!\r\r%s", {e.Message()}));
  }
  if (!warning.empty()) WriteMessageToStderr(TMessageKind::Warning, warning);
  return tables;
}

void WriteTables(const TAppPaths& paths, const std::vector<TTableRec>& tables) {
  try {
    WriteTablesFile(paths.File(kTablesFileExt), tables);
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format("Ошибка записи в файл регулярных ставок!\r\r%s", {e.Message()}));
  }
}

std::string TablesText(const std::vector<TTableRec>& tables) {
  std::string out = TsvRow(TableColumnCaptions());
  for (const TTableRec& t : tables) out += TsvRow(TableRowTexts(t));
  return out;
}

int TablesList(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("tables list takes no arguments");
  Out(TablesText(ReadTables(context.Paths)));
  return 0;
}

int TablesAdd(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("tables add takes options only");
  if (!args.Has("name")) throw ECliError("tables add needs --name N");
  TTableDialogInput input;
  input.Comment = args.Value("name");
  input.UseLastDraw = args.Flag("last-draw");
  input.Step = args.Int("step", 1, -kTableStepMax, kTableStepMax);
  input.StartText = args.Value("start");
  if (!input.UseLastDraw && !args.Has("start")) {
    throw ECliError("tables add needs --start \"a;b;c;d\" or --last-draw");
  }
  if (Utf8Length(input.Comment) > size_t(kTableCommentMaxChars)) {
    throw ECliError("--name: at most 64 characters");
  }
  LockFolder(context);
  std::vector<TTableRec> tables = ReadTables(context.Paths);
  std::vector<std::string> names;
  for (const TTableRec& t : tables) names.push_back(t.Name);
  // --start stands for the one selected combination the dialog would edit.
  const int selected = args.Has("start") ? 1 : 0;
  if (const auto error = CheckTableDialog(input, selected, names)) throw EVetrilo(error->Message);
  std::vector<TSelectedComb> selection;
  if (selected == 1 && input.UseLastDraw) {
    const auto numbers = ParseStakeNumbers(input.StartText);
    if (!numbers) throw EVetrilo("Введена некорректная комбинация!");
    selection.push_back({MakeComb((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]), 1});
  } else if (selected == 1) {
    selection.push_back({0, 1});
  }
  const std::vector<TTableRec> added = NewTables(input, selection, tables);
  tables.insert(tables.end(), added.begin(), added.end());
  WriteTables(context.Paths, tables);
  Out(TablesText(tables));
  return 0;
}

// Tables advanced, stakes appended and checked: the list and the count checked.
int Finish(TCliBooks& books, const std::vector<TTableRec>& tables) {
  const int checked = books.Check();
  Out(TablesText(tables) + Format("checked: %d\n", {checked}));
  return books.Status();
}

int TablesStake(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("tables stake takes options only");
  if (!args.Has("index")) throw ECliError("tables stake needs --index I");
  TCliBooks books(context.Paths, true);
  std::vector<TTableRec> tables = ReadTables(context.Paths);
  if (tables.empty()) throw ECliError("tables stake: there are no tables");
  const int index = args.Int("index", 0, 0, int(tables.size()) - 1);
  const int draws = args.Int("draws", 1, 1, kStakeDrawsMax);
  books.LoadRatingsOrThrow();
  const int newest = books.Archive.LastIndex(0);
  std::array<uint8_t, 4> draw{};
  int32_t number = 0;
  if (newest >= 0) {
    draw = books.Archive.Draws[size_t(newest)].Balls;
    number = books.Archive.Draws[size_t(newest)].Number;
  }
  TTableRec& table = tables[size_t(index)];
  AdvanceTable(table, draw);
  const TStakeRec rec =
      TableStake(table, number, kAllCombinations,
                 StakeOutcome(4, -1, books.Book.Prices.Cost, books.Book.Prices.Profits));
  WriteTables(context.Paths, tables);
  AppendStake(books.Book.File, rec, draws);
  return Finish(books, tables);
}

int TablesTest(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("tables test takes options only");
  if (!args.Has("draws")) throw ECliError("tables test needs --draws N");
  TCliBooks books(context.Paths, true);
  std::vector<TTableRec> tables = ReadTables(context.Paths);
  books.LoadRatingsOrThrow();
  const int maxDraws = std::max(0, books.Archive.Count() - 1);
  if (maxDraws == 0) throw ECliError("tables test needs at least two draws in the archive");
  const int draws = args.Int("draws", 10, 1, maxDraws);
  std::vector<int> selected;
  if (args.Has("select")) {
    for (const std::string& word : SplitWords(args.Value("select"), ",")) {
      const int index = ParseIntArg(Trim(word), "--select");
      if (index < 0 || size_t(index) >= tables.size()) {
        throw ECliError("--select: " + word + " is not a table index 0.." +
                        std::to_string(int(tables.size()) - 1));
      }
      if (std::find(selected.begin(), selected.end(), index) == selected.end()) {
        selected.push_back(index);
      }
    }
    std::sort(selected.begin(), selected.end());
  } else {
    for (size_t i = 0; i < tables.size(); ++i) selected.push_back(int(i));
  }
  if (selected.empty()) throw ECliError("tables test: no tables selected");
  try {
    RunTableTest(tables, selected, draws, books.Archive, books.Book.File, kAllCombinations,
                 StakeOutcome(4, -1, books.Book.Prices.Cost, books.Book.Prices.Profits));
  } catch (const EVetrilo&) {
    // The tables keep what they were advanced to before the failure.
    WriteTables(context.Paths, tables);
    throw;
  }
  WriteTables(context.Paths, tables);
  return Finish(books, tables);
}

int Tables(const TCliContext& context) {
  const TCliArgs args(context.Words, {"name", "step", "start", "index", "draws", "select"},
                      {"last-draw"});
  const std::string sub = args.Positional().empty() ? "" : args.Positional()[0];
  if (sub == "list") return TablesList(context, args);
  if (sub == "add") return TablesAdd(context, args);
  if (sub == "stake") return TablesStake(context, args);
  if (sub == "test") return TablesTest(context, args);
  throw ECliError("tables needs a subcommand: list, add, stake or test");
}

const TCliRegistration kTables(
    "tables",
    "tables list   the regular tables (TSV)\n"
    "tables add --name N [--step S] [--last-draw] [--start \"a;b;c;d\"]   a new table\n"
    "tables stake --index I [--draws D]   advance a table and stake it, then check\n"
    "tables test --draws N [--select 0,2]   stakes of the tables for the N newest draws",
    Tables);

}  // namespace
}  // namespace vetrilo::cli
