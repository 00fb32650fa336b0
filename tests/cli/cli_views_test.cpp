// vetrilo-cli view and filter-view print what the engine computes for the folder.
#include <gtest/gtest.h>

#include "core/text.h"
#include "test_paths.h"
#include "test_support.h"
#include "views/layout_scheme.h"
#include "views/weekday_stats.h"

namespace vetrilo {
using test::MakeArchive;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TViewFolder {
  TTempDir Dir;
  TDrawArchive Archive = MakeArchive({{20, 5, 6, 20, 33, 2, "01/06/2014"},
                                      {21, 6, 21, 40, 47, 9, ""},
                                      {22, 1, 2, 3, 4, 11, "01/08/2014"},
                                      {23, 7, 12, 30, 8, 1, "01/13/2014"}});
  TViewFolder() { Archive.SaveToFile(Dir.File("Vetrilo_4d47.ldr")); }
  test::TRunResult Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(args);
  }
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines = SplitAll(text, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string Cell(const std::string& line, size_t column) {
  const auto cells = SplitAll(line, '\t');
  return column < cells.size() ? cells[column] : "<none>";
}

}  // namespace

TEST(CliViews, CardTextsThenColourRules) {
  TViewFolder f;
  const auto r = f.Run({"view", "card"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 11u);  // header + 4 rows, blank, header + 4 rows
  EXPECT_EQ(Cell(lines[0], 48), "E");
  EXPECT_EQ(SplitAll(lines[0], '\t').size(), 49u);
  EXPECT_EQ(Cell(lines[1], 0), "23");
  EXPECT_EQ(Cell(lines[4], 0), "20");
  EXPECT_EQ(Cell(lines[4], 5), "5");
  EXPECT_EQ(Cell(lines[4], 48), "2");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], lines[0]);
  EXPECT_EQ(Cell(lines[10], 0), "20");
  EXPECT_EQ(Cell(lines[10], 5), "neighbour");
  EXPECT_EQ(Cell(lines[10], 6), "repeat+neighbour");
  EXPECT_EQ(Cell(lines[9], 6), "repeat");
  EXPECT_EQ(Cell(lines[9], 7), "channel");
  EXPECT_EQ(Cell(lines[9], 48), "default");

  const auto plain = f.Run({"view", "card", "--rows", "1", "--no-channel-colors"});
  ASSERT_EQ(plain.Status, 0) << plain.Err;
  const auto few = Lines(plain.Out);
  ASSERT_EQ(few.size(), 5u);
  EXPECT_EQ(Cell(few[4], 7), "neighbour");  // 7 and 8
  EXPECT_EQ(Cell(few[4], 1), "default");
}

TEST(CliViews, LayoutWeekdayRepeatsAndGraphMatchTheEngine) {
  TViewFolder f;
  const auto layout = f.Run({"view", "layout", "--depth", "3", "--offset", "3"});
  ASSERT_EQ(layout.Status, 0) << layout.Err;
  TLayoutScheme scheme;
  scheme.Build(f.Archive, 3, 3);
  auto lines = Lines(layout.Out);
  ASSERT_GE(lines.size(), size_t(scheme.RowCount()));
  for (int row = 0; row < scheme.RowCount(); ++row) {
    for (int column = 0; column < scheme.ColumnCount(); ++column) {
      EXPECT_EQ(Cell(lines[size_t(row)], size_t(column)), scheme.Text(row, column));
    }
  }
  EXPECT_EQ(lines[1], "1\t5, [6], 20, 33");
  EXPECT_NE(layout.Out.find("\nКол-во\t20 - 20\n1\t5, 6, 20, 33\n"), std::string::npos);

  const auto week = f.Run({"view", "weekday", "--depth", "4"});
  ASSERT_EQ(week.Status, 0) << week.Err;
  lines = Lines(week.Out);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(Cell(lines[1], 0), "Пн");
  EXPECT_EQ(Cell(lines[1], 7), "1");  // Monday 01/13
  EXPECT_EQ(Cell(lines[1], 5), "1");  // Monday 01/06
  EXPECT_EQ(Cell(lines[3], 1), "1");  // Wednesday 01/08
  EXPECT_EQ(Cell(lines[9], 0), "Без даты");
  EXPECT_EQ(Cell(lines[9], 48), "4");
  EXPECT_EQ(Cell(lines[8], 48), "12");

  const auto repeats = f.Run({"view", "repeats", "--depth", "4", "--deep", "1"});
  ASSERT_EQ(repeats.Status, 0) << repeats.Err;
  EXPECT_EQ(repeats.Out, "Тираж\tСовпадений\tКол-во повторов\tСписок тиражей\n21\t1\t1\t20\n");

  const auto graph = f.Run({"view", "graph", "SUMS", "--depth", "2"});
  ASSERT_EQ(graph.Status, 0) << graph.Err;
  lines = Lines(graph.Out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Cell(lines[0], 2), "Среднее значение");
  EXPECT_EQ(lines[1], "22\t10\t33.5000\t10");
  EXPECT_EQ(lines[2], "23\t57\t33.5000\t10");

  const auto sums = f.Run({"view", "sums"});
  ASSERT_EQ(sums.Status, 0) << sums.Err;
  lines = Lines(sums.Out);
  ASSERT_EQ(lines.size(), 174u);
  EXPECT_EQ(Cell(lines[1], 0), "10");
  EXPECT_EQ(Cell(lines[1], 1), "1");
  EXPECT_EQ(Cell(lines[1], 2), "1");
  EXPECT_EQ(Cell(lines[0], 4).rfind("Диапазон 1 (от 1/3 и выше по оси Y) - суммы ", 0), 0u);

  for (const std::vector<std::string>& bad :
       std::vector<std::vector<std::string>>{{"view"},
                                             {"view", "nothing"},
                                             {"view", "graph", "NUMS"},
                                             {"view", "weekday", "--depth", "0"},
                                             {"view", "layout", "--offset", "4"}}) {
    const auto r = f.Run(bad);
    EXPECT_EQ(r.Status, 2) << bad.back();
    EXPECT_FALSE(r.Err.empty());
  }
}

TEST(CliViews, FilterFromAViewPrintsItsJournalRow) {
  TViewFolder f;
  const auto card = f.Run({"filter-view", "card", "--rect", "1,1,10,2", "--mode", "keep", "--out",
                           f.Dir.File("kept.lcv")});
  ASSERT_EQ(card.Status, 0) << card.Err;
  // Columns 1..10 of the two newest rows hold 7, 8 (23) and 1..4 (22), column by column.
  EXPECT_EQ(card.Out, "Примененные фильтры\tЗначения\tКомбинаций\nКарта\t1; 2; 3; 4; 7; 8\t" +
                          std::to_string(178365 - 101270) + "\n");
  const auto again = f.Run({"filter-view", "weekday", "--columns", "5-7", "--mode", "remove",
                            "--in", f.Dir.File("kept.lcv")});
  ASSERT_EQ(again.Status, 0) << again.Err;
  EXPECT_NE(again.Out.find("\nНеделя\t5; 6; 7\t"), std::string::npos);
  const auto layout =
      f.Run({"filter-view", "layout", "--rect", "1,1,1,1", "--mode", "keep", "--depth", "1"});
  ASSERT_EQ(layout.Status, 0) << layout.Err;
  EXPECT_EQ(Lines(layout.Out)[1], "Схема\t7; 12; 30; 8\t" + std::to_string(178365 - 123410));

  const auto empty = f.Run({"filter-view", "card", "--rect", "9,1,11,1", "--mode", "keep"});
  EXPECT_EQ(empty.Status, 1);
  EXPECT_NE(empty.Err.find("В выделенном диапазоне нет значений для фильтра!"), std::string::npos);
  EXPECT_EQ(f.Run({"filter-view", "card", "--rect", "0,1,3,1", "--mode", "keep"}).Status, 2);
  EXPECT_EQ(f.Run({"filter-view", "card", "--rect", "1,1,3,1", "--mode", "both"}).Status, 2);
}

}  // namespace vetrilo
