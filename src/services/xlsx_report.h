#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "core/ui_hooks.h"
#include "services/export_params.h"
#include "services/export_source.h"

namespace vetrilo {

// Rows of the report (1-based; 0 for a line that is not written).
struct TReportLayout {
  int LeadRow = 0;
  int TitleRow = 0;
  int NotesRow = 0;
  int CreatedRow = 0;
  int HeadingRow = 0;
  int FirstDataRow = 0;
};
TReportLayout ReportLayout(const TExportParams& params, bool hasLeadLine);

// "Отчет построен: 11.12.2026 2:38:51." for a local time.
std::string CreatedLineText(const std::tm& localTime);

// A cell text the sheet keeps as a number: the number and the decimals it is
// shown with. Texts with leading zeros, blanks, signs other than a leading
// minus or more than one decimal point stay texts, so the sheet shows what the
// table showed.
struct TCellNumber {
  double Value = 0;
  int Decimals = 0;
};
std::optional<TCellNumber> CellNumber(std::string_view text);

// Writes the report of `rows` (data rows of the source) as an .xlsx workbook
// at `path`: through a temporary file, so a failure leaves no partial file and
// an older file as it was. Status texts and progress go to `hooks`, which may
// also stop the export (EStopped). Throws EVetrilo with the export error text.
void WriteXlsxReport(const std::string& path, const TExportSource& source,
                     const TExportParams& params, const std::vector<int>& rows,
                     const std::tm& createdAt, const std::string& leadLine, TUiHooks& hooks);

}  // namespace vetrilo
