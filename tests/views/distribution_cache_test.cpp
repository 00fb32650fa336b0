#include "views/distribution_cache.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "core/errors.h"
#include "core/file_io.h"
#include "fault_injection.h"
#include "stats/stat_test_support.h"

namespace vetrilo {
using test::ReadFile;
using test::TRecordingHooks;
using test::TStatFixture;
using test::TTempDir;
using test::WriteFile;

namespace {

TDfcRecord Rec(int w1, int w2, int w3, int w4, int32_t count) {
  TDfcRecord r;
  r.Value[0] = int16_t(w1), r.Value[1] = int16_t(w2), r.Value[2] = int16_t(w3),
  r.Value[3] = int16_t(w4);
  r.Count = count;
  return r;
}

const TStatMethod& MethodOf(const TStatList& list, const std::string& code) {
  return list.Item(list.FindByCode(code));
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> files;
  if (!std::filesystem::is_directory(dir)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST(DistributionFile, BytesAreLittleEndianRecordsThenTrailer) {
  TDistribution d;
  d.Records = {Rec(1, 0, -2, 0x1234, 15180), Rec(-1, 2, 0, 0, 70000)};
  d.MinCount = 15180;
  d.MaxCount = 70000;
  const std::string expected(
      "\x01\x00\x00\x00\xFE\xFF\x34\x12\x4C\x3B\x00\x00"
      "\xFF\xFF\x02\x00\x00\x00\x00\x00\x70\x11\x01\x00"
      "\x4C\x3B\x00\x00\x70\x11\x01\x00\x00\x00\x00\x00",
      36);
  EXPECT_EQ(SerializeDistribution(d), expected);
  const auto back = ParseDistribution(expected);
  ASSERT_TRUE(back);
  EXPECT_TRUE(*back == d);
}

TEST(DistributionFile, OnlyWholeRecordsWithATrailerAreUsable) {
  for (size_t size : {0, 1, 11, 13, 23, 25, 36 + 6}) {
    EXPECT_FALSE(ParseDistribution(std::string(size, '\0'))) << size;
    EXPECT_FALSE(ValidDistributionSize(size)) << size;
  }
  const auto trailerOnly = ParseDistribution(std::string(12, '\0'));
  ASSERT_TRUE(trailerOnly);
  EXPECT_TRUE(trailerOnly->Records.empty());
  EXPECT_EQ(ParseDistribution(std::string(36, '\0'))->Records.size(), 2u);
}

TEST(DistributionFile, NumsCountsEveryNumberInC46_3Combinations) {
  TStatFixture f;
  const TDistribution d = ComputeDistribution(f.List, MethodOf(f.List, "NUMS"));
  ASSERT_EQ(d.Records.size(), 47u);
  for (size_t i = 0; i < 47; ++i) {
    EXPECT_EQ(d.Records[i].Value[0], int(i) + 1);
    EXPECT_EQ(d.Records[i].Count, 15180);
  }
  EXPECT_EQ(d.MinCount, 15180);
  EXPECT_EQ(d.MaxCount, 15180);
}

// The parallel sliced computation against the plain single linear pass,
// for every method that has a norm, with several thread counts.
TEST(DistributionFile, FastEqualsLiteralForEveryMethodWithANorm) {
  TStatFixture f({{1, 1, 2, 3, 4, 5, "07/04/2014"}});
  int methods = 0;
  for (const TStatMethod& m : f.List.Methods) {
    if (!m.Stat->HasNorm()) continue;
    SCOPED_TRACE(m.Code());
    ++methods;
    const TDistribution literal = LiteralDistribution(f.List, m);
    EXPECT_TRUE(DistributionLooksWhole(literal));
    for (int threads : {1, 3}) {
      EXPECT_TRUE(ComputeDistribution(f.List, m, threads) == literal) << threads;
    }
  }
  EXPECT_GE(methods, 12);
  std::vector<const TStatMethod*> all;
  for (const TStatMethod& m : f.List.Methods) all.push_back(&m);
  size_t calls = 0;
  const auto many = ComputeDistributions(
      f.List, all, 2, [&](size_t index, const TDistribution&) { EXPECT_EQ(index, calls++); });
  ASSERT_EQ(many.size(), all.size());
  EXPECT_EQ(calls, all.size());
  EXPECT_TRUE(many[0] == LiteralDistribution(f.List, *all[0]));
}

// The families' own full-set loops under other settings: shredding formulas
// parsed once, parsed every time, constant or failing; other channel sizes,
// matrix widths and segment maps (a segment digit 0 among them).
TEST(DistributionFile, FastEqualsLiteralUnderOtherSettings) {
  struct TSettings {
    int ChannelSize;
    int MatrixCols;
    std::array<std::string, 3> Formulas;
    int (*SegmentOf)(int n);
  };
  const TSettings settings[] = {
      {5, 6, {"(n1+n2)/(n3+7)", "1/7", "n12/7"}, [](int n) { return n % 4 + 1; }},
      {13,
       10,
       {"n1*n4/(n2+n3)", "SQRT(n1)+n2/9", "(n1+n2+n3)/(n4+n5)"},
       [](int n) { return n <= 20 ? 2 : 7; }},
      {47, 3, {"p1+n1/3", "n1/(n2-n2)", "(n1"}, [](int n) { return n % 3; }},
  };
  const char* codes[] = {"CHAN", "COLS", "ROWS", "SGMS", "CHNV", "COLV", "ROWV", "SGMV", "CHNC",
                         "COLN", "ROWN", "SGMC", "CHN1", "COL2", "ROW2", "SHR1", "SHR2", "SHR3"};
  for (const TSettings& s : settings) {
    TStatFixture f;
    f.List.ChannelSize = s.ChannelSize;
    f.List.MatrixCols = s.MatrixCols;
    f.List.Formula = s.Formulas;
    f.List.FormulaDigits = {2, 3, 1};
    for (int n = 1; n <= 47; ++n) f.List.MatrixSegments[size_t(n - 1)] = uint8_t(s.SegmentOf(n));
    f.List.BuildMethods();
    for (const char* code : codes) {
      SCOPED_TRACE(std::string(code) + " channel " + std::to_string(s.ChannelSize));
      const int i = f.List.FindByCode(code);
      ASSERT_GE(i, 0);
      const TStatMethod& m = f.List.Item(i);
      EXPECT_TRUE(ComputeDistribution(f.List, m, 2) == LiteralDistribution(f.List, m));
    }
  }
}

struct TCacheFixture : ::testing::Test {
  TTempDir Dir;
  TStatFixture Stats;
  TRecordingHooks Hooks;
  TPrefetchPlace Place{Dir.File("Prefetchs"), "Vetrilo_4d47"};
  const TStatMethod& Nums = MethodOf(Stats.List, "NUMS");
  std::string NumsFile = Dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc");
};

TEST_F(TCacheFixture, OpenCreatesTheMissingFileOnlyWhenEnabledAndWithANorm) {
  EXPECT_EQ(Place.FileName(Nums), NumsFile);
  EXPECT_FALSE(OpenDistribution(Stats.List, Nums, Place, false, Hooks));
  EXPECT_FALSE(OpenDistribution(Stats.List, MethodOf(Stats.List, "POE1"), Place, true, Hooks));
  EXPECT_FALSE(std::filesystem::exists(Place.Dir));

  const auto d = OpenDistribution(Stats.List, Nums, Place, true, Hooks);
  ASSERT_TRUE(d);
  EXPECT_TRUE(*d == LiteralDistribution(Stats.List, Nums));
  EXPECT_EQ(ReadFile(NumsFile), SerializeDistribution(*d));
  ASSERT_EQ(Hooks.Statuses.size(), 1u);
  EXPECT_EQ(Hooks.Statuses[0], "Создание файла предварительной выборки " + NumsFile + "...");
  EXPECT_TRUE(Hooks.Messages.empty());
  for (const auto& entry : std::filesystem::directory_iterator(Place.Dir)) {
    EXPECT_EQ(entry.path().string(), NumsFile);  // no temporary left beside it
  }
}

TEST_F(TCacheFixture, AValidFileIsReadAsItIsAndAnUnusableSizeIsRebuilt) {
  std::filesystem::create_directories(Place.Dir);
  TDistribution mine;
  mine.Records = {Rec(7, 0, 0, 0, kAllCombinations)};
  mine.MinCount = mine.MaxCount = kAllCombinations;
  WriteFile(NumsFile, SerializeDistribution(mine));
  const auto read = OpenDistribution(Stats.List, Nums, Place, true, Hooks);
  ASSERT_TRUE(read);
  EXPECT_TRUE(*read == mine);
  EXPECT_TRUE(Hooks.Statuses.empty());

  const std::string good = SerializeDistribution(LiteralDistribution(Stats.List, Nums));
  for (const std::string& bad :
       {std::string(), std::string(13, 'x'), SerializeDistribution(mine) + "abc"}) {
    WriteFile(NumsFile, bad);
    const auto rebuilt = OpenDistribution(Stats.List, Nums, Place, true, Hooks);
    ASSERT_TRUE(rebuilt) << bad.size();
    EXPECT_EQ(ReadFile(NumsFile), good) << bad.size();
  }
  EXPECT_TRUE(Hooks.Messages.empty());
}

TEST_F(TCacheFixture, UnusablePathsGiveTheMessagesAndNoDistribution) {
  // The cache folder is a regular file: nothing can be created below it.
  WriteFile(Place.Dir, "not a folder");
  EXPECT_FALSE(OpenDistribution(Stats.List, Nums, Place, true, Hooks));
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_EQ(Hooks.Messages[0].Kind, TMessageKind::Error);
  const std::string created =
      "Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: " + NumsFile +
      "\r\r";
  EXPECT_EQ(Hooks.Messages[0].Text.rfind(created, 0), 0u) << Hooks.Messages[0].Text;
  EXPECT_GT(Hooks.Messages[0].Text.size(), created.size());

  // A folder stands where the file should be: it cannot be opened.
  TTempDir other;
  TPrefetchPlace place{other.File("Prefetchs"), "Vetrilo_4d47"};
  std::filesystem::create_directories(place.FileName(Nums));
  Hooks.Messages.clear();
  EXPECT_FALSE(OpenDistribution(Stats.List, Nums, place, true, Hooks));
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_EQ(Hooks.Messages[0].Text.rfind(
                "Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: " +
                    place.FileName(Nums) + "\r\r",
                0),
            0u)
      << Hooks.Messages[0].Text;
  EXPECT_TRUE(std::filesystem::is_directory(place.FileName(Nums)));
}

TEST_F(TCacheFixture, RefreshCreatesMissingFilesAndRecreatesTheMaskedGroups) {
  EXPECT_EQ(RefreshDistributions(Stats.List, Place, false, false, kAllGroupsMask, Hooks), 0);
  EXPECT_FALSE(std::filesystem::exists(Place.Dir));

  int withNorm = 0, groupZeroWithNorm = 0;
  for (const TStatMethod& m : Stats.List.Methods) {
    withNorm += m.Stat->HasNorm() ? 1 : 0;
    groupZeroWithNorm += m.Stat->HasNorm() && m.Stat->GetGroup() == 0 ? 1 : 0;
  }
  EXPECT_EQ(RefreshDistributions(Stats.List, Place, true, false, 0, Hooks), withNorm);
  EXPECT_EQ(Hooks.Statuses.front(), "Создание файлов для полного набора комбинаций...");
  for (const TStatMethod& m : Stats.List.Methods) {
    EXPECT_EQ(FileExists(Place.FileName(m)), m.Stat->HasNorm()) << m.Code();
    // The contents of every method are compared with the literal oracle elsewhere.
    if (m.Stat->HasNorm() && m.Stat->GetGroup() == 0) {
      EXPECT_EQ(ReadFile(Place.FileName(m)),
                SerializeDistribution(LiteralDistribution(Stats.List, m)))
          << m.Code();
    }
  }

  // Existing files survive a mask of a group without a norm; the group's bit rebuilds them; a
  // missing one is always made.
  TDistribution whole;  // a file that passes the checks of a read cache
  whole.Records = {Rec(7, 0, 0, 0, kAllCombinations)};
  whole.MinCount = whole.MaxCount = kAllCombinations;
  const std::string marker = SerializeDistribution(whole);
  WriteFile(NumsFile, marker);
  std::filesystem::remove(Place.FileName(MethodOf(Stats.List, "DIGS")));
  EXPECT_EQ(RefreshDistributions(Stats.List, Place, false, true, GroupMask(7), Hooks), 1);
  EXPECT_EQ(ReadFile(NumsFile), marker);
  EXPECT_TRUE(FileExists(Place.FileName(MethodOf(Stats.List, "DIGS"))));
  EXPECT_EQ(RefreshDistributions(Stats.List, Place, false, true, GroupMask(0), Hooks),
            groupZeroWithNorm);
  EXPECT_NE(ReadFile(NumsFile), marker);
  EXPECT_TRUE(Hooks.Messages.empty());
}

TEST_F(TCacheFixture, AStoppedCreationWritesNothing) {
  // Before the first method, then within the slice the calling thread computes.
  for (int after : {0, 1, 2}) {
    SCOPED_TRACE(after);
    test::TStopHooks hooks;
    hooks.AfterPolls = after;
    EXPECT_THROW(OpenDistribution(Stats.List, Nums, Place, true, hooks), EStopped);
    EXPECT_EQ(hooks.Polls, after + 1);
    EXPECT_TRUE(FilesIn(Place.Dir).empty());
    EXPECT_TRUE(hooks.Messages.empty());
  }
  // An unusable file being rebuilt keeps its bytes: it is rebuilt when next needed.
  WriteFile(NumsFile, std::string(13, 'x'));
  test::TStopHooks hooks;
  hooks.AfterPolls = 1;
  EXPECT_THROW(CreateDistribution(Stats.List, Nums, Place, hooks), EStopped);
  EXPECT_EQ(ReadFile(NumsFile), std::string(13, 'x'));
  EXPECT_EQ(FilesIn(Place.Dir), std::vector<std::string>{NumsFile});
}

TEST_F(TCacheFixture, AStoppedRefreshKeepsTheFinishedFilesAndTouchesNoOther) {
  std::vector<const TStatMethod*> withNorm;
  for (const TStatMethod& m : Stats.List.Methods) {
    if (m.Stat->HasNorm()) withNorm.push_back(&m);
  }
  ASSERT_GT(withNorm.size(), 5u);
  // The last one exists and is to be rebuilt by its group's bit.
  const TStatMethod& last = *withNorm.back();
  const std::string marker(24, '\x02');
  std::filesystem::create_directories(Place.Dir);
  WriteFile(Place.FileName(last), marker);

  test::TStopHooks hooks;
  hooks.AtStatus = "Создание файла предварительной выборки ";
  hooks.AtStatusCount = 3;  // the third file is written, then the next method sees the stop
  EXPECT_THROW(
      RefreshDistributions(Stats.List, Place, true, true, GroupMask(last.Stat->GetGroup()), hooks),
      EStopped);
  std::vector<std::string> expected;
  for (size_t i = 0; i < 3; ++i) {
    expected.push_back(Place.FileName(*withNorm[i]));
    EXPECT_EQ(ReadFile(expected.back()),
              SerializeDistribution(LiteralDistribution(Stats.List, *withNorm[i])))
        << withNorm[i]->Code();
  }
  expected.push_back(Place.FileName(last));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FilesIn(Place.Dir), expected);
  EXPECT_EQ(ReadFile(Place.FileName(last)), marker);
  EXPECT_TRUE(hooks.Messages.empty());
}

TEST_F(TCacheFixture, RefreshStopsAtTheFirstFileThatCannotBeCreated) {
  WriteFile(Place.Dir, "not a folder");
  EXPECT_EQ(RefreshDistributions(Stats.List, Place, true, true, 0, Hooks), 0);
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_EQ(
      Hooks.Messages[0].Text.rfind("Ошибка создания файла данных для полного набора вариантов!", 0),
      0u);
}

// A file of a usable size whose content cannot be a distribution of the full
// set is rebuilt, however it came to be damaged.
TEST_F(TCacheFixture, DamagedContentIsRebuilt) {
  const TDistribution good = LiteralDistribution(Stats.List, Nums);
  ASSERT_TRUE(DistributionLooksWhole(good));
  const auto damage = [&](const std::function<void(TDistribution&)>& change) {
    TDistribution d = good;
    change(d);
    return d;
  };
  const std::pair<const char*, TDistribution> cases[] = {
      {"trailer", damage([](TDistribution& d) { d.MaxCount = 2147483559; })},
      {"no maximum", damage([](TDistribution& d) { d.MaxCount = 0; })},
      {"reserved", damage([](TDistribution& d) { d.Reserved = 1; })},
      {"count", damage([](TDistribution& d) { d.Records[3].Count += 1; })},
      {"zero count", damage([](TDistribution& d) { d.Records[0].Count = 0; })},
      {"order", damage([](TDistribution& d) { std::swap(d.Records[1], d.Records[2]); })},
      {"value twice",
       damage([](TDistribution& d) { d.Records[2].Value[0] = d.Records[1].Value[0]; })},
  };
  std::filesystem::create_directories(Place.Dir);
  for (const auto& [name, bad] : cases) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(DistributionLooksWhole(bad));
    WriteFile(NumsFile, SerializeDistribution(bad));
    const auto read = OpenDistribution(Stats.List, Nums, Place, true, Hooks);
    ASSERT_TRUE(read);
    EXPECT_TRUE(*read == good);
    EXPECT_EQ(ReadFile(NumsFile), SerializeDistribution(good));
  }
  EXPECT_TRUE(Hooks.Messages.empty());
}

namespace {

// The registry cut down to a few methods, so a refresh computes only them.
void KeepOnly(TStatList& list, const std::vector<std::string>& codes) {
  std::erase_if(list.Methods, [&](const TStatMethod& m) {
    return std::find(codes.begin(), codes.end(), m.Code()) == codes.end();
  });
}

}  // namespace

TEST(DistributionRefresh, AFailedWriteKeepsThePreviousFileAndTemporariesGoFirst) {
  TTempDir dir;
  TStatFixture stats({{1, 1, 2, 3, 4, 5, "07/04/2014"}});
  KeepOnly(stats.List, {"NUMS", "EVEN"});
  ASSERT_EQ(stats.List.Methods.size(), 2u);
  TRecordingHooks hooks;
  const TPrefetchPlace place{dir.File("Prefetchs"), "Vetrilo_4d47"};
  ASSERT_EQ(RefreshDistributions(stats.List, place, true, true, 0, hooks), 2);
  const std::string nums = ReadFile(place.FileName(stats.List.Methods[0]));
  const std::string even = ReadFile(place.FileName(stats.List.Methods[1]));
  // What a killed save left behind is cleared before the rebuild.
  WriteFile(dir.File("Prefetchs/.vetrilo-Ab12Cd.tmp"), nums);
  WriteFile(dir.File("Prefetchs/Vetrilo_4d47_NUMS.dfc.tmp-Zz9Yy8"), nums.substr(0, 100));
  for (const int err : {ENOSPC, EIO, EROFS}) {
    SCOPED_TRACE(err);
    hooks.Messages.clear();
    {
      test::TFaultPlan plan(0, err);  // the first step of the first file
      EXPECT_EQ(RefreshDistributions(stats.List, place, true, true, 0xFFFFFFFFu, hooks), 0);
      EXPECT_TRUE(plan.Fired());
    }
    ASSERT_EQ(hooks.Messages.size(), 1u);
    EXPECT_NE(hooks.Messages[0].Text.find(std::strerror(err)), std::string::npos);
    EXPECT_EQ(ReadFile(place.FileName(stats.List.Methods[0])), nums);
    EXPECT_EQ(ReadFile(place.FileName(stats.List.Methods[1])), even);
    EXPECT_EQ(FilesIn(place.Dir),
              (std::vector<std::string>{place.FileName(stats.List.Methods[1]),
                                        place.FileName(stats.List.Methods[0])}));
  }
  // A damaged file among good ones is found and rebuilt by a plain refresh.
  std::string damaged = nums;
  damaged[damaged.size() - 8] ^= 0x7F;  // the trailer's largest count
  WriteFile(place.FileName(stats.List.Methods[0]), damaged);
  EXPECT_EQ(RefreshDistributions(stats.List, place, false, true, 0, hooks), 1);
  EXPECT_EQ(ReadFile(place.FileName(stats.List.Methods[0])), nums);
}

TEST_F(TCacheFixture, ACacheThatIsNoFileIsAnErrorNotAHang) {
  std::filesystem::create_directories(Place.Dir);
  ASSERT_EQ(::mkfifo(NumsFile.c_str(), 0644), 0);
  EXPECT_FALSE(OpenDistribution(Stats.List, Nums, Place, true, Hooks));
  ASSERT_EQ(Hooks.Messages.size(), 1u);
  EXPECT_EQ(Hooks.Messages[0].Kind, TMessageKind::Error);
}

}  // namespace vetrilo
