// The stop request in the session's long operations: each ends without a message and
// without reporting success, and leaves the working state as it was or consistent.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/app_session.h"
#include "core/demo_archive.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::TStopHooks;
using test::TTempDir;

namespace {

struct TStopSession {
  TTempDir Dir;
  TStopHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};

  TStopSession() {
    SaveFileAtomic(Session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(60, 5)));
    Session.LoadOptions();
    Session.LoadArchive();
    Session.GenerateDefaultCombs();
    // A step before, so there is an undo copy and a journal row to keep.
    Session.Combs().DeleteRows({{0, 99}});
  }
  const TStatMethod& Method(const std::string& code) {
    return Session.StatList().Item(Session.StatList().FindByCode(code));
  }
  std::vector<std::string> CacheFiles() const {
    std::vector<std::string> files;
    const std::string dir = Session.PrefetchPlace().Dir;
    if (!std::filesystem::is_directory(dir)) return files;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
      files.push_back(e.path().filename().string());
    }
    return files;
  }
};

// What the combination workspace holds, to compare before and after.
struct TCombsState {
  TCombsArray List, Undo;
  std::vector<std::string> Journal;

  explicit TCombsState(const TCombWorkspace& w) : List(w.Combs()), Undo(w.UndoCombs()) {
    for (const TJournalRow& r : w.Journal()) {
      Journal.push_back(r.Caption + "|" + r.Values + "|" + std::to_string(r.Count));
    }
  }
  bool operator==(const TCombsState&) const = default;
};

bool FilterSeven(TStopSession& s, bool keep) {
  TStatDrawRec seven;
  seven.SetWords(7);
  return s.Session.FilterCombsByTable(s.Method("NUMS"), std::span(&seven, 1), {"7"},
                                      "{ num } Числа", keep);
}

bool ExcludeThreeDraws(TStopSession& s) {
  // As the combination page runs it; the action catches the stop.
  try {
    TBusyGuard busy(s.Session, "");
    s.Session.Combs().ExcludeDraws(3, s.Session.LastIndex());
    return true;
  } catch (const EStopped&) {
    return false;
  }
}

struct TStopCase {
  const char* Name;
  int AfterPolls;        // stop from this poll on (-1: by status)
  const char* AtStatus;  // or at the AtStatusCount-th status beginning so
  int AtStatusCount;
  std::function<void(TStopSession&)> Prepare;
  std::function<bool(TStopSession&)> Run;           // true: reported done
  std::function<void(TStopSession&)> CheckStopped;  // beyond the untouched combinations
  std::function<void(TStopSession&)> CheckDone;     // the same run without a stop
};

void NoPrepare(TStopSession&) {}

}  // namespace

TEST(AppSessionStop, EveryLongOperationEndsQuietlyAndLeavesItsStateConsistent) {
  const std::string dfcStatus = "Создание файла предварительной выборки ";
  const TStopCase cases[] = {
      {"filter by the table, first slice", 0, "", 0, NoPrepare,
       [](TStopSession& s) { return FilterSeven(s, true); }, NoPrepare,
       [](TStopSession& s) { EXPECT_EQ(s.Session.Combs().Journal().size(), 2u); }},
      {"filter by the table, midway", 20, "", 0, NoPrepare,
       [](TStopSession& s) { return FilterSeven(s, false); }, NoPrepare,
       [](TStopSession& s) { EXPECT_EQ(s.Session.Combs().Journal().size(), 2u); }},
      {"filter by a grid", 7, "", 0, NoPrepare,
       [](TStopSession& s) {
         TGridValues values;
         values.AddNumber(7);
         values.AddNumber(8);
         return s.Session.FilterCombsByGrid(values, kCardFilterCaption, true);
       },
       NoPrepare,
       [](TStopSession& s) { EXPECT_EQ(s.Session.Combs().Journal().back().Values, "7; 8"); }},
      {"excluding draws", -1, "Удаление из списка комбинаций 3 последних тиражей ( завершено 40", 1,
       NoPrepare, ExcludeThreeDraws, NoPrepare,
       [](TStopSession& s) { EXPECT_EQ(s.Session.Combs().Count(), 178365 - 100 - 3); }},
      {"the table building its cache file", 1, "", 0,
       [](TStopSession& s) { s.Session.Options().PrefetchsEnabled = true; },
       [](TStopSession& s) { return s.Session.CalcDrawStats(true); },
       [](TStopSession& s) {
         EXPECT_TRUE(s.CacheFiles().empty());
         EXPECT_TRUE(s.Session.DrawStats().Table.Rows.empty());
       },
       [](TStopSession& s) {
         EXPECT_EQ(s.CacheFiles(), std::vector<std::string>{"Vetrilo_4d47_NUMS.dfc"});
         EXPECT_TRUE(s.Session.DrawStats().Table.HasNorm);
       }},
      {"the \"Факт\" search", 10, "", 0, [](TStopSession& s) { s.Session.SetDrawsOffset(20); },
       [](TStopSession& s) { return s.Session.CalcDrawStats(true); },
       [](TStopSession& s) {
         const TDrawStatsTable& t = s.Session.DrawStats().Table;
         EXPECT_TRUE(t.FactsStopped);
         ASSERT_EQ(t.Rows.size(), 47u);
         for (const TDrawStatsRow& row : t.Rows) {
           EXPECT_EQ(row.Cells[kDsFact], row.Rec.Ago == 0 ? "-" : "") << row.Cells[kDsValue];
           EXPECT_NE(row.Cells[kDsCount], "");
         }
       },
       [](TStopSession& s) {
         const TDrawStatsTable& t = s.Session.DrawStats().Table;
         EXPECT_FALSE(t.FactsStopped);
         for (const TDrawStatsRow& row : t.Rows) EXPECT_NE(row.Cells[kDsFact], "");
       }},
      {"refreshing the cache files", -1, dfcStatus.c_str(), 2, NoPrepare,
       [](TStopSession& s) { return s.Session.RefreshDistributions(true, 0); },
       [](TStopSession& s) { EXPECT_EQ(s.CacheFiles().size(), 2u); }, nullptr},
  };
  for (const TStopCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TStopSession s;
    c.Prepare(s);
    const TCombsState before(s.Session.Combs());
    const size_t statuses = s.Hooks.Statuses.size();
    s.Hooks.AfterPolls = c.AfterPolls;
    s.Hooks.AtStatus = c.AtStatus;
    s.Hooks.AtStatusCount = c.AtStatusCount;
    EXPECT_FALSE(c.Run(s));
    EXPECT_TRUE(s.Hooks.Stop);  // it was the stop that ended it
    EXPECT_TRUE(s.Hooks.Messages.empty());
    EXPECT_FALSE(s.Session.Busy());
    EXPECT_GT(s.Hooks.Statuses.size(), statuses);
    EXPECT_EQ(s.Hooks.Statuses.back(), "");
    EXPECT_TRUE(TCombsState(s.Session.Combs()) == before);
    c.CheckStopped(s);
    if (!c.CheckDone) continue;
    // The request lasts one operation: the next one runs to its end.
    s.Hooks.AfterPolls = -1;
    s.Hooks.AtStatus.clear();
    EXPECT_TRUE(c.Run(s));
    EXPECT_FALSE(s.Hooks.Stop);
    EXPECT_TRUE(s.Hooks.Messages.empty());
    c.CheckDone(s);
  }
}

TEST(AppSessionStop, TheRequestIsClearedWhenTheNextOperationStarts) {
  TStopSession s;
  s.Hooks.Stop = true;  // left over from an operation that had ended already
  const int clears = s.Hooks.StopClears;
  EXPECT_TRUE(FilterSeven(s, true));
  EXPECT_EQ(s.Hooks.StopClears, clears + 1);  // once, by the outermost busy state
  EXPECT_EQ(s.Session.Combs().Journal().size(), 2u);
}

TEST(AppSessionStop, AStoppedCacheRebuildJobEndsWithAFailureStatus) {
  TStopSession s;
  s.Hooks.AtStatus = "Создание файла предварительной выборки ";
  s.Hooks.AtStatusCount = 1;
  TCommandLine commandLine;
  commandLine.FullRecreate = true;
  EXPECT_EQ(s.Session.Initialize(commandLine), 1);
  EXPECT_TRUE(s.Hooks.Messages.empty());
  EXPECT_EQ(s.CacheFiles().size(), 1u);
}

}  // namespace vetrilo
