#pragma once

#include <memory>
#include <string>

#include "app/app_paths.h"
#include "app/main_options.h"
#include "core/draw_archive.h"
#include "stats/stat_list.h"

namespace vetrilo::cli {

// The archive and the registry of a program folder, with its engine settings,
// shredding formulas and method captions loaded, as the program would have them.
struct TCliEngine {
  TDrawArchive Archive;
  TStatList List;

  explicit TCliEngine(const TAppPaths& paths);
  TCliEngine(const TCliEngine&) = delete;

  // The method with this code; throws ECliError when there is none.
  const TStatMethod& Method(const std::string& code) const;
  // Draw offset checked against the archive; throws ECliError.
  int CheckedOffset(int offset) const;
};

// The statistics depth the program saved (DrawsStatLen of its window settings).
int SavedDrawsStatLen(const TAppPaths& paths);
// Every option of the main window the program saved (depths and view options).
TMainOptions SavedMainOptions(const TAppPaths& paths);

// "a,b,c,d": four distinct numbers 1..47 in the given order; throws ECliError.
TComb ParseCombArg(const std::string& text);

}  // namespace vetrilo::cli
