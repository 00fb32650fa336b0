#pragma once

#include <string_view>
#include <vector>

#include "app/draw_list_view.h"
#include "scripts/ratings.h"
#include "services/export_source.h"
#include "views/draw_stats.h"
#include "workspace/comb_list_view.h"

namespace vetrilo {

// The tables of the main window as export sources built from the engine's own
// views (what the command-line tool exports). The sources read the given
// objects, which must outlive them. `widths` are column widths in pixels;
// columns without one take kDefaultColumnPixels.
constexpr int kDefaultColumnPixels = 64;

TExportSource DrawListExportSource(const TDrawListView& view, const std::vector<int>& widths = {});
TExportSource CombListExportSource(const TCombListView& view, const std::vector<int>& widths = {});
TExportSource DrawStatsExportSource(const TDrawStatsTable& table, bool withNorm,
                                    const std::vector<int>& widths = {});
TExportSource RatingsExportSource(const TRatings& ratings, int effMode,
                                  const std::vector<int>& widths = {});
// `bytes`: the records of a stake file back to back (a torn last record is left out).
TExportSource StakesExportSource(std::string_view bytes, const std::vector<int>& widths = {});

}  // namespace vetrilo
