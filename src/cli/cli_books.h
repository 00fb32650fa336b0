#pragma once
// The stake books of a program folder for the subcommands that work on them.
#include <stdexcept>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "app/list_columns.h"
#include "app/main_options.h"
#include "cli/cli.h"
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

  // Opening the stake file takes the folder's lock (waiting a few seconds for
  // another holder), so everything below is read under it.
  TCliBooks(const TAppPaths& paths, bool withArchive) {
    // The folder's lock is the stake file's: a second open of it here would wait for ourselves.
    if (FolderLockHeld()) throw std::logic_error("the folder lock is already held");
    std::string warning;
    try {
      warning = OpenStakesAtStart(Book.File, paths.StakesFile(), true);
    } catch (const EFolderLocked&) {
      throw;
    } catch (const EVetrilo& e) {
      throw EVetrilo(Format("Ошибка чтения файла ставок!\r\r%s", {e.Message()}));
    }
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
    const TRatingsSort sort = StoredRatingsSort(columns.Sort);
    Book.SetSort(sort.Column, sort.Descending);
    if (!warning.empty()) WriteMessageToStderr(TMessageKind::Warning, warning);
    if (withArchive) {
      const std::string path = paths.ArchiveFile();
      if (PathExists(path)) {
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

  // Commands that write take the ratings before their first write, so an
  // unreadable ratings file changes nothing.
  void LoadRatingsOrThrow() {
    if (ratingsLoaded_) return;
    const std::string& path = Book.RatingsPath;
    std::string warning;
    if (PathExists(path)) {
      try {
        warning = Book.Ratings.Load(path);
      } catch (const EVetrilo& e) {
        throw EVetrilo(Format("Ошибка чтения файла рейтинга!\r\r%s", {e.Message()}));
      }
    }
    ratingsLoaded_ = true;
    if (!warning.empty()) WriteMessageToStderr(TMessageKind::Warning, warning);
  }

  // Error messages shown on the way make the exit status 2.
  int Status() const { return Hooks.ErrorsShown() > 0 ? 2 : 0; }

  int Check() {
    LoadRatingsOrThrow();
    return static_cast<int>(Book.Check(Archive, Hooks));
  }

 private:
  bool ratingsLoaded_ = false;
};

}  // namespace vetrilo::cli
