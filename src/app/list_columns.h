#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"

namespace vetrilo {

// Column settings of a list view or grid, kept in its window's section as
// "<name>.Column<i>" widths and "<name>.SortType" = "column,direction".
struct TListColumns {
  std::vector<int> Widths;  // -1 where nothing is stored
  std::optional<std::pair<int, int>> Sort;
  std::optional<bool> GridLines;
  std::optional<bool> MultiSelect;
};

TListColumns ReadListColumns(const TIniData& ini, std::string_view section, std::string_view name,
                             int columnCount);
// Writes the widths, and the sort and flags when given.
void WriteListColumns(TIniData& ini, std::string_view section, std::string_view name,
                      const TListColumns& columns);

}  // namespace vetrilo
