#include "stakes/stake_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "stakes/stake_file.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::TTempDir;
using test::WriteFile;

namespace {

using TFour = std::array<uint8_t, 4>;

TTableRec Table(std::string name, TFour start, int step, bool lastDraw = false) {
  TTableRec t;
  t.Name = std::move(name);
  t.StartComb = t.CurrentComb = start;
  t.Step = step;
  t.UseLastDraw = lastDraw;
  return t;
}

}  // namespace

TEST(StakeTables, ShiftNumberWrapsWithinTheField) {
  const struct {
    int X, S, Shifted;
  } cases[] = {{1, -1, 47},  {47, 1, 1},  {20, 0, 20}, {46, 2, 1},   {1, -47, 1},
               {47, 47, 47}, {10, -5, 5}, {3, -3, 47}, {30, 17, 47}, {30, 18, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ShiftNumber(uint8_t(c.X), c.S), c.Shifted) << c.X << " by " << c.S;
  }
  EXPECT_EQ(ShiftComb({1, 2, 46, 47}, 1), (TFour{1, 2, 3, 47}));
  EXPECT_EQ(ShiftComb({1, 2, 46, 47}, -2), (TFour{44, 45, 46, 47}));
}

TEST(StakeTables, AdvancingWalksTheCurrentCombinationOrShiftsTheNewestDraw) {
  TTableRec walk = Table("w", {1, 2, 46, 47}, 1);
  AdvanceTable(walk, {5, 6, 7, 8});
  EXPECT_EQ(walk.CurrentComb, (TFour{1, 2, 3, 47}));
  AdvanceTable(walk, {5, 6, 7, 8});
  EXPECT_EQ(walk.CurrentComb, (TFour{1, 2, 3, 4}));
  EXPECT_EQ(walk.StakesMade, 2);
  EXPECT_EQ(walk.StartComb, (TFour{1, 2, 46, 47}));

  // Step 0 after the previous draw: exactly its numbers, ascending.
  TTableRec follow = Table("f", {}, 0, true);
  AdvanceTable(follow, {40, 3, 17, 9});
  EXPECT_EQ(follow.CurrentComb, (TFour{3, 9, 17, 40}));
  follow.Step = -3;
  AdvanceTable(follow, {40, 3, 17, 9});
  EXPECT_EQ(follow.CurrentComb, (TFour{6, 14, 37, 47}));
  EXPECT_EQ(follow.StakesMade, 2);
}

TEST(StakeTables, AdvancingNeverGivesAStakeOutsideTheField) {
  struct TCase {
    const char* What;
    TTableRec Table;
    TFour Draw;
  };
  const TCase cases[] = {
      {"a draw with a zero", Table("f", {}, 0, true), {0, 3, 17, 9}},
      {"a draw above 47", Table("f", {}, 1, true), {40, 3, 17, 200}},
      {"a draw with a repeat", Table("f", {}, 2, true), {5, 5, 6, 7}},
      {"an empty archive", Table("f", {}, 1, true), {0, 0, 0, 0}},
      {"a current combination above 47", Table("w", {218, 219, 249, 254}, 0), {1, 2, 3, 4}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TTableRec t = c.Table;
    EXPECT_THROW(AdvanceTable(t, c.Draw), EVetrilo);
    EXPECT_EQ(t, c.Table);
  }
  TTableRec t = Table("Шаг", {}, 0, true);
  try {
    AdvanceTable(t, {9, 9, 1, 2});
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(),
              "Регулярная ставка \"Шаг\" дает комбинацию 1;2;9;9: числа ставки должны быть "
              "разными и лежать в 1..47.");
  }
}

TEST(StakeTables, RecordsThatCannotBeATableAreRefusedOnLoad) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.ltb");
  const std::string bad = path + ".bad";
  TTableRec far = Table("far", {1, 2, 3, 4}, -713105246);
  TTableRec above = Table("above", {1, 2, 3, 4}, 1);
  above.CurrentComb = {8, 9, 10, 48};
  TTableRec repeated = Table("repeated", {7, 7, 8, 9}, 1);
  TTableRec noStart = Table("no start", {}, 1);  // walks a combination it does not have
  TTableRec steep = Table("steep", {1, 2, 3, 4}, 48);
  const std::vector<TTableRec> sound = {Table("edge", {1, 2, 46, 47}, -47),
                                        Table("follow", {}, 47, true),
                                        Table("follow 2", {5, 6, 7, 8}, 0, true)};
  std::string bytes;
  for (const TTableRec& t : {sound[0], far, above, sound[1], repeated, noStart, steep, sound[2]}) {
    bytes += t.Bytes();
  }
  WriteFile(path, bytes);
  WriteFile(bad, "older copy");
  std::string warning;
  EXPECT_EQ(ReadTablesFile(path, &warning), sound);
  EXPECT_EQ(warning,
            "В файле регулярных ставок \"" + path +
                "\" записей, которые не могут быть регулярной ставкой (числа вне 1..47 или "
                "повторы, шаг вне -47..47): 5. Они не загружены.\r\rПрежний файл сохранен как "
                "\"" +
                bad + "\".");
  EXPECT_EQ(test::ReadFile(bad), bytes);
  EXPECT_EQ(test::ReadFile(path), bytes);

  // Sound files give no warning and no copy.
  std::filesystem::remove(bad);
  WriteTablesFile(path, sound);
  warning.clear();
  EXPECT_EQ(ReadTablesFile(path, &warning), sound);
  EXPECT_EQ(warning, "");
  EXPECT_FALSE(std::filesystem::exists(bad));

  // Without the copy nothing is loaded.
  WriteFile(path, bytes);
  std::filesystem::create_directory(bad);
  EXPECT_THROW(ReadTablesFile(path, &warning), EVetrilo);
}

TEST(StakeTables, RecordBytesAndFile) {
  TTableRec t = Table("Регуляр", {4, 9, 2, 30}, -5, true);
  t.CurrentComb = {47, 1, 3, 2};
  t.StakesMade = 258;
  const std::string bytes = t.Bytes();
  ASSERT_EQ(bytes.size(), kTableRecordSize);
  EXPECT_EQ(uint8_t(bytes[0]), 7);
  EXPECT_EQ(uint8_t(bytes[1]), 0xD0);  // "Р" in code page 1251
  EXPECT_EQ(bytes[256], 1);
  EXPECT_EQ(bytes.substr(257, 4), std::string("\x02\x04\x09\x1e", 4));  // ascending
  EXPECT_EQ(bytes.substr(261, 4), std::string("\x01\x02\x03\x2f", 4));
  EXPECT_EQ(bytes.substr(265, 3), std::string(3, '\0'));
  EXPECT_EQ(bytes.substr(268, 4), std::string("\xfb\xff\xff\xff", 4));
  EXPECT_EQ(bytes.substr(272, 4), std::string("\x02\x01\x00\x00", 4));
  const TTableRec back = TTableRec::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()));
  EXPECT_EQ(back.Name, "Регуляр");
  EXPECT_EQ(back.StartComb, (TFour{2, 4, 9, 30}));
  EXPECT_EQ(back.CurrentComb, (TFour{1, 2, 3, 47}));
  EXPECT_EQ(back.Step, -5);
  EXPECT_EQ(back.StakesMade, 258);
  EXPECT_TRUE(back.UseLastDraw);

  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.ltb");
  EXPECT_TRUE(ReadTablesFile(path).empty());
  const std::vector<TTableRec> tables = {back, Table("second", {1, 2, 3, 4}, 1)};
  WriteTablesFile(path, tables);
  EXPECT_EQ(std::filesystem::file_size(path), 2 * kTableRecordSize);
  EXPECT_EQ(ReadTablesFile(path), tables);
  WriteFile(path, std::string(kTableRecordSize + 3, '\0'));
  EXPECT_THROW(ReadTablesFile(path), EVetrilo);
  std::filesystem::create_directory(dir.File("dir.ltb"));
  EXPECT_THROW(ReadTablesFile(dir.File("dir.ltb")), EVetrilo);
  EXPECT_THROW(WriteTablesFile(dir.File("Vetrilo_4d47.ltb/x"), tables), EVetrilo);
}

TEST(StakeTables, DialogChecksInTheirOrder) {
  const std::vector<std::string> names = {"Регулярная ставка", "abc"};
  const struct {
    const char* Name;
    bool LastDraw;
    const char* Start;
    const char* Comment;
    int Selected;
    TTableDialogField Field;
  } cases[] = {
      {"good", false, "1;2;3;4", "new", 1, TTableDialogField::None},
      {"comma and semicolon", false, "1,2;3, 47", "new", 1, TTableDialogField::None},
      {"three numbers", false, "1;2;3", "new", 1, TTableDialogField::StartComb},
      {"repeated number", false, "1;2;2;4", "", 1, TTableDialogField::StartComb},
      {"number 48", false, "1;2;3;48", "new", 1, TTableDialogField::StartComb},
      {"start not checked when following the draws", true, "x", "new", 1, TTableDialogField::None},
      {"start not checked for several", false, "{...}", "new", 3, TTableDialogField::None},
      {"empty comment", false, "1;2;3;4", "  ", 1, TTableDialogField::Comment},
      {"name in another case", true, "", "РЕГУЛЯРНАЯ СТАВКА", 0, TTableDialogField::Comment},
      {"latin name in another case", true, "", "ABC", 0, TTableDialogField::Comment},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto error = CheckTableDialog({c.Comment, c.LastDraw, c.Start, 1}, c.Selected, names);
    EXPECT_EQ(error ? error->Field : TTableDialogField::None, c.Field);
    if (c.Field == TTableDialogField::StartComb) {
      EXPECT_EQ(error->Message, "Введена некорректная комбинация!");
    }
    if (c.Field == TTableDialogField::Comment && std::string(c.Comment) == "  ") {
      EXPECT_EQ(error->Message, "Необходимо ввести комментарий!");
    }
  }
  EXPECT_EQ(CheckTableDialog({"abc", true, "", 1}, 0, names)->Message,
            "Запись с таким комментарией уже присутствует в списке!\rВыберите другой комментарий.");
  EXPECT_EQ(TableStartText(1, MakeComb(30, 2, 9, 4)), "2;4;9;30");
  EXPECT_EQ(TableStartText(3, 0), "{...Выделенные комбинации...}");
}

TEST(StakeTables, NewTablesForTheSelection) {
  const std::vector<TSelectedComb> three = {
      {MakeComb(1, 2, 3, 4), 2}, {MakeComb(9, 8, 7, 6), 5}, {MakeComb(11, 12, 13, 14), 6}};
  const std::vector<TTableRec> none;
  std::vector<TTableRec> added = NewTables({"R", false, "", 2}, three, none);
  ASSERT_EQ(added.size(), 3u);
  EXPECT_EQ(added[0].Name, "R (2)");
  EXPECT_EQ(added[1].Name, "R (5)");
  EXPECT_EQ(added[1].StartComb, (TFour{6, 7, 8, 9}));
  EXPECT_EQ(added[1].CurrentComb, (TFour{6, 7, 8, 9}));
  EXPECT_EQ(added[2].Step, 2);
  EXPECT_EQ(added[2].StakesMade, 0);

  // Taken numbers move on, past the existing names and the new ones alike.
  const std::vector<TTableRec> existing = {Table("r (5)", {}, 1), Table("R (7)", {}, 1)};
  added = NewTables({"R", false, "", 1}, three, existing);
  ASSERT_EQ(added.size(), 3u);
  EXPECT_EQ(added[0].Name, "R (2)");
  EXPECT_EQ(added[1].Name, "R (6)");
  EXPECT_EQ(added[2].Name, "R (8)");

  // One selected: the typed start; following the draws: one table whatever the selection.
  added = NewTables({"one", false, "40;3;17;9", -1}, {three[0]}, none);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0].Name, "one");
  EXPECT_EQ(added[0].StartComb, (TFour{3, 9, 17, 40}));
  EXPECT_EQ(added[0].CurrentComb, (TFour{3, 9, 17, 40}));
  added = NewTables({"last", true, "", 0}, three, none);
  ASSERT_EQ(added.size(), 1u);
  EXPECT_TRUE(added[0].UseLastDraw);
  EXPECT_EQ(NewTables({"none", false, "", 1}, {}, none).size(), 0u);
}

TEST(StakeTables, TestStakesEveryTableForEachPastDraw) {
  const TDrawArchive archive = MakeArchive({{101, 1, 2, 3, 4, 1, "01/01/2020"},
                                            {102, 10, 20, 30, 40, 2, "01/02/2020"},
                                            {103, 5, 6, 7, 8, 3, "01/03/2020"},
                                            {104, 11, 12, 13, 14, 4, "01/04/2020"}});
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("s.lsk"), true);
  std::vector<TTableRec> tables = {Table("walk", {1, 2, 46, 47}, 1), Table("skip", {}, 0),
                                   Table("follow", {}, 1, true)};
  EXPECT_EQ(RunTableTest(tables, {0, 2}, 2, archive, file, 77, -10000), 4);
  ASSERT_EQ(file.Count(), 4);
  const struct {
    int Draw;
    const char* Comment;
    const char* Numbers;
  } expected[] = {{103, "walk", "1;2;3;47"},
                  {103, "follow", "11;21;31;41"},
                  {104, "walk", "1;2;3;4"},
                  {104, "follow", "6;7;8;9"}};
  for (int i = 0; i < 4; ++i) {
    const TStakeRec r = file.Read(0, i);
    EXPECT_EQ(r.DrawNumber, expected[i].Draw);
    EXPECT_EQ(r.Comment, expected[i].Comment);
    EXPECT_EQ(r.NumbersText(), expected[i].Numbers);
    EXPECT_EQ(r.Kind, kStakeRegular);
    EXPECT_EQ(r.SampleSize, 77);
    EXPECT_EQ(r.Profit, -10000);
    EXPECT_EQ(r.MatchesCount, -1);
  }
  EXPECT_EQ(tables[0].StakesMade, 2);
  EXPECT_EQ(tables[1].StakesMade, 0);
  EXPECT_EQ(tables[2].CurrentComb, (TFour{6, 7, 8, 9}));

  // A failed append ends the test; the table advanced before it stays advanced.
  file.Close();
  EXPECT_THROW(RunTableTest(tables, {0, 2}, 2, archive, file, 77, 0), EVetrilo);
  EXPECT_EQ(tables[0].StakesMade, 3);
  EXPECT_EQ(tables[2].StakesMade, 2);
}

}  // namespace vetrilo
