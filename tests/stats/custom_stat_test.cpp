#include <gtest/gtest.h>

#include "stats/families/numbers.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::TStatFixture;
using test::TTempDir;
using test::WriteFile;

namespace {

// A minimal class with a reference draw and no parsing, to exercise the base.
class TstProbe : public TCustomNumbersStat {
 public:
  using TCustomNumbersStat::TCustomNumbersStat;
  static constexpr const char* kClassName = "TstProbe";
  static constexpr const char* kCode = "PRB%d";
  static constexpr const char* kCaption = "Проба %0:d";
  static constexpr const char* kHelpCode = "PRBx";
  static constexpr int kGroup = 1;
  static constexpr uint8_t kFlags = kFlagD;
  static constexpr bool kCanParse = false;
  bool CombMatches(TComb, const TStatDrawArray&, int, bool, bool) override { return false; }
};

}  // namespace

TEST(CustomStat, LoadDrawsAndReferenceDraw) {
  TStatFixture f({{1, 30, 5, 17, 2, 1, ""}, {2, 9, 8, 7, 6, 2, ""}});
  auto probe = ClassOf<TstProbe>().Create(f.List, 3);
  probe->LoadDraws(-1, 1, true);
  EXPECT_EQ(probe->Draw.Number, 0);
  EXPECT_EQ(probe->RefDraw.Balls, (std::array<uint8_t, 4>{6, 7, 8, 9}));
  probe->LoadDraws(0, 1, false);
  EXPECT_EQ(probe->Draw.Balls, (std::array<uint8_t, 4>{30, 5, 17, 2}));
  EXPECT_EQ(probe->GetDraw(2, false).Number, 0);
  EXPECT_EQ(probe->GetName(), "Проба 3");
  EXPECT_EQ(probe->ParseValue("12"), 0);  // cannot parse: always 0
  EXPECT_EQ(ClassOf<TstProbe>().GetCodeFor(3), "PRB3");
  EXPECT_EQ(FlagLetters(ClassOf<TstProbe>().GetAllFlags()), "D");

  // A class without flag D leaves RefDraw alone.
  auto nums = f.Stat("NUMS");
  nums->LoadDraws(0, 1, false);
  EXPECT_EQ(nums->RefDraw.Number, 0);
}

TEST(CustomStat, DrawValuesPrepareWork) {
  TStatFixture f({{7, 1, 2, 3, 4, 1, ""}, {8, 5, 6, 7, 8, 2, ""}, {9, 9, 10, 11, 12, 3, ""}});
  auto nums = f.Stat("NUMS");
  const TStatDrawArray list = DrawValues(*nums, 1, 2, false);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].LastDraw, 8);
  EXPECT_EQ(list[0].PrevDraw, 8);
  EXPECT_EQ(list[0].Ago, 2);
  EXPECT_EQ(list[0].Count, 1);
}

TEST(CustomStat, HelpLinkNeedsTheFile) {
  TTempDir dir;
  const TStatClass& pos = ClassOf<TstPosVal>();
  EXPECT_EQ(pos.GetHelpLink(2, ""), "");
  EXPECT_EQ(pos.GetHelpLink(2, dir.File("index.html")), "");
  WriteFile(dir.File("index.html"), "x");
  EXPECT_EQ(pos.GetHelpLink(2, dir.File("index.html")), dir.File("stats_num.html") + "#POSx");
}

TEST(CustomStat, FindValueInDrawsSearchesHiddenDrawsToo) {
  TStatFixture f({{1, 1, 2, 3, 4, 1, ""}, {2, 5, 6, 7, 8, 1, ""}, {3, 1, 9, 10, 11, 1, ""}});
  auto nums = f.Stat("NUMS");
  TStatDrawRec one;
  one.SetWords(1);
  EXPECT_EQ(nums->FindValueInDraws(one, 1, 1, false), 3);  // draw 3 is hidden behind LastIndex 1
  EXPECT_EQ(nums->FindValueInDraws(one, 0, 1, false), 1);
  TStatDrawRec missing;
  missing.SetWords(40);
  EXPECT_EQ(nums->FindValueInDraws(missing, 0, 2, false), -1);
}

}  // namespace vetrilo
