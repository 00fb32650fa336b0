#pragma once
// The stake books of a program folder for the subcommands that work on them.
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/list_columns.h"
#include "app/main_options.h"
#include "core/draw_archive.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/ini_file.h"
#include "core/ui_hooks.h"
#include "stakes/stake_book.h"
#include "stakes/stake_store.h"
#include "stats/stat_list.h"

namespace vetrilo::cli {

// The books of a program folder as the program has them after start-up:
// the stake file (locked while we work on it, its start-up rule applied,
// warnings on stderr), the ratings, the prices and the log option.
struct TCliBooks {
  TConsoleHooks Console;
  TCountingHooks Hooks{Console};
  TStakeBook Book;
  TDrawArchive Archive;
  int EffMode = 1;

  TCliBooks(const TAppPaths& paths, bool withArchive) {
    TIniData ini, frm;
    try {
      ini = TIniFile(paths.IniFile()).Load();
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка чтения файла конфигурации!\r\r%s", {e.Message()}));
    }
    try {
      frm = TIniFile(paths.FrmFile()).Load();
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка загрузки параметров программы!\r\r%s", {e.Message()}));
    }
    TStatList settings;
    settings.LoadEngineSettings(ini);
    Book.Prices = {settings.Cost, settings.Profits};
    const TMainOptions options = TMainOptions::Load(frm);
    Book.LogEnabled = options.StakesLogEnabled;
    EffMode = options.RatingsEffMode;
    Book.Log = {paths.Dir, paths.BaseName};
    Book.RatingsPath = paths.File(".lrt");
    const TListColumns columns = ReadListColumns(frm, "TFormMain", "lvRatings", kRatingColumns);
    if (columns.Sort) Book.SetSort(columns.Sort->first, columns.Sort->second != 0);
    std::string warning;
    try {
      warning = OpenStakesAtStart(Book.File, paths.StakesFile(), true);
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка чтения файла ставок!\r\r%s", {e.Message()}));
    }
    if (!warning.empty()) WriteMessageToStderr(TMessageKind::Warning, warning);
    if (withArchive) {
      const std::string path = paths.ArchiveFile();
      if (FileExists(path) || DirectoryExists(path)) {
        try {
          Archive.LoadFromFile(path);
        } catch (const EVetrilo& e) {
          throw EVetrilo(Format("Ошибка чтения файла тиражей!\r\r%s", {e.Message()}));
        }
        const std::string odd = OddDrawsWarning(Archive.Draws);
        if (!odd.empty()) WriteMessageToStderr(TMessageKind::Warning, odd);
      }
    }
  }

  void LoadRatingsOrThrow() {
    const std::string& path = Book.RatingsPath;
    if (!FileExists(path) && !DirectoryExists(path)) return;
    std::string warning;
    try {
      warning = Book.Ratings.Load(path);
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка чтения файла рейтинга!\r\r%s", {e.Message()}));
    }
    if (!warning.empty()) WriteMessageToStderr(TMessageKind::Warning, warning);
  }

  // Error messages shown on the way make the exit status 2.
  int Status() const { return Hooks.ErrorsShown() > 0 ? 2 : 0; }

  int Check() {
    LoadRatingsOrThrow();
    return static_cast<int>(Book.Check(Archive, Hooks));
  }
};

inline std::string Row(const std::vector<std::string>& cells) {
  std::string line;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  return line + '\n';
}

}  // namespace vetrilo::cli
