#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

namespace {

std::string Record(int32_t number, std::array<uint8_t, 4> balls, uint8_t extra,
                   const std::string& date, uint8_t lengthByte) {
  std::string r(20, '\0');
  for (int i = 0; i < 4; ++i) r[size_t(i)] = char((uint32_t(number) >> (8 * i)) & 0xFF);
  for (int i = 0; i < 4; ++i) r[size_t(4 + i)] = char(balls[size_t(i)]);
  r[8] = char(extra);
  r[9] = char(lengthByte);
  for (size_t i = 0; i < date.size() && i < 10; ++i) r[10 + i] = date[i];
  return r;
}

TDrawArchive TenDraws() {
  TDrawArchive a;
  for (int n = 501; n <= 510; ++n) {
    TDrawRec d;
    d.Number = n;
    d.Balls = {uint8_t(n % 40 + 1), uint8_t(n % 40 + 2), uint8_t(n % 40 + 3), uint8_t(n % 40 + 4)};
    d.Extra = 9;
    d.Date = "07/04/2014";
    a.Draws.push_back(d);
  }
  return a;
}

}  // namespace

TEST(DrawArchive, WellFormedFileRoundTripsByteForByte) {
  TTempDir dir;
  std::string bytes;
  bytes += Record(512, {3, 15, 27, 41}, 9, "07/04/2014", 10);
  bytes += Record(-1, {47, 1, 2, 3}, 17, "\xC4\xE0\xF2\xE0", 4);  // "Дата" in CP1251
  bytes += Record(0x12345678, {0, 0, 0, 0}, 0, "", 0);
  bytes += Record(514, {1, 2, 3, 4}, 1, "1/2/2015", 8);
  bytes += Record(515, {5, 6, 7, 8}, 2, "12/31/2099", 10);
  ASSERT_EQ(bytes.size(), 100u);
  WriteFile(dir.File("a.ldr"), bytes);
  TDrawArchive a;
  a.LoadFromFile(dir.File("a.ldr"));
  ASSERT_EQ(a.Count(), 5);
  EXPECT_EQ(a.Draws[0].Number, 512);
  EXPECT_EQ(a.Draws[1].Number, -1);
  EXPECT_EQ(a.Draws[1].Date, "Дата");
  EXPECT_EQ(DrawText(a.Draws[0]), "Тираж № 512 от 07/04/2014, значения: 3;15;27;41 e:9");
  a.SaveToFile(dir.File("b.ldr"));
  EXPECT_EQ(ReadFile(dir.File("b.ldr")), bytes);
}

TEST(DrawArchive, BadRecordsAreReadSafely) {
  // Trailing bytes are ignored; a date length above 10 reads as 10.
  std::string bytes = Record(7, {1, 2, 3, 4}, 5, "0123456789", 200) + "xyz";
  const TDrawsArray draws = ParseDrawRecords(bytes);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].Date, "0123456789");
  EXPECT_EQ(SerializeDrawRecords(draws).size(), 20u);
  EXPECT_TRUE(ParseDrawRecords("short").empty());
}

TEST(DrawArchive, FailuresLeaveFilesAndMemoryAlone) {
  TTempDir dir;
  TDrawArchive a = TenDraws();
  std::filesystem::create_directory(dir.File("dir.ldr"));
  EXPECT_THROW(a.LoadFromFile(dir.File("dir.ldr")), EVetrilo);
  EXPECT_THROW(a.SaveToFile(dir.File("dir.ldr")), EVetrilo);
  EXPECT_TRUE(DirectoryExists(dir.File("dir.ldr")));
  WriteFile(dir.File("file"), "x");
  EXPECT_THROW(a.SaveToFile(dir.File("file/sub.ldr")), EVetrilo);
  EXPECT_EQ(ReadFile(dir.File("file")), "x");
  EXPECT_EQ(a.Count(), 10);
}

TEST(DrawArchive, OffsetLookups) {
  const TDrawArchive a = TenDraws();
  EXPECT_EQ(a.LastIndex(3), 6);
  EXPECT_EQ(a.Draws[size_t(a.LastIndex(3))].Number, 507);
  EXPECT_EQ(a.NextDrawNumber(3), 508);
  EXPECT_EQ(a.NextDrawNumber(0), 511);
  EXPECT_EQ(a.NextDrawNumber(10), -1);
  EXPECT_EQ(a.NextDrawNumber(-1), -1);
  EXPECT_EQ(a.TargetDrawText(3), CombListText(a.Draws[7].Comb()));
  EXPECT_EQ(a.TargetDrawText(0), "");
  EXPECT_EQ(a.TargetNumbers(3).Count(), 4);
  EXPECT_EQ(a.TargetNumbers(0).Count(), 0);
  EXPECT_EQ(a.DrawDateKey(0, 2), 20140706);
  const TDrawArchive empty;
  EXPECT_EQ(empty.NextDrawNumber(0), 1);
  EXPECT_EQ(empty.DrawDateKey(0, 0), 20140704);
  EXPECT_EQ(empty.TargetDrawText(1), "");
}

TEST(DrawArchive, GetDrawOutsideIsZeroAndSortedCopiesSort) {
  const TDrawArchive a = MakeArchive({{1, 30, 5, 17, 2, 3, "07/04/2014"}});
  EXPECT_EQ(a.GetDraw(-1, false).Number, 0);
  EXPECT_EQ(a.GetDraw(1, true).Balls, (std::array<uint8_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(a.GetDraw(0, true).Balls, (std::array<uint8_t, 4>{2, 5, 17, 30}));
  EXPECT_EQ(a.Draws[0].Balls, (std::array<uint8_t, 4>{30, 5, 17, 2}));
}

TEST(DrawArchive, FindDrawIndex) {
  const TDrawArchive gapped = MakeArchive({{10, 1, 2, 3, 4, 0, ""},
                                           {12, 1, 2, 3, 4, 0, ""},
                                           {13, 1, 2, 3, 4, 0, ""},
                                           {20, 1, 2, 3, 4, 0, ""},
                                           {21, 1, 2, 3, 4, 0, ""}});
  struct TCase {
    int Number, Expected;
  };
  for (const TCase c : {TCase{10, 0},
                        {21, 4},
                        {12, 1},
                        {13, 2},
                        {20, 3},
                        {11, -1},
                        {5, -1},
                        {99, -1},
                        {-2147483647, -1}}) {
    EXPECT_EQ(gapped.FindDrawIndex(c.Number), c.Expected) << c.Number;
  }
  // First and last with the same number (or a descending archive): no division, full scan.
  const TDrawArchive same =
      MakeArchive({{7, 1, 2, 3, 4, 0, ""}, {3, 1, 2, 3, 4, 0, ""}, {7, 1, 2, 3, 4, 0, ""}});
  EXPECT_EQ(same.FindDrawIndex(3), 1);
  EXPECT_EQ(same.FindDrawIndex(4), -1);
  const TDrawArchive descending =
      MakeArchive({{9, 1, 2, 3, 4, 0, ""}, {8, 1, 2, 3, 4, 0, ""}, {5, 1, 2, 3, 4, 0, ""}});
  EXPECT_EQ(descending.FindDrawIndex(8), 1);
  EXPECT_EQ(TDrawArchive().FindDrawIndex(1), -1);
}

TEST(DrawArchive, DeleteDraw) {
  TDrawArchive a = TenDraws();
  a.DeleteDraw(0);
  EXPECT_EQ(a.Count(), 9);
  EXPECT_EQ(a.Draws[0].Number, 502);
  try {
    a.DeleteDraw(-1);
    FAIL();
  } catch (const EVetrilo& e) {
    EXPECT_EQ(std::string(e.what()), "Запись со индексом -1 в файле данных не найдена!");
  }
  EXPECT_THROW(a.DeleteDraw(9), EVetrilo);
}

}  // namespace vetrilo
