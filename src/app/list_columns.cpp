#include "app/list_columns.h"

#include "core/format.h"
#include "core/text.h"

namespace vetrilo {

TListColumns ReadListColumns(const TIniData& ini, std::string_view section, std::string_view name,
                             int columnCount) {
  TListColumns c;
  for (int i = 0; i < columnCount; ++i) {
    const int64_t w = ini.ReadInteger(section, Format("%s.Column%d", {name, i}), -1);
    c.Widths.push_back(w >= 0 && w < 100000 ? static_cast<int>(w) : -1);
  }
  if (auto sort = ini.Value(section, Format("%s.SortType", {name}))) {
    const auto parts = SplitAll(*sort, ',');
    if (parts.size() == 2) {
      auto col = StrToIntStrict(Trim(parts[0]));
      auto dir = StrToIntStrict(Trim(parts[1]));
      if (col && dir) c.Sort = std::make_pair(*col, *dir);
    }
  }
  if (ini.Value(section, Format("%s.GridLines", {name}))) {
    c.GridLines = ini.ReadBool(section, Format("%s.GridLines", {name}), false);
  }
  if (ini.Value(section, Format("%s.MultiSelect", {name}))) {
    c.MultiSelect = ini.ReadBool(section, Format("%s.MultiSelect", {name}), false);
  }
  return c;
}

void WriteListColumns(TIniData& ini, std::string_view section, std::string_view name,
                      const TListColumns& c) {
  for (size_t i = 0; i < c.Widths.size(); ++i) {
    if (c.Widths[i] >= 0) ini.WriteInteger(section, Format("%s.Column%d", {name, i}), c.Widths[i]);
  }
  if (c.Sort) {
    ini.WriteString(section, Format("%s.SortType", {name}),
                    Format("%d,%d", {c.Sort->first, c.Sort->second}));
  }
  if (c.GridLines) ini.WriteBool(section, Format("%s.GridLines", {name}), *c.GridLines);
  if (c.MultiSelect) ini.WriteBool(section, Format("%s.MultiSelect", {name}), *c.MultiSelect);
}

}  // namespace vetrilo
