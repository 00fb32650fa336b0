#include <gtest/gtest.h>

#include <filesystem>

#include "core/csv.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "stats/stat_test_support.h"
#include "test_paths.h"
#include "views/distribution_cache.h"
#include "views/draw_stats.h"

namespace vetrilo {
using test::ReadFile;
using test::RunProgram;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TCliFolder {
  TTempDir Dir;
  TDrawArchive Archive;
  explicit TCliFolder(int draws = 80) {
    Archive.Draws = MakeDemoDraws(draws, 11);
    Archive.SaveToFile(Dir.File("Vetrilo_4d47.ldr"));
  }
  test::TRunResult Run(std::vector<std::string> args) const {
    args.insert(args.begin(), {VETRILO_CLI, "--dir", Dir.Path()});
    return RunProgram(args);
  }
  // The table as the engine computes it, as CSV.
  std::string Expected(const std::string& code, int offset, int depth, bool sorted,
                       bool norm) const {
    TStatList list;
    list.Draws = &Archive;
    list.BuildMethods();
    const TStatMethod& m = list.Item(list.FindByCode(code));
    auto stat = list.CreateStat(m);
    std::optional<TDistribution> dist;
    if (norm && m.Stat->HasNorm()) dist = LiteralDistribution(list, m);
    TDrawStatsInput in;
    in.Archive = &Archive;
    in.LastIndex = Archive.LastIndex(offset);
    in.Depth = depth;
    in.Sorted = sorted;
    TDrawStatsTable table;
    BuildDrawStats(*stat, in, dist ? &*dist : nullptr, table);
    const auto& captions = DrawStatsCaptions();
    std::string csv = CsvLine({captions.begin(), captions.end()});
    for (const auto& row : table.Rows) csv += CsvLine({row.Cells.begin(), row.Cells.end()});
    return csv;
  }
};

}  // namespace

TEST(CliStats, PrintsTheTableWithTheNormCreatingTheCache) {
  TCliFolder f;
  const auto r = f.Run({"stats", "nums", "--depth", "50", "--offset", "4"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, f.Expected("NUMS", 4, 50, false, true));
  EXPECT_EQ(r.Out.rfind("Значение,Количество,Кол-во в %,Норма,Отклонение,Откл-ие в %,Глубина,"
                        "Глубина в %,Вес,Посл. тираж,Период min,Период,Период max,Ожд. ПРД,"
                        "Ожд. СТФ,Ожд. КРН,Факт,+/- ПРД,+/- СТФ,+/- КРН\n",
                        0),
            0u);
  EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 48);
  EXPECT_TRUE(FileExists(f.Dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc")));
  EXPECT_TRUE(r.Err.empty()) << r.Err;

  const auto sorted = f.Run({"stats", "EVNV", "--depth", "30", "--sorted", "--no-norm"});
  ASSERT_EQ(sorted.Status, 0) << sorted.Err;
  EXPECT_EQ(sorted.Out, f.Expected("EVNV", 0, 30, true, false));
  EXPECT_FALSE(FileExists(f.Dir.File("Prefetchs/Vetrilo_4d47_EVNV.dfc")));
  EXPECT_NE(sorted.Out.find(",-,-,-,"), std::string::npos);
}

TEST(CliStats, DepthDefaultsToTheSavedSetting) {
  TCliFolder f;
  EXPECT_EQ(f.Run({"stats", "DIGS", "--no-norm"}).Out, f.Expected("DIGS", 0, 1000, false, false));
  TIniFile(f.Dir.File("Vetrilo_4d47.frm")).WriteInteger("TFormMain", "DrawsStatLen", 12);
  EXPECT_EQ(f.Run({"stats", "DIGS", "--no-norm"}).Out, f.Expected("DIGS", 0, 12, false, false));
}

TEST(CliStats, BadArgumentsExitWith2) {
  TCliFolder f;
  for (const std::vector<std::string>& args : {std::vector<std::string>{"stats"},
                                               {"stats", "NOPE"},
                                               {"stats", "NUMS", "EVEN"},
                                               {"stats", "NUMS", "--depth", "0"},
                                               {"stats", "NUMS", "--depth", "x"},
                                               {"stats", "NUMS", "--offset", "80"},
                                               {"stats", "NUMS", "--offset", "-1"},
                                               {"stats", "NUMS", "--bogus"},
                                               {"prefetch", "NUMS"},
                                               {"prefetch", "--fast"}}) {
    const auto r = f.Run(args);
    EXPECT_EQ(r.Status, 2) << args.back();
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << r.Err;
    EXPECT_TRUE(r.Out.empty());
  }
}

TEST(CliPrefetch, CreatesMissingFilesAndRecreatesAllWithAll) {
  TCliFolder f;
  const auto r = f.Run({"prefetch"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("100%"), std::string::npos) << r.Err;
  TStatList list;
  list.BuildMethods();
  int files = 0;
  for (const TStatMethod& m : list.Methods) {
    const std::string path = f.Dir.File("Prefetchs/Vetrilo_4d47_" + m.Code() + ".dfc");
    EXPECT_EQ(FileExists(path), m.Stat->HasNorm()) << m.Code();
    files += FileExists(path) ? 1 : 0;
  }
  EXPECT_GE(files, 12);
  const std::string nums = f.Dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc");
  const std::string good = ReadFile(nums);
  TDistribution whole;  // passes the checks of a read cache, but is not the method's
  whole.Records.resize(1);
  whole.Records[0].Value[0] = 7;
  whole.Records[0].Count = kAllCombinations;
  whole.MinCount = whole.MaxCount = kAllCombinations;
  const std::string marker = SerializeDistribution(whole);
  WriteFile(nums, marker);
  EXPECT_EQ(f.Run({"prefetch"}).Status, 0);
  EXPECT_EQ(ReadFile(nums), marker);
  EXPECT_EQ(f.Run({"prefetch", "--all"}).Status, 0);
  EXPECT_EQ(ReadFile(nums), good);
}

TEST(CliPrefetch, AnUnusableFolderIsReportedOnce) {
  TCliFolder f;
  WriteFile(f.Dir.File("Prefetchs"), "x");
  const auto r = f.Run({"prefetch"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("Ошибка создания файла данных для полного набора вариантов!"),
            std::string::npos);
  const auto s = f.Run({"stats", "NUMS"});
  EXPECT_EQ(s.Status, 1);
  EXPECT_EQ(s.Out, f.Expected("NUMS", 0, 1000, false, false));  // without the norm
}

}  // namespace vetrilo
