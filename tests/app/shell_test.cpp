#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/data_lock.h"
#include "app/window_placement.h"
#include "test_support.h"

namespace vetrilo {
using test::TTempDir;

TEST(CommandLine, WordsWithEveryPrefixIgnoringCase) {
  const TCommandLine cl = TCommandLine::Parse(
      {"restart", "-LoadOnly", "--FULLRECREATE", "/fullrefresh", "\\No-Language", "--batch", "x"});
  EXPECT_TRUE(cl.Restart);
  EXPECT_TRUE(cl.LoadOnly);
  EXPECT_TRUE(cl.FullRecreate);
  EXPECT_TRUE(cl.FullRefresh);
  EXPECT_TRUE(cl.NoLanguage);
  EXPECT_TRUE(cl.Batch);
  EXPECT_EQ(cl.Unknown, std::vector<std::string>{"x"});
  EXPECT_FALSE(TCommandLine::Parse({"---restart", "fullrecreat"}).Restart);
  EXPECT_FALSE(TCommandLine::Parse({}).ExitsAfterJobs());
}

TEST(DataLock, OneHolderPerFolderAndReleasedWithTheHolder) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lsk");
  TDataLock first, second;
  std::string error;
  ASSERT_TRUE(first.Acquire(path, &error)) << error;
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  EXPECT_FALSE(second.Acquire(path, &error));
  EXPECT_FALSE(error.empty());
  first.Release();
  EXPECT_TRUE(second.Acquire(path, &error));
  // A folder that cannot hold the file.
  TDataLock third;
  EXPECT_FALSE(third.Acquire(dir.File("no/such/Vetrilo_4d47.lsk"), &error));
}

TEST(WindowPlacement, ResolutionKeysDensityAndScreens) {
  const TScreenInfo big{1920, 1080, 96, {{0, 0, 1920, 1040}}};
  const TScreenInfo small{1280, 1024, 96, {{0, 0, 1280, 984}}};
  TIniData ini = TIniData::Parse("");
  WritePlacement(ini, "TFormMain", {0, kShowMaximized, {-1, -1, -1, -1}, {100, 50, 1100, 750}},
                 big);
  EXPECT_EQ(ini.ReadString("TFormMain", "NormPos_1920x1080", ""), "100,50,1100,750");
  EXPECT_EQ(ini.ReadString("TFormMain", "NormPos", ""), "100,50,1100,750");
  ini.WriteString("TFormMain", "NormPos", "10,20,810,620");  // as if saved last at another size

  const TRect current{0, 0, 640, 480};
  auto atBig = ReadPlacement(ini, "TFormMain", big, current, false);
  ASSERT_TRUE(atBig);
  EXPECT_EQ(atBig->NormPos, (TRect{100, 50, 1100, 750}));
  EXPECT_EQ(atBig->ShowCmd, kShowMaximized);
  auto atSmall = ReadPlacement(ini, "TFormMain", small, current, false);
  ASSERT_TRUE(atSmall);
  EXPECT_EQ(atSmall->NormPos, (TRect{10, 20, 810, 620}));  // the plain key

  TScreenInfo dense = big;
  dense.PixelsPerInch = 120;
  EXPECT_FALSE(ReadPlacement(ini, "TFormMain", dense, current, false));
  EXPECT_FALSE(ReadPlacement(TIniData::Parse(""), "TFormMain", big, current, false));

  auto fixed = ReadPlacement(ini, "TFormMain", big, current, true);
  EXPECT_EQ(fixed->NormPos, (TRect{100, 50, 740, 530}));  // moved, not resized
}

TEST(WindowPlacement, OffScreenRectanglesComeBack) {
  const std::vector<TRect> areas{{0, 0, 1280, 1000}, {1280, 0, 2560, 1000}};
  EXPECT_EQ(BringOntoScreen({1500, 100, 1900, 400}, areas), (TRect{1500, 100, 1900, 400}));
  EXPECT_EQ(BringOntoScreen({5000, 3000, 5400, 3300}, areas), (TRect{880, 700, 1280, 1000}));
  EXPECT_EQ(BringOntoScreen({-900, -900, -100, -100}, areas), (TRect{0, 0, 800, 800}));
  EXPECT_EQ(ParseRectText(" 1, 2,3 ,4"), (TRect{1, 2, 3, 4}));
  EXPECT_FALSE(ParseRectText("1,2,3"));
  EXPECT_FALSE(ParseRectText("a,b,c,d"));
}

}  // namespace vetrilo

#include "app/list_columns.h"

namespace vetrilo {

TEST(ListColumns, WidthsSortAndFlagsRoundTrip) {
  TIniData ini = TIniData::Parse("[TFormMain]\r\nlvDraws.Column1=abc\r\n");
  TListColumns c = ReadListColumns(ini, "TFormMain", "lvDraws", 3);
  EXPECT_EQ(c.Widths, (std::vector<int>{-1, -1, -1}));
  EXPECT_FALSE(c.Sort);
  c.Widths = {50, -1, 80};
  c.Sort = {{2, 1}};
  WriteListColumns(ini, "TFormMain", "lvDraws", c);
  const TListColumns back = ReadListColumns(ini, "tformmain", "LVDRAWS", 3);
  EXPECT_EQ(back.Widths, (std::vector<int>{50, -1, 80}));
  ASSERT_TRUE(back.Sort);
  EXPECT_EQ(*back.Sort, std::make_pair(2, 1));
  EXPECT_EQ(ini.ReadString("TFormMain", "lvDraws.SortType", ""), "2,1");
  EXPECT_FALSE(back.GridLines);
}

}  // namespace vetrilo
