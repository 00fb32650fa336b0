#include "stakes/stake_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/errors.h"
#include "core/file_io.h"
#include "stakes/stake_file.h"
#include "stakes/stake_test_support.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeStake;
using test::ReadFile;
using test::Records;
using test::TTempDir;
using test::WriteFile;

namespace {

std::vector<int32_t> DrawNumbers(const TStakeFile& file) {
  std::vector<int32_t> draws;
  for (int64_t i = 0; i < file.Count(); ++i) draws.push_back(file.Read(0, i).DrawNumber);
  return draws;
}

}  // namespace

TEST(StakeRecord, LayoutAndUntouchedBytesSurviveARoundTrip) {
  TStakeRec r = MakeStake(512, {27, 3, 41, 15}, "Ставка");
  r.Profit = -12345;
  std::string bytes = r.Bytes();
  ASSERT_EQ(bytes.size(), 304u);
  EXPECT_EQ(uint8_t(bytes[0]), 2);
  EXPECT_EQ(uint8_t(bytes[1]), 1);
  EXPECT_EQ(bytes.substr(4, 4), std::string("\x00\x02\x00\x00", 4));
  EXPECT_EQ(bytes.substr(16, 8), std::string("\x04\x00\x00\x00\x03\x0f\x1b\x29", 8));
  EXPECT_EQ(bytes.substr(28, 4), std::string("\xff\xff\xff\xff", 4));
  EXPECT_EQ(uint8_t(bytes[48]), 6);  // six CP1251 characters
  EXPECT_EQ(bytes.substr(49, 6), "\xd1\xf2\xe0\xe2\xea\xe0");
  // Reserved bytes and the comment's tail keep what the file had.
  bytes[2] = 'x';
  bytes[37] = 'y';
  bytes[300] = 'z';
  const TStakeRec back = TStakeRec::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()));
  EXPECT_EQ(back.Comment, "Ставка");
  EXPECT_EQ(back.Profit, -12345);
  EXPECT_EQ(back.NumbersText(), "3;15;27;41");
  EXPECT_EQ(back.Bytes(), bytes);
}

TEST(StakeRecord, NoStakeHoldsANumberOutside1To47) {
  TStakeRec r = MakeStake(512, {1, 2, 46, 47});
  const std::vector<std::vector<uint8_t>> refused = {
      {0, 1, 2, 3}, {1, 2, 3, 48}, {218, 219, 249, 254}, {1, 2, 3, 4, 5, 6, 7, 255}};
  for (const auto& numbers : refused) {
    SCOPED_TRACE(int(numbers.back()));
    EXPECT_THROW(r.SetNumbers(numbers), EVetrilo);
    EXPECT_EQ(r.NumbersText(), "1;2;46;47");
  }
  for (const TComb comb : {MakeComb(0, 1, 2, 3), MakeComb(48, 1, 2, 3), MakeComb(1, 2, 3, 200)}) {
    EXPECT_THROW(r.SetNumbers(comb), EVetrilo);
    EXPECT_EQ(r.NumbersText(), "1;2;46;47");
  }
  try {
    r.SetNumbers(std::vector<uint8_t>{5, 48, 7, 9});
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "Число 48 не может быть в ставке: числа ставки лежат в 1..47.");
  }
  r.SetNumbers(TComb{0});
  EXPECT_EQ(r.NumbersCount, 0);
  r.SetNumbers(MakeComb(47, 1, 20, 3));
  EXPECT_EQ(r.NumbersText(), "1;3;20;47");
}

TEST(StakeStore, StartRuleKeepsACopyAndDropsOnlyWhatIsDamaged) {
  const std::string good = Records({MakeStake(10, {1, 2, 3, 4}), MakeStake(11, {5, 6, 7, 8})});
  std::string oldVersion = good;
  oldVersion[0] = 1;
  std::string badSecond = good + "xyz";
  badSecond[304] = 1;
  struct TCase {
    const char* Name;
    std::string Bytes;
    size_t KeptSize;  // what the file holds afterwards
    bool Warned;
    bool Emptied;
  };
  for (const TCase& c :
       std::vector<TCase>{{"empty", "", 0, false, false},
                          {"whole", good, 608, false, false},
                          {"torn tail", good + std::string(97, 'q'), 608, true, false},
                          {"305 bytes", good.substr(0, 305), 304, true, false},
                          {"first byte 1", oldVersion, 0, true, true},
                          {"torn with an old record", badSecond, 0, true, true},
                          {"shorter than a record", good.substr(0, 100), 0, true, true}}) {
    SCOPED_TRACE(c.Name);
    TTempDir dir;
    const std::string path = dir.File("Vetrilo_4d47.lsk");
    WriteFile(path, c.Bytes);
    WriteFile(path + ".bad", "older copy");
    TStakeFile file;
    const std::string warning = OpenStakesAtStart(file, path, true);
    EXPECT_EQ(!warning.empty(), c.Warned);
    EXPECT_EQ(file.Size(), c.KeptSize);
    EXPECT_EQ(ReadFile(path), c.Bytes.substr(0, c.KeptSize));
    if (c.Warned) {
      EXPECT_EQ(ReadFile(path + ".bad"), c.Bytes);
      EXPECT_NE(warning.find("Vetrilo_4d47.lsk.bad"), std::string::npos);
      EXPECT_EQ(warning.rfind("Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки "
                              "будут удалены!",
                              0) == 0,
                c.Emptied);
    } else {
      EXPECT_EQ(ReadFile(path + ".bad"), "older copy");
    }
  }
}

TEST(StakeStore, ADamagedFileThatCannotBeKeptAsideIsLeftAloneAndBlocked) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lsk");
  const std::string damaged = std::string(305, '\x01');
  WriteFile(path, damaged);
  std::filesystem::create_directory(path + ".bad");
  TStakeFile file;
  EXPECT_THROW(OpenStakesAtStart(file, path, true), EVetrilo);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadFile(path), damaged);
  EXPECT_THROW(AppendStake(file, MakeStake(1, {1, 2, 3, 4}), 1), EVetrilo);
  EXPECT_EQ(ReadFile(path), damaged);
}

TEST(StakeStore, AppendSeparatesMultiDrawStakes) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("Vetrilo_4d47.lsk"), true);
  AppendStake(file, MakeStake(499, {1, 2, 3, 4}), 1);
  AppendStake(file, MakeStake(500, {1, 2, 3, 4}), 3);
  EXPECT_EQ(DrawNumbers(file), (std::vector<int32_t>{499, -1, 500, -1, 501, -1, 502}));
  const TStakeRec sep = file.Read(0, 1);
  EXPECT_EQ(sep.Bytes(), TStakeRec::Separator().Bytes());
  EXPECT_EQ(sep.MatchesCount, -1);
  // A file ending with a separator, or an empty one, gets none before the first copy.
  AppendStake(file, TStakeRec::Separator(), 1);
  AppendStake(file, MakeStake(700, {1, 2, 3, 4}), 2);
  EXPECT_EQ(DrawNumbers(file),
            (std::vector<int32_t>{499, -1, 500, -1, 501, -1, 502, -1, 700, -1, 701}));
  TStakeFile fresh;
  TTempDir other;
  fresh.Open(other.File("x.lsk"), false);
  AppendStake(fresh, MakeStake(5, {1, 2, 3, 4}), 2);
  EXPECT_EQ(DrawNumbers(fresh), (std::vector<int32_t>{5, -1, 6}));
  EXPECT_EQ(ReadFile(other.File("x.lsk")), fresh.Bytes());
}

TEST(StakeStore, AppendRefusesBeforeWritingAnything) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("Vetrilo_4d47.lsk"), true);
  AppendStake(file, MakeStake(1, {1, 2, 3, 4}), 1);
  const std::string before = ReadFile(file.Path());
  TStakeRec checked = MakeStake(2, {1, 2, 3, 4});
  checked.Checked = 1;
  struct TCase {
    TStakeRec Rec;
    int Draws;
    std::string Message;
  };
  for (const TCase& c : std::vector<TCase>{
           {checked, 1, "Добавление в конец файла уже проверенной ставки!"},
           {MakeStake(2147483600, {1, 2, 3, 4}), 49, "Ошибка добавления записи в файл ставок!\r\r"},
           {MakeStake(2147483647, {1, 2, 3, 4}), 2,
            "Ошибка добавления записи в файл ставок!\r\r"}}) {
    try {
      AppendStake(file, c.Rec, c.Draws);
      ADD_FAILURE() << "no error";
    } catch (const EVetrilo& e) {
      EXPECT_EQ(e.Message().rfind(c.Message, 0), 0u) << e.Message();
    }
    EXPECT_EQ(ReadFile(file.Path()), before);
    EXPECT_EQ(file.Bytes(), before);
  }
  // The largest number that still fits is fine.
  AppendStake(file, MakeStake(2147483600, {1, 2, 3, 4}), 47);
  EXPECT_EQ(file.Read(2, -1).DrawNumber, 2147483646);
  TStakeFile closed;
  EXPECT_THROW(AppendStake(closed, MakeStake(1, {1, 2, 3, 4}), 1), EVetrilo);
}

TEST(StakeStore, ATornAppendIsCutOffAgain) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("Vetrilo_4d47.lsk"), true);
  AppendStake(file, MakeStake(1, {1, 2, 3, 4}), 1);
  // A file size limit makes the next write stop part-way.
  struct sigaction ignore {
  }, old{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &old);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 304 + 500;
  setrlimit(RLIMIT_FSIZE, &limit);
  bool failed = false;
  try {
    AppendStake(file, MakeStake(2, {1, 2, 3, 4}), 3);
  } catch (const EVetrilo& e) {
    failed = e.Message().rfind("Ошибка добавления записи в файл ставок!\r\r", 0) == 0;
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &old, nullptr);
  EXPECT_TRUE(failed);
  EXPECT_EQ(ReadFile(file.Path()).size(), 304u);
  EXPECT_EQ(file.Count(), 1);
  AppendStake(file, MakeStake(3, {1, 2, 3, 4}), 1);
  EXPECT_EQ(DrawNumbers(file), (std::vector<int32_t>{1, 3}));
}

TEST(StakeStore, DeletingRowsAndByCondition) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lsk");
  TStakeFile file;
  file.Open(path, true);
  file.Append(
      Records({MakeStake(1, {1, 2, 3, 4}), MakeStake(2, {1, 2, 3, 4}), MakeStake(3, {1, 2, 3, 4}),
               MakeStake(4, {1, 2, 3, 4}), MakeStake(5, {1, 2, 3, 4})}));
  DeleteStakeRows(file, 2, 3);
  EXPECT_EQ(DrawNumbers(file), (std::vector<int32_t>{1, 4, 5}));
  EXPECT_EQ(ReadFile(path), file.Bytes());
  EXPECT_FALSE(FileExists(file.TempPath()));

  // Match counts -1 (unchecked), 0..4, and a separator.
  std::vector<TStakeRec> records;
  for (int m = -1; m <= 4; ++m) {
    TStakeRec r = MakeStake(100 + m, {1, 2, 3, 4});
    r.MatchesCount = m;
    r.Checked = m >= 0;
    records.push_back(r);
  }
  records.push_back(TStakeRec::Separator());
  struct TCase {
    TStakeCondition Condition;
    std::vector<int32_t> Kept;  // draws 99 (unchecked), 100..104 (m = 0..4), -1
  };
  for (const TCase& c : std::vector<TCase>{{TStakeCondition::Equal, {99, 100, 101, 103, 104, -1}},
                                           {TStakeCondition::Greater, {99, 100, 101, 102, -1}},
                                           {TStakeCondition::NotLess, {99, 100, 101, -1}},
                                           {TStakeCondition::Less, {102, 103, 104, -1}},
                                           {TStakeCondition::NotGreater, {103, 104, -1}}}) {
    SCOPED_TRACE(int(c.Condition));
    file.Rewrite(Records(records));
    DeleteStakesWhere(file, c.Condition, 2);
    EXPECT_EQ(DrawNumbers(file), c.Kept);
  }
}

TEST(StakeStore, AFailedRewriteLeavesTheFileWholeAndTheLockHeld) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lsk");
  TStakeFile file;
  file.Open(path, true);
  file.Append(Records({MakeStake(1, {1, 2, 3, 4}), MakeStake(2, {1, 2, 3, 4})}));
  std::filesystem::create_directory(file.TempPath());
  try {
    DeleteStakeRows(file, 1, 1);
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message().rfind("Ошибка удаления записи из файла ставок!\r\r", 0), 0u);
  }
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(ReadFile(path).size(), 608u);
  std::filesystem::remove(file.TempPath());
  DeleteStakeRows(file, 1, 1);
  // The rewritten file is still ours alone.
  TStakeFile second;
  EXPECT_THROW(second.Open(path, true), EVetrilo);
  file.Close();
  EXPECT_NO_THROW(second.Open(path, true));
  EXPECT_EQ(DrawNumbers(second), (std::vector<int32_t>{2}));
}

TEST(StakeStore, FindStakeComparesNumberSetsInAnyOrder) {
  TTempDir dir;
  TStakeFile file;
  file.Open(dir.File("Vetrilo_4d47.lsk"), false);
  file.Append(Records({MakeStake(7, {3, 15, 27, 41}), TStakeRec::Separator()}));
  EXPECT_TRUE(FindStake(file, 7, {41, 3, 27, 15}));
  EXPECT_FALSE(FindStake(file, 8, {41, 3, 27, 15}));
  EXPECT_FALSE(FindStake(file, 7, {41, 3, 27, 16}));
  EXPECT_FALSE(FindStake(file, 7, {41, 3, 27}));
  EXPECT_THROW(file.Read(0, 2), EVetrilo);
  EXPECT_EQ(file.Read(2, -1).DrawNumber, -1);
}

}  // namespace vetrilo
