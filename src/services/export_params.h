#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini_file.h"
#include "services/export_source.h"

namespace vetrilo {

// One column of the source table in the export's field list.
struct TExportField {
  std::string Caption;
  bool Checked = true;
  int Alignment = kAlignLeft;
  std::string Width;          // decimal text, 2 decimals
  std::string PhysicalField;  // the column's caption when the list was built
  int32_t SourceIndex = 0;
  bool operator==(const TExportField&) const = default;
};

enum class TSendMode { All = 0, Selected = 1 };

// What the export dialog edits and the report is built from.
struct TExportParams {
  std::string Title;
  std::string Notes;
  bool ShowCreateTime = true;
  std::string SheetName;
  int PageOrientation = 0;  // 0 not set, 1 portrait, 2 landscape
  int BaseFontSize = 8;
  TSendMode SendMode = TSendMode::All;
  bool RestoreParameters = true;
  std::vector<TExportField> Fields;
  // Rows of each send mode (for the dialog's row count).
  int AllRows = 0;
  int SelectedRowCount = 1;

  int RowsToSend() const { return SendMode == TSendMode::All ? AllRows : SelectedRowCount; }
};

constexpr int kMinExportFontSize = 1;
constexpr int kMaxExportFontSize = 100;
constexpr int kDefaultExportWidth = 10;
constexpr int kMaxExportWidth = 255;

// The field list, send mode and row counts of a table, before stored parameters.
TExportParams NewExportParams(const TExportSource& source, std::string_view title,
                              std::string_view sheetName);
// The data rows the report takes in the chosen send mode, in table order.
std::vector<int> ExportRows(const TExportSource& source, TSendMode mode);

// "EXPORT_EXCEL_FORMMAIN.LVDRAWS".
std::string ExportSectionName(std::string_view ownerName, std::string_view tableName);
// Checked fields first, each group in its relative order.
void RegroupFields(std::vector<TExportField>& fields);
// Moves field `index` one place up (delta -1) or down (+1) and regroups; the
// field's new index.
int MoveField(std::vector<TExportField>& fields, int index, int delta);
// Checks or unchecks a field and regroups; the field's new index.
int SetFieldChecked(std::vector<TExportField>& fields, int index, bool checked);

// "по левому краю", "по правому краю", "по центру" (translated).
std::string ExportAlignmentText(int alignment);
// The field as its Item_%d key holds it.
std::string ExportItemText(const TExportField& field);
// The width a field's text gives the sheet column: 10 when unreadable, 0..255.
double ExportColumnWidth(std::string_view widthText);
// A sheet name the spreadsheet accepts; empty leaves the default name.
std::string CleanSheetName(std::string_view name);

// Stored parameters of one table in `ini` (the main settings file when
// `mainFile`, else a parameter file). Loading keeps what the section lacks,
// deletes the Item_%d keys that no longer fit (so `ini` may change: save it
// when the answer says so). Saving erases the section and writes every key.
// Returns whether `ini` changed.
bool LoadExportParams(TIniData& ini, std::string_view section, bool mainFile,
                      TExportParams& params);
void SaveExportParams(TIniData& ini, std::string_view section, bool mainFile,
                      const TExportParams& params);

}  // namespace vetrilo
