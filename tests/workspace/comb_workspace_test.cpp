// The combination workspace: list, undo, buffer, journal and the commands on the list.
#include "workspace/comb_workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/combinatorics.h"
#include "core/errors.h"
#include "test_support.h"
#include "workspace/comb_file.h"
#include "workspace/comb_list_view.h"
#include "workspace/status_scope.h"

namespace vetrilo {
using test::MakeArchive;
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

struct TWorkspaceFixture {
  TDrawArchive Archive;
  test::TStopHooks Hooks;
  TCombWorkspace Combs{Archive, Hooks};
  int Changes = 0;

  explicit TWorkspaceFixture(const std::vector<test::TDrawSpec>& draws = {}) {
    Archive = MakeArchive(draws);
    Combs.SetListener([this] { ++Changes; });
  }
  void Full() { Combs.GenerateCombs(0, "", false); }
  void Set(const TCombsArray& combs) {
    Combs.GenerateCombs(0, "", false);
    Combs.Paste([&] {
      std::string text;
      for (TComb c : combs) text += CombListText(c) + "\n";
      return text;
    }());
  }
};

std::string Message(const std::function<void()>& op) {
  try {
    op();
  } catch (const EVetrilo& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(StatusScope, NestedScopesGiveTheOuterStatusBackInnermostFirst) {
  TRecordingHooks hooks;
  try {
    TStatusScope outer(hooks, "A...");
    {
      TStatusScope middle(hooks, "B...");
      TStatusScope inner(hooks, "C...");
      hooks.SetStatus("C... 10 %");
    }
    TStatusScope again(hooks, "D...");
    throw std::runtime_error("boom");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(hooks.Statuses, (std::vector<std::string>{"A...", "B...", "C...", "C... 10 %", "B...",
                                                      "A...", "D...", "A...", ""}));
  EXPECT_EQ(hooks.OperationStatus(), "");
}

TEST(CombWorkspace, GenerationWithStatusStartsAFreshList) {
  TWorkspaceFixture f;
  f.Full();
  f.Combs.AddJournalRow(TJournalKind::Include, "x", "1");
  f.Combs.TakeUndo(false);
  f.Combs.SaveBuffer(0, 3);
  f.Hooks.Statuses.clear();

  // Without status (scripts) only the list changes.
  f.Combs.GenerateCombs(2, "1;2;3;4;5", false);
  EXPECT_EQ(f.Combs.Count(), 5);
  EXPECT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_TRUE(f.Combs.HasUndo());
  EXPECT_EQ(f.Combs.BufferDraws(), 3);
  EXPECT_TRUE(f.Hooks.Statuses.empty());

  const int changes = f.Changes;
  f.Combs.GenerateCombs(1, "1;2", true);
  EXPECT_EQ(f.Combs.Count(), 29370);
  EXPECT_TRUE(f.Combs.Journal().empty());
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_EQ(f.Combs.BufferOffset(), -1);
  EXPECT_EQ(f.Combs.BufferDraws(), -1);
  EXPECT_TRUE(f.Combs.BufferCombs().empty());
  EXPECT_EQ(f.Hooks.Statuses, (std::vector<std::string>{"Генерация возможных комбинаций...", ""}));
  EXPECT_GT(f.Changes, changes);
}

TEST(CombWorkspace, GenerationFromAFile) {
  TTempDir dir;
  WriteFile(dir.File("my.lcv"), "5;1;9;3\r\n1;2;3\r\n");
  TWorkspaceFixture f;
  f.Combs.GenerateCombs(4, dir.File("my.lcv"), true);
  EXPECT_EQ(f.Combs.Combs(), TCombsArray{MakeComb(5, 1, 9, 3)});

  f.Full();
  f.Combs.TakeUndo(false);
  const std::string msg = Message([&] { f.Combs.GenerateCombs(4, dir.File("none.lcv"), true); });
  EXPECT_EQ(msg.rfind("Ошибка генерации файла комбинаций!\r\r", 0), 0u) << msg;
  EXPECT_NE(msg.find("none.lcv"), std::string::npos);
  EXPECT_EQ(f.Combs.Count(), 0);   // as far as built
  EXPECT_TRUE(f.Combs.HasUndo());  // the step can still be undone
  EXPECT_EQ(f.Hooks.Statuses.back(), "");
}

TEST(CombWorkspace, OpenReplacesTheListOrPutsItBack) {
  TTempDir dir;
  WriteFile(dir.File("a.lcv"), "1;2;3;4\n47,46,45,44\n");
  std::filesystem::create_directory(dir.File("folder.lcv"));
  TWorkspaceFixture f;
  f.Set({MakeComb(9, 10, 11, 12)});
  f.Combs.AddJournalRow(TJournalKind::Exclude, "x", "");
  f.Hooks.Statuses.clear();

  f.Combs.OpenFile(dir.File("a.lcv"));
  EXPECT_EQ(f.Combs.Combs(), (TCombsArray{MakeComb(1, 2, 3, 4), MakeComb(47, 46, 45, 44)}));
  EXPECT_TRUE(f.Combs.Journal().empty());
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_EQ(f.Hooks.Statuses.front(), "Загрузка файла \"" + dir.File("a.lcv") + "\"...");
  EXPECT_EQ(f.Hooks.Statuses.back(), "");

  f.Combs.AddJournalRow(TJournalKind::Exclude, "x", "");
  const std::string msg = Message([&] { f.Combs.OpenFile(dir.File("folder.lcv")); });
  EXPECT_EQ(msg.rfind("Ошибка чтения файла \"" + dir.File("folder.lcv") + "\"!\r\r", 0), 0u) << msg;
  EXPECT_EQ(f.Combs.Count(), 2);  // put back
  EXPECT_TRUE(f.Combs.Journal().empty());
  EXPECT_FALSE(f.Combs.HasUndo());
}

TEST(CombWorkspace, FileWithoutACombinationIsRefusedAndNothingChanges) {
  TTempDir dir;
  // Random bytes of the first seed whose lines hold no four words.
  std::string junk(2048, '\0');
  for (uint32_t seed = 1;; ++seed) {
    std::mt19937 random(seed);
    for (char& c : junk) c = static_cast<char>(random() % 256);
    TCombsArray parsed;
    ParseCombFileText(junk, parsed);
    if (parsed.empty()) break;
  }
  const std::pair<const char*, std::string> cases[] = {
      {"junk.lcv", junk},
      {"empty.lcv", ""},
      {"blank.lcv", "\r\n\r\n  \r\n"},
      {"short.lcv", "1;2;3\r\n1;2;3;4;5\r\nnot a list\r\n"},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    const std::string path = dir.File(name);
    WriteFile(path, bytes);
    TWorkspaceFixture f;
    f.Set({MakeComb(9, 10, 11, 12), MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8)});
    f.Combs.DeleteRows({{0, 0}});
    ASSERT_EQ(f.Combs.Journal().size(), 1u);
    f.Hooks.Statuses.clear();
    const int changes = f.Changes;

    const std::string msg = Message([&] { f.Combs.OpenFile(path); });
    EXPECT_EQ(msg.rfind("Ошибка чтения файла \"" + path + "\"!\r\r", 0), 0u) << msg;
    EXPECT_GT(msg.size(), ("Ошибка чтения файла \"" + path + "\"!\r\r").size());
    EXPECT_EQ(f.Combs.Combs(), (TCombsArray{MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8)}));
    EXPECT_EQ(f.Combs.UndoCombs(),
              (TCombsArray{MakeComb(9, 10, 11, 12), MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8)}));
    ASSERT_EQ(f.Combs.Journal().size(), 1u);
    EXPECT_EQ(f.Combs.Journal()[0].Caption, "Выделенные комбинации");
    EXPECT_EQ(f.Changes, changes);
    EXPECT_EQ(f.Hooks.Statuses.front(), "Загрузка файла \"" + path + "\"...");
    EXPECT_EQ(f.Hooks.Statuses.back(), "");
  }
  // One combination line among junk is enough: reading stays as it was.
  WriteFile(dir.File("one.lcv"), junk + "\r\n3;15;27;41\r\n" + junk);
  TWorkspaceFixture f;
  f.Combs.OpenFile(dir.File("one.lcv"));
  EXPECT_EQ(f.Combs.Combs(), (TCombsArray{MakeComb(3, 15, 27, 41)}));
}

TEST(CombWorkspace, SaveWritesTheListOrGivesTheMessage) {
  TTempDir dir;
  TWorkspaceFixture f;
  f.Set({MakeComb(3, 15, 27, 41), MakeComb(5, 1, 9, 3)});
  f.Hooks.Statuses.clear();
  f.Combs.SaveFile(dir.File("out.lcv"));
  EXPECT_EQ(ReadFile(dir.File("out.lcv")), "3;15;27;41\r\n5;1;9;3\r\n");
  EXPECT_EQ(f.Hooks.Statuses.front(), "Сохранение файла \"" + dir.File("out.lcv") + "\"...");

  WriteFile(dir.File("plain"), "x");
  const std::string bad = dir.File("plain/out.lcv");
  const std::string msg = Message([&] { f.Combs.SaveFile(bad); });
  EXPECT_EQ(msg.rfind("Ошибка записи в файл \"" + bad + "\"!\r\r", 0), 0u) << msg;
  EXPECT_EQ(f.Combs.Count(), 2);
  EXPECT_EQ(f.Hooks.Statuses.back(), "");
}

TEST(CombWorkspace, PasteTakesEveryLineOrNone) {
  TWorkspaceFixture f;
  f.Full();
  f.Combs.AddJournalRow(TJournalKind::Include, "x", "");
  f.Combs.Paste("03 15 27 41\r\n5-17.23|40\n");
  EXPECT_EQ(f.Combs.Combs(), (TCombsArray{MakeComb(3, 15, 27, 41), MakeComb(5, 17, 23, 40)}));
  EXPECT_TRUE(f.Combs.Journal().empty());
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_EQ(f.Hooks.Statuses.front(), "Подождите пожалуйста...");

  f.Combs.AddJournalRow(TJournalKind::Include, "kept", "");
  f.Combs.TakeUndo(false);
  const std::string msg = Message([&] { f.Combs.Paste("1 2 3 4\n1 2 3\n"); });
  EXPECT_EQ(msg, "Некорректная комбинация: \"1 2 3\"!");
  EXPECT_EQ(f.Combs.Count(), 2);  // the previous list is back
  EXPECT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_EQ(f.Hooks.Statuses.back(), "");

  f.Combs.Paste("");
  EXPECT_EQ(f.Combs.Count(), 2);
}

TEST(CombWorkspace, CopyGivesTheSelectedRowsInListOrder) {
  TWorkspaceFixture f;
  f.Set({MakeComb(3, 15, 27, 41), MakeComb(5, 1, 9, 3), MakeComb(1, 2, 3, 4),
         MakeComb(44, 45, 46, 47)});
  EXPECT_EQ(f.Combs.CopyText({{3, 9}, {0, 0}, {2, 3}}), "03 15 27 41\n01 02 03 04\n44 45 46 47\n");
  EXPECT_EQ(f.Combs.CopyText({}), "");
  EXPECT_EQ(NormalizeRanges({{5, 7}, {0, 1}, {2, 2}, {9, 8}, {-3, 0}}, 7),
            (TRowRanges{{0, 2}, {5, 6}}));
}

TEST(CombWorkspace, DeleteSelectedIsOneUndoableStep) {
  TWorkspaceFixture f;
  f.Full();
  f.Combs.DeleteRows({{0, 9}, {178360, 178400}, {5, 12}});
  EXPECT_EQ(f.Combs.Count(), 178365 - 13 - 5);
  EXPECT_EQ(f.Combs.Comb(0), FullSet()[13]);
  EXPECT_EQ(f.Combs.Combs().back(), FullSet()[178359]);
  ASSERT_EQ(f.Combs.Journal().size(), 1u);
  const TJournalRow& row = f.Combs.Journal()[0];
  EXPECT_EQ(row.Caption, "Выделенные комбинации");
  EXPECT_EQ(row.Values, "18");
  EXPECT_EQ(row.Count, 178365 - 18);
  EXPECT_EQ(row.Kind, TJournalKind::Exclude);
  EXPECT_NE(std::find(f.Hooks.Statuses.begin(), f.Hooks.Statuses.end(),
                      "Удаление выделенных комбинаций..."),
            f.Hooks.Statuses.end());

  f.Combs.Undo();
  EXPECT_EQ(f.Combs.Combs(), FullSet());
  EXPECT_TRUE(f.Combs.Journal().empty());
  EXPECT_FALSE(f.Combs.HasUndo());
  EXPECT_EQ(f.Hooks.Statuses[f.Hooks.Statuses.size() - 2], "Отмена изменений...");
}

TEST(CombWorkspace, ExcludeLastDrawsRemovesTheNewestVisibleDraws) {
  // Newest draws last; drawing order is not sorted.
  TWorkspaceFixture f({{1, 1, 2, 3, 4, 1, ""},
                       {2, 9, 5, 7, 6, 1, ""},
                       {3, 10, 30, 20, 40, 1, ""},
                       {4, 47, 1, 2, 3, 1, ""},
                       {5, 5, 6, 7, 8, 1, ""},
                       {6, 11, 12, 13, 14, 1, ""}});
  f.Full();
  f.Combs.TakeUndo(true);
  f.Hooks.Statuses.clear();
  const int lastIndex = f.Archive.LastIndex(2);  // draws 5 and 6 are hidden
  f.Combs.ExcludeLastDraws(3, lastIndex);
  EXPECT_EQ(f.Combs.Count(), 178365 - 3);
  for (TComb gone : {MakeComb(5, 6, 7, 9), MakeComb(10, 20, 30, 40), MakeComb(1, 2, 3, 47)}) {
    EXPECT_FALSE(f.Combs.Contains(gone)) << CombListText(gone);
  }
  for (TComb kept : {MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8), MakeComb(11, 12, 13, 14)}) {
    EXPECT_TRUE(f.Combs.Contains(kept)) << CombListText(kept);
  }
  ASSERT_EQ(f.Combs.Journal().size(), 1u);
  EXPECT_EQ(f.Combs.Journal()[0].Caption, "Последние тиражи");
  EXPECT_EQ(f.Combs.Journal()[0].Values, "3");
  EXPECT_EQ(f.Combs.Journal()[0].Count, 178362);
  // A progress text every hundredth of the list.
  const auto& st = f.Hooks.Statuses;
  EXPECT_EQ(st.front(), "Удаление из списка комбинаций 3 последних тиражей...");
  EXPECT_EQ(st[1], "Удаление из списка комбинаций 3 последних тиражей ( завершено 0 % )...");
  EXPECT_NE(std::find(st.begin(), st.end(),
                      "Удаление из списка комбинаций 3 последних тиражей ( завершено 50 % )..."),
            st.end());
  EXPECT_EQ(st.size(), 1u + 101u + 1u);  // 178,365 / 1,783 steps, then the cleared text
  EXPECT_EQ(st.back(), "");

  // More draws than the archive holds: down to the oldest; none: nothing removed.
  f.Full();
  f.Combs.TakeUndo(false);
  f.Combs.ExcludeLastDraws(100, f.Archive.LastIndex(0));
  EXPECT_EQ(f.Combs.Count(), 178365 - 6);
  f.Combs.TakeUndo(false);
  f.Combs.ExcludeLastDraws(0, f.Archive.LastIndex(0));
  EXPECT_EQ(f.Combs.Count(), 178365 - 6);
}

TEST(CombWorkspace, StoppedExclusionLeavesListUndoAndJournalAsBefore) {
  TWorkspaceFixture f({{1, 1, 2, 3, 4, 1, ""}, {2, 9, 5, 7, 6, 1, ""}, {3, 10, 30, 20, 40, 1, ""}});
  // Stopped at once, halfway and at the last hundredth.
  for (const char* at : {"( завершено 0 % )", "( завершено 50 % )", "( завершено 100 % )"}) {
    SCOPED_TRACE(at);
    f.Combs.GenerateCombs(0, "", true);
    f.Combs.DeleteRows({{0, 9}});  // a step before, with its undo copy and journal row
    const TCombsArray list = f.Combs.Combs();
    const TCombsArray undo = f.Combs.UndoCombs();
    f.Hooks.AtStatus = std::string("Удаление из списка комбинаций 2 последних тиражей ") + at;
    f.Hooks.AtStatusCount = 1;
    f.Hooks.Stop = false;
    const int changes = f.Changes;
    EXPECT_THROW(f.Combs.ExcludeDraws(2, f.Archive.LastIndex(0)), EStopped);
    EXPECT_TRUE(f.Hooks.Stop);
    EXPECT_EQ(f.Combs.Combs(), list);
    EXPECT_EQ(f.Combs.UndoCombs(), undo);
    ASSERT_EQ(f.Combs.Journal().size(), 1u);
    EXPECT_EQ(f.Combs.Journal()[0].Caption, "Выделенные комбинации");
    EXPECT_GT(f.Changes, changes);  // the view hears the list is back
    EXPECT_EQ(f.Hooks.Statuses.back(), "");

    // The script form (undo copy taken by the caller) puts the list back from it.
    f.Hooks.AtStatusCount = 1;
    f.Hooks.Stop = false;
    f.Combs.TakeUndo(false);
    EXPECT_THROW(f.Combs.ExcludeLastDraws(2, f.Archive.LastIndex(0)), EStopped);
    EXPECT_EQ(f.Combs.Combs(), list);
    EXPECT_EQ(f.Combs.UndoCombs(), list);
    EXPECT_EQ(f.Combs.Journal().size(), 1u);
  }
  // Not stopped, the same step runs to its end.
  f.Hooks.AtStatus.clear();
  f.Hooks.Stop = false;
  f.Combs.ExcludeDraws(2, f.Archive.LastIndex(0));
  EXPECT_EQ(f.Combs.Count(), 178365 - 10 - 2);
  EXPECT_EQ(f.Combs.Journal().size(), 2u);
}

TEST(CombWorkspace, ExcludeLastDrawsOnAnEmptyArchiveKeepsEverything) {
  TWorkspaceFixture f;
  f.Set({MakeComb(0, 5, 6, 7), MakeComb(0, 0, 0, 0)});
  f.Combs.TakeUndo(false);
  f.Combs.ExcludeLastDraws(5, f.Archive.LastIndex(0));
  EXPECT_EQ(f.Combs.Count(), 2);
}

TEST(CombWorkspace, MaskedDrawTestEqualsThePairwiseCount) {
  // Odd combinations from files and odd draws: repeated numbers, 0, numbers above 63.
  std::mt19937 rng(5);
  auto odd = [&] {
    std::uniform_int_distribution<int> pick(0, 9);
    const uint8_t pool[] = {0, 1, 2, 3, 5, 47, 63, 64, 200, 3};
    return MakeComb(pool[pick(rng)], pool[pick(rng)], pool[pick(rng)], pool[pick(rng)]);
  };
  TCombsArray combs(FullSet().begin(), FullSet().begin() + 3000);
  std::vector<TComb> draws = {MakeComb(1, 2, 3, 5), MakeComb(3, 2, 1, 4), MakeComb(5, 5, 1, 2),
                              MakeComb(0, 1, 2, 3), MakeComb(64, 1, 2, 3)};
  for (int i = 0; i < 3000; ++i) combs.push_back(odd());
  for (int i = 0; i < 40; ++i) draws.push_back(odd());
  TCombsArray fast, literal;
  KeepUndrawn(combs, draws, fast);
  KeepUndrawnLiteral(combs, draws, literal);
  EXPECT_EQ(fast, literal);
  EXPECT_LT(fast.size(), combs.size());
  EXPECT_GT(fast.size(), 0u);
}

TEST(CombWorkspace, BufferKeepsOneListPerKey) {
  TWorkspaceFixture f;
  f.Set({MakeComb(1, 2, 3, 4), MakeComb(5, 6, 7, 8)});
  f.Hooks.Statuses.clear();
  f.Combs.SaveBuffer(2, 5);
  EXPECT_EQ(f.Hooks.Statuses, (std::vector<std::string>{"Создание буфера комбинаций...", ""}));
  EXPECT_EQ(f.Combs.BufferCombs(), f.Combs.Combs());
  f.Combs.Paste("9 10 11 12");
  f.Combs.SaveBuffer(2, 5);  // same key: the buffer is not taken again
  EXPECT_EQ(f.Combs.BufferCombs().size(), 2u);
  EXPECT_FALSE(f.Combs.LoadBuffer(1, 5));
  EXPECT_FALSE(f.Combs.LoadBuffer(2, 4));
  EXPECT_EQ(f.Combs.Count(), 1);
  f.Hooks.Statuses.clear();
  EXPECT_TRUE(f.Combs.LoadBuffer(2, 5));
  EXPECT_EQ(f.Combs.Count(), 2);
  EXPECT_EQ(f.Hooks.Statuses, (std::vector<std::string>{"Загрузка буфера комбинаций...", ""}));
  f.Combs.InvalidateBuffer();
  EXPECT_FALSE(f.Combs.LoadBuffer(2, 5));
  EXPECT_FALSE(f.Combs.LoadBuffer(-1, -1));  // an empty buffer never loads
}

TEST(CombWorkspace, UndoIsOneStepAndMarkersAreRows) {
  TWorkspaceFixture f;
  f.Full();
  EXPECT_FALSE(f.Combs.HasUndo());
  f.Combs.TakeUndo(true);
  EXPECT_EQ(f.Hooks.Statuses.front(), "Создание файла отката...");
  f.Combs.DeleteRows({{0, 0}});
  f.Combs.Undo();
  EXPECT_EQ(f.Combs.Count(), 178365);
  f.Combs.Undo();  // nothing left to undo
  EXPECT_EQ(f.Combs.Count(), 178365);

  f.Combs.TakeUndo(false);
  f.Combs.DeleteRows({{0, 99}});
  f.Combs.RestoreUndo(false);  // scripts: the row stays, the marker follows
  f.Combs.AddUndoMarker();
  ASSERT_EQ(f.Combs.Journal().size(), 2u);
  EXPECT_EQ(f.Combs.Journal()[1].Caption, "Отмена последней операции");
  EXPECT_EQ(f.Combs.Journal()[1].Kind, TJournalKind::Undo);
  EXPECT_EQ(f.Combs.Journal()[1].Count, 178365);
  f.Combs.ClearJournal();
  EXPECT_TRUE(f.Combs.Journal().empty());
}

TEST(CombWorkspace, FindInArchiveSearchesHiddenDrawsNewestFirst) {
  std::vector<test::TDrawSpec> draws;
  for (int i = 1; i <= 40; ++i) {
    draws.push_back({100 + i, i % 2 ? 27 : 3, 15, i % 2 ? 3 : 27, 41, 5, "07/04/2014"});
  }
  draws.push_back({200, 1, 2, 3, 4, 9, "07/05/2014"});
  TWorkspaceFixture f(draws);
  const std::vector<int> found = f.Combs.FindInArchive(MakeComb(3, 15, 27, 41));
  ASSERT_EQ(found.size(), 26u);
  EXPECT_EQ(found.front(), 39);
  EXPECT_EQ(found.back(), 14);

  f.Combs.ShowFindInArchive(MakeComb(4, 3, 2, 1));  // only the newest draw has it
  ASSERT_EQ(f.Hooks.Messages.size(), 1u);
  EXPECT_EQ(f.Hooks.Messages[0].Kind, TMessageKind::Information);
  EXPECT_EQ(f.Hooks.Messages[0].Text, "Выделенная комбинация найдена в следующих тиражах:\r\r" +
                                          DrawText(f.Archive.Draws[40]));
  f.Combs.ShowFindInArchive(MakeComb(3, 15, 27, 40));
  EXPECT_EQ(f.Hooks.Messages[1].Text, "Выделенная комбинация не найдена архиве тиражей!");
}

TEST(CombWorkspace, DistinctNumbersMessage) {
  TWorkspaceFixture f;
  f.Set({MakeComb(1, 2, 3, 4), MakeComb(4, 5, 6, 7), MakeComb(1, 1, 1, 1)});
  f.Combs.ShowDistinctNumbers();
  ASSERT_EQ(f.Hooks.Messages.size(), 1u);
  EXPECT_EQ(f.Hooks.Messages[0].Text,
            "В текущем списке комбинаций содержится 7 уникальных номеров");
  f.Full();
  EXPECT_EQ(f.Combs.DistinctNumbers(), 47);
}

TEST(CombListView, ColumnsColoursAndCount) {
  TWorkspaceFixture f;
  f.Set({MakeComb(3, 15, 27, 41), MakeComb(47, 1, 9, 2)});
  const TCombListView view(f.Combs, true, 8);
  EXPECT_EQ(TCombListView::Captions()[0], "№ п.п.");
  EXPECT_EQ(TCombListView::Captions()[5], "S");
  const std::vector<std::string> row2 = {view.Text(1, 0), view.Text(1, 1), view.Text(1, 2),
                                         view.Text(1, 3), view.Text(1, 4), view.Text(1, 5)};
  EXPECT_EQ(row2, (std::vector<std::string>{"2", "47", "1", "9", "2", "59"}));
  EXPECT_EQ(view.Text(2, 1), "");  // beyond the list
  EXPECT_EQ(view.Background(0, 1), ChannelColor(3, 8));
  EXPECT_EQ(view.Background(1, 1), ChannelColor(47, 8));
  EXPECT_FALSE(view.Background(0, 0));
  EXPECT_FALSE(view.Background(0, 5));
  EXPECT_FALSE(TCombListView(f.Combs, false, 8).Background(0, 1));
  EXPECT_EQ(CombCountText(178365), "Комбинаций: 178365");
  EXPECT_EQ(JournalCaptions()[0], "Примененные фильтры");
  const TJournalRow row{"NUMS", "7; 8", 12, TJournalKind::Include};
  EXPECT_EQ(JournalText(row, 1), "7; 8");
  EXPECT_EQ(JournalText(row, 2), "12");
}

TEST(CombListView, EnableRules) {
  TWorkspaceFixture f({{1, 1, 2, 3, 4, 1, ""}});
  TDrawArchive empty;
  const TCombsScreenState none;
  TCombsScreenState all;
  all.HasSelection = all.HasFocusedRow = all.ClipboardHasText = true;
  all.ExcludeCount = 3;
  using C = TCombsCommand;
  auto enabled = [&](C c, const TDrawArchive& a, const TCombsScreenState& s) {
    return CombsCommandEnabled(c, f.Combs, a, s);
  };
  // Empty list: only what makes or reads a list.
  for (C c : {C::Generate, C::Open, C::DistinctNumbers, C::Paste}) {
    EXPECT_TRUE(enabled(c, f.Archive, all)) << int(c);
  }
  for (C c : {C::Save, C::Copy, C::SelectAll, C::DeleteSelected, C::ExcludeDraws, C::Undo,
              C::FindInArchive}) {
    EXPECT_FALSE(enabled(c, f.Archive, all)) << int(c);
  }
  f.Full();
  for (C c :
       {C::Save, C::Copy, C::SelectAll, C::DeleteSelected, C::ExcludeDraws, C::FindInArchive}) {
    EXPECT_TRUE(enabled(c, f.Archive, all)) << int(c);
  }
  for (C c : {C::Paste, C::DeleteSelected, C::ExcludeDraws, C::FindInArchive}) {
    EXPECT_FALSE(enabled(c, f.Archive, none)) << int(c);
  }
  EXPECT_FALSE(enabled(C::ExcludeDraws, empty, all));
  EXPECT_FALSE(enabled(C::Undo, f.Archive, all));
  f.Combs.DeleteRows({{0, 0}});
  EXPECT_TRUE(enabled(C::Undo, f.Archive, none));
  f.Combs.Undo();
  EXPECT_FALSE(enabled(C::Undo, f.Archive, none));  // until the next narrowing step
}

}  // namespace vetrilo
