#include "services/export_params.h"

#include <gtest/gtest.h>

namespace vetrilo {
namespace {

TExportSource ThreeColumns(TExportTableKind kind = TExportTableKind::ListView) {
  TExportSource source;
  source.Kind = kind;
  source.Name = "lvDraws";
  source.Columns = {
      {"Номер", kAlignRight, 52}, {"Числа", kAlignLeft, 100}, {"Дата", kAlignCenter, 84}};
  source.RowCount = 10;
  source.Cell = [](int row, int column) { return std::to_string(row * 10 + column); };
  return source;
}

std::vector<std::string> Captions(const TExportParams& p) {
  std::vector<std::string> out;
  for (const auto& f : p.Fields) out.push_back(f.Caption);
  return out;
}

TEST(ExportParams, FieldsStartFromTheColumns) {
  const TExportParams p = NewExportParams(ThreeColumns(), "Тиражи", "Лист тиражей");
  EXPECT_EQ(p.Title, "Тиражи");
  EXPECT_EQ(p.SheetName, "Лист тиражей");
  EXPECT_TRUE(p.Notes.empty());
  EXPECT_TRUE(p.ShowCreateTime);
  EXPECT_EQ(p.PageOrientation, 0);
  EXPECT_EQ(p.BaseFontSize, 8);
  EXPECT_TRUE(p.RestoreParameters);
  ASSERT_EQ(p.Fields.size(), 3u);
  const TExportField expected{"Числа", true, kAlignLeft, "12.50", "Числа", 1};
  EXPECT_EQ(p.Fields[1], expected);
  EXPECT_EQ(p.Fields[0].Width, "6.50");
  EXPECT_EQ(p.Fields[2].Alignment, kAlignCenter);
  EXPECT_EQ(p.Fields[2].SourceIndex, 2);
}

TEST(ExportParams, SendModeAndRowsFollowTheSelection) {
  struct TCase {
    const char* Name;
    TExportTableKind Kind;
    bool MultiSelect;
    std::vector<int> Selected;
    int Top, Bottom;
    TSendMode Mode;
    int SelectedCount;
    std::vector<int> SelectedRows;  // what "selected" sends
  };
  const auto list = TExportTableKind::ListView;
  const auto grid = TExportTableKind::TextGrid;
  const TCase cases[] = {
      {"list, none", list, true, {}, -1, -1, TSendMode::All, 1, {}},
      {"list, one", list, true, {4}, -1, -1, TSendMode::All, 1, {4}},
      {"list, three", list, true, {7, 2, 5}, -1, -1, TSendMode::Selected, 3, {2, 5, 7}},
      {"list, single selection", list, false, {7, 2}, -1, -1, TSendMode::All, 1, {2}},
      {"grid, one row", grid, true, {}, 3, 3, TSendMode::All, 1, {2}},
      {"grid, from the first data row", grid, true, {}, 1, 3, TSendMode::Selected, 3, {0, 1, 2}},
      {"grid, middle rows", grid, true, {}, 4, 6, TSendMode::Selected, 3, {3, 4, 5}},
      {"grid, beyond the rows", grid, true, {}, 9, 14, TSendMode::Selected, 6, {8, 9}},
      {"grid, nothing", grid, true, {}, -1, -1, TSendMode::All, 1, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TExportSource source = ThreeColumns(c.Kind);
    source.MultiSelect = c.MultiSelect;
    source.SelectedRows = c.Selected;
    source.SelectionTop = c.Top;
    source.SelectionBottom = c.Bottom;
    const TExportParams p = NewExportParams(source, "", "");
    EXPECT_EQ(p.SendMode, c.Mode);
    EXPECT_EQ(p.SelectedRowCount, c.SelectedCount);
    EXPECT_EQ(p.AllRows, 10);
    EXPECT_EQ(ExportRows(source, TSendMode::Selected), c.SelectedRows);
    EXPECT_EQ(ExportRows(source, TSendMode::All).size(), 10u);
  }
}

TEST(ExportParams, SectionNamesAreUpperCase) {
  EXPECT_EQ(ExportSectionName("FormMain", "lvDrawsStat"), "EXPORT_EXCEL_FORMMAIN.LVDRAWSSTAT");
  EXPECT_EQ(ExportSectionName("FormMain", "sgCard"), "EXPORT_EXCEL_FORMMAIN.SGCARD");
}

TEST(ExportParams, CheckedFieldsStayAheadAfterEveryChange) {
  TExportSource source = ThreeColumns();
  source.Columns.push_back({"Сумма", kAlignRight, 40});
  TExportParams p = NewExportParams(source, "", "");
  using V = std::vector<std::string>;
  // Unchecking moves the field behind the checked ones.
  EXPECT_EQ(SetFieldChecked(p.Fields, 0, false), 3);
  EXPECT_EQ(Captions(p), (V{"Числа", "Дата", "Сумма", "Номер"}));
  EXPECT_EQ(SetFieldChecked(p.Fields, 0, false), 2);
  EXPECT_EQ(Captions(p), (V{"Дата", "Сумма", "Числа", "Номер"}));
  // Unchecked fields keep their relative order; moving within a group works...
  EXPECT_EQ(MoveField(p.Fields, 1, -1), 0);
  EXPECT_EQ(Captions(p), (V{"Сумма", "Дата", "Числа", "Номер"}));
  EXPECT_EQ(MoveField(p.Fields, 3, -1), 2);
  EXPECT_EQ(Captions(p), (V{"Сумма", "Дата", "Номер", "Числа"}));
  // ...across the groups it is undone by the regrouping.
  EXPECT_EQ(MoveField(p.Fields, 2, -1), 2);
  EXPECT_EQ(Captions(p), (V{"Сумма", "Дата", "Номер", "Числа"}));
  EXPECT_EQ(MoveField(p.Fields, 0, -1), 0);
  EXPECT_EQ(MoveField(p.Fields, 3, +1), 3);
  // Checking again puts it at the end of the checked group.
  EXPECT_EQ(SetFieldChecked(p.Fields, 3, true), 2);
  EXPECT_EQ(Captions(p), (V{"Сумма", "Дата", "Числа", "Номер"}));
}

TEST(ExportParams, SheetNamesAndWidthsTheSpreadsheetAccepts) {
  EXPECT_EQ(CleanSheetName("Итоги 1/2: [A]?"), "Итоги 1-2 (A)");
  EXPECT_EQ(CleanSheetName("a\\b*c'd\"e"), "a-bcde");
  EXPECT_EQ(CleanSheetName("  :  "), "");
  // 31 characters, not bytes; trimmed after the cut.
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += "Ж";
  EXPECT_EQ(CleanSheetName(thirty + " Z"), thirty);
  EXPECT_EQ(CleanSheetName(std::string(40, 'x')), std::string(31, 'x'));

  const std::pair<const char*, double> widths[] = {
      {"12.50", 12.5}, {"12,5", 12.5}, {" 7 ", 7}, {"abc", 10}, {"", 10}, {"300", 255}, {"-3", 0}};
  for (const auto& [text, width] : widths) {
    SCOPED_TRACE(text);
    EXPECT_DOUBLE_EQ(ExportColumnWidth(text), width);
  }
}

// The dialog's state after the user changed everything.
TExportParams Edited() {
  TExportParams p = NewExportParams(ThreeColumns(), "Тиражи", "Лист");
  p.Notes = "Заметки";
  p.ShowCreateTime = false;
  p.PageOrientation = 2;
  p.BaseFontSize = 11;
  p.Fields[2].Caption = "Дата тиража";
  p.Fields[2].Width = "20.25";
  p.Fields[2].Alignment = kAlignLeft;
  MoveField(p.Fields, 2, -1);
  SetFieldChecked(p.Fields, 0, false);
  return p;
}

TEST(ExportParams, StoredParametersRoundTrip) {
  const TExportParams edited = Edited();
  TIniData ini;
  const std::string section = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";
  SaveExportParams(ini, section, true, edited);
  EXPECT_EQ(ini.ReadString(section, "Item_0", ""), "2;Дата;Дата тиража;-1;0;20.25");
  EXPECT_EQ(ini.ReadString(section, "Item_2", ""), "0;Номер;Номер;0;1;6.50");
  EXPECT_TRUE(ini.Value(section, "RestoreParameters").has_value());

  // From the settings file the given title stays; a parameter file brings its own.
  TExportParams fromMain = NewExportParams(ThreeColumns(), "Другой", "");
  EXPECT_FALSE(LoadExportParams(ini, section, true, fromMain));
  EXPECT_EQ(fromMain.Fields, edited.Fields);
  EXPECT_EQ(fromMain.Title, "Другой");
  EXPECT_EQ(fromMain.Notes, "Заметки");
  EXPECT_EQ(fromMain.SheetName, "Лист");
  EXPECT_FALSE(fromMain.ShowCreateTime);
  EXPECT_EQ(fromMain.PageOrientation, 2);
  EXPECT_EQ(fromMain.BaseFontSize, 11);

  TIniData file;
  SaveExportParams(file, section, false, edited);
  EXPECT_FALSE(file.Value(section, "RestoreParameters").has_value());
  TExportParams fromFile = NewExportParams(ThreeColumns(), "Другой", "");
  fromFile.Notes = "Свои";
  LoadExportParams(file, section, false, fromFile);
  EXPECT_EQ(fromFile.Title, "Тиражи");
  EXPECT_EQ(fromFile.Notes, "Свои");
  EXPECT_EQ(fromFile.Fields, edited.Fields);

  // An empty title takes the stored one even from the settings file.
  TExportParams untitled = NewExportParams(ThreeColumns(), "", "");
  LoadExportParams(ini, section, true, untitled);
  EXPECT_EQ(untitled.Title, "Тиражи");
}

TEST(ExportParams, SwitchedOffOrMissingParametersLoadNothing) {
  TIniData ini;
  const std::string section = "EXPORT_EXCEL_FORMMAIN.LVDRAWS";
  TExportParams edited = Edited();
  edited.RestoreParameters = false;
  SaveExportParams(ini, section, true, edited);
  TExportParams p = NewExportParams(ThreeColumns(), "", "");
  const TExportParams fresh = p;
  LoadExportParams(ini, section, true, p);
  EXPECT_FALSE(p.RestoreParameters);
  EXPECT_EQ(p.Fields, fresh.Fields);
  EXPECT_TRUE(p.ShowCreateTime);

  TExportParams q = NewExportParams(ThreeColumns(), "", "");
  EXPECT_FALSE(LoadExportParams(ini, "EXPORT_EXCEL_FORMMAIN.LVCOMBS", true, q));
  EXPECT_TRUE(q.RestoreParameters);
  EXPECT_EQ(q.Fields, fresh.Fields);
}

TEST(ExportParams, ItemsThatNoLongerFitAreDeleted) {
  const std::string section = "S";
  TIniData ini = TIniData::Parse(
      "[S]\r\n"
      "Item_0=1;Числа;Числа; все;-1;0;12.50\r\n"  // a caption with ";"
      "Item_1=2;Дата тиража;Дата;-1;2;10.50\r\n"  // the column's caption changed since
      "Item_2=0;номер;№;нет;7;9\r\n"              // case of the caption ignored; bad values kept
      "Item_5=9;X;X;-1;0;1\r\n");                 // beyond the fields: not read
  TExportSource source = ThreeColumns();
  source.Columns.push_back({"Сумма", kAlignRight, 40});
  TExportParams p = NewExportParams(source, "", "");
  EXPECT_TRUE(LoadExportParams(ini, section, false, p));
  EXPECT_FALSE(ini.Value(section, "Item_0").has_value());
  EXPECT_FALSE(ini.Value(section, "Item_1").has_value());
  EXPECT_TRUE(ini.Value(section, "Item_2").has_value());
  EXPECT_TRUE(ini.Value(section, "Item_5").has_value());
  // Fields that were not placed keep their default caption and stay in the checked group.
  EXPECT_EQ(Captions(p), (std::vector<std::string>{"Числа", "Дата", "№", "Сумма"}));
  EXPECT_TRUE(p.Fields[2].Checked);
  EXPECT_EQ(p.Fields[2].Alignment, kAlignRight);
  EXPECT_EQ(p.Fields[2].Width, "9");
}

}  // namespace
}  // namespace vetrilo
