// What a change of the engine settings does to the registry: which cache groups
// it touches, and the method list built again with favourites and captions kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/ini_file.h"
#include "stats/families/grid_test_support.h"

namespace vetrilo {
using test::Numbered;
using test::TGridFixture;
using test::TTempDir;

TEST(SettingsChange, GroupMaskOfTheChangedSettings) {
  struct TCase {
    const char* Name;
    std::function<void(TStatList&)> Change;
    uint32_t Expected;
  };
  const TCase cases[] = {
      {"nothing", [](TStatList&) {}, 0},
      {"channel size", [](TStatList& l) { l.ChannelSize = 3; }, 8},
      {"matrix width", [](TStatList& l) { l.MatrixCols = 47; }, 16},
      {"one segment", [](TStatList& l) { l.MatrixSegments[46] = 2; }, 32},
      {"all three",
       [](TStatList& l) {
         l.ChannelSize = 0;
         l.MatrixCols = 1;
         test::SetSegments(l, "21");
       },
       8 | 16 | 32},
      {"ticket price", [](TStatList& l) { l.Cost = 10000; }, 0},
      {"favourites", [](TStatList& l) { l.ApplyFavoritesText("NUMS"); }, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TGridFixture before(8, 8);
    TStatList after = before.List;
    c.Change(after);
    EXPECT_EQ(ChangedSettingsMask(before.List, after), c.Expected);
    EXPECT_EQ(ChangedSettingsMask(after, before.List), c.Expected);
  }
}

namespace {

// A registry with favourites, captions and display options of its own.
void Personalise(TStatList& list) {
  list.Language = 1049;
  list.ApplyFavoritesText("NUMS,CHN2,CHN6,COL8,SGM1");
  list.Ordered = true;
  list.ShowGroupName = false;
  for (TStatMethod& m : list.Methods) {
    if (m.Code() == "CHN2") m.UserCaption = "Второй канал";
    if (m.Code() == "CHN6") m.UserCaption = "Шестой канал";
    if (m.Code() == "ROW3") m.UserCaption = "Третья строка";
  }
}

void NewSettings(TStatList& list) {
  list.ChannelSize = 12;
  list.MatrixCols = 4;
  test::SetSegments(list, std::string(23, '1') + std::string(24, '2'));
}

std::string CaptionOf(const TStatList& list, const std::string& code) {
  const int i = list.FindByCode(code);
  return i < 0 ? "<none>" : list.Item(i).UserCaption;
}

}  // namespace

TEST(SettingsChange, RebuildKeepsFavouritesAndCaptionsAndFollowsTheRanges) {
  TTempDir dir;
  const std::string flt = dir.File("Vetrilo_4d47.flt");
  TGridFixture f(8, 8);
  Personalise(f.List);
  NewSettings(f.List);

  std::string error;
  ASSERT_TRUE(f.List.RebuildMethods(flt, &error)) << error;
  EXPECT_EQ(f.Codes("CHN"), Numbered("CHN", 1, 4));
  EXPECT_EQ(f.Codes("COL"), Numbered("COL", 1, 4));
  EXPECT_EQ(f.Codes("ROW"), Numbered("ROW", 1, 12));
  EXPECT_EQ(f.Codes("SGM"), Numbered("SGM", 1, 2));
  // Favourites that still exist stay; the vanished ones go; new ones are not chosen.
  EXPECT_FALSE(f.List.AllFavorites);
  EXPECT_EQ(f.List.FavoritesText(), "NUMS,CHN2,SGM1");
  EXPECT_EQ(CaptionOf(f.List, "CHN2"), "Второй канал");
  EXPECT_EQ(CaptionOf(f.List, "ROW3"), "Третья строка");
  EXPECT_EQ(CaptionOf(f.List, "CHN6"), "<none>");
  EXPECT_EQ(CaptionOf(f.List, "NUMS"), "");
  EXPECT_TRUE(f.List.Ordered);
  EXPECT_FALSE(f.List.ShowGroupName);
  EXPECT_TRUE(f.List.ShowMethodFlags);
  // The file got the favourites and the user captions only.
  const TIniData saved = TIniFile(flt).Load();
  EXPECT_EQ(saved.ReadString("FILTERS", "Favorites", ""), "NUMS,CHN2,CHN6,COL8,SGM1");
  EXPECT_EQ(saved.ReadSection("STRINGS_RUS").size(), 3u);
}

TEST(SettingsChange, RebuildWithEveryMethodChosenListsTheNewOnes) {
  TTempDir dir;
  TGridFixture f(8, 8);
  f.List.ChannelSize = 3;
  std::string error;
  ASSERT_TRUE(f.List.RebuildMethods(dir.File("Vetrilo_4d47.flt"), &error)) << error;
  EXPECT_TRUE(f.List.AllFavorites);
  const int chn16 = f.List.FindByCode("CHN16");
  ASSERT_GE(chn16, 0);
  EXPECT_TRUE(f.List.IsListed(chn16));
}

TEST(SettingsChange, RebuildKeepsChoicesInMemoryWhenTheFileCannotBeSaved) {
  TTempDir dir;
  const std::string flt = dir.File("Vetrilo_4d47.flt");
  std::filesystem::create_directory(flt);
  TGridFixture f(8, 8);
  Personalise(f.List);
  NewSettings(f.List);

  std::string error;
  EXPECT_FALSE(f.List.RebuildMethods(flt, &error));
  EXPECT_EQ(error.rfind("Ошибка сохранения списка фильтров!\r\r", 0), 0u) << error;
  EXPECT_GT(error.size(), std::string("Ошибка сохранения списка фильтров!\r\r").size());
  EXPECT_EQ(f.Codes("CHN"), Numbered("CHN", 1, 4));
  EXPECT_EQ(f.List.FavoritesText(), "NUMS,CHN2,SGM1");
  EXPECT_EQ(CaptionOf(f.List, "CHN2"), "Второй канал");
  EXPECT_EQ(CaptionOf(f.List, "ROW3"), "Третья строка");
  EXPECT_TRUE(f.List.Ordered);
  EXPECT_FALSE(f.List.ShowGroupName);
}

}  // namespace vetrilo
