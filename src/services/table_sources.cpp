#include "services/table_sources.h"

#include "stakes/stake_grid.h"

namespace vetrilo {
namespace {

int WidthOf(const std::vector<int>& widths, size_t column) {
  return column < widths.size() && widths[column] >= 0 ? widths[column] : kDefaultColumnPixels;
}

template <typename TCaptions>
std::vector<TExportColumn> ColumnsOf(const TCaptions& captions, const std::vector<int>& widths) {
  std::vector<TExportColumn> columns;
  for (size_t c = 0; c < captions.size(); ++c) {
    columns.push_back({std::string(captions[c]), kAlignLeft, WidthOf(widths, c)});
  }
  return columns;
}

}  // namespace

TExportSource DrawListExportSource(const TDrawListView& view, const std::vector<int>& widths) {
  TExportSource source;
  source.Name = "lvDraws";
  source.Columns = ColumnsOf(TDrawListView::Captions(), widths);
  source.RowCount = view.RowCount();
  source.Cell = [view](int row, int column) { return view.Text(row, column); };
  return source;
}

TExportSource CombListExportSource(const TCombListView& view, const std::vector<int>& widths) {
  TExportSource source;
  source.Name = "lvCombs";
  source.Columns = ColumnsOf(TCombListView::Captions(), widths);
  source.RowCount = view.RowCount();
  source.Cell = [view](int row, int column) { return view.Text(row, column); };
  return source;
}

TExportSource DrawStatsExportSource(const TDrawStatsTable& table, bool withNorm,
                                    const std::vector<int>& widths) {
  TExportSource source;
  source.Name = "lvDrawsStat";
  // The norm columns are shown only with the full-set comparison.
  std::vector<int> shown;
  const auto& captions = DrawStatsCaptions();
  for (int c = 0; c < kDrawStatsColumns; ++c) {
    if (withNorm || !IsNormColumn(c)) shown.push_back(c);
  }
  for (int c : shown) {
    source.Columns.push_back({captions[size_t(c)], IsNumericColumn(c) ? kAlignRight : kAlignLeft,
                              WidthOf(widths, size_t(c))});
  }
  source.RowCount = static_cast<int>(table.Rows.size());
  source.Cell = [&table, shown](int row, int column) {
    return table.Rows[size_t(row)].Cells[size_t(shown[size_t(column)])];
  };
  return source;
}

TExportSource RatingsExportSource(const TRatings& ratings, int effMode,
                                  const std::vector<int>& widths) {
  TExportSource source;
  source.Name = "lvRatings";
  source.Columns = ColumnsOf(RatingColumnCaptions(), widths);
  for (size_t c = 1; c < source.Columns.size(); ++c) source.Columns[c].Alignment = kAlignRight;
  source.RowCount = ratings.Count();
  source.Cell = [&ratings, effMode](int row, int column) {
    return RatingCell(ratings.Item(row), column, effMode);
  };
  return source;
}

TExportSource StakesExportSource(std::string_view bytes, const std::vector<int>& widths) {
  TExportSource source;
  source.Kind = TExportTableKind::TextGrid;
  source.Name = "sgStakes";
  // A grid's fields start left-aligned, whatever the grid paints.
  source.Columns = ColumnsOf(StakeColumnCaptions(), widths);
  source.RowCount = static_cast<int>(bytes.size() / kStakeRecordSize);
  source.Cell = [bytes](int row, int column) {
    const auto* record =
        reinterpret_cast<const uint8_t*>(bytes.data()) + size_t(row) * kStakeRecordSize;
    return StakeCell(TStakeRec::FromBytes(record), column);
  };
  return source;
}

}  // namespace vetrilo
