#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/draw_archive.h"
#include "core/ui_hooks.h"
#include "views/draw_stats.h"

namespace vetrilo {

// Repeats by draw: for each of the newest N draws of the archive (the offset is
// ignored), how many of the D draws before it shared 1, 2, 3 or 4 numbers with it.
struct TRepeatsRow {
  int Draw = 0;       // "Тираж"
  int Matches = 0;    // "Совпадений"
  int Repeats = 0;    // "Кол-во повторов"
  std::string Draws;  // "Список тиражей": newest first, one blank between
};

struct TRepeatsSeries {
  std::string Title;  // "Совпадений: %d"
  std::vector<TChartPoint> Points;
};

struct TRepeatsAnalysis {
  std::vector<TRepeatsRow> Rows;
  int MaxMatches = 0;
  // One series per match count 1..MaxMatches; each row gives a point, last row first.
  std::vector<TRepeatsSeries> Series() const;
};

const std::array<std::string, 4>& RepeatsCaptions();
constexpr int kDefaultRepeatsLength = 100;
constexpr int kDefaultRepeatsDeep = 100;

// Polls the stop request once per analysed draw and reports the progress.
TRepeatsAnalysis AnalyzeRepeats(const TDrawArchive& archive, int length, int deep,
                                TUiHooks* hooks = nullptr);

}  // namespace vetrilo
