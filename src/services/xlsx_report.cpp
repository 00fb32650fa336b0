#include "services/xlsx_report.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

TReportLayout ReportLayout(const TExportParams& params, bool hasLeadLine) {
  TReportLayout layout;
  const int lead = hasLeadLine ? 2 : 0;
  const bool notes = !Trim(params.Notes).empty();
  const int extra = (notes ? 1 : 0) + (params.ShowCreateTime ? 1 : 0);
  if (hasLeadLine) layout.LeadRow = 1;
  layout.TitleRow = lead + 1;
  if (notes) layout.NotesRow = lead + 2;
  if (params.ShowCreateTime) layout.CreatedRow = lead + extra + 1;
  layout.HeadingRow = lead + extra + 3;
  layout.FirstDataRow = layout.HeadingRow + 1;
  return layout;
}

std::string CreatedLineText(const std::tm& t) {
  const std::string when =
      Format("%.2d.%.2d.%d %d:%.2d:%.2d",
             {t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec});
  return Format(Tr("Отчет построен: %s."), {when});
}

std::optional<TCellNumber> CellNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  const size_t intStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  const size_t intDigits = i - intStart;
  if (intDigits == 0 || (intDigits > 1 && text[intStart] == '0')) return std::nullopt;
  int decimals = 0;
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      ++i;
      ++decimals;
    }
    if (decimals == 0) return std::nullopt;
  }
  // Beyond 15 digits a double no longer shows the text as it was.
  if (i != text.size() || intDigits + size_t(decimals) > 15) return std::nullopt;
  std::string plain(text);
  for (char& ch : plain) {
    if (ch == ',') ch = '.';
  }
  const double value = std::strtod(plain.c_str(), nullptr);
  if (value == 0 && text[0] == '-') return std::nullopt;
  return TCellNumber{value, decimals};
}

namespace {

// A private file in the temporary folder for the library to write to; gone
// with the object.
class TTempFile {
 public:
  TTempFile() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "vetrilo-xlsx-XXXXXX").string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) throw EVetrilo(OsErrorText(tmpl, errno));
    ::close(fd);
    path_ = tmpl;
  }
  ~TTempFile() { ::unlink(path_.c_str()); }
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct TWorkbookCloser {
  void operator()(lxw_workbook* workbook) const {
    if (workbook) workbook_close(workbook);
  }
};

uint8_t HorizontalAlign(int alignment) {
  switch (alignment) {
    case kAlignRight:
      return LXW_ALIGN_RIGHT;
    case kAlignCenter:
      return LXW_ALIGN_CENTER;
    default:
      return LXW_ALIGN_LEFT;
  }
}

void Check(lxw_error error) {
  if (error != LXW_NO_ERROR) throw EVetrilo(lxw_strerror(error));
}

// Status texts and the gauge of the steps the export goes through.
class TExportProgress {
 public:
  TExportProgress(TUiHooks& hooks, int64_t steps)
      : hooks_(hooks), steps_(std::max<int64_t>(1, steps)) {}
  ~TExportProgress() { hooks_.SetProgress(-1); }
  void Status(const std::string& text) { hooks_.SetStatus(text); }
  void Step(int64_t n = 1) {
    done_ += n;
    const int percent = static_cast<int>(std::min<int64_t>(100, done_ * 100 / steps_));
    if (percent != percent_) {
      percent_ = percent;
      hooks_.SetProgress(percent);
      if (hooks_.StopRequested()) throw EStopped();
    }
  }

 private:
  TUiHooks& hooks_;
  int64_t steps_;
  int64_t done_ = 0;
  int percent_ = -1;
};

void WriteWorkbook(const std::string& file, const TExportSource& source,
                   const TExportParams& params, const std::vector<int>& rows,
                   const std::tm& createdAt, const std::string& leadLine,
                   TExportProgress& progress) {
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  std::unique_ptr<lxw_workbook, TWorkbookCloser> book(workbook_new_opt(file.c_str(), &options));
  if (!book) throw EVetrilo(OsErrorText(file, errno ? errno : EIO));
  progress.Status(Tr("Создание рабочей книги..."));
  progress.Step();
  progress.Status(Tr("Создание листа..."));
  const std::string sheetName = CleanSheetName(params.SheetName);
  const bool named = !sheetName.empty() &&
                     workbook_validate_sheet_name(book.get(), sheetName.c_str()) == LXW_NO_ERROR;
  lxw_worksheet* sheet = workbook_add_worksheet(book.get(), named ? sheetName.c_str() : nullptr);
  if (!sheet) throw EVetrilo(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
  if (params.PageOrientation == 1) worksheet_set_portrait(sheet);
  if (params.PageOrientation == 2) worksheet_set_landscape(sheet);
  progress.Step();

  progress.Status(Tr("Форматирование листа..."));
  const double base = params.BaseFontSize;
  std::vector<const TExportField*> fields;
  for (const TExportField& f : params.Fields) {
    if (f.Checked) fields.push_back(&f);
  }
  auto newFormat = [&](double size) {
    lxw_format* format = workbook_add_format(book.get());
    format_set_font_size(format, size);
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
    return format;
  };
  for (size_t c = 0; c < fields.size(); ++c) {
    lxw_format* format = newFormat(base);
    format_set_align(format, HorizontalAlign(fields[c]->Alignment));
    const auto col = static_cast<lxw_col_t>(c);
    Check(worksheet_set_column(sheet, col, col, ExportColumnWidth(fields[c]->Width), format));
    progress.Step();
  }
  const TReportLayout layout = ReportLayout(params, !leadLine.empty());
  auto topLine = [&](int row, const std::string& text, double size, bool bold, bool italic) {
    lxw_format* format = newFormat(std::max(1.0, size));
    format_set_align(format, LXW_ALIGN_LEFT);
    if (bold) format_set_bold(format);
    if (italic) format_set_italic(format);
    Check(worksheet_write_string(sheet, static_cast<lxw_row_t>(row - 1), 0, text.c_str(), format));
  };
  if (layout.LeadRow) topLine(layout.LeadRow, leadLine, base - 2, false, true);
  topLine(layout.TitleRow, params.Title, base + 4, true, false);
  if (layout.NotesRow) topLine(layout.NotesRow, params.Notes, base, true, false);
  if (layout.CreatedRow) topLine(layout.CreatedRow, CreatedLineText(createdAt), base, false, true);

  lxw_format* heading = newFormat(base);
  format_set_align(heading, LXW_ALIGN_CENTER);
  format_set_text_wrap(heading);
  format_set_border(heading, LXW_BORDER_MEDIUM);
  const auto headingRow = static_cast<lxw_row_t>(layout.HeadingRow - 1);
  for (size_t c = 0; c < fields.size(); ++c) {
    Check(worksheet_write_string(sheet, headingRow, static_cast<lxw_col_t>(c),
                                 fields[c]->Caption.c_str(), heading));
  }

  progress.Status(Tr("Подготовка данных для экспорта..."));
  // One format per column for texts and one per column and decimal count for
  // numbers: a cell's own format replaces its column's.
  std::vector<lxw_format*> textFormats;
  std::map<std::pair<size_t, int>, lxw_format*> numberFormats;
  auto dataFormat = [&](size_t c) {
    lxw_format* format = newFormat(base);
    format_set_align(format, HorizontalAlign(fields[c]->Alignment));
    format_set_border(format, LXW_BORDER_THIN);
    return format;
  };
  for (size_t c = 0; c < fields.size(); ++c) {
    textFormats.push_back(dataFormat(c));
    progress.Step();
  }
  auto numberFormat = [&](size_t c, int decimals) {
    lxw_format*& format = numberFormats[{c, decimals}];
    if (!format) {
      format = dataFormat(c);
      format_set_num_format(
          format, decimals == 0 ? "0" : ("0." + std::string(size_t(decimals), '0')).c_str());
    }
    return format;
  };

  progress.Status(Tr("Передача данных в Microsoft Excel..."));
  lxw_row_t row = headingRow + 1;
  for (int sourceRow : rows) {
    for (size_t c = 0; c < fields.size(); ++c) {
      const std::string text = source.Cell(sourceRow, fields[c]->SourceIndex);
      const auto col = static_cast<lxw_col_t>(c);
      if (const std::optional<TCellNumber> number = CellNumber(text)) {
        Check(worksheet_write_number(sheet, row, col, number->Value,
                                     numberFormat(c, number->Decimals)));
      } else {
        Check(worksheet_write_string(sheet, row, col, text.c_str(), textFormats[c]));
      }
    }
    ++row;
    progress.Step();
  }
  lxw_workbook* done = book.release();
  Check(workbook_close(done));
  progress.Step();
}

}  // namespace

void WriteXlsxReport(const std::string& path, const TExportSource& source,
                     const TExportParams& params, const std::vector<int>& rows,
                     const std::tm& createdAt, const std::string& leadLine, TUiHooks& hooks) {
  int checked = 0;
  for (const TExportField& f : params.Fields) checked += f.Checked;
  TExportProgress progress(hooks, 2 * int64_t(checked) + int64_t(rows.size()) + 5);
  progress.Status(Tr("Вызов Microsoft Excel..."));
  try {
    progress.Step();
    TTempFile temp;
    WriteWorkbook(temp.Path(), source, params, rows, createdAt, leadLine, progress);
    SaveFileAtomic(path, ReadFileBytes(temp.Path()));
    progress.Step();
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format(Tr("Ошибка экспорта данных в Microsoft Excel!\r%s"), {e.Message()}));
  }
}

}  // namespace vetrilo
