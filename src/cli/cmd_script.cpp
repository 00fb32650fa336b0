// script: the normal form of a script line and the variants of its filters; the
// script of a program folder and its files.
#include <fstream>

#include "cli/cli.h"
#include "cli/cli_engine.h"
#include "cli/cmd_script_run.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/ui_hooks.h"
#include "scripts/filter_variants.h"
#include "scripts/ratings.h"
#include "scripts/script_file.h"
#include "scripts/script_line.h"
#include "scripts/script_list_view.h"

namespace vetrilo::cli {
namespace {

// The first line of a UTF-8 file: up to the first LF, without a CR before it.
std::string FirstLineOf(const std::string& path) {
  if (DirectoryExists(path)) throw ECliError("cannot read \"" + path + "\": it is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) throw ECliError("cannot read \"" + path + "\"");
  std::string line;
  std::getline(in, line, '\n');
  if (in.bad()) throw ECliError("cannot read \"" + path + "\"");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // byte order mark of an editor
  return line;
}

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

int Normalize(const std::string& line, const TStatList& list) {
  Out(OutField(NormalizeScriptLine(line, list)) + "\n");
  return 0;
}

int Variants(const std::string& line, int lineNo, const TStatList& list) {
  const TScriptLine parsed = ParseScriptLine(line, list);
  if (parsed.Separator) return 0;
  const std::vector<TFilterItem> filters = parsed.AssignedFilters();
  if (filters.empty()) {
    Out(TsvRow(
        {"0", "", VariantLabel(lineNo, 0, parsed.Comment, FormatLabelOptions(parsed.Options))}));
    return 0;
  }
  std::unique_ptr<TVariantPlan> plan;
  try {
    plan = std::make_unique<TVariantPlan>(filters);
  } catch (const EScriptFilterError& e) {
    throw ECliError(OneLine(e.Message()), 2);
  } catch (const EScriptTooLarge& e) {
    throw ECliError(OneLine(e.Message()), 3);
  }
  std::string out;
  plan->ForEach([&](int64_t number, const TFilterRec& variant) {
    const std::string text = FormatVariant(variant);
    out += TsvRow({std::to_string(number), text,
                   VariantLabel(lineNo, static_cast<int>(number), parsed.Comment,
                                FormatLabelOptions(parsed.Options) + " + " + text)});
    if (out.size() >= (1u << 20)) {
      Out(out);
      out.clear();
    }
    return true;
  });
  Out(out);
  return 0;
}

std::vector<std::string> ReadScript(const std::string& path) {
  try {
    return ReadScriptFile(path);
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка чтения файла \"%s\"!\r\r%s", {path, e.Message()}), 2);
  }
}

void WriteScript(const std::string& path, const std::vector<std::string>& lines) {
  try {
    WriteScriptFile(path, lines);
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка записи в файл \"%s\"!\r\r%s", {path, e.Message()}), 2);
  }
}

// The program's script: its autosave file, empty when there is none.
std::vector<std::string> CurrentScript(const TAppPaths& paths) {
  const std::string path = paths.File(".lss");
  return PathExists(path) ? ReadScript(path) : std::vector<std::string>();
}

int Lines(const TCliContext& context) {
  TCliEngine engine(context.Paths);
  const std::vector<std::string> script = CurrentScript(context.Paths);
  const auto row = [](const auto& cells) {
    return TsvRow(std::vector<std::string>(cells.begin(), cells.end()));
  };
  std::string out = row(ScriptListCaptions());
  for (const std::string& line : script) out += row(ScriptListRow(line, engine.List));
  Out(out);
  return 0;
}

// append / open / save FILE: every file is read before anything is written.
int ScriptFileCommand(const std::string& command, const std::string& file,
                      const TCliContext& context) {
  const std::string autosave = context.Paths.File(".lss");
  if (command != "save") LockFolder(context);
  std::vector<std::string> script = CurrentScript(context.Paths);
  if (command == "save") {
    WriteScript(file, script);
    return 0;
  }
  std::vector<std::string> lines = ReadScript(file);
  if (command == "open") {
    script = std::move(lines);
  } else {
    AppendScriptLines(script, lines);
  }
  WriteScript(autosave, script);
  return 0;
}

// from-ratings: the lines made of the ratings at these rows (file order,
// 1-based) go to the end of the program's script, as "Добавить в сценарий" does.
int FromRatings(const TCliContext& context, const TCliArgs& args) {
  if (!args.Has("rows")) throw ECliError("script from-ratings needs --rows R1,R2,...");
  LockFolder(context);
  TRatings ratings;
  const std::string path = context.Paths.File(".lrt");
  if (PathExists(path)) {
    try {
      ratings.Load(path);
    } catch (const EVetrilo& e) {
      throw ECliError(Format("Ошибка чтения файла рейтинга!\r\r%s", {e.Message()}), 2);
    }
  }
  std::vector<std::string> labels;
  for (const std::string& word : SplitWords(args.Value("rows"), ",")) {
    const int row = ParseIntArg(Trim(word), "--rows");
    if (row < 1 || row > ratings.Count()) {
      throw ECliError("--rows: " + word + " is not a row of the ratings (1.." +
                      std::to_string(ratings.Count()) + ")");
    }
    labels.push_back(ratings.Item(row - 1).Label);
  }
  TCliEngine engine(context.Paths);
  std::vector<std::string> script = CurrentScript(context.Paths);
  bool rejected = false;
  for (const std::string& label : labels) {
    const TRatingLine made = RatingLabelToScriptLine(label, engine.List);
    if (made.Accepted) {
      script.push_back(made.Line);
    } else {
      WriteMessageToStderr(TMessageKind::Error, RatingRejectedMessage(label));
      rejected = true;
    }
  }
  WriteScript(context.Paths.File(".lss"), script);
  return rejected ? 2 : 0;
}

int Script(const TCliContext& context) {
  if (!context.Words.empty() && (context.Words[0] == "forecast" || context.Words[0] == "test")) {
    return ScriptRunCommand(context);
  }
  const TCliArgs args(context.Words, {"file", "line-no", "rows"}, {});
  const auto& words = args.Positional();
  if (!words.empty() && words[0] == "from-ratings") {
    if (words.size() != 1 || args.Has("file") || args.Has("line-no"))
      throw ECliError("script from-ratings takes only --rows");
    return FromRatings(context, args);
  }
  if (args.Has("rows")) throw ECliError("--rows goes with from-ratings");
  if (!words.empty() && words[0] == "lines") {
    if (words.size() != 1 || args.Has("file") || args.Has("line-no"))
      throw ECliError("script lines takes no arguments");
    return Lines(context);
  }
  if (!words.empty() && (words[0] == "append" || words[0] == "open" || words[0] == "save")) {
    if (words.size() != 2 || args.Has("file") || args.Has("line-no"))
      throw ECliError("script " + words[0] + " needs one FILE.lsc");
    return ScriptFileCommand(words[0], words[1], context);
  }
  if (words.empty() || (words[0] != "normalize" && words[0] != "variants")) {
    throw ECliError(
        "script needs normalize, variants, lines, append, open, save, from-ratings, forecast or "
        "test");
  }
  const bool fromFile = args.Has("file");
  if (words.size() != (fromFile ? 1u : 2u))
    throw ECliError("script " + words[0] + " needs LINE or --file F");
  if (words[0] == "normalize" && args.Has("line-no"))
    throw ECliError("--line-no goes with variants");
  const int lineNo = args.Int("line-no", 1, 1, 2147483647);
  const std::string line = fromFile ? FirstLineOf(args.Value("file")) : words[1];
  TCliEngine engine(context.Paths);
  return words[0] == "normalize" ? Normalize(line, engine.List)
                                 : Variants(line, lineNo, engine.List);
}

const TCliRegistration kScript(
    "script",
    "script normalize (LINE | --file F)   the normal form of a script line\n"
    "  script variants (LINE | --file F) [--line-no N]   number, text and label of every filter "
    "variant\n"
    "  script lines   the program's script as its list shows it (TAB-separated)\n"
    "  script append FILE.lsc   appends a script file to the program's script\n"
    "  script open FILE.lsc   replaces the program's script by a script file\n"
    "  script save FILE.lsc   writes the program's script to a file\n"
    "  script from-ratings --rows R1,R2,...   appends the lines made of these ratings (rows of "
    "the ratings file, 1-based)\n"
    "  script forecast FILE.lsc [--offset K] [--seed S]   runs a script file on the program's "
    "archive, stakes and ratings\n"
    "  script test FILE.lsc --draws N [--offset K] [--seed S]   tests it over the N newest draws",
    Script);

}  // namespace
}  // namespace vetrilo::cli
