#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/errors.h"
#include "core/ini_file.h"
#include "stats/families/shredding.h"
#include "test_support.h"

namespace vetrilo {
using test::TRecordingHooks;
using test::TTempDir;

namespace {

int Index(const TAppSession& s, const char* code) {
  return s.StatList().FindByCode(code);
}

// Favourites and a user caption the rebuild must keep.
void PrepareMethods(TAppSession& s) {
  s.LoadOptions();
  s.StatList().ApplyFavoritesText("NUMS,SHR2");
  s.StatList().Methods[size_t(Index(s, "POS1"))].UserCaption = "Первое число";
}

}  // namespace

TEST(AppSessionShredding, OkStoresSavesAndRebuildsTheCaptions) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  PrepareMethods(s);
  uint32_t notified = 0;
  s.SetListener([&](uint32_t changes) { notified |= changes; });
  hooks.Statuses.clear();

  const uint32_t groups = s.ApplyShredding({"n1/7", "(n1+n2)/n3", "SQRT(n1)"}, {3, 9, 5});
  EXPECT_EQ(groups, 4096u);
  EXPECT_EQ(groups, GroupMask(12));

  const TStatList& list = s.StatList();
  EXPECT_EQ(list.Formula[0], "n1/7");
  EXPECT_EQ(list.FormulaDigits[0], 3);
  EXPECT_EQ(list.FormulaDigits[1], 2);  // outside 1..5
  EXPECT_EQ(list.FormulaDigits[2], 5);
  const TIniData ini = s.IniFile().Load();
  EXPECT_EQ(ini.ReadString("SHREDDING", "Formula1", ""), "n1/7");
  EXPECT_EQ(ini.ReadString("SHREDDING", "Formula3", ""), "SQRT(n1)");
  EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula1Digits", 0), 3);
  EXPECT_EQ(ini.ReadInteger("SHREDDING", "Formula2Digits", 0), 2);

  EXPECT_EQ(list.MethodCaption(Index(s, "SHR1"), true), "{ shr } Метод шинковки 1: n1/7 [ SNG ]");
  EXPECT_EQ(list.MethodCaption(Index(s, "SHR3"), false), "{ shr } Метод шинковки 3: SQRT(n1)");
  EXPECT_FALSE(list.AllFavorites);
  EXPECT_TRUE(list.Item(Index(s, "NUMS")).Favorite);
  EXPECT_TRUE(list.Item(Index(s, "SHR2")).Favorite);
  EXPECT_FALSE(list.Item(Index(s, "SHR1")).Favorite);
  EXPECT_EQ(list.Item(Index(s, "POS1")).UserCaption, "Первое число");

  auto stat = list.CreateStat(list.Item(Index(s, "SHR1")));
  EXPECT_EQ(static_cast<TstShreddingStat&>(*stat).Formula(), "n1/7");

  ASSERT_FALSE(hooks.Statuses.empty());
  EXPECT_EQ(hooks.Statuses.front(), "Сохранение файла конфигурации...");
  EXPECT_EQ(hooks.Statuses.back(), "");
  EXPECT_TRUE(hooks.Messages.empty());
  EXPECT_FALSE(s.Busy());
  EXPECT_TRUE(notified & kChangeOptions);

  // The next start reads what was saved.
  TAppSession next(TAppPaths::ForFolder(dir.Path()), hooks);
  next.LoadOptions();
  EXPECT_EQ(next.StatList().Formula[1], "(n1+n2)/n3");
  EXPECT_EQ(next.StatList().Item(Index(next, "POS1")).UserCaption, "Первое число");
  EXPECT_TRUE(next.StatList().Item(Index(next, "SHR2")).Favorite);
}

TEST(AppSessionShredding, AFailedSaveChangesNothing) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  PrepareMethods(s);
  std::filesystem::create_directory(s.Paths().IniFile());
  const auto formulas = s.StatList().Formula;
  try {
    s.ApplyShredding({"n1/7", "n2/7", "n3/7"}, {1, 1, 1});
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Ошибка записи в файл конфигурации!\r\r", 0), 0u);
  }
  EXPECT_EQ(s.StatList().Formula, formulas);
  EXPECT_EQ(s.StatList().FormulaDigits, (std::array<uint8_t, 3>{2, 2, 2}));
  EXPECT_EQ(s.StatList().MethodCaption(Index(s, "SHR1"), false),
            "{ shr } Метод шинковки 1: (n1+n2+n3)/(n4+n5)");
  EXPECT_FALSE(s.Busy());
  EXPECT_EQ(hooks.Statuses.back(), "");
}

TEST(AppSessionShredding, AnUnwritableMethodListKeepsFavouritesInMemory) {
  TTempDir dir;
  TRecordingHooks hooks;
  TAppSession s(TAppPaths::ForFolder(dir.Path()), hooks);
  PrepareMethods(s);
  std::filesystem::create_directory(s.Paths().FltFile());
  EXPECT_EQ(s.ApplyShredding({"n1/7", "n2/7", "n3/7"}, {1, 1, 1}), 4096u);
  ASSERT_EQ(hooks.Messages.size(), 1u);
  EXPECT_EQ(hooks.Messages[0].Text.rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u);
  const TStatList& list = s.StatList();
  EXPECT_EQ(list.MethodCaption(Index(s, "SHR2"), false), "{ shr } Метод шинковки 2: n2/7");
  EXPECT_FALSE(list.AllFavorites);
  EXPECT_TRUE(list.Item(Index(s, "SHR2")).Favorite);
  EXPECT_FALSE(list.Item(Index(s, "SHR3")).Favorite);
  EXPECT_EQ(list.Item(Index(s, "POS1")).UserCaption, "Первое число");
  EXPECT_EQ(s.IniFile().ReadString("SHREDDING", "Formula2", ""), "n2/7");
}

}  // namespace vetrilo
