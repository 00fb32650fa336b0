#include "scripts/ratings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp1251.h"
#include "core/errors.h"
#include "stakes/stake_test_support.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeStake;
using test::ReadFile;
using test::TTempDir;
using test::WriteFile;

namespace {

TStakeRec CheckedStake(std::string comment, int matches, TMoney profit) {
  TStakeRec r = MakeStake(1, {1, 2, 3, 4}, std::move(comment));
  r.Checked = 1;
  r.MatchesCount = matches;
  r.Profit = profit;
  return r;
}

TRatingRec Rating(std::string label, int stakes, int matched, TMoney profit) {
  TRatingRec r;
  r.Label = std::move(label);
  r.Stakes = stakes;
  r.Matched = matched;
  r.Profit = profit;
  return r;
}

std::vector<std::string> Labels(const TRatings& ratings) {
  std::vector<std::string> labels;
  for (const TRatingRec& r : ratings.Items()) labels.push_back(r.Label);
  return labels;
}

}  // namespace

TEST(Ratings, StakesJoinTheirCommentIgnoringCase) {
  TRatings ratings;
  EXPECT_TRUE(ratings.AddToRatings(CheckedStake("Ёлка abc", 2, 20000)));
  EXPECT_TRUE(ratings.AddToRatings(CheckedStake("ёЛКА ABC", 0, -10000)));
  EXPECT_TRUE(ratings.AddToRatings(CheckedStake("other", 4, 5)));
  TStakeRec unchecked = MakeStake(1, {1, 2, 3, 4}, "other");
  EXPECT_FALSE(ratings.AddToRatings(unchecked));
  EXPECT_FALSE(ratings.AddToRatings(CheckedStake("other", 5, 0)));  // damaged count
  EXPECT_FALSE(ratings.AddToRatings(CheckedStake("other", 1000, 0)));
  ASSERT_EQ(ratings.Count(), 2);
  const TRatingRec& a = ratings.Item(0);
  EXPECT_EQ(a.Label, "Ёлка abc");
  EXPECT_EQ(a.Stakes, 2);
  EXPECT_EQ(a.Matched, 2);
  EXPECT_EQ(a.Profit, 10000);
  EXPECT_EQ(a.Hits, (std::array<int32_t, 5>{1, 0, 1, 0, 0}));
  EXPECT_EQ(ratings.Item(1).Hits[4], 1);
  EXPECT_EQ(ratings.Find("ЁЛКА ABC"), 0);
}

TEST(Ratings, ListCellsInTheThreeEfficiencyModes) {
  TRatingRec r = Rating("v", 10, 5, -123456);
  r.Hits = {6, 3, 1, 0, 0};
  struct TCase {
    int Mode;
    std::vector<std::string> E;
  };
  for (const TCase& c :
       std::vector<TCase>{{0, {"7", "3", "0", "0", "0"}},
                          {1, {"-9.190%", "2.324%", "6.962%", "-0.096%", "-0.001%"}},
                          {2, {"86.718%", "108.398%", "329.208%", "0.000%", "0.000%"}}}) {
    SCOPED_TRACE(c.Mode);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(RatingCell(r, 11 + k, c.Mode), c.E[size_t(k)]);
  }
  std::vector<std::string> cells;
  for (int col = 0; col <= 10; ++col) cells.push_back(RatingCell(r, col, 1));
  EXPECT_EQ(cells, (std::vector<std::string>{"v", "10", "5", "0.500", "-12.35", "-1.23", "6", "3",
                                             "1", "0", "0"}));
  const TRatingRec empty = Rating("e", 0, 0, 0);
  for (int col : {3, 5, 11, 15}) EXPECT_EQ(RatingCell(empty, col, 1), "") << col;
  EXPECT_EQ(RatingColumnCaptions()[5], "Ср. профит");
}

TEST(Ratings, SortIsAStableOrderOfTheShownValuesWithEmptyRatingsLast) {
  TRatings ratings;
  for (const TRatingRec& r :
       {Rating("a", 10000, 12345, 0), Rating("none", 0, 0, 0), Rating("b", 10000, 12349, 0),
        Rating("c", 10000, 12355, 0), Rating("d", 1, 3, 0)}) {
    ratings.Append(r);
  }
  // 1.2345 and 1.2349 both show 1.235 (ties away from zero) and stay in file order.
  ratings.Sort(3, true);
  EXPECT_EQ(Labels(ratings), (std::vector<std::string>{"d", "c", "a", "b", "none"}));
  ratings.Sort(3, false);
  EXPECT_EQ(Labels(ratings), (std::vector<std::string>{"a", "b", "c", "d", "none"}));
  ratings.Sort(1, false);
  EXPECT_EQ(Labels(ratings), (std::vector<std::string>{"d", "a", "b", "c", "none"}));
  EXPECT_EQ(ratings.Find("none"), 4);

  TRatings money;
  for (const TRatingRec& r : {Rating("x", 1, 0, 149), Rating("y", 1, 0, 50),  // both 0.01
                              Rating("z", 1, 0, -49), Rating("w", 2, 0, 300)}) {
    money.Append(r);
  }
  money.Sort(4, false);
  EXPECT_EQ(Labels(money), (std::vector<std::string>{"z", "x", "y", "w"}));
  money.Sort(5, true);  // per stake: 0.01, 0.01, 0.00, 0.02
  EXPECT_EQ(Labels(money), (std::vector<std::string>{"w", "x", "y", "z"}));
  money.Sort(12, true);  // efficiency columns keep the order
  EXPECT_EQ(Labels(money), (std::vector<std::string>{"w", "x", "y", "z"}));

  TRatings labels;
  for (const char* l : {"яблоко", "Ёж", "ель", "Ель", "Zebra", "apple"})
    labels.Append(Rating(l, 1, 0, 0));
  labels.Sort(0, false);
  EXPECT_EQ(Labels(labels),
            (std::vector<std::string>{"apple", "Zebra", "ель", "Ель", "Ёж", "яблоко"}));
}

TEST(Ratings, EfficiencyColumnsDoNotSortAndAStoredSortByThemReadsAsTheDefault) {
  for (int column = 0; column < kRatingColumns; ++column) {
    SCOPED_TRACE(column);
    EXPECT_EQ(RatingColumnSorts(column), column <= 10);
  }
  const struct {
    std::optional<std::pair<int, int>> Stored;
    int Column;
    bool Descending;
  } cases[] = {
      {std::nullopt, 3, true},     {std::pair{0, 0}, 0, false}, {std::pair{10, 1}, 10, true},
      {std::pair{3, 0}, 3, false}, {std::pair{11, 0}, 3, true}, {std::pair{15, 0}, 3, true},
      {std::pair{16, 0}, 3, true}, {std::pair{-1, 0}, 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored ? c.Stored->first : -100);
    const TRatingsSort sort = StoredRatingsSort(c.Stored);
    EXPECT_EQ(sort.Column, c.Column);
    EXPECT_EQ(sort.Descending, c.Descending);
  }
}

TEST(Ratings, FileKeepsItsBytesAndSavesAtomically) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lrt");
  TRatingRec r = Rating("Вариант", 3, 4, -7);
  r.Hits = {1, 1, 0, 1, 0};
  std::string bytes(296, '\0');
  r.ToBytes(reinterpret_cast<uint8_t*>(bytes.data()));
  EXPECT_EQ(uint8_t(bytes[0]), 7);
  EXPECT_EQ(bytes.substr(256, 8), std::string("\x03\0\0\0\x04\0\0\0", 8));
  EXPECT_EQ(bytes.substr(288, 8), std::string("\xf9\xff\xff\xff\xff\xff\xff\xff", 8));
  bytes[200] = 'q';  // beyond the label
  bytes[285] = 'r';  // reserved
  WriteFile(path, bytes + bytes + "tail");
  TRatings ratings;
  ratings.Load(path);
  ASSERT_EQ(ratings.Count(), 2);
  EXPECT_EQ(ratings.Item(1).Label, "Вариант");
  EXPECT_EQ(ratings.Bytes(), bytes + bytes);
  ratings.Save(path);
  EXPECT_EQ(ReadFile(path), bytes + bytes);
  // A failed save leaves the file whole.
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  EXPECT_THROW(ratings.Save(path), EVetrilo);
  EXPECT_THROW(ratings.Load(path), EVetrilo);
  EXPECT_EQ(ratings.Count(), 2);
}

TEST(Ratings, AProfitSumBeyondTheRecordStopsAtItsLimitWithAWarning) {
  struct TCase {
    TMoney First, Second, Profit;
    const char* Limit;
  };
  for (const TCase& c : {TCase{INT64_MAX, INT64_MAX, INT64_MAX, "922337203685477.58"},
                         TCase{INT64_MIN, -1, INT64_MIN, "-922337203685477.58"}}) {
    SCOPED_TRACE(c.Limit);
    TRatings ratings;
    std::string warning;
    EXPECT_TRUE(ratings.AddToRatings(CheckedStake("Вариант 1", 4, c.First), &warning));
    EXPECT_EQ(warning, "");
    EXPECT_TRUE(ratings.AddToRatings(CheckedStake("вариант 1", 4, c.Second), &warning));
    EXPECT_EQ(ratings.Item(0).Profit, c.Profit);
    EXPECT_EQ(ratings.Item(0).Stakes, 2);
    EXPECT_EQ(warning, std::string("Профит рейтинга \"Вариант 1\" не помещается в запись "
                                   "рейтинга и сохранен равным ") +
                           c.Limit + ".");
  }
  // Back inside the limits, a sum is exact again.
  TRatings ratings;
  std::string warning;
  ratings.AddToRatings(CheckedStake("x", 0, INT64_MAX), &warning);
  ratings.AddToRatings(CheckedStake("x", 0, -10000), &warning);
  EXPECT_EQ(ratings.Item(0).Profit, INT64_MAX - 10000);
  EXPECT_EQ(warning, "");
}

TEST(Ratings, ADamagedFileIsKeptAsideWithAWarning) {
  TTempDir dir;
  const std::string path = dir.File("Vetrilo_4d47.lrt");
  const std::string bad = path + ".bad";
  const auto bytesOf = [](const TRatingRec& r) {
    std::string b(kRatingRecordSize, '\0');
    r.ToBytes(reinterpret_cast<uint8_t*>(b.data()));
    return b;
  };
  TRatingRec sound = Rating("sound", 3, 5, 700);
  sound.Hits = {1, 0, 1, 1, 0};
  TRatingRec fewer = sound;  // fewer stakes by match count than stakes: still whole
  fewer.Hits = {1, 0, 0, 0, 0};
  const auto changed = [&](auto change) {
    TRatingRec r = sound;
    change(r);
    return bytesOf(r);
  };
  std::string noise(1000, '\0');
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919 + 13) % 251);
  const std::string torn =
      "Последняя запись файла рейтинга \"" + path +
      "\" была записана не полностью и удалена; остальные записи сохранены.\r\rПрежний файл "
      "сохранен как \"" +
      bad + "\".";
  const std::string damaged =
      "Файл рейтинга \"" + path +
      "\" поврежден - рейтинг будет пуст. Его можно пересчитать по ставкам (\"Обновить "
      "рейтинг\").\r\rПрежний файл сохранен как \"" +
      bad + "\".";
  struct TCase {
    const char* What;
    std::string Bytes;
    int Count;
    std::string Warning;
  };
  const TCase cases[] = {
      {"sound", bytesOf(sound) + bytesOf(fewer), 2, ""},
      {"torn tail", bytesOf(sound) + "tail", 1, torn},
      {"noise", noise, 0, damaged},
      {"negative stakes", bytesOf(sound) + changed([](TRatingRec& r) { r.Stakes = -1; }), 0,
       damaged},
      {"negative matched", changed([](TRatingRec& r) { r.Matched = -5; }), 0, damaged},
      {"negative hits", changed([](TRatingRec& r) { r.Hits[4] = -1; }), 0, damaged},
      {"hits above stakes", changed([](TRatingRec& r) {
         r.Hits = {1, 1, 1, 1, 0};
       }),
       0, damaged},
      {"torn and damaged", changed([](TRatingRec& r) { r.Hits[0] = 9; }) + "x", 0, damaged},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    std::filesystem::remove(bad);
    WriteFile(path, c.Bytes);
    TRatings ratings;
    ratings.Append(Rating("before", 1, 1, 1));
    EXPECT_EQ(ratings.Load(path), c.Warning);
    EXPECT_EQ(ratings.Count(), c.Count);
    EXPECT_EQ(ReadFile(path), c.Bytes);  // loading writes nothing there
    if (c.Warning.empty()) {
      EXPECT_FALSE(std::filesystem::exists(bad));
    } else {
      EXPECT_EQ(ReadFile(bad), c.Bytes);
    }
  }
  // No copy, no load: the list keeps what it had.
  std::filesystem::remove(bad);
  std::filesystem::create_directory(bad);
  WriteFile(path, noise);
  TRatings ratings;
  ratings.Append(Rating("before", 1, 1, 1));
  EXPECT_THROW(ratings.Load(path), EVetrilo);
  EXPECT_EQ(Labels(ratings), std::vector<std::string>{"before"});
  EXPECT_EQ(ReadFile(path), noise);
}

TEST(Ratings, CsvExport) {
  TRatings ratings;
  TRatingRec r = Rating("Say \"hi\"; Ёж", 3, 4, 12345);
  r.Hits = {1, 1, 0, 1, 0};
  ratings.Append(r);
  ratings.Append(Rating("empty", 0, 0, 0));
  const std::string header =
      "\"Комментарий\";\"Ставок\";\"Угадано\";\"Среднее\";\"Профит\";\"Ср. профит\";\"0\";\"1\";"
      "\"2\";\"3\";\"4\";\"E0\";\"E1\";\"E2\";\"E3\";\"E4\"\r\n";
  EXPECT_EQ(RatingsCsv(ratings, '.'),
            Utf8ToCp1251(header + "\"Say \"\"hi\"\"; Ёж\";3;4;1.333;1.23;0.41;1;1;0;1;0\r\n" +
                         "\"empty\";0;0;;0.00;;0;0;0;0;0\r\n"));
  EXPECT_NE(RatingsCsv(ratings, ',').find(";1,333;1,23;0,41;"), std::string::npos);
}

}  // namespace vetrilo
