// parse-page, download, csv-export, csv-import, draw: bringing draws into the archive.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "acquire/draw_download.h"
#include "acquire/draw_edit.h"
#include "acquire/draws_csv.h"
#include "acquire/page_parser.h"
#include "cli/cli.h"
#include "core/csv.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "net/proxy_settings.h"
#include "net/web_client.h"

namespace vetrilo::cli {
namespace {

void Err(const std::string& text) {
  const std::string line = CrToLf(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

TDrawArchive LoadArchive(const TAppPaths& paths) {
  TDrawArchive archive;
  const std::string path = paths.ArchiveFile();
  if (!PathExists(path)) return archive;
  try {
    archive.LoadFromFile(path);
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка чтения файла тиражей!\r\r%s", {e.Message()}));
  }
  if (const std::string warning = OddDrawsWarning(archive.Draws); !warning.empty()) Warn(warning);
  return archive;
}

void SaveArchive(const TAppPaths& paths, const TDrawArchive& archive) {
  try {
    archive.SaveToFile(paths.ArchiveFile());
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка записи в файл тиражей!\r\r%s", {e.Message()}));
  }
}

std::string DrawsCsv(const TDrawsArray& draws) {
  std::string out = CsvRow({"Number", "1", "2", "3", "4", "E", "Date"});
  for (const TDrawRec& d : draws) {
    out += CsvRow({std::to_string(d.Number), NumberText(d.Balls[0]), NumberText(d.Balls[1]),
                   NumberText(d.Balls[2]), NumberText(d.Balls[3]), ExtraText(d.Extra), d.Date});
  }
  return out;
}

// "mm/dd/yyyy" of a real day, as the dialog's date picker gives it.
TDateKey ParseDateArg(const std::string& text, const std::string& what) {
  bool shape = text.size() == 10 && text[2] == '/' && text[5] == '/';
  for (size_t i = 0; i < text.size() && shape; ++i) {
    if (i != 2 && i != 5) shape = text[i] >= '0' && text[i] <= '9';
  }
  TDateKey key = 0;
  if (shape) {
    try {
      key = TextToDateKey(text);
    } catch (const EVetrilo&) {
      key = 0;
    }
  }
  if (key <= 0) throw ECliError(what + ": \"" + text + "\" is not a date MM/DD/YYYY");
  return key;
}

TDrawNumbers ParseNumbersArg(const std::string& text) {
  const auto numbers = ParseDrawNumbers(text);
  if (!numbers) throw ECliError(std::string(kBadDrawCombination));
  return *numbers;
}

int ParseDrawNumberArg(const TCliArgs& args, int def) {
  if (!args.Has("number")) return def;
  const int n = ParseIntArg(args.Value("number"), "--number");
  if (n < 1) throw ECliError("--number must lie in 1..2147483647");
  return n;
}

int ParsePage(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {});
  if (args.Positional().size() != 1) throw ECliError("parse-page needs one FILE");
  std::string page;
  try {
    page = ReadFileBytes(args.Positional()[0]);
  } catch (const EVetrilo& e) {
    throw ECliError(e.Message());
  }
  const TDrawArchive archive = LoadArchive(context.Paths);
  Out(DrawsCsv(ParseResultsPage(page, archive)));
  return 0;
}

// Status texts and messages on stderr; every question gets the same answer.
class TDownloadHooks : public TUiHooks {
 public:
  explicit TDownloadHooks(bool answer) : answer_(answer) {}
  void SetStatus(std::string_view text) override {
    if (!text.empty()) Err(std::string(text));
  }
  void ShowMessage(TMessageKind kind, std::string_view text) override {
    if (kind == TMessageKind::Error) ++Errors;
    WriteMessageToStderr(kind, text);
  }
  bool Ask(std::string_view question) override {
    Err(std::string(question) + (answer_ ? " yes" : " no"));
    return answer_;
  }
  int Errors = 0;

 private:
  bool answer_;
};

int Download(const TCliContext& context) {
  const TCliArgs args(context.Words, {"today", "answer"}, {});
  if (!args.Positional().empty()) throw ECliError("download takes no arguments");
  const std::string answer = args.Value("answer", "no");
  if (answer != "yes" && answer != "no") throw ECliError("--answer must be yes or no");
  TDateKey today = TodayKey();
  if (args.Has("today")) {
    const std::string t = args.Value("today");
    const int v = ParseIntArg(t, "--today");
    if (t.size() != 8 || !IsValidDate(v / 10000, v / 100 % 100, v % 100)) {
      throw ECliError("--today: \"" + t + "\" is not a date YYYYMMDD");
    }
    today = v;
  }
  LockFolder(context);
  const TIniFile iniFile(context.Paths.IniFile());
  TIniData ini;
  try {
    ini = iniFile.Load();
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка чтения файла конфигурации!\r\r%s", {e.Message()}));
  }
  const std::string site = Trim(ini.ReadString("GLOBAL", "ResultsSite", ""));
  if (site.empty()) {
    throw ECliError(
        Format("Не задан адрес страницы результатов лотереи: укажите ResultsSite= в "
               "разделе [GLOBAL] файла %s",
               {context.Paths.IniFile()}));
  }
  TDrawArchive archive = LoadArchive(context.Paths);
  TProxySettings proxy = TProxySettings::Load(ini);
  TDownloadHooks hooks(answer == "yes");
  TWebClient web(proxy, hooks);
  TDrawDownload download(archive, web, hooks, site, today);
  // For the tests of failing servers: VETRILO_RETRY_PAUSE_MS is how long a
  // second of the pauses before the retries lasts.
  if (const char* scale = std::getenv("VETRILO_RETRY_PAUSE_MS")) {
    const int64_t ms = std::atoll(scale);
    download.Pause = [ms](int seconds) {
      std::this_thread::sleep_for(std::chrono::milliseconds(ms * seconds));
    };
  }
  bool saveFailed = false;
  download.DrawsAppended = [&] {
    try {
      archive.SaveToFile(context.Paths.ArchiveFile());
    } catch (const EVetrilo& e) {
      saveFailed = true;
      hooks.ShowMessage(TMessageKind::Error,
                        Format("Ошибка записи в файл тиражей!\r\r%s", {e.Message()}));
    }
  };
  download.SaveProxy = [&] {
    try {
      proxy.Save(iniFile);
    } catch (const EVetrilo& e) {
      proxy.Saved = true;
      hooks.ShowMessage(TMessageKind::Error,
                        Format("Ошибка записи в файл конфигурации!\r\r%s", {e.Message()}));
    }
  };
  const TDownloadResult result = download.DownloadNewDraws();
  Err(Format("total %d", {result.Added}));
  const bool failed = result.End == TDownloadEnd::Failed || result.End == TDownloadEnd::BadDate;
  return failed || saveFailed ? 2 : 0;
}

int CsvExport(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {});
  if (args.Positional().size() != 1) throw ECliError("csv-export needs one OUT.csv");
  const TDrawArchive archive = LoadArchive(context.Paths);
  try {
    SaveFileAtomic(args.Positional()[0], DrawsCsvText(archive.Draws));
  } catch (const EVetrilo& e) {
    throw ECliError(e.Message());
  }
  return 0;
}

int CsvImport(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {});
  if (args.Positional().size() != 1) throw ECliError("csv-import needs one FILE.csv");
  LockFolder(context);
  TDrawArchive archive = LoadArchive(context.Paths);
  std::string bytes;
  try {
    bytes = ReadFileBytes(args.Positional()[0]);
  } catch (const EVetrilo& e) {
    throw ECliError(e.Message());
  }
  const int added = ImportDrawsCsv(bytes, archive);
  if (added > 0) SaveArchive(context.Paths, archive);
  Err(Format("imported %d", {added}));
  return 0;
}

std::vector<int> ParseRowsArg(const std::string& text) {
  std::vector<int> rows;
  for (const std::string& part : SplitAll(text, ',')) rows.push_back(ParseIntArg(part, "--rows"));
  return rows;
}

int Draw(const TCliContext& context) {
  if (context.Words.empty()) throw ECliError("draw needs add, edit or delete");
  const std::string verb = context.Words[0];
  const std::vector<std::string> rest(context.Words.begin() + 1, context.Words.end());
  LockFolder(context);
  TDrawArchive archive = LoadArchive(context.Paths);
  if (verb == "add") {
    const TCliArgs args(rest, {"numbers", "date", "number"}, {});
    if (!args.Positional().empty()) throw ECliError("draw add takes no positional arguments");
    if (!args.Has("numbers") || !args.Has("date"))
      throw ECliError("draw add needs --numbers and --date");
    const TDrawNumbers numbers = ParseNumbersArg(args.Value("numbers"));
    const TDateKey date = ParseDateArg(args.Value("date"), "--date");
    const int number = ParseDrawNumberArg(args, NextNewDrawNumber(archive));
    archive.Draws.push_back(MakeDrawRecord(number, numbers, date));
  } else if (verb == "edit") {
    const TCliArgs args(rest, {"row", "numbers", "date", "number"}, {});
    if (!args.Positional().empty()) throw ECliError("draw edit takes no positional arguments");
    if (!args.Has("row")) throw ECliError("draw edit needs --row");
    const int row = ParseIntArg(args.Value("row"), "--row");
    const int index = archive.High() - row;
    if (row < 0 || index < 0) {
      throw ECliError(Format("Запись со индексом %d в файле данных не найдена!", {index}));
    }
    TDrawRec& draw = archive.Draws[static_cast<size_t>(index)];
    // What the dialog would show for the fields not given.
    const TDrawNumbers numbers = ParseNumbersArg(args.Value("numbers", DrawNumbersText(draw)));
    const TDateKey date = args.Has("date") ? ParseDateArg(args.Value("date"), "--date")
                                           : DialogDate(draw.Date, TodayKey());
    const int number = ParseDrawNumberArg(args, draw.Number < 1 ? 1 : draw.Number);
    draw = MakeDrawRecord(number, numbers, date);
  } else if (verb == "delete") {
    const TCliArgs args(rest, {"rows"}, {});
    if (!args.Positional().empty()) throw ECliError("draw delete takes no positional arguments");
    if (!args.Has("rows")) throw ECliError("draw delete needs --rows");
    DeleteDrawRows(archive, ParseRowsArg(args.Value("rows")));
  } else {
    throw ECliError("draw needs add, edit or delete, not \"" + verb + "\"");
  }
  SaveArchive(context.Paths, archive);
  return 0;
}

const TCliRegistration kParsePage(
    "parse-page", "parse-page FILE.html   the draws a result page would append, as CSV", ParsePage);
const TCliRegistration kDownload(
    "download",
    "download [--today YYYYMMDD] [--answer yes|no]   new draws from ResultsSite into the archive",
    Download);
const TCliRegistration kCsvExport("csv-export",
                                  "csv-export OUT.csv   the archive as a CSV draw file", CsvExport);
const TCliRegistration kCsvImport("csv-import",
                                  "csv-import FILE.csv   appends the new draws of a CSV draw file",
                                  CsvImport);
const TCliRegistration kDraw(
    "draw",
    "draw add --numbers \"a;b;c;d;e\" --date MM/DD/YYYY [--number N] | draw edit --row R "
    "[--numbers TEXT] [--date MM/DD/YYYY] [--number N] | draw delete --rows R1,R2",
    Draw);

}  // namespace
}  // namespace vetrilo::cli
