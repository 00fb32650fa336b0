#include <gtest/gtest.h>

#include <set>

#include "core/ini_file.h"
#include "stats/stat_registry.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TStatFixture;
using test::TTempDir;
using test::WriteFile;

TEST(StatRegistry, EveryBuiltClassMatchesItsRow) {
  const auto table = StatClassTable();
  ASSERT_EQ(table.size(), 143u);
  int enabled = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    const TStatClassRow& row = table[i];
    EXPECT_EQ(row.No, int(i) + 1);
    enabled += row.Enabled ? 1 : 0;
    if (!row.Class) continue;
    const TStatClass& cls = row.Class();
    SCOPED_TRACE(row.ClassName);
    EXPECT_EQ(cls.ClassName(), row.ClassName);
    EXPECT_EQ(cls.GetCode(), row.Code);
    EXPECT_EQ(cls.GetGroup(), row.Group);
    EXPECT_EQ(FlagLetters(cls.GetAllFlags()), row.Flags);
    EXPECT_EQ(cls.IsEnabled(), row.Enabled);
    EXPECT_EQ(cls.HasParamRange(), std::string(row.Code).find("%d") != std::string::npos);
  }
  EXPECT_EQ(enabled, 129);
}

TEST(StatRegistry, BuildMethodsExpandsRangesInTableOrderWithUniqueCodes) {
  TStatFixture f;
  std::set<std::string> codes;
  int last = -1;
  for (const TStatMethod& m : f.List.Methods) {
    EXPECT_TRUE(codes.insert(m.Code()).second) << m.Code();
    // Entries follow the table order.
    int row = -1;
    for (const TStatClassRow& r : StatClassTable()) {
      if (r.Class && &r.Class() == m.Stat) row = r.No;
    }
    EXPECT_GE(row, last);
    last = row;
  }
  for (const char* code : {"NUMS", "POS1", "POS4", "POE1"}) EXPECT_GE(f.List.FindByCode(code), 0);
  EXPECT_EQ(f.List.FindByCode("POS5"), -1);
  EXPECT_EQ(f.List.FindByCode("nums"), f.List.FindByCode("NUMS"));
  EXPECT_TRUE(f.List.AllFavorites);
  EXPECT_TRUE(f.List.ShowGroupName);
}

TEST(StatRegistry, CaptionsWithGroupPrefixAndFlagSuffix) {
  TStatFixture f;
  const int nums = f.List.FindByCode("NUMS");
  const int pos2 = f.List.FindByCode("POS2");
  const int poe = f.List.FindByCode("POE1");
  EXPECT_EQ(f.List.MethodCaption(nums, true), "{ num } Числа тиража [ N ]");
  EXPECT_EQ(f.List.MethodCaption(nums, false), "{ num } Числа тиража");
  EXPECT_EQ(f.List.MethodCaption(pos2, true), "{ num } Число в 2 позиции тиража [ SNG ]");
  EXPECT_EQ(f.List.MethodCaption(poe, true),
            "{ num } Extra (Bonus, Star...) - число (!без фильтра!) [ G ]");
  f.List.ShowGroupName = false;
  f.List.ShowMethodFlags = false;
  EXPECT_EQ(f.List.MethodCaption(nums, true), "Числа тиража");
  f.List.Methods[size_t(nums)].UserCaption = "Мои числа";
  EXPECT_EQ(f.List.MethodCaption(nums, true), "Мои числа");
  EXPECT_EQ(GroupTitle(1), "{ sum } Сумма чисел тиража");
  EXPECT_EQ(GroupTitle(13), "#ERROR#");
}

TEST(StatRegistry, Favourites) {
  TStatFixture f;
  f.List.ApplyFavoritesText("nums,POS2");
  EXPECT_FALSE(f.List.AllFavorites);
  EXPECT_TRUE(f.List.Item(f.List.FindByCode("NUMS")).Favorite);
  EXPECT_TRUE(f.List.Item(f.List.FindByCode("POS2")).Favorite);
  EXPECT_FALSE(f.List.Item(f.List.FindByCode("POS1")).Favorite);
  EXPECT_EQ(f.List.FavoritesText(), "NUMS,POS2");
  f.List.ApplyFavoritesText("NUMS, POS2");  // words are not trimmed
  EXPECT_FALSE(f.List.Item(f.List.FindByCode("POS2")).Favorite);
  for (TStatMethod& m : f.List.Methods) m.Favorite = false;
  f.List.NormalizeFavorites();
  EXPECT_TRUE(f.List.AllFavorites);
  EXPECT_TRUE(f.List.Item(0).Favorite);
  f.List.ApplyFavoritesText("  ");
  EXPECT_TRUE(f.List.AllFavorites);
  EXPECT_EQ(f.List.FavoritesText(), "");
}

TEST(StatRegistry, MethodListFileRoundTrip) {
  TTempDir dir;
  const std::string flt = dir.File("Vetrilo_4d47.flt");
  TStatFixture f;
  f.List.Language = 1049;
  f.List.ApplyFavoritesText("NUMS,POS1");
  f.List.Ordered = true;
  f.List.Methods[size_t(f.List.FindByCode("POS1"))].UserCaption = "Первое число";
  std::string error;
  ASSERT_TRUE(f.List.SaveMethodSettings(flt, true, false, &error)) << error;
  const TIniData saved = TIniFile(flt).Load();
  EXPECT_EQ(saved.ReadString("FILTERS", "Favorites", ""), "NUMS,POS1");
  EXPECT_EQ(saved.ReadSection("STRINGS_RUS"), std::vector<std::string>{"POS1"});

  TStatFixture g;
  g.List.Language = 1049;
  ASSERT_TRUE(g.List.LoadMethodSettings(flt, true, &error));
  EXPECT_FALSE(g.List.AllFavorites);
  EXPECT_TRUE(g.List.Ordered);
  EXPECT_TRUE(g.List.Item(g.List.FindByCode("POS1")).Favorite);
  EXPECT_FALSE(g.List.Item(g.List.FindByCode("POS2")).Favorite);
  EXPECT_EQ(g.List.Item(g.List.FindByCode("POS1")).UserCaption, "Первое число");

  // All captions; the language section is rewritten from scratch.
  ASSERT_TRUE(g.List.SaveMethodSettings(flt, false, true, &error));
  EXPECT_EQ(TIniFile(flt).Load().ReadSection("STRINGS_RUS").size(), g.List.Methods.size());
  EXPECT_EQ(TIniFile(flt).ReadString("STRINGS_RUS", "NUMS", ""), "Числа тиража");
  // Another language reads no captions.
  g.List.Language = 1033;
  ASSERT_TRUE(g.List.LoadMethodSettings(flt, false, &error));
  EXPECT_EQ(g.List.Item(0).UserCaption, "");
}

TEST(StatRegistry, MethodListFileFailures) {
  TTempDir dir;
  TStatFixture f;
  std::string error;
  EXPECT_TRUE(f.List.LoadMethodSettings(dir.File("missing.flt"), true, &error));
  std::filesystem::create_directory(dir.File("dir.flt"));
  f.List.Methods[0].UserCaption = "keep";
  EXPECT_FALSE(f.List.LoadMethodSettings(dir.File("dir.flt"), true, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(f.List.Methods[0].UserCaption, "keep");
  EXPECT_FALSE(f.List.SaveMethodSettings(dir.File("dir.flt"), true, true, &error));
}

TEST(StatRegistry, EngineSettingsDefaultsAndRoundTrip) {
  TTempDir dir;
  const TIniFile ini(dir.File("Vetrilo_4d47.ini"));
  TStatList list;
  list.LoadEngineSettings(ini);
  list.LoadGenerateSettings(ini);
  list.LoadShredding(ini);
  EXPECT_EQ(list.MatrixCols, 8);
  EXPECT_EQ(list.ChannelSize, 8);
  EXPECT_EQ(list.MaxStake, 4);
  EXPECT_EQ(list.Cost, 0);
  EXPECT_TRUE(list.Profits.empty());
  EXPECT_EQ(list.Cdl.DeviationWeight, -1.0L);
  EXPECT_EQ(list.Cdl.LevelWeight, 1.0L);
  EXPECT_EQ(list.MatrixSegmentsText(), std::string(47, '1'));
  EXPECT_EQ(list.Formula[0], "(n1+n2+n3)/(n4+n5)");
  EXPECT_EQ(list.FormulaDigits[2], 2);

  WriteFile(ini.Path(),
            "[GLOBAL]\r\nMatrixSegments=12x\r\nChannelSize=abc\r\n[STAKES]\r\nCost=1.5\r\n"
            "Profits=2\r\nProfit_0_Overlap=3\r\nProfit_0_Profit=10\r\nProfit_1_Overlap=4\r\n"
            "Profit_1_Profit=1000.25\r\n[CDL]\r\nUsePercents=2\r\n[SHREDDING]\r\n"
            "Formula2Digits=9\r\nFormula3Digits=5\r\n");
  list.LoadEngineSettings(ini);
  list.LoadShredding(ini);
  EXPECT_EQ(list.MatrixSegments[0], 1);
  EXPECT_EQ(list.MatrixSegments[1], 2);
  EXPECT_EQ(list.MatrixSegments[2], 1);  // not a digit
  EXPECT_EQ(list.ChannelSize, 8);        // not a number
  EXPECT_EQ(list.Cost, 15000);
  ASSERT_EQ(list.Profits.size(), 2u);
  EXPECT_EQ(list.Profits[1].Profit, 10002500);
  EXPECT_TRUE(list.Cdl.UsePercents);
  EXPECT_EQ(list.FormulaDigits[1], 2);  // out of 1..5
  EXPECT_EQ(list.FormulaDigits[2], 5);
  EXPECT_EQ(list.StakeOutcome(4, 3), 100000 - 15000);

  list.SaveEngineSettings(ini);
  TStatList again;
  again.LoadEngineSettings(ini);
  EXPECT_EQ(again.MatrixSegmentsText(), list.MatrixSegmentsText());
  EXPECT_EQ(again.Cost, 15000);
  EXPECT_EQ(again.Profits[1].Profit, 10002500);
  EXPECT_EQ(TIniFile(ini.Path()).ReadString("STAKES", "Cost", ""), "1.5");
  EXPECT_TRUE(again.Cdl.UsePercents);
}

TEST(StatRegistry, HugeProfitCountIsBounded) {
  TTempDir dir;
  const TIniFile ini(dir.File("x.ini"));
  WriteFile(ini.Path(), "[STAKES]\r\nProfits=2000000000\r\n");
  TStatList list;
  list.LoadEngineSettings(ini);
  EXPECT_LE(list.Profits.size(), 255u);
}

TEST(StatRegistry, LanguageNames) {
  EXPECT_EQ(LanguageAbbreviation(1049), "RUS");
  EXPECT_EQ(LanguageAbbreviation(1033), "ENU");
  EXPECT_EQ(LanguageAbbreviation(1058), "UKR");
  TStatList list;
  EXPECT_EQ(list.CaptionsSection(), "STRINGS_ENU");
}

}  // namespace vetrilo
