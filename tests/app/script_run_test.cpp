#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/app_session.h"
#include "core/cp1251.h"
#include "core/demo_archive.h"
#include "core/file_io.h"
#include "core/text.h"
#include "scripts/filter_variants.h"
#include "scripts/script_log.h"
#include "test_support.h"
#include "workspace/comb_generate.h"

namespace vetrilo {
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

// The stakes of a run as they arrive; a separator has draw number -1.
struct TRecordedStakes : TRunStakeStore {
  std::vector<TRunStake> Records;
  int Empties = 0;
  int Checks = 0;
  std::function<void()> OnCheck;

  bool LastIsStake() override { return !Records.empty() && Records.back().DrawNumber > 0; }
  void AppendSeparator() override { Records.push_back({-1, 0, 0, ""}); }
  bool Has(int32_t draw, TComb comb) override {
    return std::any_of(Records.begin(), Records.end(),
                       [&](const TRunStake& s) { return s.DrawNumber == draw && s.Comb == comb; });
  }
  void Append(const TRunStake& stake, bool) override { Records.push_back(stake); }
  void Empty() override {
    Records.clear();
    ++Empties;
  }
  void Check() override {
    ++Checks;
    if (OnCheck) OnCheck();
  }
  // "draw numbers sample" per record, "-" for a separator.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const TRunStake& s : Records) {
      texts.push_back(s.DrawNumber < 0 ? "-"
                                       : std::to_string(s.DrawNumber) + " " + CombListText(s.Comb) +
                                             " " + std::to_string(s.SampleSize));
    }
    return texts;
  }
};

struct TRun {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};
  TRecordedStakes Stakes;

  explicit TRun(int draws = 80) {
    WriteFile(Session.Paths().ArchiveFile(), SerializeDrawRecords(MakeDemoDraws(draws, 11)));
    Session.LoadOptions();
    EXPECT_TRUE(Session.LoadArchive());
    Session.Combs().GenerateCombs(kGenerateFull, "", true);
    Hooks.Messages.clear();
  }
  void Script(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) Session.AddScriptLine(line);
  }
  TRunEnd Run(int testDraws = 0, uint64_t seed = 1) {
    return Session.RunScript(testDraws, seed, &Stakes);
  }
  int32_t Next(int offset) const { return Session.Archive().NextDrawNumber(offset); }
  std::string Stake(int offset, const std::string& numbers, int sample) const {
    return std::to_string(Next(offset)) + " " + numbers + " " + std::to_string(sample);
  }
  std::vector<TJournalKind> JournalKinds() const {
    std::vector<TJournalKind> kinds;
    for (const TJournalRow& row : Session.Combs().Journal()) kinds.push_back(row.Kind);
    return kinds;
  }
};

}  // namespace

TEST(ScriptRun, EveryVariantOfALineMakesItsStakeWithItsLabel) {
  TRun r;
  const std::string line =
      "FULL:0#FIRST|TSD1#NUMS:100-300;100#LMV:1,2#SF:1|TSF1#SUMS:500,1000#LDV:1,2,3#SF:1"
      "| | | | | |Проба";
  r.Script({line});
  ASSERT_EQ(r.Run(), TRunEnd::Completed);
  const TScriptLine parsed = ParseScriptLine(line, r.Session.StatList());
  const TVariantPlan plan(parsed.AssignedFilters());
  ASSERT_EQ(plan.Count(), 12);
  ASSERT_EQ(r.Stakes.Records.size(), 12u);
  for (int k = 1; k <= 12; ++k) {
    SCOPED_TRACE(k);
    const TFilterRec variant = plan.Variant(k - 1);
    const TRunStake& stake = r.Stakes.Records[size_t(k - 1)];
    EXPECT_EQ(stake.Comment,
              VariantLabel(1, k, "Проба", VariantFilterText(parsed.Options, &variant)));
    EXPECT_EQ(stake.DrawNumber, r.Next(0));
    EXPECT_EQ(stake.Comb, SortComb(stake.Comb));
  }
  EXPECT_TRUE(r.Stakes.Records[0].Comment.starts_with("01.001: Проба @ FULL#FIRST + "));
  EXPECT_EQ(r.Stakes.Checks, 12);  // after each variant
  EXPECT_FALSE(r.Session.ScriptRunning());
  EXPECT_EQ(r.Session.ScriptRun().Activity, "Сценарий завершен!");
}

TEST(ScriptRun, FiltersSelectRowsByTheirRules) {
  // NUMS over 100 draws: "LVA:1" is the row of number 1; a keep leaves the
  // 15,180 combinations holding 1, a removal the other 163,185; "CURR" goes on
  // from the list the line before left ("NONE" makes no stake).
  struct TCase {
    const char* Filter;
    const char* Stake;
    int Sample;
    std::vector<TJournalKind> Journal;
  };
  using K = TJournalKind;
  const TCase cases[] = {
      {"TMF1#NUMS:100#LVA:1#SF:1", "1;2;3;4", 15180, {K::Include}},
      {"TSD1#NUMS:100#LVA:1#SF:1", "2;3;4;5", 163185, {K::Exclude}},
      // Single keeps down to one combination, then every further step empties the
      // list and is undone: "SZ" stops at the first, "SF" goes through all 43.
      {"TSF1#NUMS:100#LNO:#SZ:1",
       "",
       1,
       {K::Include, K::Include, K::Include, K::Include, K::Include, K::Undo}},
      {"TSF1#NUMS:100#LNO:#ST:2", "", 990, {K::Include, K::Include}},
      // "SV"/"SP" top-down end the walk at a row whose count (count %) is at most the
      // value: at once with a large value (nothing selected, no step), never with 0.
      {"TMF1#NUMS:100#LNO:#SV:1000", "1;2;3;4", 178365, {}},
      {"TMF1#NUMS:100#LNO:#SP:100", "1;2;3;4", 178365, {}},
      {"TMF1#NUMS:100#LNO:#SV:0", "1;2;3;4", 178365, {K::Include}},
      // "SC": no step once the list holds at most that many.
      {"TSF1#NUMS:100#LNO:#SC:1000", "", 990, {K::Include, K::Include}},
      // Multi with "ST:2" selects the first two rows: one step keeps either number.
      {"TMF1#NUMS:100#LNO:#ST:2", "", 29370, {K::Include}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Filter);
    TRun r;
    r.Script(
        {std::string("FULL:0#NONE|") + c.Filter + "| | | | | |", "CURR:0#FIRST| | | | | | | |"});
    ASSERT_EQ(r.Run(), TRunEnd::Completed)
        << (r.Hooks.Messages.empty() ? "" : r.Hooks.Messages[0].Text);
    ASSERT_EQ(r.Stakes.Records.size(), 1u);
    EXPECT_EQ(r.Stakes.Records[0].SampleSize, c.Sample);
    if (*c.Stake) {
      EXPECT_EQ(CombListText(r.Stakes.Records[0].Comb), c.Stake);
    }
    EXPECT_EQ(r.JournalKinds(), c.Journal);
  }
  TRun all;
  all.Script({"FULL:0#NONE|TSF1#NUMS:100#LNO:#SF:1| | | | | |"});
  ASSERT_EQ(all.Run(), TRunEnd::Completed);
  EXPECT_EQ(all.Session.Combs().Count(), 1);
  EXPECT_EQ(all.Session.Combs().Journal().size(), 4u + 2 * 43);
}

TEST(ScriptRun, StakeModesOfAListOfSeveral) {
  struct TCase {
    const char* Mode;
    TRunEnd End;
    std::vector<std::string> Stakes;  // numbers
  };
  const TCase cases[] = {
      {"FIRST", TRunEnd::Completed, {"1;2;3;4"}},
      {"LAST", TRunEnd::Completed, {"2;3;4;5"}},
      {"ALL", TRunEnd::Completed, {"1;2;3;4", "1;2;3;5", "1;2;4;5", "1;3;4;5", "2;3;4;5"}},
      {"NONE", TRunEnd::Completed, {}},
      {"SKIP", TRunEnd::Completed, {}},
      {"STOP", TRunEnd::StopLine, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mode);
    TRun r;
    r.Session.Combs().GenerateCombs(kGenerateOnlyOf, "1;2;3;4;5", true);
    // The second line is never reached after "STOP".
    r.Script({std::string("CURR:0#") + c.Mode + "| | | | | | | |", "CURR:0#FIRST| | | | | | | |"});
    EXPECT_EQ(r.Run(), c.End);
    std::vector<std::string> got;
    for (const TRunStake& s : r.Stakes.Records) got.push_back(CombListText(s.Comb));
    std::vector<std::string> expected = c.Stakes;
    if (c.End == TRunEnd::Completed) expected.push_back("1;2;3;4");
    EXPECT_EQ(got, expected);
  }
  TRun stop;
  stop.Session.Combs().GenerateCombs(kGenerateOnlyOf, "1;2;3;4;5", true);
  stop.Script({"CURR:0#STOP| | | | | | | |x"});
  EXPECT_EQ(stop.Run(), TRunEnd::StopLine);
  ASSERT_EQ(stop.Hooks.Messages.size(), 1u);
  EXPECT_EQ(stop.Hooks.Messages[0].Kind, TMessageKind::Warning);
  EXPECT_EQ(stop.Hooks.Messages[0].Text,
            "Выполнение сценария прервано, т.к. после применения всех фильтров в списке "
            "комбинаций их осталось более одной: 5!\r\rФильтры: 01.000: x @ CURR#STOP");
}

TEST(ScriptRun, ALineOfManyVariantsKeepsABoundedJournal) {
  // Each variant walks the 47 rows of NUMS one step at a time over the 210
  // combinations of ten numbers; every step writes a journal row.
  const auto run = [](const std::string& depths) {
    auto r = std::make_unique<TRun>();
    r->Session.StatList().CombsGenerateMode = kGenerateOnlyOf;
    r->Session.StatList().CombsGenerateParameters = "1;2;3;4;5;6;7;8;9;10";
    r->Script({"FULL:0#NONE|TSF1#NUMS:" + depths + "#LNO:#SF:1| | | | | |"});
    EXPECT_EQ(r->Run(), TRunEnd::Completed);
    return r;
  };
  const size_t variants = 300;
  // The last variant alone: its list starts anew, so its rows do not depend on the others.
  const auto last = run(std::to_string(variants));
  const std::vector<TJournalRow>& rows = last->Session.Combs().Journal();
  ASSERT_GE(rows.size(), 47u);
  ASSERT_GT(variants * rows.size(), TCombWorkspace::kMaxJournalRows);

  const auto many = run("1-" + std::to_string(variants) + ";1");
  const std::vector<TJournalRow>& kept = many->Session.Combs().Journal();
  EXPECT_LE(kept.size(), TCombWorkspace::kMaxJournalRows);
  // The newest rows stay.
  ASSERT_GE(kept.size(), rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    const TJournalRow& got = kept[kept.size() - rows.size() + i];
    EXPECT_EQ(got.Caption, rows[i].Caption);
    EXPECT_EQ(got.Values, rows[i].Values);
    EXPECT_EQ(got.Count, rows[i].Count);
    EXPECT_EQ(got.Kind, rows[i].Kind);
  }
}

TEST(ScriptRun, OneCombinationIsStakedWhateverTheModeAndNewOnlySkipsRepeats) {
  TRun r;
  r.Session.Combs().GenerateCombs(kGenerateOnlyOf, "7;8;9;10", true);
  r.Script({"CURR:0#STOP| | | | | | | |", "CURR:0#SKIP#NEX| | | | | | | |",
            "CURR:0#FIRST| | | | | | | |"});
  EXPECT_EQ(r.Run(), TRunEnd::Completed);
  EXPECT_EQ(r.Stakes.Texts(),
            (std::vector<std::string>{r.Stake(0, "7;8;9;10", 1), r.Stake(0, "7;8;9;10", 1)}));
}

TEST(ScriptRun, SystemModesStakeTheStoredSystemInTheListsNumbers) {
  struct TCase {
    const char* Mode;
    std::vector<std::string> Stakes;
  };
  const TCase cases[] = {
      {"SYSA", {"1;2;3;4", "1;3;5;6", "3;4;5;6"}},
      {"SYSC", {"1;2;3;4", "3;4;5;6"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mode);
    TRun r;
    std::filesystem::create_directory(r.Dir.File("Systems"));
    WriteFile(r.Dir.File("Systems/4-06-0_0001.dat"),
              "01 02 03 04\r\n01 03 05 06\r\n03 04 05 06\r\n");
    r.Session.PasteCombs("01 02 03 04\r\n01 02 05 06\r\n03 04 05 06\r\n");
    r.Script({std::string("CURR:0#") + c.Mode + "| | | | | | | |"});
    EXPECT_EQ(r.Run(), TRunEnd::Completed);
    std::vector<std::string> got;
    for (const TRunStake& s : r.Stakes.Records) {
      got.push_back(CombListText(s.Comb));
      EXPECT_EQ(s.SampleSize, 3);
    }
    EXPECT_EQ(got, c.Stakes);
  }
  // Without a system for the count the lookup's message is shown, no stake is
  // made and the run goes on.
  TRun none;
  none.Session.PasteCombs("01 02 03 04\r\n05 06 07 08\r\n");
  none.Script({"CURR:0#SYSA| | | | | | | |", "CURR:0#FIRST| | | | | | | |"});
  EXPECT_EQ(none.Run(), TRunEnd::Completed);
  EXPECT_EQ(none.Stakes.Records.size(), 1u);
  ASSERT_EQ(none.Hooks.Messages.size(), 1u);
  EXPECT_TRUE(none.Hooks.Messages[0].Text.starts_with(
      "Система для 8 чисел не найдена или не загружена на компьютер!\r\rПеред системной игрой"));
}

TEST(ScriptRun, ExcludedDrawsLeaveTheStartListOnceAPass) {
  TRun r;
  r.Script({"EXCL:2#FIRST| | | | | | | |", "EXCL:2#LAST| | | | | | | |"});
  EXPECT_EQ(r.Run(), TRunEnd::Completed);
  ASSERT_EQ(r.Stakes.Records.size(), 2u);
  // The demo's two newest draws are two different combinations.
  EXPECT_EQ(r.Stakes.Records[0].SampleSize, 178363);
  EXPECT_EQ(r.Stakes.Records[1].SampleSize, 178363);
}

TEST(ScriptRun, RandomChoicesFollowTheSeed) {
  auto stakes = [](uint64_t seed) {
    TRun r;
    r.Session.Combs().GenerateCombs(kGenerateOnlyOf, "1;2;3;4;5;6;7;8;9;10", true);
    r.Script(
        {"CURR:0#RAND| | | | | | | |", "CURR:0#RAND| | | | | | | |", "CURR:0#RAND| | | | | | | |"});
    r.Run(0, seed);
    return r.Stakes.Texts();
  };
  EXPECT_EQ(stakes(42), stakes(42));
  EXPECT_NE(stakes(42), stakes(43));
  std::mt19937_64 generator(5);
  for (int i = 0; i < 1000; ++i) EXPECT_LT(TScriptRunner::UniformIndex(generator, 7), 7u);
}

TEST(ScriptRun, ATestRunsEachOffsetAsAPassOfItsOwn) {
  TRun r;
  r.Session.SetDrawsOffset(5);
  r.Script({"FULL:0#FIRST| | | | | | | |"});
  EXPECT_EQ(r.Run(3), TRunEnd::Completed);
  EXPECT_EQ(r.Stakes.Texts(), (std::vector<std::string>{r.Stake(3, "1;2;3;4", 178365), "-",
                                                        r.Stake(2, "1;2;3;4", 178365), "-",
                                                        r.Stake(1, "1;2;3;4", 178365)}));
  EXPECT_EQ(r.Stakes.Records[0].Comment, "01.000: @ FULL#FIRST");
  EXPECT_EQ(r.Session.DrawsOffset(), 5);  // back where it was
  EXPECT_EQ(r.Stakes.Checks, 3);

  // Without the check after each line: one check per pass.
  TRun perPass;
  perPass.Session.SetStakesCheckOnLine(false);
  perPass.Script({"FULL:0#FIRST| | | | | | | |", "FULL:0#LAST| | | | | | | |"});
  EXPECT_EQ(perPass.Run(2), TRunEnd::Completed);
  EXPECT_EQ(perPass.Stakes.Records.size(), 5u);
  EXPECT_EQ(perPass.Stakes.Checks, 2);
}

TEST(ScriptRun, AStopEndsTheRunWhereItIs) {
  TRun r;
  r.Stakes.OnCheck = [&] { r.Hooks.Stop = true; };
  r.Script({"FULL:0#FIRST| | | | | | | |", "FULL:0#LAST| | | | | | | |"});
  EXPECT_EQ(r.Run(4), TRunEnd::Stopped);
  EXPECT_EQ(r.Stakes.Texts(), (std::vector<std::string>{r.Stake(4, "1;2;3;4", 178365)}));
  EXPECT_EQ(r.Session.DrawsOffset(), 4);  // a stopped test stays at its offset
  EXPECT_FALSE(r.Session.ScriptRunning());
  EXPECT_TRUE(r.Hooks.Messages.empty());
}

TEST(ScriptRun, StopAsksFirst) {
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    TRun r;
    r.Hooks.Answer = yes;
    r.Stakes.OnCheck = [&] { r.Session.RequestScriptStop(); };
    r.Script({"FULL:0#FIRST| | | | | | | |", "FULL:0#LAST| | | | | | | |"});
    EXPECT_EQ(r.Run(), yes ? TRunEnd::Stopped : TRunEnd::Completed);
    EXPECT_EQ(r.Stakes.Records.size(), yes ? 1u : 2u);
    EXPECT_EQ(r.Hooks.Questions.front(), "Остановить выполнение сценария?");
    EXPECT_TRUE(r.Hooks.DefaultNo.front());
  }
  TRun idle;
  idle.Session.RequestScriptStop();  // no run: nothing to ask
  EXPECT_TRUE(idle.Hooks.Questions.empty());
}

TEST(ScriptRun, AnErrorInALineEndsTheRunWithItsMessage) {
  TRun r;
  r.Script({"FULL:0#FIRST|TSD1#ZZZZ:100#LNO:#SF:1| | | | | |", "FULL:0#FIRST| | | | | | | |"});
  EXPECT_EQ(r.Run(), TRunEnd::Error);
  ASSERT_EQ(r.Hooks.Messages.size(), 1u);
  EXPECT_EQ(r.Hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(r.Hooks.Messages[0].Text,
            "Метод расчета статистики \"ZZZZ\" на найден!\r\r\rВозможно, Вы отключили "
            "данных метод расчета либо использовали сценарий от другой модификации программы.");
  EXPECT_TRUE(r.Stakes.Records.empty());
  EXPECT_EQ(r.Stakes.Checks, 1);  // the line ended early, its stakes are still checked

  TRun bad;
  bad.Script({"FULL:0#FIRST|TSD1#NUMS:abc#LNO:#SF:1| | | | | |"});
  EXPECT_EQ(bad.Run(), TRunEnd::Error);
  ASSERT_EQ(bad.Hooks.Messages.size(), 1u);
  EXPECT_EQ(bad.Hooks.Messages[0].Text, "Некорректное описание фильтра: TSD1#NUMS:abc#LNO:#SF:1!");
}

TEST(ScriptRun, ClearedStakesStillReachTheRatings) {
  TRun r;
  ASSERT_TRUE(r.Session.AcquireDataLock());
  r.Script({"FULL:0#RAND#CLR| | | | | | | |"});
  EXPECT_EQ(r.Session.RunScript(5, 9), TRunEnd::Completed);
  // The stake file holds the last pass's stake, the rating all five.
  const TStakeFile& file = r.Session.StakeBook().File;
  ASSERT_EQ(file.Count(), 1);
  EXPECT_EQ(file.Read(0, 0).DrawNumber, r.Next(1));
  EXPECT_TRUE(file.Read(0, 0).IsChecked());
  EXPECT_EQ(file.Read(0, 0).Kind, kStakeScript);
  ASSERT_EQ(r.Session.StakeBook().Ratings.Count(), 1);
  EXPECT_EQ(r.Session.StakeBook().Ratings.Item(0).Label, "01.000: @ FULL#RAND");
  EXPECT_EQ(r.Session.StakeBook().Ratings.Item(0).Stakes, 5);
}

TEST(ScriptRun, TheRunLogHasAStampedLinePerEntry) {
  TRun r;
  r.Session.SetScriptLogEnabled(true);
  r.Script({"FULL:0#FIRST| | | | | | | |"});
  EXPECT_EQ(r.Run(), TRunEnd::Completed);
  const std::string path = r.Session.TakeFinishedScriptLog();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(ExtractFileName(path).starts_with("ScriptLog_"));
  const std::vector<std::string> lines = SplitLines(Cp1251ToUtf8(ReadFile(path)));
  ASSERT_GT(lines.size(), 5u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.size() >= 23 ? line.substr(0, 1) + line.substr(20, 3) : line, "[]: ");
  }
  EXPECT_EQ(lines.front().substr(23), "### ЗАПУСК СЦЕНАРИЯ " + std::string(74, '#'));
  EXPECT_EQ(lines.back().substr(23), "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ " + std::string(70, '#'));
  EXPECT_NE(ReadFile(path).find("\r\n"), std::string::npos);

  r.Session.DeleteScriptLogs();
  EXPECT_FALSE(FileExists(path));
  r.Hooks.Messages.clear();
  r.Session.DeleteScriptLogs();
  ASSERT_EQ(r.Hooks.Messages.size(), 1u);
  EXPECT_EQ(r.Hooks.Messages[0].Text, "Файлы журналов не найдены!");
}

TEST(ScriptRun, AFailedLogWriteIsShownAndTheLogGoesOn) {
  TTempDir dir;
  WriteFile(dir.File("file"), "");
  std::vector<std::string> errors;
  TScriptLog log(
      dir.File("file"), [&](const std::string& e) { errors.push_back(e); },
      [] { return std::time_t(1709324107); });
  log.Start();
  log.Write("a");
  log.Write("b");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_TRUE(errors[0].starts_with("Ошибка записи журнала: ")) << errors[0];
  EXPECT_EQ(TScriptLog::FileNameFor(std::time_t(0)).size(),
            std::string("ScriptLog_2024-03-01-20-15-07.txt").size());
}

}  // namespace vetrilo
