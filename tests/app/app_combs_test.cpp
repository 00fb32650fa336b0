// The session's combination list: start-up list and the filter steps other tabs call.
#include <gtest/gtest.h>

#include "app/app_session.h"
#include "core/combinatorics.h"
#include "core/ini_file.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;

namespace {

struct TSessionFixture {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  std::vector<uint32_t> Changes;

  explicit TSessionFixture(const std::string& mode = "", const std::string& params = "") {
    if (!mode.empty()) {
      TIniFile ini(Session.Paths().IniFile());
      ini.WriteString("GLOBAL", "CombsGenerateMode", mode);
      ini.WriteString("GLOBAL", "CombsGenerateParameters", params);
    }
    Session.LoadOptions();
    Session.SetListener([this](uint32_t c) { Changes.push_back(c); });
  }
  const TStatMethod& Method(const std::string& code) {
    return Session.StatList().Item(Session.StatList().FindByCode(code));
  }
  TStatDrawRec Value(int n) {
    TStatDrawRec r;
    r.SetWords(n);
    return r;
  }
};

}  // namespace

TEST(AppCombs, StartUpListFollowsTheStoredDefaults) {
  TSessionFixture f("1", "1;2");
  EXPECT_EQ(f.Session.Combs().Count(), 0);
  EXPECT_TRUE(f.Session.GenerateDefaultCombs());
  EXPECT_EQ(f.Session.Combs().Count(), 29370);
  EXPECT_FALSE(f.Session.Busy());
  EXPECT_NE(std::find(f.Changes.begin(), f.Changes.end(), uint32_t(kChangeCombs)), f.Changes.end());
  EXPECT_EQ(f.Hooks.Statuses.back(), "");

  TSessionFixture missing("4", "no-such-file.lcv");
  EXPECT_FALSE(missing.Session.GenerateDefaultCombs());
  ASSERT_EQ(missing.Hooks.Messages.size(), 1u);
  EXPECT_EQ(missing.Hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(missing.Hooks.Messages[0].Text.rfind("Ошибка генерации файла комбинаций!\r\r", 0), 0u);
  EXPECT_FALSE(missing.Session.Busy());
}

TEST(AppCombs, TableRowsKeepOrRemoveAndWriteTheJournal) {
  TSessionFixture f;
  ASSERT_TRUE(f.Session.GenerateDefaultCombs());
  const std::string caption = f.Session.StatList().MethodCaption(0, true);
  const std::vector<TStatDrawRec> seven = {f.Value(7)};
  EXPECT_TRUE(f.Session.FilterCombsByTable(f.Method("NUMS"), seven, {"7"}, caption, true));
  EXPECT_EQ(f.Session.Combs().Count(), 15180);
  ASSERT_EQ(f.Session.Combs().Journal().size(), 1u);
  EXPECT_EQ(f.Session.Combs().Journal()[0].Caption, caption);
  EXPECT_EQ(f.Session.Combs().Journal()[0].Values, "7");
  EXPECT_EQ(f.Session.Combs().Journal()[0].Kind, TJournalKind::Include);
  EXPECT_FALSE(f.Session.Busy());
  EXPECT_NE(std::find(f.Hooks.Statuses.begin(), f.Hooks.Statuses.end(), "Фильтрация комбинаций..."),
            f.Hooks.Statuses.end());

  f.Session.Combs().Undo();
  const std::vector<TStatDrawRec> two = {f.Value(7), f.Value(8)};
  EXPECT_TRUE(f.Session.FilterCombsByTable(f.Method("NUMS"), two, {"7", "8"}, caption, false));
  EXPECT_EQ(f.Session.Combs().Count(), Binomial(45, 4));
  EXPECT_EQ(f.Session.Combs().Journal()[0].Values, "7; 8");
  EXPECT_EQ(f.Session.Combs().Journal()[0].Kind, TJournalKind::Exclude);
  EXPECT_TRUE(f.Hooks.Messages.empty());
}

TEST(AppCombs, GridStepsAndTheColourOption) {
  TSessionFixture f;
  ASSERT_TRUE(f.Session.GenerateDefaultCombs());
  EXPECT_FALSE(f.Session.FilterCombsByGrid(TGridValues(), kCardFilterCaption, true));
  ASSERT_EQ(f.Hooks.Messages.size(), 1u);
  EXPECT_EQ(f.Hooks.Messages[0].Text, "В выделенном диапазоне нет значений для фильтра!");
  EXPECT_EQ(f.Session.Combs().Count(), 178365);
  EXPECT_FALSE(f.Session.Busy());

  TGridValues week;
  week.AddNumber(5);
  EXPECT_TRUE(f.Session.FilterCombsByGrid(week, kWeekFilterCaption, false));
  EXPECT_EQ(f.Session.Combs().Count(), 163185);
  EXPECT_EQ(f.Session.Combs().Journal()[0].Caption, "Неделя");

  EXPECT_TRUE(f.Session.ColorCombs());
  f.Session.SetColorCombs(false);
  EXPECT_FALSE(TIniFile(f.Session.Paths().FrmFile()).ReadBool("TFormMain", "ColorCombs", true));
  TRecordingHooks hooks;
  TAppSession again(TAppPaths::ForFolder(f.Dir.Path()), hooks);
  again.LoadOptions();
  EXPECT_FALSE(again.ColorCombs());
}

}  // namespace vetrilo
