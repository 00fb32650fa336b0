#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vetrilo {

// How a table chooses its rows for "selected rows only": a list view by the
// selected items, a text grid by the row span of its selected rectangle.
enum class TExportTableKind { ListView, TextGrid };

// Alignment of a column as the report writes it.
enum TExportAlign : int { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

struct TExportColumn {
  std::string Caption;  // grids: the text of the column's heading cell
  int Alignment = kAlignLeft;
  int WidthPixels = 64;
};

// A table of the main window as the export sees it: what a list view, a text
// grid or the stake grid shows, read through callbacks so a list of 178,365
// rows is never copied.
struct TExportSource {
  TExportTableKind Kind = TExportTableKind::ListView;
  std::string OwnerName = "FormMain";  // the window of the table
  std::string Name;                    // the table, e.g. "lvDraws"
  std::vector<TExportColumn> Columns;
  int RowCount = 0;  // data rows; a grid's heading row is not one of them
  // Cell text of a data row (from 0) as the table shows it.
  std::function<std::string(int row, int column)> Cell;

  // List views: the selected data rows in table order.
  bool MultiSelect = true;
  std::vector<int> SelectedRows;
  // Grids: the selected rectangle's rows in grid rows (0 is the heading row);
  // -1 when nothing is selected.
  int SelectionTop = -1;
  int SelectionBottom = -1;
};

}  // namespace vetrilo
