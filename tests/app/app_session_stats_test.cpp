#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "test_support.h"
#include "views/distribution_cache.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TStatsSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  uint32_t Seen = 0;
  int Calculations = 0;  // notifications of a new table

  explicit TStatsSession(int draws = 60) {
    SaveFileAtomic(Session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(draws, 5)));
    Session.LoadOptions();
    Session.LoadArchive();
    Session.SetListener([this](uint32_t c) {
      Seen |= c;
      Calculations += (c & kChangeDrawStats) ? 1 : 0;
    });
  }
  TIniFile Frm() const { return Session.FrmFile(); }
  size_t StatusCount(const std::string& text) const {
    return size_t(std::count(Hooks.Statuses.begin(), Hooks.Statuses.end(), text));
  }
};

constexpr const char* kCalcStatus = "Анализ тиражей и расчет статистики...";

}  // namespace

TEST(AppSessionStats, FirstStartWritesTheComparisonOffAndDefaults) {
  TStatsSession s;
  EXPECT_FALSE(s.Session.PrefetchsEnabled());
  EXPECT_TRUE(s.Session.ShowTotalLine());
  EXPECT_EQ(s.Session.DrawsStatLen(), 1000);
  EXPECT_TRUE(s.Frm().ReadBool("TFormMain", "PrefetchsInit", false));
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "PrefetchsEnabled", true));
  EXPECT_EQ(s.Session.DrawStats().Method, s.Session.StatList().FindByCode("NUMS"));

  // A later start reads what was saved, clamping a depth out of bounds.
  s.Frm().WriteBool("TFormMain", "PrefetchsEnabled", true);
  s.Frm().WriteBool("TFormMain", "ShowTotalLine", false);
  s.Frm().WriteInteger("TFormMain", "DrawsStatLen", -5);
  TAppSession again(TAppPaths::ForFolder(s.Dir.Path()), s.Hooks);
  again.LoadOptions();
  EXPECT_TRUE(again.PrefetchsEnabled());
  EXPECT_FALSE(again.ShowTotalLine());
  EXPECT_EQ(again.DrawsStatLen(), 1);
  EXPECT_TRUE(s.Frm().ReadBool("TFormMain", "PrefetchsEnabled", false));
}

TEST(AppSessionStats, CalculationRunsOnlyWhenTheKeyChangesOrForced) {
  TStatsSession s;
  s.Session.CalcDrawStats(false);
  EXPECT_EQ(s.Session.DrawStats().Table.Rows.size(), 47u);
  EXPECT_EQ(s.Session.DrawStats().Table.Totals.Total, 240);
  EXPECT_EQ(s.Calculations, 1);
  EXPECT_EQ(s.Hooks.Statuses.back(), "");
  EXPECT_GE(s.StatusCount(kCalcStatus), 1u);
  EXPECT_TRUE(s.Seen & kChangeDrawStats);
  EXPECT_FALSE(s.Session.Busy());

  s.Session.CalcDrawStats(false);
  EXPECT_EQ(s.Calculations, 1);
  s.Session.CalcDrawStats(true);
  EXPECT_EQ(s.Calculations, 2);

  s.Session.SetDrawsStatLen(10);
  s.Session.CalcDrawStats(false);
  EXPECT_EQ(s.Session.DrawStats().Table.Totals.Total, 40);
  s.Session.SetDrawsOffset(5);  // recalculates by itself
  EXPECT_EQ(s.Calculations, 4);
  EXPECT_EQ(s.Session.DrawStats().Table.LastIndex, 54);
  s.Session.SetSortedDraws(true);  // forced
  EXPECT_EQ(s.Calculations, 5);

  s.Session.DrawStats().Method = s.Session.StatList().FindByCode("EVEN");
  s.Session.RecalcViews(false);
  EXPECT_EQ(s.Session.DrawStats().Table.Rows[0].Cells[kDsValue], "1:3");

  s.Session.DrawStats().Method = -1;
  s.Session.CalcDrawStats(false);
  EXPECT_TRUE(s.Session.DrawStats().Table.Rows.empty());
  EXPECT_TRUE(s.Hooks.Messages.empty());
}

TEST(AppSessionStats, ComparisonTogglesSaveAtOnceAndBringTheNorm) {
  TStatsSession s;
  s.Session.CalcDrawStats(true);
  EXPECT_FALSE(s.Session.DrawStats().Table.HasNorm);
  s.Session.SetPrefetchsEnabled(true);
  EXPECT_TRUE(s.Frm().ReadBool("TFormMain", "PrefetchsEnabled", false));
  EXPECT_TRUE(FileExists(s.Dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc")));
  EXPECT_TRUE(FileExists(s.Dir.File("Prefetchs/Vetrilo_4d47_PRMV.dfc")));
  EXPECT_TRUE(s.Session.DrawStats().Table.HasNorm);
  EXPECT_FALSE(s.Session.DrawStats().Table.Chart.Full.empty());

  s.Session.SetShowTotalLine(false);
  EXPECT_FALSE(s.Frm().ReadBool("TFormMain", "ShowTotalLine", true));
  // Shown on entry, and again when the recalculation inside it ends.
  EXPECT_EQ(s.StatusCount("Создание графиков..."), 2u);
  EXPECT_EQ(s.Hooks.Statuses.back(), "");
  EXPECT_TRUE(s.Session.DrawStats().Table.Chart.Full.empty());
  EXPECT_FALSE(s.Session.DrawStats().Table.Chart.Actual.empty());

  s.Session.SetPrefetchsEnabled(false);
  EXPECT_FALSE(s.Session.DrawStats().Table.HasNorm);
  EXPECT_FALSE(s.Session.Busy());
}

TEST(AppSessionStats, AnUnusableCacheFolderGivesATableWithoutNorm) {
  TStatsSession s;
  WriteFile(s.Dir.File("Prefetchs"), "a file, not a folder");
  s.Session.SetPrefetchsEnabled(true);
  ASSERT_FALSE(s.Hooks.Messages.empty());
  EXPECT_EQ(s.Hooks.Messages[0].Text.rfind(
                "Ошибка создания файла данных для полного набора вариантов!", 0),
            0u);
  EXPECT_FALSE(s.Session.DrawStats().Table.HasNorm);
  EXPECT_EQ(s.Session.DrawStats().Table.Rows.size(), 47u);
  EXPECT_EQ(s.Session.DrawStats().Table.Rows[0].Cells[kDsNorm], "-");
  EXPECT_FALSE(s.Session.Busy());
  EXPECT_EQ(s.Hooks.Statuses.back(), "");
}

TEST(AppSessionStats, EmptyArchiveClearsTheTable) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir.Path()), hooks);
  session.LoadOptions();
  session.LoadArchive();
  session.RecalcViews(true);
  EXPECT_TRUE(session.DrawStats().Table.Rows.empty());
  EXPECT_EQ(std::count(hooks.Statuses.begin(), hooks.Statuses.end(), std::string(kCalcStatus)), 0);
}

}  // namespace vetrilo

namespace vetrilo {

// Changed settings of a group never leave a cache file made for the old ones:
// rebuilt while the comparison is on, deleted while it is off.
TEST(AppSessionStats, ChangedGroupsRebuildOrDropTheirCaches) {
  TStatsSession s;
  s.Session.SetPrefetchsEnabled(true);
  const std::string nums = s.Dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc");
  const std::string shr1 = s.Dir.File("Prefetchs/Vetrilo_4d47_SHR1.dfc");
  ASSERT_TRUE(FileExists(nums));
  ASSERT_TRUE(FileExists(shr1));
  TDistribution whole;  // passes the checks of a read cache, but is not the method's
  whole.Records.resize(1);
  whole.Records[0].Value[0] = 7;
  whole.Records[0].Count = kAllCombinations;
  whole.MinCount = whole.MaxCount = kAllCombinations;
  const std::string stale = SerializeDistribution(whole);
  WriteFile(shr1, stale);
  WriteFile(nums, stale);
  s.Session.SettingsGroupsChanged(GroupMask(12));
  EXPECT_NE(test::ReadFile(shr1), stale);  // rebuilt
  EXPECT_EQ(test::ReadFile(nums), stale);  // another group, left alone

  s.Session.SetPrefetchsEnabled(false);
  s.Session.SettingsGroupsChanged(GroupMask(12));
  EXPECT_FALSE(FileExists(shr1));
  EXPECT_TRUE(FileExists(nums));
  EXPECT_TRUE(s.Hooks.Messages.empty());
}

}  // namespace vetrilo
