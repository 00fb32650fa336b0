// catalog: the systems and scripts of the catalogue server.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "core/translate.h"
#include "net/catalog_client.h"
#include "scripts/script_catalog.h"
#include "scripts/script_file.h"
#include "stakes/system_catalog.h"
#include "stakes/system_store.h"

namespace vetrilo::cli {
namespace {

constexpr int32_t kRussianLcid = 1049;

template <size_t N>
std::string TsvRow(const std::string& first, const std::array<std::string, N>& cells) {
  std::string line = OutField(first);
  for (const std::string& c : cells) line += "\t" + OutField(c);
  return line + "\n";
}

// The failure as the program shows it: its sentence, a blank line, the reason.
[[noreturn]] void Fail(std::string_view sentence, const EVetrilo& e) {
  throw ECliError(CrToLf(Format(Tr(sentence), {e.Message()})), 1);
}

// Reads leave the settings alone; a write makes the installation key first.
enum class TAccess { Read, Write };

TCatalogClient Client(const TCliContext& context, const TCliArgs& args, TAccess access) {
  const TIniFile ini(context.Paths.IniFile());
  TCatalogSettings settings =
      access == TAccess::Write ? LoadCatalogSettings(ini) : ReadCatalogSettings(ini);
  if (args.Has("site")) settings.Site = args.Value("site");
  return TCatalogClient(settings.Site, settings.User);
}

int32_t IdArg(const TCliArgs& args, const std::string& what) {
  if (args.Positional().size() != 2) throw ECliError("catalog " + what + " needs the ID");
  const int id = ParseIntArg(args.Positional()[1], "ID");
  if (id <= 0) throw ECliError("ID must be above 0");
  return id;
}

std::vector<tSystemInfo> SystemList(const TSystemsCatalog& catalog) {
  try {
    const auto list = catalog.List();
    if (!list) throw EVetrilo(Tr("Список систем не доступен!"));
    return *list;
  } catch (const EVetrilo& e) {
    Fail("Ошибка загрузки списка систем!\r\r%s", e);
  }
}

int Systems(const TCliContext& context, const TCliArgs& args) {
  const TCatalogClient client = Client(context, args, TAccess::Read);
  const auto list = SystemList(TSystemsCatalog(client));
  std::string out = TsvRow("Id", SystemColumnCaptions());
  for (const tSystemInfo& s : list) {
    out += TsvRow(std::to_string(s.Id),
                  SystemRowTexts(s, SystemFileExists(context.Paths.SystemsDir(), s)));
  }
  Out(out);
  return 0;
}

int GetSystem(const TCliContext& context, const TCliArgs& args) {
  const int32_t id = IdArg(args, "get-system");
  const std::string answer = args.Value("answer", "no");
  if (answer != "yes" && answer != "no") throw ECliError("--answer must be yes or no");
  const bool replaceBuilt = answer == "yes";
  const TCatalogClient client = Client(context, args, TAccess::Read);
  const TSystemsCatalog catalog(client);
  const auto list = SystemList(catalog);
  const auto it =
      std::find_if(list.begin(), list.end(), [&](const tSystemInfo& s) { return s.Id == id; });
  if (it == list.end()) throw ECliError("no system " + std::to_string(id) + " in the catalogue", 1);
  if (const std::string built = BuiltSystemFor(context.Paths.SystemsDir(), it->Nums);
      !built.empty()) {
    // The question and its answer on stderr, as the draw download writes them.
    const std::string line =
        CrToLf(ReplaceBuiltSystemQuestion(*it, built)) + (replaceBuilt ? " yes\n" : " no\n");
    std::fwrite(line.data(), 1, line.size(), stderr);
    if (!replaceBuilt) return 3;
  }
  try {
    const auto lines = CheckedSystemLines(*it, catalog.Combinations(id));
    StoreSystemFile(context.Paths.SystemsDir(), *it, lines, list);
  } catch (const EVetrilo& e) {
    throw ECliError(CrToLf(Format(Tr("Ошибка загрузки системы #%d!\r\r%s"), {id, e.Message()})), 1);
  }
  Out(OutField(SystemFilePath(context.Paths.SystemsDir(), *it)) + "\n");
  return 0;
}

int PutSystem(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 2) throw ECliError("catalog put-system needs FILE");
  const TCatalogClient client = Client(context, args, TAccess::Write);
  tSystemData d;
  d.Id = args.Int("id", 0, 0, INT32_MAX);
  try {
    const TNormalizedCombs combs = NormalizeSystemCombs(ReadFileBytes(args.Positional()[1]));
    d.CList = combs.Text;
    d.CSize = combs.CSize;
    d.Nums = uint8_t(std::clamp(combs.Nums, 0, 255));
  } catch (const EVetrilo& e) {
    throw ECliError("cannot read " + args.Positional()[1] + ": " + e.Message());
  }
  d.Olap = uint8_t(args.Int("olap", 0, 0, 3));
  d.Title = args.Value("title");
  d.Descr = args.Value("descr", d.Title);
  d.Url = args.Value("url");
  d.Author = args.Value("author", client.User().Name);
  d.AuthorMail = client.User().Mail;
  const TSystemDataCheck check = CheckSystemData(d);
  if (check.Field != TSystemField::None) throw ECliError(check.Message);
  int32_t id = 0;
  try {
    id = TSystemsCatalog(client).Save(d);
  } catch (const EVetrilo& e) {
    throw ECliError(CrToLf(Format(Tr("Ошибка сохранения системы #%d!\r\r%s"), {d.Id, e.Message()})),
                    1);
  }
  Out(std::to_string(id) + "\n");
  return 0;
}

int DeleteSystem(const TCliContext& context, const TCliArgs& args) {
  const int32_t id = IdArg(args, "delete-system");
  const TCatalogClient client = Client(context, args, TAccess::Write);
  const TSystemsCatalog catalog(client);
  const auto list = SystemList(catalog);
  const auto it =
      std::find_if(list.begin(), list.end(), [&](const tSystemInfo& s) { return s.Id == id; });
  if (it == list.end()) throw ECliError("no system " + std::to_string(id) + " in the catalogue", 1);
  if (!IsOwnSystem(*it, client.User().Mail))
    throw ECliError(Tr("Вы можете удалять только свои системы!"), 1);
  try {
    catalog.Delete(*it);
  } catch (const EVetrilo& e) {
    Fail("Ошибка удаления системы!\r\r%s", e);
  }
  std::error_code error;
  std::filesystem::remove(SystemFilePath(context.Paths.SystemsDir(), *it), error);
  return 0;
}

int Scripts(const TCliContext& context, const TCliArgs& args) {
  const int filter = args.Int("filter", kDefaultScriptFilter - 1, -1, 6);
  const TCatalogClient client = Client(context, args, TAccess::Read);
  std::vector<tScriptInfo> list;
  try {
    list = TScriptsCatalog(client, kRussianLcid).List(filter + 1);
  } catch (const EVetrilo& e) {
    Fail("Ошибка загрузки каталога online-сценариев!\r\r%s", e);
  }
  std::string out = TsvRow("Id", ScriptColumnCaptions());
  for (const tScriptInfo& s : list) out += TsvRow(std::to_string(s.Id), ScriptRowTexts(s));
  Out(out);
  return 0;
}

int GetScript(const TCliContext& context, const TCliArgs& args) {
  const int32_t id = IdArg(args, "get-script");
  const TCatalogClient client = Client(context, args, TAccess::Read);
  std::vector<std::string> lines;
  try {
    lines = TScriptsCatalog(client, kRussianLcid).Lines(id);
  } catch (const EVetrilo& e) {
    Fail("Ошибка загрузки online-сценария!\r\r%s", e);
  }
  if (args.Has("out")) {
    WriteScriptFile(args.Value("out"), lines);
  } else {
    std::string out;
    for (const std::string& line : lines) out += OutField(line) + "\n";
    Out(out);
  }
  return 0;
}

int PutScript(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 2) throw ECliError("catalog put-script needs FILE.lsc");
  const TCatalogClient client = Client(context, args, TAccess::Write);
  std::vector<std::string> lines;
  try {
    lines = ReadScriptFile(args.Positional()[1]);
  } catch (const EVetrilo& e) {
    throw ECliError("cannot read " + args.Positional()[1] + ": " + e.Message());
  }
  if (lines.empty()) throw ECliError("the script is empty");
  tScriptData d;
  d.Id = args.Int("id", -1, -1, INT32_MAX);
  if (d.Id == 0) d.Id = -1;
  d.Author = args.Value("author", client.User().Name);
  d.Lcid = args.Int("lcid", kRussianLcid, 0, 65535);
  d.Universal = args.Flag("universal");
  d.Public = !args.Flag("private");
  d.Title = Trim(args.Value("title"));
  d.Descr = args.Value("descr");
  if (d.Title.empty()) throw ECliError(Tr("Название сценария должно быть указано обязательно!"));
  if (Trim(d.Author).empty()) throw ECliError(Tr("Имя автора должно быть указано обязательно!"));
  const TScriptsCatalog catalog(client, kRussianLcid);
  try {
    if (!catalog.TitleFree(d.Id, d.Title)) {
      throw ECliError(
          CrToLf(Tr("Сценарий с таким названием уже существует!\rВыберите другое название.")), 1);
    }
  } catch (const EVetrilo& e) {
    Fail("Ошибка проверки уникальности online-сценария!\r\r%s", e);
  }
  int32_t id = 0;
  try {
    id = catalog.Publish(d, lines);
  } catch (const EVetrilo& e) {
    Fail("Ошибка сохранения online-сценария в базе данных!\r\r%s", e);
  }
  Out(std::to_string(id) + "\n");
  return 0;
}

int Rate(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 3) throw ECliError("catalog rate needs ID and VALUE");
  const int id = ParseIntArg(args.Positional()[1], "ID");
  const int value = ParseIntArg(args.Positional()[2], "VALUE");
  if (value < -1 || value > 5) throw ECliError("VALUE must be -1 (hide), 0 (remove) or 1..5");
  const TCatalogClient client = Client(context, args, TAccess::Write);
  try {
    TScriptsCatalog(client, kRussianLcid).Rate(id, value, args.Value("notes"));
  } catch (const EVetrilo& e) {
    Fail("Ошибка сохранения оценки online-сценария!\r\r%s", e);
  }
  return 0;
}

int DeleteScript(const TCliContext& context, const TCliArgs& args) {
  const int32_t id = IdArg(args, "delete-script");
  const TCatalogClient client = Client(context, args, TAccess::Write);
  const TScriptsCatalog catalog(client, kRussianLcid);
  try {
    const auto list = catalog.List(kDefaultScriptFilter - 1);  // hidden ones included
    const auto it =
        std::find_if(list.begin(), list.end(), [&](const tScriptInfo& s) { return s.Id == id; });
    if (it == list.end()) throw EVetrilo("no script " + std::to_string(id) + " in the catalogue");
    if (!it->Editable) throw EVetrilo(Tr("Вы можете удалять только свои сценарии"));
    catalog.Delete(*it);
  } catch (const EVetrilo& e) {
    Fail("Ошибка удаления online-сценария из базы данных!\r\r%s", e);
  }
  return 0;
}

int Catalog(const TCliContext& context) {
  const TCliArgs args(context.Words,
                      {"site", "filter", "title", "descr", "url", "olap", "id", "author", "lcid",
                       "notes", "out", "answer"},
                      {"universal", "private"});
  const std::string sub = args.Positional().empty() ? std::string() : args.Positional()[0];
  // These write the folder: a downloaded system, or the installation key on first use.
  if (sub == "get-system" || sub.rfind("put-", 0) == 0 || sub == "rate" ||
      sub.rfind("delete-", 0) == 0) {
    LockFolder(context);
  }
  if (sub == "systems") return Systems(context, args);
  if (sub == "scripts") return Scripts(context, args);
  if (sub == "get-system") return GetSystem(context, args);
  if (sub == "get-script") return GetScript(context, args);
  if (sub == "put-system") return PutSystem(context, args);
  if (sub == "put-script") return PutScript(context, args);
  if (sub == "rate") return Rate(context, args);
  if (sub == "delete-system") return DeleteSystem(context, args);
  if (sub == "delete-script") return DeleteScript(context, args);
  throw ECliError(
      "catalog needs a subcommand: systems, scripts, get-system, get-script, put-system, "
      "put-script, rate, delete-system, delete-script");
}

const TCliRegistration kCatalog(
    "catalog",
    "catalog systems | scripts [--filter -1..6] | get-system ID [--answer yes|no] |\n"
    "    get-script ID [--out FILE.lsc] |\n"
    "    put-system FILE --title T [--descr D] [--olap 0..3] [--url U] [--id ID] |\n"
    "    put-script FILE.lsc --title T [--descr D] [--universal] [--private] [--lcid N] [--id ID] "
    "|\n"
    "    rate ID VALUE [--notes TEXT] | delete-system ID | delete-script ID   [--site URL]\n"
    "    the catalogue server's systems and scripts (TSV lists); the user's name, e-mail and\n"
    "    key are those of the settings file ([CATALOG]), the server is [GLOBAL] CatalogSite",
    Catalog);

}  // namespace
}  // namespace vetrilo::cli
