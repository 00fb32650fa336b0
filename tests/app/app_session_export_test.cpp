#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/cp1251.h"
#include "core/file_io.h"
#include "services/xlsx_reader.h"
#include "test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::TXlsxSheet;
using test::WriteFile;

namespace {

struct TExportSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  TExportSource Source;

  TExportSession() {
    Source.Kind = TExportTableKind::TextGrid;
    Source.Name = "sgCard";
    Source.Columns = {{"Тираж", kAlignLeft, 48}, {"1", kAlignLeft, 26}, {"2", kAlignLeft, 26}};
    Source.RowCount = 5;
    Source.Cell = [](int row, int column) { return column == 0 ? std::to_string(100 + row) : "x"; };
    Source.SelectionTop = 2;
    Source.SelectionBottom = 3;
    Session.SetExportClock([] {
      std::tm t{};
      t.tm_year = 126;
      t.tm_mon = 0;
      t.tm_mday = 2;
      t.tm_hour = 13;
      return t;
    });
  }
  std::string Ini() const { return ReadFile(Dir.File("Vetrilo_4d47.ini")); }
  std::vector<std::string> Errors() const {
    std::vector<std::string> out;
    for (const auto& m : Hooks.Messages) {
      if (m.Kind == TMessageKind::Error) out.push_back(m.Text);
    }
    return out;
  }
};

TEST(AppSessionExport, ExportWritesTheReportAndRemembersTheParameters) {
  TExportSession s;
  WriteFile(s.Dir.File("Vetrilo_4d47.ini"),
            Utf8ToCp1251("[GLOBAL]\r\nA=1\r\n[EXPORT_EXCEL_FORMMAIN.SGCARD]\r\nNotes=Старые\r\n"
                         "Item_0=2;2;Второй;-1;2;5.00\r\nItem_1=1;Первый;1;-1;0;3\r\n"));
  TExportParams p = s.Session.PrepareExport(s.Source, "Карта", "Карта");
  // The key of a column whose caption changed is gone from the file.
  EXPECT_EQ(s.Ini().find("Item_1"), std::string::npos);
  EXPECT_NE(s.Ini().find("Item_0=2;2;"), std::string::npos);
  EXPECT_NE(s.Ini().find("[GLOBAL]"), std::string::npos);
  ASSERT_EQ(p.Fields.size(), 3u);
  EXPECT_EQ(p.Fields[0].Caption, "Второй");
  EXPECT_EQ(p.Notes, "Старые");
  EXPECT_EQ(p.SendMode, TSendMode::Selected);
  EXPECT_EQ(p.SelectedRowCount, 2);

  p.Notes = "";
  const std::string out = s.Dir.File("card.xlsx");
  ASSERT_TRUE(s.Session.ExportTable(s.Source, p, out));
  EXPECT_TRUE(s.Errors().empty());
  EXPECT_FALSE(s.Session.Busy());
  const TXlsxSheet sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.At("A1").Text, "Карта");
  EXPECT_EQ(sheet.At("A2").Text, "Отчет построен: 02.01.2026 13:00:00.");
  EXPECT_EQ(sheet.At("A4").Text, "Второй");
  EXPECT_EQ(sheet.At("B4").Text, "Тираж");
  // Grid rows 2..3 are the data rows 1..2.
  EXPECT_EQ(sheet.At("B5").Text, "101");
  EXPECT_EQ(sheet.At("B6").Text, "102");
  EXPECT_FALSE(sheet.Has("B7"));

  const TIniData ini = TIniFile(s.Dir.File("Vetrilo_4d47.ini")).Load();
  const std::string section = "EXPORT_EXCEL_FORMMAIN.SGCARD";
  EXPECT_TRUE(ini.ReadBool(section, "RestoreParameters", false));
  EXPECT_EQ(ini.ReadString(section, "Notes", "?"), "");
  EXPECT_EQ(ini.ReadString(section, "Item_1", ""), "0;Тираж;Тираж;-1;0;6.00");
  EXPECT_EQ(ini.ReadString("GLOBAL", "A", ""), "1");
}

TEST(AppSessionExport, AFailedExportShowsItsErrorAndLeavesNoFile) {
  TExportSession s;
  WriteFile(s.Dir.File("plain"), "x");
  TExportParams p = s.Session.PrepareExport(s.Source, "Карта", "Карта");
  EXPECT_FALSE(s.Session.ExportTable(s.Source, p, s.Dir.File("plain/card.xlsx")));
  ASSERT_EQ(s.Errors().size(), 1u);
  EXPECT_EQ(s.Errors()[0].rfind("Ошибка экспорта данных в Microsoft Excel!\r", 0), 0u);
  EXPECT_FALSE(s.Session.Busy());
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(s.Dir.Path())) {
    files.push_back(e.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  // The parameters were still remembered.
  EXPECT_EQ(files, (std::vector<std::string>{"Vetrilo_4d47.ini", "plain"}));
}

TEST(AppSessionExport, ParameterFiles) {
  TExportSession s;
  TExportParams p = s.Session.PrepareExport(s.Source, "Карта", "Лист");
  p.Title = "Из файла";
  p.BaseFontSize = 14;
  SetFieldChecked(p.Fields, 0, false);
  const std::string exp = s.Dir.File("card.exp");
  ASSERT_TRUE(s.Session.SaveExportParamsFile(exp, s.Source, p));
  const std::string text = Cp1251ToUtf8(ReadFile(exp));
  EXPECT_NE(text.find("[EXPORT_EXCEL_FORMMAIN.SGCARD]"), std::string::npos);
  EXPECT_EQ(text.find("RestoreParameters"), std::string::npos);

  TExportParams loaded = s.Session.PrepareExport(s.Source, "Карта", "Лист");
  ASSERT_TRUE(s.Session.LoadExportParamsFile(exp, s.Source, loaded));
  EXPECT_EQ(loaded.Title, "Из файла");
  EXPECT_EQ(loaded.BaseFontSize, 14);
  EXPECT_EQ(loaded.Fields, p.Fields);
  EXPECT_TRUE(s.Errors().empty());

  // A folder in place of the file, and a path below a regular file.
  std::filesystem::create_directory(s.Dir.File("folder.exp"));
  TExportParams untouched = loaded;
  EXPECT_FALSE(s.Session.LoadExportParamsFile(s.Dir.File("folder.exp"), s.Source, untouched));
  EXPECT_EQ(untouched.Fields, loaded.Fields);
  EXPECT_FALSE(s.Session.SaveExportParamsFile(exp + "/x.exp", s.Source, p));
  const std::vector<std::string> expected = {
      "Ошибка загрузки параметров экспорта из файла \"" + s.Dir.File("folder.exp") + "\"!",
      "Ошибка сохранения параметров экспорта в файле \"" + exp + "/x.exp\"!"};
  EXPECT_EQ(s.Errors(), expected);
}

}  // namespace
}  // namespace vetrilo
