#include "services/export_params.h"

#include <algorithm>
#include <cmath>

#include "core/cp1251.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

TExportParams NewExportParams(const TExportSource& source, std::string_view title,
                              std::string_view sheetName) {
  TExportParams params;
  params.Title = std::string(title);
  params.SheetName = std::string(sheetName);
  for (size_t c = 0; c < source.Columns.size(); ++c) {
    const TExportColumn& column = source.Columns[c];
    TExportField field;
    field.Caption = column.Caption;
    field.PhysicalField = column.Caption;
    field.Alignment = column.Alignment;
    field.Width = Format("%.2f", {column.WidthPixels / 8.0});
    field.SourceIndex = static_cast<int32_t>(c);
    params.Fields.push_back(std::move(field));
  }
  params.AllRows = source.RowCount;
  if (source.Kind == TExportTableKind::ListView) {
    const int selected = static_cast<int>(source.SelectedRows.size());
    if (source.MultiSelect && selected > 1) {
      params.SendMode = TSendMode::Selected;
      params.SelectedRowCount = selected;
    }
  } else if (source.SelectionTop >= 1 && source.SelectionBottom > source.SelectionTop) {
    // A span that starts on the first data row counts as well: row 0 is the
    // heading, so every rectangle of data cells has its top at 1 or below.
    params.SendMode = TSendMode::Selected;
    params.SelectedRowCount = source.SelectionBottom - source.SelectionTop + 1;
  }
  return params;
}

std::vector<int> ExportRows(const TExportSource& source, TSendMode mode) {
  std::vector<int> rows;
  if (mode == TSendMode::All) {
    rows.resize(size_t(std::max(0, source.RowCount)));
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
    return rows;
  }
  if (source.Kind == TExportTableKind::ListView) {
    for (int row : source.SelectedRows) {
      if (row >= 0 && row < source.RowCount) rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!source.MultiSelect && rows.size() > 1) rows.resize(1);
    return rows;
  }
  if (source.SelectionTop < 0) return rows;
  const int top = std::max(1, source.SelectionTop);
  const int bottom = std::min(source.RowCount, source.SelectionBottom);
  for (int r = top; r <= bottom; ++r) rows.push_back(r - 1);
  return rows;
}

std::string ExportSectionName(std::string_view ownerName, std::string_view tableName) {
  return Format("EXPORT_EXCEL_%s.%s", {AsciiUpper(ownerName), AsciiUpper(tableName)});
}

void RegroupFields(std::vector<TExportField>& fields) {
  std::stable_partition(fields.begin(), fields.end(),
                        [](const TExportField& f) { return f.Checked; });
}

namespace {

// The new index of the field that was at `index` after a regroup.
int Regrouped(std::vector<TExportField>& fields, int index) {
  const TExportField moved = fields[size_t(index)];
  int before = 0;  // fields of the same group ahead of it
  for (int i = 0; i < index; ++i) before += fields[size_t(i)].Checked == moved.Checked;
  RegroupFields(fields);
  if (moved.Checked) return before;
  const auto checked =
      std::count_if(fields.begin(), fields.end(), [](const TExportField& f) { return f.Checked; });
  return static_cast<int>(checked) + before;
}

std::optional<bool> ParseBoolWord(std::string_view word) {
  const std::string w = Trim(word);
  if (SameTextIgnoringCase(w, "true")) return true;
  if (SameTextIgnoringCase(w, "false")) return false;
  if (auto n = StrToIntStrict(w)) return *n != 0;
  return std::nullopt;
}

}  // namespace

int MoveField(std::vector<TExportField>& fields, int index, int delta) {
  const int target = index + delta;
  if (index < 0 || index >= int(fields.size()) || target < 0 || target >= int(fields.size())) {
    return index;
  }
  std::swap(fields[size_t(index)], fields[size_t(target)]);
  return Regrouped(fields, target);
}

int SetFieldChecked(std::vector<TExportField>& fields, int index, bool checked) {
  if (index < 0 || index >= int(fields.size())) return index;
  fields[size_t(index)].Checked = checked;
  return Regrouped(fields, index);
}

std::string ExportAlignmentText(int alignment) {
  switch (alignment) {
    case kAlignRight:
      return Tr("по правому краю");
    case kAlignCenter:
      return Tr("по центру");
    default:
      return Tr("по левому краю");
  }
}

std::string ExportItemText(const TExportField& field) {
  return Format("%d;%s;%s;%s;%d;%s", {field.SourceIndex, Trim(field.PhysicalField), field.Caption,
                                      field.Checked ? "-1" : "0", field.Alignment, field.Width});
}

double ExportColumnWidth(std::string_view widthText) {
  const std::optional<long double> value = ParseIniFloat(Trim(widthText));
  if (!value || !std::isfinite(double(*value))) return kDefaultExportWidth;
  return std::clamp(double(*value), 0.0, double(kMaxExportWidth));
}

std::string CleanSheetName(std::string_view name) {
  std::string out;
  for (char ch : name) {
    switch (ch) {
      case '"':
      case '\'':
      case '*':
      case '?':
      case ':':
        break;
      case '/':
      case '\\':
        out += '-';
        break;
      case '[':
        out += '(';
        break;
      case ']':
        out += ')';
        break;
      default:
        out += ch;
    }
  }
  out.resize(Utf8PrefixBytes(out, 31));
  return Trim(out);
}

bool LoadExportParams(TIniData& ini, std::string_view section, bool mainFile,
                      TExportParams& params) {
  if (!ini.SectionExists(section)) return false;
  if (mainFile) {
    params.RestoreParameters = ini.ReadBool(section, "RestoreParameters", true);
    if (!params.RestoreParameters) return false;
  }
  if (!mainFile || params.Title.empty()) {
    params.Title = ini.ReadString(section, "Title", params.Title);
  }
  if (Trim(params.Notes).empty()) params.Notes = ini.ReadString(section, "Notes", params.Notes);
  params.ShowCreateTime = ini.ReadBool(section, "ShowCreateTime", params.ShowCreateTime);
  params.SheetName = ini.ReadString(section, "SheetName", params.SheetName);
  params.PageOrientation = static_cast<int>(std::clamp<int64_t>(
      ini.ReadInteger(section, "PageOrientation", params.PageOrientation), 0, 2));
  params.BaseFontSize = static_cast<int>(
      std::clamp<int64_t>(ini.ReadInteger(section, "BaseFontSize", params.BaseFontSize),
                          kMinExportFontSize, kMaxExportFontSize));
  bool changed = false;
  std::vector<TExportField>& fields = params.Fields;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string key = Format("Item_%d", {int(i)});
    const std::optional<std::string> value = ini.Value(section, key);
    if (!value) continue;
    const std::vector<std::string> words = SplitAll(*value, ';');
    auto found = fields.end();
    if (words.size() == 6) {
      const std::optional<int32_t> sourceIndex = StrToIntStrict(Trim(words[0]));
      found = std::find_if(fields.begin(), fields.end(), [&](const TExportField& f) {
        return sourceIndex && f.SourceIndex == *sourceIndex &&
               SameTextIgnoringCase(Trim(f.PhysicalField), Trim(words[1]));
      });
    }
    if (found == fields.end()) {
      ini.DeleteKey(section, key);
      changed = true;
      continue;
    }
    TExportField field = *found;
    fields.erase(found);
    field.Caption = words[2];
    if (auto checked = ParseBoolWord(words[3])) field.Checked = *checked;
    if (auto alignment = StrToIntStrict(Trim(words[4]));
        alignment && *alignment >= 0 && *alignment <= 2) {
      field.Alignment = *alignment;
    }
    field.Width = words[5];
    fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(i), std::move(field));
  }
  RegroupFields(fields);
  return changed;
}

void SaveExportParams(TIniData& ini, std::string_view section, bool mainFile,
                      const TExportParams& params) {
  ini.EraseSection(section);
  if (mainFile) ini.WriteBool(section, "RestoreParameters", params.RestoreParameters);
  ini.WriteString(section, "Title", params.Title);
  ini.WriteString(section, "Notes", params.Notes);
  ini.WriteBool(section, "ShowCreateTime", params.ShowCreateTime);
  ini.WriteString(section, "SheetName", params.SheetName);
  ini.WriteInteger(section, "PageOrientation", params.PageOrientation);
  ini.WriteInteger(section, "BaseFontSize", params.BaseFontSize);
  for (size_t i = 0; i < params.Fields.size(); ++i) {
    ini.WriteString(section, Format("Item_%d", {int(i)}), ExportItemText(params.Fields[i]));
  }
}

}  // namespace vetrilo
