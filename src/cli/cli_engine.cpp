#include "cli/cli_engine.h"

#include "app/main_options.h"
#include "cli/cli.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "services/languages.h"
#include "views/draw_stats.h"

namespace vetrilo::cli {
namespace {

// Settings as the program reads them; a file that cannot be read is an error
// here (exit status 2), never a silent set of defaults.
TIniData LoadSettings(const std::string& path, const char* failure) {
  try {
    return TIniFile(path).Load();
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format(failure, {e.Message()}));
  }
}

TIniData LoadIni(const TAppPaths& paths) {
  return LoadSettings(paths.IniFile(), "Ошибка чтения файла конфигурации!\r\r%s");
}

TIniData LoadFrm(const TAppPaths& paths) {
  return LoadSettings(paths.FrmFile(), "Ошибка загрузки параметров программы!\r\r%s");
}

}  // namespace

TCliEngine::TCliEngine(const TAppPaths& paths) {
  const std::string archive = paths.ArchiveFile();
  if (PathExists(archive)) {
    try {
      Archive.LoadFromFile(archive);
    } catch (const EVetrilo& e) {
      throw ECliError(std::string("cannot read the draw archive: ") + e.what());
    }
    if (const std::string warning = OddDrawsWarning(Archive.Draws); !warning.empty()) Warn(warning);
  }
  const TIniData ini = LoadIni(paths);
  List.Draws = &Archive;
  List.LoadSettings(ini);
  // An unreadable window-settings file is an error, not defaults; the tool
  // speaks the base language whatever the interface is set to.
  (void)TMainOptions::Load(LoadFrm(paths));
  List.Language = int32_t(kBaseLanguage);
  List.BuildMethods();
  std::string error;
  if (!List.LoadMethodSettings(paths.FltFile(), false, &error)) {
    throw ECliError("cannot read the method list: " + error);
  }
}

const TStatMethod& TCliEngine::Method(const std::string& code) const {
  const int i = List.FindByCode(code);
  if (i < 0) throw ECliError("unknown method code \"" + code + "\"");
  return List.Item(i);
}

int TCliEngine::CheckedOffset(int offset) const {
  if (offset < 0 || (Archive.Count() > 0 && offset > Archive.High()) ||
      (Archive.Count() == 0 && offset != 0)) {
    throw ECliError("--offset must lie in 0.." +
                    std::to_string(Archive.Count() > 0 ? Archive.High() : 0));
  }
  return offset;
}

int SavedDrawsStatLen(const TAppPaths& paths) {
  return StoredDrawsStatLen(TMainOptions::Load(LoadFrm(paths)).DrawsStatLen);
}

TMainOptions SavedMainOptions(const TAppPaths& paths) {
  return TMainOptions::Load(LoadFrm(paths));
}

TComb ParseCombArg(const std::string& text) {
  const auto parts = SplitAll(text, ',');
  if (parts.size() != 4) throw ECliError("--comb needs four numbers a,b,c,d: \"" + text + "\"");
  TComb comb = 0;
  for (int i = 0; i < 4; ++i) {
    const int n = ParseIntArg(parts[size_t(i)], "--comb");
    if (n < 1 || n > kMaxNumber)
      throw ECliError("--comb numbers must lie in 1..47: \"" + text + "\"");
    if (CombHasNumber(comb, n))
      throw ECliError("--comb numbers must be distinct: \"" + text + "\"");
    comb = SetCombByte(comb, i + 1, static_cast<uint8_t>(n));
  }
  return comb;
}

}  // namespace vetrilo::cli
