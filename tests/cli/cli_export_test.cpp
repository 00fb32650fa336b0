#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/draw_list_view.h"
#include "core/cp1251.h"
#include "core/draw_archive.h"
#include "core/file_io.h"
#include "scripts/ratings.h"
#include "services/xlsx_reader.h"
#include "stakes/stake_grid.h"
#include "stakes/stake_test_support.h"
#include "test_paths.h"
#include "test_support.h"
#include "views/draw_stats.h"

namespace vetrilo {
using test::MakeStake;
using test::Records;
using test::RunProgram;
using test::TTempDir;
using test::TXlsxSheet;
using test::WriteFile;

namespace {

std::string Cell(char column, int row) {
  return std::string(1, column) + std::to_string(row);
}

TEST(CliExport, DrawsWithTheDefaultLayoutAndStoredParameters) {
  TTempDir dir;
  std::filesystem::copy_file(VETRILO_DEMO_ARCHIVE, dir.File("Vetrilo_4d47.ldr"));
  const std::string out = dir.File("draws.xlsx");
  const auto run = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "draws", out});
  ASSERT_EQ(run.Status, 0) << run.Err;
  const TXlsxSheet sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.Name, "Архив тиражей");
  EXPECT_EQ(sheet.At("A1").Text, "Архив тиражей");
  EXPECT_EQ(sheet.At("A2").Text.rfind("Отчет построен: ", 0), 0u);
  TDrawArchive archive;
  archive.LoadFromFile(dir.File("Vetrilo_4d47.ldr"));
  const TDrawListView view(archive, 0, false, false, 0);
  const auto& captions = TDrawListView::Captions();
  for (int c = 0; c < TDrawListView::kColumnCount; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(sheet.At(Cell(char('A' + c), 4)).Text, captions[size_t(c)]);
    // The newest draw first, as the list shows it; numbers become numbers.
    const std::string text = view.Text(0, c);
    const auto& cell = sheet.At(Cell(char('A' + c), 5));
    if (c == TDrawListView::kDate) {
      EXPECT_EQ(cell.Text, text);
    } else {
      EXPECT_EQ(std::stoi(cell.Text), std::stoi(text));
    }
  }
  EXPECT_TRUE(sheet.Has(Cell('A', 4 + archive.Count())));
  EXPECT_FALSE(sheet.Has(Cell('A', 5 + archive.Count())));

  // The table's stored parameters: no time line, one column left out, a title of its own.
  WriteFile(
      dir.File("Vetrilo_4d47.ini"),
      Utf8ToCp1251("[EXPORT_EXCEL_FORMMAIN.LVDRAWS]\r\nRestoreParameters=1\r\nShowCreateTime=0\r\n"
                   "SheetName=Тиражи\r\nBaseFontSize=12\r\nItem_0=7;" +
                   captions[7] +
                   ";Когда;-1;2;15\r\n"
                   "Item_1=0;" +
                   captions[0] + ";N;0;0;5\r\n"));
  const auto stored =
      RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "draws", out, "--title", "Мой"});
  ASSERT_EQ(stored.Status, 0) << stored.Err;
  const TXlsxSheet second = TXlsxSheet::Read(out);
  EXPECT_EQ(second.Name, "Тиражи");
  EXPECT_EQ(second.At("A1").Text, "Мой");
  EXPECT_DOUBLE_EQ(second.At("A1").FontSize, 16);
  EXPECT_EQ(second.At("A3").Text, "Когда");
  EXPECT_EQ(second.At("B3").Text, captions[1]);
  EXPECT_EQ(second.At("A4").Text, view.Text(0, TDrawListView::kDate));
  EXPECT_EQ(second.At("A4").Horizontal, "center");
  EXPECT_NEAR(second.Columns.at(1).Width, 15, 1);
  EXPECT_EQ(second.Columns.size(), 7u);
  // The settings file is only read.
  EXPECT_NE(test::ReadFile(dir.File("Vetrilo_4d47.ini")).find("Item_1="), std::string::npos);
}

TEST(CliExport, StakesStatsAndCombinations) {
  TTempDir dir;
  std::filesystem::copy_file(VETRILO_DEMO_ARCHIVE, dir.File("Vetrilo_4d47.ldr"));
  const TStakeRec stake = MakeStake(1200, {3, 15, 27, 41}, "мой вариант");
  WriteFile(dir.File("Vetrilo_4d47.lsk"), Records({stake, MakeStake(1201, {1, 2, 3, 4})}));
  const std::string out = dir.File("t.xlsx");
  auto run = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "stakes", out});
  ASSERT_EQ(run.Status, 0) << run.Err;
  TXlsxSheet sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.At("A1").Text, "Ставки");
  const auto& captions = StakeColumnCaptions();
  for (int c = 0; c < kStakeColumns; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(sheet.At(Cell(char('A' + c), 4)).Text, captions[size_t(c)]);
    const std::string text = StakeCell(stake, c);
    const auto& cell = sheet.At(Cell(char('A' + c), 5));
    if (cell.IsNumber) {
      EXPECT_DOUBLE_EQ(std::stod(cell.Text), std::stod(text));
    } else {
      EXPECT_EQ(cell.Text, text);
    }
    EXPECT_EQ(cell.Horizontal, "left");  // a grid's fields start left-aligned
  }
  EXPECT_TRUE(sheet.Has("A6"));
  EXPECT_FALSE(sheet.Has("A7"));

  // The check feeds the ratings, one per comment.
  ASSERT_EQ(RunProgram({VETRILO_CLI, "--dir", dir.Path(), "stakes", "check"}).Status, 0);
  run = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "ratings", out});
  ASSERT_EQ(run.Status, 0) << run.Err;
  sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.At("A1").Text, "Рейтинг");
  EXPECT_EQ(sheet.At("A4").Text, RatingColumnCaptions()[0]);
  EXPECT_EQ(sheet.At("B5").Horizontal, "right");
  const std::set<std::string> labels = {sheet.At("A5").Text, sheet.At("A6").Text};
  EXPECT_EQ(labels, (std::set<std::string>{"мой вариант", "c"}));
  EXPECT_FALSE(sheet.Has("A7"));

  run = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "stats", out, "nums", "--depth",
                    "50", "--no-norm"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.At("A1").Text, "Статистика");
  EXPECT_EQ(sheet.At("A4").Text, DrawStatsCaptions()[kDsValue]);
  // Without the comparison the norm columns are not shown.
  EXPECT_EQ(sheet.At("D4").Text, DrawStatsCaptions()[kDsAgo]);
  EXPECT_EQ(sheet.At("B4").Horizontal, "center");
  EXPECT_EQ(sheet.At("B5").Horizontal, "right");

  WriteFile(dir.File("list.lcv"), "1;2;3;4\r\n10;20;30;47\r\n");
  run = RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "combinations", out, "--in",
                    dir.File("list.lcv"), "--title", "Две"});
  ASSERT_EQ(run.Status, 0) << run.Err;
  sheet = TXlsxSheet::Read(out);
  EXPECT_EQ(sheet.At("A1").Text, "Две");
  EXPECT_EQ(sheet.At("A6").Text, "2");
  EXPECT_EQ(sheet.At("F6").Text, "107");
  EXPECT_FALSE(sheet.Has("A7"));
}

TEST(CliExport, BadArgumentsAndFailedWrites) {
  TTempDir dir;
  WriteFile(dir.File("plain"), "x");
  const std::pair<std::vector<std::string>, int> cases[] = {
      {{"export"}, 2},
      {{"export", "draws"}, 2},
      {{"export", "tables", "x.xlsx"}, 2},
      {{"export", "stats", "x.xlsx"}, 2},
      {{"export", "stats", "x.xlsx", "NOSUCH"}, 2},
      {{"export", "draws", "x.xlsx", "extra"}, 2},
      {{"export", "draws", dir.File("plain/x.xlsx")}, 2},
  };
  for (const auto& [words, status] : cases) {
    std::vector<std::string> argv = {VETRILO_CLI, "--dir", dir.Path()};
    argv.insert(argv.end(), words.begin(), words.end());
    SCOPED_TRACE(argv.back());
    const auto run = RunProgram(argv);
    EXPECT_EQ(run.Status, status);
    EXPECT_FALSE(run.Err.empty());
  }
  const auto failed =
      RunProgram({VETRILO_CLI, "--dir", dir.Path(), "export", "draws", dir.File("plain/x.xlsx")});
  EXPECT_NE(failed.Err.find("Ошибка экспорта данных в Microsoft Excel!"), std::string::npos);
  EXPECT_FALSE(FileExists(dir.File("x.xlsx")));
}

}  // namespace
}  // namespace vetrilo
