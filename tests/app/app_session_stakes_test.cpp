#include <gtest/gtest.h>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "stakes/stake_test_support.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::MakeStake;
using test::ReadFile;
using test::Records;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TStakeSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  std::vector<uint32_t> Changes;

  TStakeSession() {
    WriteFile(Dir.File("Vetrilo_4d47.ini"),
              "[STAKES]\nCost=1\nProfits=1\nProfit_0_Overlap=2\nProfit_0_Profit=3\n");
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws(
                  {{1000, 1, 2, 3, 4, 1, "01/01/2020"}, {1001, 5, 6, 7, 8, 1, "01/04/2020"}})));
    Session.SetListener([this](uint32_t c) { Changes.push_back(c); });
  }
  void Start(std::string stakes) {
    WriteFile(Dir.File("Vetrilo_4d47.lsk"), stakes);
    Session.LoadOptions();
    ASSERT_EQ(Session.Initialize(TCommandLine{}), -1);
  }
};

}  // namespace

TEST(AppSessionStakes, StartChecksNothingButLoadsAndWarnsAboutADamagedFile) {
  TStakeSession t;
  t.Start(Records({MakeStake(1000, {1, 2, 10, 11})}) + "torn");
  ASSERT_EQ(t.Hooks.Messages.size(), 1u);
  EXPECT_EQ(t.Hooks.Messages[0].Kind, TMessageKind::Warning);
  EXPECT_EQ(t.Session.StakeBook().File.Count(), 1);
  EXPECT_TRUE(FileExists(t.Dir.File("Vetrilo_4d47.lsk.bad")));
  EXPECT_TRUE(t.Session.HasStakes());
  // A second copy in the same folder is refused.
  TRecordingHooks hooks;
  TAppSession second(TAppPaths::ForFolder(t.Dir.Path()), hooks);
  EXPECT_FALSE(second.AcquireDataLock());
}

TEST(AppSessionStakes, ADamagedRatingsFileIsKeptAsideBeforeTheStartRewritesIt) {
  TRatingRec sound;
  sound.Label = "sound";
  sound.Stakes = 2;
  sound.Hits = {1, 1, 0, 0, 0};
  std::string record(kRatingRecordSize, '\0');
  sound.ToBytes(reinterpret_cast<uint8_t*>(record.data()));
  std::string noise(700, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = char(0x80 + i % 97);
  struct TCase {
    std::string Bytes, Kept, Warning;
  };
  const TCase cases[] = {
      {record + "tail", record, "Последняя запись файла рейтинга"},
      {noise, "", "поврежден - рейтинг будет пуст"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Warning);
    TStakeSession t;
    WriteFile(t.Dir.File("Vetrilo_4d47.lrt"), c.Bytes);
    t.Start("");
    ASSERT_EQ(t.Hooks.Messages.size(), 1u);
    EXPECT_EQ(t.Hooks.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_NE(t.Hooks.Messages[0].Text.find(c.Warning), std::string::npos);
    EXPECT_NE(t.Hooks.Messages[0].Text.find(t.Dir.File("Vetrilo_4d47.lrt.bad")), std::string::npos);
    EXPECT_EQ(ReadFile(t.Dir.File("Vetrilo_4d47.lrt.bad")), c.Bytes);
    EXPECT_EQ(ReadFile(t.Dir.File("Vetrilo_4d47.lrt")), c.Kept);
    EXPECT_EQ(t.Session.StakeBook().Ratings.Count(), int(c.Kept.size() / kRatingRecordSize));
  }
}

TEST(AppSessionStakes, AddCheckRateDeleteAndClear) {
  TStakeSession t;
  t.Start("");
  TStakeRec rec = t.Session.NewManualStake(MakeComb(2, 1, 30, 40));
  EXPECT_EQ(rec.DrawNumber, 1002);
  EXPECT_EQ(rec.Comment, "Ставка \"вручную\"");
  EXPECT_EQ(rec.NumbersText(), "1;2;30;40");
  EXPECT_EQ(rec.Profit, -10000);
  EXPECT_EQ(rec.SampleSize, t.Session.Combs().Count());
  rec.DrawNumber = 1000;
  ASSERT_TRUE(t.Session.AddStake(rec, 2));  // 1000, separator, 1001
  EXPECT_TRUE(t.Session.TakeStakesScroll());
  const TStakeFile& file = t.Session.StakeBook().File;
  ASSERT_EQ(file.Count(), 3);
  EXPECT_EQ(file.Read(0, 0).Profit, 20000);  // 2 matches: 3 - 1
  EXPECT_EQ(file.Read(0, 2).MatchesCount, 0);
  ASSERT_EQ(t.Session.StakeBook().Ratings.Count(), 1);
  EXPECT_EQ(t.Session.StakeBook().Ratings.Item(0).Stakes, 2);
  EXPECT_EQ(t.Session.RatingLabels({0, 5}), (std::vector<std::string>{"Ставка \"вручную\""}));
  EXPECT_EQ(ReadFile(t.Dir.File("Vetrilo_4d47.lrt")).size(), 296u);

  // Bulk stakes scroll only with the option on.
  t.Session.SetStakesScrollEnabled(false);
  ASSERT_TRUE(t.Session.AddStakes({MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8)}, 1003, "multi", 1));
  EXPECT_FALSE(t.Session.TakeStakesScroll());
  EXPECT_EQ(file.Count(), 5);

  t.Hooks.Answer = false;
  EXPECT_FALSE(t.Session.DeleteStakeRows(2, 3));
  EXPECT_EQ(t.Hooks.Questions.back(),
            "Удалить все выделенные записи (всего будет удалено 2 записи(ей))?");
  EXPECT_TRUE(t.Hooks.DefaultNo.back());
  t.Hooks.Answer = true;
  EXPECT_TRUE(t.Session.DeleteStakeRows(2, 2));
  EXPECT_EQ(t.Hooks.Questions.back(), "Удалить выделенную запись?");
  EXPECT_EQ(file.Count(), 4);

  // Clearing offers the refresh, which empties the ratings.
  EXPECT_TRUE(t.Session.ClearStakes());
  EXPECT_EQ(file.Count(), 0);
  EXPECT_EQ(t.Hooks.Questions.back().rfind("Пересчитать рейтинг только по текущим ставкам?", 0),
            0u);
  // Both the clearing and the refresh it offers default to No.
  ASSERT_GE(t.Hooks.DefaultNo.size(), 2u);
  EXPECT_TRUE(t.Hooks.DefaultNo[t.Hooks.DefaultNo.size() - 2]);
  EXPECT_TRUE(t.Hooks.DefaultNo.back());
  EXPECT_EQ(t.Session.StakeBook().Ratings.Count(), 0);
  EXPECT_EQ(ReadFile(t.Dir.File("Vetrilo_4d47.lrt")), "");
  EXPECT_FALSE(t.Session.Busy());
}

TEST(AppSessionStakes, AStoredSortByAnEfficiencyColumnStartsAsTheDefault) {
  const struct {
    const char* Stored;
    int Column;
    bool Descending;
  } cases[] = {{"11,0", 3, true}, {"2,0", 2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored);
    TStakeSession t;
    WriteFile(t.Dir.File("Vetrilo_4d47.frm"),
              std::string("[TFormMain]\r\nlvRatings.SortType=") + c.Stored + "\r\n");
    t.Start("");
    EXPECT_EQ(t.Session.StakeBook().SortColumn, c.Column);
    EXPECT_EQ(t.Session.StakeBook().SortDescending, c.Descending);
  }
}

TEST(AppSessionStakes, OptionsAreSavedAtOnce) {
  TStakeSession t;
  t.Start("");
  t.Session.SetRatingsEffMode(2);
  t.Session.SetStakesLogEnabled(true);
  t.Session.SetRatingsSort(1, false);
  const std::string frm = ReadFile(t.Dir.File("Vetrilo_4d47.frm"));
  EXPECT_NE(frm.find("RatingsEffMode=2"), std::string::npos);
  EXPECT_NE(frm.find("StakesLogEnabled="), std::string::npos);
  EXPECT_EQ(t.Session.RatingsEffMode(), 2);
  t.Session.SortRatingsBy(1);
  EXPECT_TRUE(t.Session.StakeBook().SortDescending);
  t.Session.SortRatingsBy(4);
  EXPECT_FALSE(t.Session.StakeBook().SortDescending);
  // An efficiency column does not sort: the list keeps its sort.
  t.Session.SortRatingsBy(12);
  EXPECT_EQ(t.Session.StakeBook().SortColumn, 4);
  EXPECT_FALSE(t.Session.StakeBook().SortDescending);
  EXPECT_THROW(t.Session.ProfitChartData(), EVetrilo);
  EXPECT_FALSE(t.Session.Busy());
}

}  // namespace vetrilo
