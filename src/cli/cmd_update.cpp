// update check | update install: the self-update of the program folder.
#include "app/app_paths.h"
#include "cli/cli.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "services/progress_window.h"
#include "services/self_update.h"

namespace vetrilo::cli {
namespace {

constexpr int kUpdateAvailableStatus = 10;

std::string UpdateAddress(const TCliContext& context, const TCliArgs& args) {
  if (args.Has("site")) return Trim(args.Value("site"));
  TIniData ini;
  try {
    ini = TIniFile(context.Paths.IniFile()).Load();
  } catch (const EVetrilo& e) {
    throw ECliError(Format("Ошибка чтения файла конфигурации!\r\r%s", {e.Message()}));
  }
  return Trim(ini.ReadString("GLOBAL", "UpdateSite", ""));
}

int Update(const TCliContext& context) {
  const TCliArgs args(context.Words, {"site"}, {});
  const auto& words = args.Positional();
  if (words.size() != 1 || (words[0] != "check" && words[0] != "install")) {
    throw ECliError("usage: update check|install [--site ADDRESS]");
  }
  if (context.Paths.PackageInstall) {
    throw ECliError(
        "Программа установлена из пакета: ее обновляет менеджер пакетов системы (например, apt).",
        0);
  }
  const std::string address = UpdateAddress(context, args);
  if (address.empty()) {
    throw ECliError(
        Format("Не задан адрес обновлений программы!\r\rВ файле %s.ini это параметр "
               "UpdateSite= раздела [GLOBAL].",
               {context.Paths.BaseName}));
  }
  // Installing replaces program files of the folder: one installer at a time.
  if (words[0] == "install") LockFolder(context);
  TConsoleHooks hooks;
  TProgressWindow progress;
  TSelfUpdate update(context.Paths.ProgramDir, context.Paths.BaseName, hooks, progress);
  if (words[0] == "check") {
    TUpdateVersionData data;
    try {
      data = update.ReadConfig(address);
    } catch (const EVetrilo& e) {
      throw ECliError(Format("Ошибка поиска обновлений!\r\r%s", {e.Message()}));
    }
    Out("running: " + OutField(update.RunningVersion) + "\n");
    Out("published: " + OutField(data.VerId) + "\n");
    return update.UpdateAvailable(data) ? kUpdateAvailableStatus : 0;
  }
  return update.CheckForUpdates(address, false, 0) == 2 ? 2 : 0;
}

const TCliRegistration kUpdate(
    "update",
    "update check|install [--site ADDRESS]   the running and the published build (exit 10: an "
    "update is available) | installs the published build into the program folder",
    Update);

}  // namespace
}  // namespace vetrilo::cli
