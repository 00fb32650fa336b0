#include "app/app_session.h"

#include <gtest/gtest.h>

#include "app/draw_list_view.h"
#include "core/file_io.h"
#include "fault_injection.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeDraws;
using test::ReadFile;
using test::TRecordingHooks;
using test::TTempDir;
using test::WriteFile;

namespace {

void WriteArchive(const std::string& path, int count) {
  TDrawsArray draws;
  for (int i = 0; i < count; ++i) {
    TDrawRec d;
    d.Number = 501 + i;
    d.Balls = {uint8_t(1 + i % 40), uint8_t(2 + i % 40), uint8_t(3 + i % 40), uint8_t(47)};
    d.Extra = 1;
    d.Date = "07/04/2014";
    draws.push_back(d);
  }
  WriteFile(path, SerializeDrawRecords(draws));
}

}  // namespace

TEST(AppSession, MissingArchiveIsEmptyAndSilent) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  EXPECT_TRUE(s.LoadArchive());
  EXPECT_EQ(s.Archive().Count(), 0);
  EXPECT_EQ(s.Archive().NextDrawNumber(s.DrawsOffset()), 1);
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_FALSE(s.Busy());
}

TEST(AppSession, LoadShowsStatusAndUnreadableArchiveGivesTheMessage) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  WriteArchive(s.Paths().ArchiveFile(), 10);
  EXPECT_TRUE(s.LoadArchive());
  EXPECT_EQ(s.Archive().Count(), 10);
  EXPECT_EQ(hooks.Statuses.front(), "Загрузка файла тиражей...");
  EXPECT_EQ(hooks.Statuses.back(), "");

  TTempDir other;
  std::filesystem::create_directory(other.File("Vetrilo_4d47.ldr"));
  TAppSession bad(TAppPaths::ForFolder(other.Path()), hooks);
  EXPECT_FALSE(bad.LoadArchive());
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Error);
  EXPECT_EQ(hooks.Messages[0].Text.rfind("Ошибка чтения файла тиражей!\r\r", 0), 0u);
  EXPECT_FALSE(bad.Busy());
}

TEST(AppSession, FailedSaveKeepsFileAndMemory) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  WriteArchive(s.Paths().ArchiveFile(), 3);
  const std::string before = ReadFile(s.Paths().ArchiveFile());
  ASSERT_TRUE(s.LoadArchive());
  s.MutableArchive().Draws.pop_back();
  {
    test::TFaultPlan full(1, ENOSPC);  // the write of the new archive
    EXPECT_FALSE(s.SaveArchive());
  }
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text.rfind("Ошибка записи в файл тиражей!\r\r", 0), 0u);
  EXPECT_EQ(s.Archive().Count(), 2);
  EXPECT_EQ(ReadFile(s.Paths().ArchiveFile()), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
  EXPECT_FALSE(s.Busy());

  // The same save where it can be written.
  TAppSession ok(TAppPaths::ForFolder(dir.File("ok")), hooks);
  ForceDirectory(ok.Paths().Dir);
  ok.MutableArchive() = s.Archive();
  EXPECT_TRUE(ok.SaveArchive());
  EXPECT_EQ(ReadFile(ok.Paths().ArchiveFile()).size(), 40u);
}

TEST(AppSession, OffsetIsClampedAndNotifies) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  WriteArchive(s.Paths().ArchiveFile(), 10);
  s.LoadArchive();
  uint32_t seen = 0;
  s.SetListener([&](uint32_t c) { seen |= c; });
  s.SetDrawsOffset(3);
  EXPECT_EQ(s.DrawsOffset(), 3);
  EXPECT_TRUE(seen & kChangeOffset);
  EXPECT_EQ(s.LastIndex(), 6);
  s.SetDrawsOffset(50);
  EXPECT_EQ(s.DrawsOffset(), 9);
  s.SetDrawsOffset(-4);
  EXPECT_EQ(s.DrawsOffset(), 0);
}

TEST(AppSession, OptionsAreSavedAtOnce) {
  TTempDir dir;
  TRecordingHooks hooks;
  {
    TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
    s.LoadOptions();
    EXPECT_FALSE(s.SortedDraws());
    EXPECT_TRUE(s.ColorDraws());
    s.SetSortedDraws(true);
    s.SetColorDraws(false);
  }
  const TIniData frm = TIniFile(dir.File("Vetrilo_4d47.frm")).Load();
  EXPECT_TRUE(frm.ReadBool("TFormMain", "SortedDraws", false));
  EXPECT_FALSE(frm.ReadBool("TFormMain", "ColorDraws", true));
  TAppSession again(TAppPaths::ForFolder(dir.Path()), hooks);
  again.LoadOptions();
  EXPECT_TRUE(again.SortedDraws());
  EXPECT_FALSE(again.ColorDraws());
}

TEST(AppSession, BusyGuardRestoresOnEveryExit) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  try {
    TBusyGuard outer(s, "Работа...");
    {
      TBusyGuard inner(s, "Ещё...");
      EXPECT_TRUE(s.Busy());
      s.SetStatus("Ещё... 50 %");
    }
    EXPECT_TRUE(s.Busy());
    EXPECT_EQ(hooks.Statuses.back(), "Работа...");
    // A status scope of the workspace nests the same way.
    s.Combs().TakeUndo(true);
    TBusyGuard inner(s, "Снова...");
    throw std::runtime_error("boom");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(s.Busy());
  EXPECT_EQ(hooks.BusyTransitions, 2);
  EXPECT_EQ(hooks.Statuses, (std::vector<std::string>{"Работа...", "Ещё...", "Ещё... 50 %",
                                                      "Работа...", "Создание файла отката...",
                                                      "Работа...", "Снова...", "Работа...", ""}));
  s.LeaveBusy();  // never below zero
  EXPECT_FALSE(s.Busy());
}

TEST(DrawListView, NewestFirstWithOffsetRowAndChannelColours) {
  TDrawArchive a;
  a.Draws = MakeDraws({{501, 30, 5, 17, 2, 9, "07/04/2014"}, {502, 1, 9, 47, 24, 3, "07/08/2014"}});
  const TDrawListView plain(a, 1, false, true, 8);
  EXPECT_EQ(plain.Text(0, TDrawListView::kNumber), "502");
  EXPECT_EQ(plain.Text(1, TDrawListView::kBall1), "30");
  EXPECT_EQ(plain.Text(1, TDrawListView::kSum), "54");
  EXPECT_EQ(plain.Text(1, TDrawListView::kExtra), "9");
  EXPECT_EQ(plain.Text(1, TDrawListView::kDate), "07/04/2014");
  EXPECT_EQ(plain.Background(1, TDrawListView::kDate), 0xFFAAAAu);   // the offset row
  EXPECT_EQ(plain.Background(0, TDrawListView::kBall1), 0xAAFFAAu);  // 1 is channel 1
  EXPECT_EQ(plain.Background(0, TDrawListView::kBall3), 0xFFD5AAu);  // 47 is channel 6
  EXPECT_EQ(plain.Background(0, TDrawListView::kDate), std::nullopt);
  const TDrawListView sorted(a, 0, true, false, 8);
  EXPECT_EQ(sorted.Text(1, TDrawListView::kBall1), "2");
  EXPECT_EQ(sorted.Background(1, TDrawListView::kBall1), std::nullopt);
  EXPECT_EQ(TDrawListView::Captions().back(), "Дата тиража");
}

}  // namespace vetrilo
