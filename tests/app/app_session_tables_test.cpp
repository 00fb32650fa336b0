#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "stakes/system_store.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

using TFour = std::array<uint8_t, 4>;

struct TTablesSession {
  TTempDir Dir;
  TRecordingHooks Hooks;
  TAppSession Session{TAppPaths::ForFolder(Dir.Path()), Hooks};

  TTablesSession() {
    WriteFile(Dir.File("Vetrilo_4d47.ini"),
              "[STAKES]\nCost=1\nProfits=1\nProfit_0_Overlap=2\nProfit_0_Profit=3\n");
    WriteFile(Dir.File("Vetrilo_4d47.ldr"),
              SerializeDrawRecords(MakeDraws({{1000, 1, 2, 3, 4, 1, "01/01/2020"},
                                              {1001, 5, 6, 7, 8, 1, "01/04/2020"},
                                              {1002, 9, 10, 11, 12, 1, "01/08/2020"}})));
  }
  void Start() {
    Session.LoadOptions();
    ASSERT_EQ(Session.Initialize(TCommandLine{}), -1);
  }
  std::string TablesPath() const { return Session.TablesFile(); }
};

std::vector<std::string> Names(const TAppSession& s) {
  return s.TableNames();
}

}  // namespace

TEST(AppSessionTables, TablesThatCannotBeATableAreRefusedWithAWarning) {
  TTablesSession t;
  TTableRec sound;
  sound.Name = "sound";
  sound.StartComb = sound.CurrentComb = {1, 2, 3, 4};
  TTableRec damaged = sound;
  damaged.Name = "damaged";
  damaged.Step = -713105246;
  damaged.CurrentComb = {218, 219, 249, 254};
  const std::string bytes = damaged.Bytes() + sound.Bytes();
  WriteFile(t.TablesPath(), bytes);
  t.Start();
  ASSERT_EQ(t.Session.Tables().size(), 1u);
  EXPECT_EQ(t.Session.Tables()[0], sound);
  ASSERT_EQ(t.Hooks.Messages.size(), 1u);
  EXPECT_EQ(t.Hooks.Messages[0].Kind, TMessageKind::Warning);
  EXPECT_NE(t.Hooks.Messages[0].Text.find(t.TablesPath() + ".bad"), std::string::npos);
  EXPECT_EQ(ReadFile(t.TablesPath() + ".bad"), bytes);
  // The next change saves the sound tables only.
  EXPECT_EQ(t.Session.AddTables({"follow", true, "", 0}, {}), 1);
  EXPECT_EQ(ReadTablesFile(t.TablesPath()), t.Session.Tables());
}

TEST(AppSessionTables, AddSaveHideShowAndDelete) {
  TTablesSession t;
  t.Start();
  ASSERT_TRUE(t.Session.TablesShown());
  const TCombsArray& combs = t.Session.Combs().Combs();
  ASSERT_GT(combs.size(), 5u);
  // Three selected rows: one table each, named with their 1-based positions.
  EXPECT_EQ(t.Session.AddTables({"R", false, "", 2}, {4, 0, 2}), 3);
  EXPECT_EQ(Names(t.Session), (std::vector<std::string>{"R (1)", "R (3)", "R (5)"}));
  EXPECT_EQ(t.Session.Tables()[2].StartComb, CombNumbers(combs[4]));
  EXPECT_EQ(t.Session.AddTables({"follow", true, "", 0}, {}), 1);
  EXPECT_EQ(ReadTablesFile(t.TablesPath()), t.Session.Tables());

  // Hidden: emptied in memory, the file stays; shown again: read back.
  t.Session.SetTablesShown(false);
  EXPECT_TRUE(t.Session.Tables().empty());
  EXPECT_EQ(t.Session.AddTables({"x", true, "", 0}, {}), 0);
  EXPECT_EQ(ReadTablesFile(t.TablesPath()).size(), 4u);
  t.Session.SetTablesShown(true);
  EXPECT_EQ(Names(t.Session), (std::vector<std::string>{"R (1)", "R (3)", "R (5)", "follow"}));

  t.Hooks.Answer = false;
  EXPECT_FALSE(t.Session.DeleteTables({0, 3}));
  ASSERT_FALSE(t.Hooks.DefaultNo.empty());
  EXPECT_TRUE(t.Hooks.DefaultNo.back());
  EXPECT_EQ(t.Session.Tables().size(), 4u);
  t.Hooks.Answer = true;
  EXPECT_TRUE(t.Session.DeleteTables({3, 0}));
  EXPECT_EQ(Names(t.Session), (std::vector<std::string>{"R (3)", "R (5)"}));
  EXPECT_EQ(ReadTablesFile(t.TablesPath()), t.Session.Tables());
  EXPECT_TRUE(t.Hooks.Messages.empty());
}

TEST(AppSessionTables, StakeAdvancesOnlyWhenMadeAndTheTestStakesPastDraws) {
  TTablesSession t;
  t.Start();
  t.Session.AddTables({"walk", false, "1;2;46;47", 1}, {0});
  t.Session.AddTables({"follow", true, "", 0}, {});
  const auto [advanced, stake] = t.Session.PrepareTableStake(0);
  EXPECT_EQ(advanced.CurrentComb, (TFour{1, 2, 3, 47}));
  EXPECT_EQ(stake.NumbersText(), "1;2;3;47");
  EXPECT_EQ(stake.DrawNumber, 1003);
  EXPECT_EQ(stake.Kind, kStakeRegular);
  EXPECT_EQ(stake.Comment, "walk");
  EXPECT_EQ(stake.SampleSize, t.Session.Combs().Count());
  // Not made (the dialog cancelled): the table is as it was.
  EXPECT_EQ(t.Session.Tables()[0].StakesMade, 0);
  ASSERT_TRUE(t.Session.CommitTableStake(0, advanced, stake, 1));
  EXPECT_EQ(t.Session.Tables()[0].CurrentComb, (TFour{1, 2, 3, 47}));
  EXPECT_EQ(ReadTablesFile(t.TablesPath())[0].StakesMade, 1);
  EXPECT_EQ(t.Session.StakeBook().File.Count(), 1);

  // Step 0 after the previous draw: exactly its numbers, for the two newest draws.
  ASSERT_TRUE(t.Session.TestTables({1}, 2));
  const TStakeFile& file = t.Session.StakeBook().File;
  ASSERT_EQ(file.Count(), 3);
  EXPECT_EQ(file.Read(0, 1).DrawNumber, 1001);
  EXPECT_EQ(file.Read(0, 1).NumbersText(), "1;2;3;4");
  EXPECT_EQ(file.Read(0, 2).DrawNumber, 1002);
  EXPECT_EQ(file.Read(0, 2).NumbersText(), "5;6;7;8");
  // Checked and rated at once; the offset is the one before.
  EXPECT_EQ(file.Read(0, 2).MatchesCount, 0);
  EXPECT_EQ(t.Session.DrawsOffset(), 0);
  EXPECT_EQ(ReadTablesFile(t.TablesPath())[1].StakesMade, 2);
}

TEST(AppSessionTables, FileFailuresAreShownAndMemoryStays) {
  TTablesSession t;
  std::filesystem::create_directory(t.Dir.File("Vetrilo_4d47.ltb"));
  t.Start();
  ASSERT_EQ(t.Hooks.Messages.size(), 1u);
  EXPECT_EQ(t.Hooks.Messages[0].Text.rfind("Ошибка чтения файла регулярных ставок!\r\r", 0), 0u)
      << t.Hooks.Messages[0].Text;
  EXPECT_EQ(t.Session.AddTables({"kept", true, "", 1}, {}), 1);
  ASSERT_EQ(t.Hooks.Messages.size(), 2u);
  EXPECT_EQ(t.Hooks.Messages[1].Text.rfind("Ошибка записи в файл регулярных ставок!\r\r", 0), 0u);
  EXPECT_EQ(Names(t.Session), (std::vector<std::string>{"kept"}));
}

TEST(AppSessionTables, DesignedSystemsReplaceAnotherOnlyAfterTheQuestion) {
  TTablesSession t;
  t.Start();
  const std::string systems = t.Dir.File("Systems");
  std::filesystem::create_directory(systems);
  WriteFile(systems + "/4-06-2_0317.dat", "01 02 03 04\r\n");
  WriteFile(systems + "/4-07-3_0001.dat", "01 02 03 04\r\n");
  const TSystemLines lines = t.Session.MakeSystemDesign(6, 3, 0.2, 1, nullptr);
  EXPECT_EQ(VerifySystem(lines, 6, 3).Uncovered, 0);
  t.Hooks.Answer = false;
  EXPECT_FALSE(t.Session.SaveDesignedSystem(lines, 6, 3));
  EXPECT_FALSE(FileExists(systems + "/4-06-3_0000.dat"));
  ASSERT_EQ(t.Hooks.Questions.size(), 1u);
  EXPECT_NE(t.Hooks.Questions[0].find("4-06-2_0317.dat"), std::string::npos);
  EXPECT_TRUE(t.Hooks.DefaultNo[0]);  // the stored system would be lost
  t.Hooks.Answer = true;
  EXPECT_TRUE(t.Session.SaveDesignedSystem(lines, 6, 3));
  EXPECT_EQ(ReadFile(systems + "/4-06-3_0000.dat"), SystemFileText(lines));
  EXPECT_FALSE(FileExists(systems + "/4-06-2_0317.dat"));
  EXPECT_TRUE(FileExists(systems + "/4-07-3_0001.dat"));
  // The lookup of system play finds it.
  EXPECT_EQ(FindSystem(systems, std::vector<uint8_t>{1, 2, 3, 4, 5, 6}).Name, "4-06-3_0000");
  // Saved again: nothing else to replace, no question.
  EXPECT_TRUE(t.Session.SaveDesignedSystem(lines, 6, 3));
  EXPECT_EQ(t.Hooks.Questions.size(), 2u);

  // Staking needs as many numbers in the combination list as the system has.
  EXPECT_FALSE(t.Session.StakeDesignedSystem(lines, 6, 3, 1));
  EXPECT_EQ(t.Hooks.Messages.back().Text.find("В списке комбинаций"), 0u);
  EXPECT_EQ(t.Session.StakeBook().File.Count(), 0);
  t.Session.PasteCombs("1 2 3 10\r\n1 2 4 5\r\n");
  ASSERT_EQ(CollectNumbers(t.Session.Combs().Combs()), (std::vector<uint8_t>{1, 2, 3, 10, 4, 5}));
  ASSERT_TRUE(t.Session.StakeDesignedSystem(lines, 6, 3, 1));
  const TStakeFile& file = t.Session.StakeBook().File;
  ASSERT_EQ(file.Count(), int64_t(lines.size()));
  const std::vector<uint8_t> numbers = {1, 2, 3, 10, 4, 5};
  for (size_t i = 0; i < lines.size(); ++i) {
    const TStakeRec r = file.Read(0, int64_t(i));
    std::vector<uint8_t> expected;
    for (const uint8_t p : lines[i]) expected.push_back(numbers[p - 1]);
    std::sort(expected.begin(), expected.end());
    TStakeRec want;
    want.SetNumbers(expected);
    EXPECT_EQ(r.NumbersText(), want.NumbersText());
    EXPECT_EQ(r.Kind, kStakeSystem);
    EXPECT_EQ(r.DrawNumber, 1003);
    EXPECT_EQ(r.Comment, "Системная игра для 6 чисел [вся система]: 4-06-3_0000");
  }
  // A second series is set apart from the first by a separator.
  ASSERT_TRUE(t.Session.StakeDesignedSystem(lines, 6, 3, 1));
  EXPECT_EQ(file.Count(), int64_t(2 * lines.size() + 1));
  EXPECT_FALSE(file.Read(0, int64_t(lines.size())).IsStake());

  // The dialog's stop ends the construction with a valid system.
  int calls = 0;
  const TSystemLines stopped =
      t.Session.MakeSystemDesign(16, 3, 30, 1, [&](const TDesignProgress&) {
        ++calls;
        return false;
      });
  EXPECT_EQ(VerifySystem(stopped, 16, 3).Uncovered, 0);
  EXPECT_EQ(calls, 1);
}

}  // namespace vetrilo
