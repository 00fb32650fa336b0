#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "stakes/stake_book.h"
#include "stakes/stake_charts.h"
#include "stakes/stake_grid.h"
#include "stakes/stake_log.h"
#include "stakes/stake_test_support.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::MakeStake;
using test::ReadFile;
using test::Records;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

TStakeRec Priced(int draw, TMoney profit, std::string comment = "c") {
  TStakeRec r = MakeStake(draw, {1, 2, 3, 4}, std::move(comment));
  r.Profit = profit;
  return r;
}

TStakeRec Checked(int draw, int matches, std::string comment) {
  TStakeRec r = MakeStake(draw, {1, 2, 3, 4}, std::move(comment));
  r.Checked = 1;
  r.MatchesCount = matches;
  r.Profit = matches * 10000 - 10000;
  return r;
}

}  // namespace

TEST(StakeCharts, ProfitPerDrawRunningTotalAndMean) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("s.lsk"), false);
  file.Append(Records(
      {Priced(1000, -10000), TStakeRec::Separator(), Priced(1001, -10000), Priced(1001, 490000)}));
  const TProfitTable table = ProfitPerDraw(file);
  ASSERT_EQ(table.Rows.size(), 2u);
  EXPECT_EQ(ProfitTsv(table),
            "№ тиража\tСуммарный профит ставок по тиражу\tНакопленное значение\tСреднее значение\n"
            "1000\t-1.0000\t-1.0000\t23.5000\n"
            "1001\t48.0000\t47.0000\t23.5000\n");
  const TGraphData chart = ProfitChart(table);
  ASSERT_EQ(chart.Series.size(), 3u);
  EXPECT_EQ(chart.Series[0].Title, "Суммарный профит ставок по тиражу");
  EXPECT_EQ(chart.Series[0].Color, 0x008000);
  EXPECT_DOUBLE_EQ(chart.Series[0].Points[1].Y, 48.0);
  EXPECT_EQ(chart.Series[1].Title, "Среднее значение");
  EXPECT_FALSE(chart.Series[1].ShowPoints);
  EXPECT_DOUBLE_EQ(chart.Series[1].Points[0].Y, 23.5);
  EXPECT_EQ(chart.Series[2].Title, "Накопленное значение");
  EXPECT_DOUBLE_EQ(chart.Series[2].Points[0].Y, -1.0);
  EXPECT_EQ(chart.Series[2].Points[1].X, 1001);

  file.Rewrite(Records({TStakeRec::Separator(), TStakeRec::Separator()}));
  try {
    ProfitPerDraw(file);
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), kChartNoDataError);
  }
}

TEST(StakeCharts, ProfitSumsBeyond64BitsKeepTheirSign) {
  // 2^63 - 1 ten-thousandths twice: 18446744073709551614 = 1844674407370955.1614.
  const std::string max = "922337203685477.5807", twice = "1844674407370955.1614";
  const std::string header =
      "№ тиража\tСуммарный профит ставок по тиражу\tНакопленное значение\tСреднее значение\n";
  struct TCase {
    std::vector<TStakeRec> Records;
    std::string Tsv;
  };
  const TCase cases[] = {
      {{Priced(1, INT64_MAX), Priced(2, INT64_MAX)},
       header + "1\t" + max + "\t" + max + "\t" + max + "\n2\t" + max + "\t" + twice + "\t" + max +
           "\n"},
      {{Priced(7, INT64_MAX), Priced(7, INT64_MAX)},
       header + "7\t" + twice + "\t" + twice + "\t" + twice + "\n"},
      {{Priced(1, INT64_MIN), Priced(2, INT64_MIN)},
       header + "1\t-922337203685477.5808\t-922337203685477.5808\t-922337203685477.5808\n"
                "2\t-922337203685477.5808\t-1844674407370955.1616\t-922337203685477.5808\n"},
  };
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("s.lsk"), false);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Tsv);
    file.Rewrite(Records(c.Records));
    const TProfitTable table = ProfitPerDraw(file);
    EXPECT_EQ(ProfitTsv(table), c.Tsv);
    const TGraphData chart = ProfitChart(table);
    ASSERT_EQ(chart.Series.size(), 3u);
    const double last = chart.Series[2].Points.back().Y;
    EXPECT_EQ(last > 0, c.Records[0].Profit > 0) << last;
  }
}

TEST(StakeCharts, RatedStakesCoverTheNewest100DrawsAndMatchLabelsIgnoringCase) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("s.lsk"), false);
  std::vector<TStakeRec> records;
  for (int d = 1; d <= 150; ++d) {
    records.push_back(Checked(d, d % 5, "Ёлка"));
    records.push_back(Checked(d, 1, "other"));
    records.push_back(MakeStake(d, {1, 2, 3, 4}, "ёлка"));  // unchecked: never drawn
  }
  file.Append(Records(records));
  int64_t draws = 0;
  EXPECT_EQ(RatedStakesStart(file, &draws), 50 * 3 - 1);  // just after draw 50's last rated stake
  EXPECT_EQ(draws, 100);
  const TGraphData chart = RatedStakesChart(file, {"ЁЛКА"}, true);
  ASSERT_EQ(chart.Series.size(), 1u);
  EXPECT_EQ(chart.Series[0].Title, "Ёлка");
  ASSERT_EQ(chart.Series[0].Points.size(), 100u);
  EXPECT_EQ(chart.Series[0].Points[0].X, 51);
  EXPECT_DOUBLE_EQ(chart.Series[0].Points[0].Y, 1);
  const TGraphData profits = RatedStakesChart(file, {"other"}, false);
  EXPECT_DOUBLE_EQ(profits.Series[0].Points[0].Y, 0.0);
  EXPECT_THROW(RatedStakesChart(file, {}, true), EVetrilo);
  file.Rewrite(Records({Checked(5, 1, "a"), Checked(5, 2, "a")}));
  EXPECT_THROW(RatedStakesChart(file, {"a"}, true), EVetrilo);  // one draw only
}

TEST(StakeCharts, MatchDistributionAgainstChance) {
  TRatingRec a, b;
  a.Label = "a";
  a.Stakes = 10;
  a.Hits = {6, 3, 1, 0, 0};
  b.Label = "b";
  b.Stakes = 20;
  b.Hits = {15, 5, 0, 0, 0};
  const TGraphData chart = RatingsOverlapChart({a, b});
  ASSERT_EQ(chart.Series.size(), 3u);
  EXPECT_EQ(chart.Series[0].Title, "Нормальные значения");
  EXPECT_EQ(chart.Series[0].Color, 0x808080);
  EXPECT_NEAR(chart.Series[0].Points[0].Y, 123410.0 * 20 / 178365, 1e-9);
  EXPECT_DOUBLE_EQ(chart.Series[2].Points[1].Y, 5);
}

TEST(StakeLog, LinesGoToTheFileOfTheirMatchCount) {
  TTempDir dir;
  TStakeLog log{dir.Path(), "Vetrilo_4d47"};
  TStakeRec r = Checked(512, 2, "Ставка \"вручную\"");
  r.DrawResult = {41, 3, 27, 15};
  r.MatchedNumbers = {3, 15, 0, 0};
  r.Profit = 20000;
  TRecordingHooks hooks;
  log.Write(r, "2024.03.05 07:08:09", hooks);
  log.Write(r, "2024.03.05 07:08:10", hooks);
  log.Write(MakeStake(513, {1, 2, 3, 4}), "2024.03.05 07:08:11", hooks);  // unchecked
  const std::string line =
      ": Тираж № 512. Ставка: \"Ставка \"вручную\"\" [1;2;3;4] {178365}. Результаты тиража: "
      "[41;3;27;15]. Совпадений: 2. Профит: 2.00.\r\n";
  EXPECT_EQ(ReadFile(dir.File("Vetrilo_4d47-2.log")),
            Utf8ToCp1251("2024.03.05 07:08:09" + line + "2024.03.05 07:08:10" + line));
  EXPECT_FALSE(FileExists(dir.File("Vetrilo_4d47--1.log")));
  EXPECT_TRUE(hooks.Messages.empty());

  // A log that cannot be written is reported and nothing stops.
  std::filesystem::create_directory(dir.File("Vetrilo_4d47-3.log"));
  log.Write(Checked(600, 3, "x"), "2024.03.05 07:08:12", hooks);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text.rfind(
                "Ошибка записи в файл \"" + dir.File("Vetrilo_4d47-3.log") + "\"!\r\r", 0),
            0u);
  std::filesystem::remove(dir.File("Vetrilo_4d47-3.log"));

  // Deleting: the pattern's files only, then "nothing found".
  WriteFile(dir.File("Vetrilo_4d47-0.log"), "x");
  WriteFile(dir.File("Vetrilo_4d47.log"), "kept");
  hooks.Messages.clear();
  log.DeleteAll(hooks);
  EXPECT_FALSE(FileExists(dir.File("Vetrilo_4d47-2.log")));
  EXPECT_FALSE(FileExists(dir.File("Vetrilo_4d47-0.log")));
  EXPECT_TRUE(FileExists(dir.File("Vetrilo_4d47.log")));
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Information);
  EXPECT_EQ(hooks.Messages[0].Text.rfind("Удалено файлов журналов: 2 из 2.\r\r", 0), 0u);
  log.DeleteAll(hooks);
  EXPECT_EQ(hooks.Messages.back().Text, "Файлы журналов не найдены!");
}

TEST(StakeLog, TheCheckLogsOnlyWhenEnabled) {
  for (bool enabled : {false, true}) {
    SCOPED_TRACE(enabled);
    TTempDir dir;
    TStakeBook book;
    book.LogEnabled = enabled;
    book.Log = {dir.Path(), "Vetrilo_4d47"};
    book.RatingsPath = dir.File("Vetrilo_4d47.lrt");
    book.Now = [] { return std::string("2024.01.02 03:04:05"); };
    book.File.Open(dir.File("Vetrilo_4d47.lsk"), true);
    book.File.Append(Records({MakeStake(5, {1, 2, 30, 40}), MakeStake(6, {1, 2, 3, 4})}));
    TRecordingHooks hooks;
    book.Check(MakeArchive({{5, 1, 2, 3, 4, 1, "01/01/2020"}}), hooks);
    EXPECT_EQ(FileExists(dir.File("Vetrilo_4d47-2.log")), enabled);
    EXPECT_FALSE(FileExists(dir.File("Vetrilo_4d47-0.log")));
  }
}

}  // namespace vetrilo

namespace vetrilo {

TEST(StakeGrid, ColoursAlignmentAndMatchedNumbers) {
  struct TCase {
    uint8_t Kind;
    int64_t Row;
  };
  for (const TCase& c : std::vector<TCase>{
           {0, -1}, {1, 0xEAFFEA}, {2, 0xFFEAEA}, {3, 0xEAFFFF}, {4, 0xFCFDD9}, {9, -1}}) {
    TStakeRec r = test::MakeStake(5, {1, 2, 3, 4}, "c", c.Kind);
    EXPECT_EQ(StakeRowColor(r), c.Row) << int(c.Kind);
  }
  TStakeRec r = test::MakeStake(5, {1, 2, 3, 4});
  EXPECT_EQ(StakeCellTextColor(r, 7), -1);  // unchecked
  EXPECT_TRUE(StakeNumberPieces(r, 4).empty());
  r.Checked = 1;
  r.DrawResult = {9, 2, 4, 8};
  r.MatchesCount = 2;
  r.MatchedNumbers = {2, 4, 0, 0};
  r.Profit = 0;
  EXPECT_EQ(StakeCellTextColor(r, 5), 0xFF0000);  // no gain is red
  r.Profit = 1;
  EXPECT_EQ(StakeCellTextColor(r, 7), 0x008000);
  EXPECT_EQ(StakeCellTextColor(r, 8), -1);
  std::string marked;
  for (const TStakeNumberPiece& p : StakeNumberPieces(r, 2)) marked += p.Matched ? "*" : ".";
  EXPECT_EQ(marked, ".*.*");
  marked.clear();
  for (const TStakeNumberPiece& p : StakeNumberPieces(r, 4)) marked += p.Matched ? "*" : ".";
  EXPECT_EQ(marked, ".**.");
  EXPECT_EQ(StakeColumnAlign(7), TCellAlign::Right);
  EXPECT_EQ(StakeColumnAlign(8), TCellAlign::Left);
  EXPECT_EQ(StakeColumnAlign(0), TCellAlign::Center);
  for (int c = 0; c < kStakeColumns; ++c) EXPECT_EQ(StakeCell(TStakeRec::Separator(), c), "");
  EXPECT_EQ(StakeCountText(3), "Ставок: 3");
}

}  // namespace vetrilo
