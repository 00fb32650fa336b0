#include "services/xlsx_report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "core/file_io.h"
#include "services/xlsx_reader.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;
using test::TXlsxSheet;

namespace {

std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 1;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  return t;
}

// Rows of "number, text, money, date" as a list view shows them.
TExportSource Sample() {
  static const std::vector<std::vector<std::string>> rows = {
      {"1", "07", "12.50", "01/04/2020"},
      {"2", "a & <b>", "-3,25", "01/07/2020"},
      {"3", "", "1 234,00", "01/11/2020"},
      {"4", "-", "0", "01/14/2020"},
  };
  TExportSource source;
  source.Name = "lvSample";
  source.Columns = {{"№", kAlignRight, 40},
                    {"Текст", kAlignLeft, 80},
                    {"Сумма", kAlignRight, 64},
                    {"Дата", kAlignCenter, 84}};
  source.RowCount = int(rows.size());
  source.Cell = [](int row, int column) { return rows[size_t(row)][size_t(column)]; };
  return source;
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    names.push_back(e.path().filename().string());
  }
  return names;
}

TEST(XlsxReport, TopLinesMoveTheHeadingRow) {
  struct TCase {
    bool Notes, Time, Lead;
    TReportLayout Expected;  // lead, title, notes, created, heading, data
  };
  const TCase cases[] = {
      {false, true, false, {0, 1, 0, 2, 4, 5}},  {true, true, false, {0, 1, 2, 3, 5, 6}},
      {false, false, false, {0, 1, 0, 0, 3, 4}}, {true, false, false, {0, 1, 2, 0, 4, 5}},
      {true, true, true, {1, 3, 4, 5, 7, 8}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Notes << c.Time << c.Lead);
    TExportParams p;
    p.Notes = c.Notes ? "x" : "  ";
    p.ShowCreateTime = c.Time;
    const TReportLayout l = ReportLayout(p, c.Lead);
    EXPECT_EQ(l.LeadRow, c.Expected.LeadRow);
    EXPECT_EQ(l.TitleRow, c.Expected.TitleRow);
    EXPECT_EQ(l.NotesRow, c.Expected.NotesRow);
    EXPECT_EQ(l.CreatedRow, c.Expected.CreatedRow);
    EXPECT_EQ(l.HeadingRow, c.Expected.HeadingRow);
    EXPECT_EQ(l.FirstDataRow, c.Expected.FirstDataRow);
  }
}

TEST(XlsxReport, NumbersAreKeptAsShown) {
  struct TCase {
    const char* Text;
    bool Number;
    double Value;
    int Decimals;
  };
  const TCase cases[] = {
      {"0", true, 0, 0},        {"42", true, 42, 0},       {"-7", true, -7, 0},
      {"12.50", true, 12.5, 2}, {"3,125", true, 3.125, 3}, {"0.5", true, 0.5, 1},
      {"07", false, 0, 0},      {"-0", false, 0, 0},       {"1 234", false, 0, 0},
      {"1.", false, 0, 0},      {".5", false, 0, 0},       {"+5", false, 0, 0},
      {"1e5", false, 0, 0},     {"12%", false, 0, 0},      {"", false, 0, 0},
      {"-", false, 0, 0},       {"1.2.3", false, 0, 0},    {"1234567890123456", false, 0, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const auto n = CellNumber(c.Text);
    ASSERT_EQ(n.has_value(), c.Number);
    if (!n) continue;
    EXPECT_DOUBLE_EQ(n->Value, c.Value);
    EXPECT_EQ(n->Decimals, c.Decimals);
  }
}

TEST(XlsxReport, WorkbookHasTheReportLayout) {
  TTempDir dir;
  const TExportSource source = Sample();
  TExportParams p = NewExportParams(source, "Отчёт <тест>", "Итоги 1/2: [A]?");
  p.Notes = "Примечание";
  p.PageOrientation = 2;
  p.BaseFontSize = 10;
  p.Fields[1].Caption = "Слово";
  p.Fields[2].Width = "300";
  p.Fields[3].Width = "ширина";
  SetFieldChecked(p.Fields, 0, false);  // "№" goes, the rest move left
  TRecordingHooks hooks;
  const std::string path = dir.File("report.xlsx");
  WriteXlsxReport(path, source, p, ExportRows(source, TSendMode::All), FixedTime(), "", hooks);

  const TXlsxSheet sheet = TXlsxSheet::Read(path);
  EXPECT_EQ(sheet.Name, "Итоги 1-2 (A)");
  EXPECT_EQ(sheet.Orientation, "landscape");
  EXPECT_TRUE(sheet.Merged.empty());
  // Top lines.
  const auto& title = sheet.At("A1");
  EXPECT_EQ(title.Text, "Отчёт <тест>");
  EXPECT_TRUE(title.Bold);
  EXPECT_DOUBLE_EQ(title.FontSize, 14);
  EXPECT_EQ(title.Horizontal, "left");
  EXPECT_EQ(title.Vertical, "center");
  EXPECT_EQ(title.Border, "");
  EXPECT_FALSE(title.Wrap);
  EXPECT_EQ(sheet.At("A2").Text, "Примечание");
  EXPECT_TRUE(sheet.At("A2").Bold);
  EXPECT_DOUBLE_EQ(sheet.At("A2").FontSize, 10);
  EXPECT_EQ(sheet.At("A3").Text, "Отчет построен: 01.12.2026 9:05:07.");
  EXPECT_TRUE(sheet.At("A3").Italic);
  EXPECT_FALSE(sheet.At("A3").Bold);
  EXPECT_FALSE(sheet.Has("A4"));
  // Heading row 5: the checked fields in list order, with their captions.
  const char* headings[] = {"A5", "B5", "C5"};
  const std::vector<std::string> captions = {"Слово", "Сумма", "Дата"};
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(headings[i]);
    const auto& h = sheet.At(headings[i]);
    EXPECT_EQ(h.Text, captions[i]);
    EXPECT_EQ(h.Horizontal, "center");
    EXPECT_EQ(h.Vertical, "center");
    EXPECT_TRUE(h.Wrap);
    EXPECT_EQ(h.Border, "medium");
    EXPECT_DOUBLE_EQ(h.FontSize, 10);
  }
  EXPECT_FALSE(sheet.Has("D5"));
  // Data from row 6: texts stay texts, plain numbers become numbers shown alike.
  EXPECT_EQ(sheet.At("A6").Text, "07");
  EXPECT_FALSE(sheet.At("A6").IsNumber);
  EXPECT_EQ(sheet.At("A7").Text, "a & <b>");
  EXPECT_TRUE(sheet.At("B6").IsNumber);
  EXPECT_DOUBLE_EQ(std::stod(sheet.At("B6").Text), 12.5);
  EXPECT_EQ(sheet.At("B6").NumberFormat, "0.00");
  EXPECT_DOUBLE_EQ(std::stod(sheet.At("B7").Text), -3.25);
  EXPECT_EQ(sheet.At("B8").Text, "1 234,00");
  EXPECT_FALSE(sheet.At("B8").IsNumber);
  EXPECT_TRUE(sheet.At("B9").IsNumber);
  EXPECT_EQ(sheet.At("B9").NumberFormat, "0");
  EXPECT_EQ(sheet.At("C9").Text, "01/14/2020");
  EXPECT_EQ(sheet.At("A8").Text, "");
  for (const char* ref : {"A6", "B8", "B9", "C9", "A8"}) {
    SCOPED_TRACE(ref);
    EXPECT_EQ(sheet.At(ref).Border, "thin");
    EXPECT_EQ(sheet.At(ref).Vertical, "center");
    EXPECT_DOUBLE_EQ(sheet.At(ref).FontSize, 10);
  }
  EXPECT_EQ(sheet.At("A6").Horizontal, "left");
  EXPECT_EQ(sheet.At("B6").Horizontal, "right");
  EXPECT_EQ(sheet.At("B8").Horizontal, "right");
  EXPECT_EQ(sheet.At("C6").Horizontal, "center");
  EXPECT_FALSE(sheet.Has("A10"));
  // Columns: widths (at most 255, 10 when unreadable), alignment and font size.
  ASSERT_EQ(sheet.Columns.size(), 3u);
  EXPECT_NEAR(sheet.Columns.at(1).Width, 10, 1);
  EXPECT_NEAR(sheet.Columns.at(2).Width, 255, 1);
  EXPECT_NEAR(sheet.Columns.at(3).Width, 10, 1);
  EXPECT_LT(sheet.Columns.at(1).Width, sheet.Columns.at(2).Width);
  EXPECT_EQ(sheet.Columns.at(2).Horizontal, "right");
  EXPECT_DOUBLE_EQ(sheet.Columns.at(1).FontSize, 10);
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"report.xlsx"});
  EXPECT_FALSE(hooks.Statuses.empty());
}

TEST(XlsxReport, SelectedRowsOnlyAndALeadLine) {
  TTempDir dir;
  TExportSource source = Sample();
  source.SelectedRows = {3, 1};
  TExportParams p = NewExportParams(source, "T", "");
  ASSERT_EQ(p.SendMode, TSendMode::Selected);
  p.ShowCreateTime = false;
  p.BaseFontSize = 12;
  TRecordingHooks hooks;
  const std::string path = dir.File("selected.xlsx");
  WriteXlsxReport(path, source, p, ExportRows(source, p.SendMode), FixedTime(), "Вступление",
                  hooks);
  const TXlsxSheet sheet = TXlsxSheet::Read(path);
  EXPECT_EQ(sheet.Name, "Sheet1");
  EXPECT_EQ(sheet.Orientation, "");
  EXPECT_EQ(sheet.At("A1").Text, "Вступление");
  EXPECT_TRUE(sheet.At("A1").Italic);
  EXPECT_DOUBLE_EQ(sheet.At("A1").FontSize, 10);
  EXPECT_EQ(sheet.At("A3").Text, "T");
  EXPECT_DOUBLE_EQ(sheet.At("A3").FontSize, 16);
  EXPECT_EQ(sheet.At("A5").Text, "№");
  EXPECT_EQ(sheet.At("A6").Text, "2");
  EXPECT_EQ(sheet.At("B6").Text, "a & <b>");
  EXPECT_EQ(sheet.At("A7").Text, "4");
  EXPECT_FALSE(sheet.Has("A8"));
}

TEST(XlsxReport, AFailedWriteLeavesNoFile) {
  TTempDir dir;
  test::WriteFile(dir.File("plain"), "x");
  std::filesystem::create_directory(dir.File("folder.xlsx"));
  const TExportSource source = Sample();
  const TExportParams p = NewExportParams(source, "T", "");
  for (const std::string& path :
       {dir.File("plain/below.xlsx"), dir.File("folder.xlsx"), dir.File("missing/x.xlsx")}) {
    SCOPED_TRACE(path);
    TRecordingHooks hooks;
    try {
      WriteXlsxReport(path, source, p, ExportRows(source, TSendMode::All), FixedTime(), "", hooks);
      ADD_FAILURE() << "no error";
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message().rfind("Ошибка экспорта данных в Microsoft Excel!\r", 0), 0u)
          << e.Message();
      EXPECT_GT(e.Message().size(),
                std::string("Ошибка экспорта данных в Microsoft Excel!\r").size());
    }
  }
  EXPECT_TRUE(DirectoryExists(dir.File("folder.xlsx")));
  auto files = FilesIn(dir.Path());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"folder.xlsx", "plain"}));
}

TEST(XlsxReport, AStopLeavesTheOldFile) {
  TTempDir dir;
  const std::string path = dir.File("old.xlsx");
  test::WriteFile(path, "old");
  const TExportSource source = Sample();
  const TExportParams p = NewExportParams(source, "T", "");
  TRecordingHooks hooks;
  hooks.Stop = true;
  EXPECT_THROW(
      WriteXlsxReport(path, source, p, ExportRows(source, TSendMode::All), FixedTime(), "", hooks),
      EStopped);
  EXPECT_EQ(test::ReadFile(path), "old");
  EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"old.xlsx"});
}

}  // namespace
}  // namespace vetrilo
