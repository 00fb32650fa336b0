#include "stakes/stake_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "core/errors.h"
#include "core/money_text.h"
#include "stakes/stake_book.h"
#include "stakes/stake_grid.h"
#include "stakes/stake_test_support.h"
#include "test_support.h"

namespace vetrilo {
using test::MakeArchive;
using test::MakeStake;
using test::ReadFile;
using test::Records;
using test::TRecordingHooks;
using test::TTempDir;

namespace {

// Cost 1, prizes {2: 3, 3: 50, 4: 5000}.
TStakePrices Prices() {
  return {10000, {{2, 30000}, {3, 500000}, {4, 50000000}}};
}

// The check as written down: per record, a search of the archive from its
// oldest draw, the draw's numbers taken in drawing order.
std::string LiteralCheck(std::string bytes, const TDrawArchive& archive, const TStakePrices& prices,
                         std::vector<int64_t>* checked) {
  for (size_t i = 0; i + kStakeRecordSize <= bytes.size(); i += kStakeRecordSize) {
    TStakeRec r = TStakeRec::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()) + i);
    if (r.Checked != 0 || r.DrawNumber <= 0 || r.NumbersCount < 4) continue;
    const TDrawRec* draw = nullptr;
    for (const TDrawRec& d : archive.Draws) {
      if (d.Number == r.DrawNumber) {
        draw = &d;
        break;
      }
    }
    if (!draw) continue;
    r.Checked = 1;
    r.DrawResult = draw->Balls;
    std::vector<uint8_t> matched;
    for (uint8_t b : draw->Balls) {
      for (int k = 0; k < 4; ++k) {
        if (r.Numbers[size_t(k)] == b) {
          matched.push_back(b);
          break;
        }
      }
    }
    std::sort(matched.begin(), matched.end());
    r.MatchesCount = int32_t(matched.size());
    r.MatchedNumbers = {};
    std::copy(matched.begin(), matched.end(), r.MatchedNumbers.begin());
    r.Profit = StakeOutcome(r.NumbersCount, r.MatchesCount, prices.Cost, prices.Profits);
    // Only the check's own fields are written back.
    std::string patched = r.Bytes();
    std::copy(patched.begin() + 8, patched.begin() + 9, bytes.begin() + long(i) + 8);
    std::copy(patched.begin() + 24, patched.begin() + 36, bytes.begin() + long(i) + 24);
    std::copy(patched.begin() + 40, patched.begin() + 48, bytes.begin() + long(i) + 40);
    if (checked) checked->push_back(int64_t(i / kStakeRecordSize));
  }
  return bytes;
}

}  // namespace

TEST(StakeCheck, PricesMatchesAndWhatStaysUnchecked) {
  TTempDir dir;
  const TDrawArchive archive =
      MakeArchive({{1000, 41, 3, 27, 15, 9, "07/04/2014"}, {999, 1, 2, 3, 4, 1, "07/01/2014"}});
  TStakeRec wide = MakeStake(1000, {3, 15, 20, 21, 22, 41}, "wide");  // 6 numbers, 4 stored
  struct TCase {
    TStakeRec Rec;
    bool Checked;
    int Matches;
    std::string Matched;
    std::string Profit;
  };
  TStakeRec preChecked = MakeStake(1000, {3, 15, 27, 41});
  preChecked.Checked = 1;
  preChecked.Profit = 777;
  TStakeRec three = MakeStake(1000, {3, 8, 9, 10});
  three.NumbersCount = 3;  // too few numbers to check
  const std::vector<TCase> cases = {
      {MakeStake(1000, {3, 15, 27, 40}), true, 3, "3 15 27", "49.00"},
      {MakeStake(1000, {3, 5, 6, 7}), true, 1, "3", "-1.00"},
      {MakeStake(1000, {3, 15, 27, 41}), true, 4, "3 15 27 41", "4999.00"},
      {MakeStake(1001, {3, 15, 27, 41}), false, -1, "", "-1.00"},  // not drawn yet
      {wide, true, 2, "3 15", "-12.00"},  // 15 tickets, only 3;15;20;21 are stored
      {preChecked, true, -1, "", "0.08"},
      {three, false, -1, "", "-1.00"},
      {TStakeRec::Separator(), false, -1, "", "0.00"}};
  std::string bytes;
  for (const TCase& c : cases) {
    TStakeRec r = c.Rec;
    if (!r.IsChecked() && r.IsStake()) r.Profit = StakeOutcome(r.NumbersCount, -1, 10000, {});
    std::string b = r.Bytes();
    b[2] = '\x7f';  // reserved bytes and the comment tail keep their bytes
    b[303] = '\x55';
    bytes += b;
  }
  // The wide stake keeps the numbers it could store; the draw holds 3 and 15.
  TStakeFile file;
  file.Open(dir.File("Vetrilo_4d47.lsk"), true);
  file.Append(bytes);
  TRecordingHooks hooks;
  std::vector<std::string> fed;
  const int64_t checked = CheckStakes(file, archive, Prices(), hooks,
                                      [&](const TStakeRec& r) { fed.push_back(r.Comment); });
  EXPECT_EQ(checked, 4);
  EXPECT_EQ(fed.size(), 4u);
  EXPECT_EQ(ReadFile(file.Path()), file.Bytes());
  EXPECT_EQ(file.Bytes(), LiteralCheck(bytes, archive, Prices(), nullptr));
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const TStakeRec r = file.Read(0, int64_t(i));
    EXPECT_EQ(r.Raw[2], 0x7f);
    EXPECT_EQ(r.Raw[303], 0x55);
    if (!cases[i].Rec.IsStake()) continue;
    EXPECT_EQ(r.IsChecked(), cases[i].Checked);
    if (cases[i].Matches >= 0) {
      EXPECT_EQ(r.MatchesCount, cases[i].Matches);
      EXPECT_EQ(StakeCell(r, 4), "41;3;27;15");
    }
    EXPECT_EQ(StakeCell(r, 6), cases[i].Matched);
    EXPECT_EQ(StakeCell(r, 7), cases[i].Profit);
  }
  // "wide": 3 and 15 of the draw are among its stored numbers 3;15;20;21.
  EXPECT_EQ(file.Read(0, 4).MatchesCount, 2);
  // A second check finds nothing new and leaves the file alone.
  EXPECT_EQ(CheckStakes(file, archive, Prices(), hooks, {}), 0);
}

TEST(StakeCheck, IndexedCheckEqualsTheLiteralSearch) {
  std::mt19937 random(17);
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    // Dense and sparse numberings, with a repeated number.
    std::vector<test::TDrawSpec> specs;
    int number = round % 2 == 0 ? 1 : -50;
    for (int i = 0; i < 300; ++i) {
      number += round % 2 == 0 ? 1 : 1 + int(random() % 100000);
      std::vector<int> balls;
      while (balls.size() < 4) {
        const int b = 1 + int(random() % 47);
        if (std::find(balls.begin(), balls.end(), b) == balls.end()) balls.push_back(b);
      }
      specs.push_back({number, balls[0], balls[1], balls[2], balls[3], 1, "01/01/2020"});
      if (i == 100) specs.push_back({number, 1, 2, 3, 4, 1, "01/01/2020"});
    }
    const TDrawArchive archive = MakeArchive(specs);
    std::string bytes;
    for (int i = 0; i < 2000; ++i) {
      TStakeRec r = MakeStake(specs[random() % specs.size()].Number + int(random() % 3) - 1,
                              {uint8_t(1 + random() % 12), uint8_t(13 + random() % 12),
                               uint8_t(25 + random() % 12), uint8_t(37 + random() % 11)});
      if (random() % 10 == 0) r = TStakeRec::Separator();
      if (random() % 10 == 0) r.NumbersCount = int32_t(random() % 9);
      if (random() % 20 == 0) r.Checked = 1;
      bytes += r.Bytes();
    }
    TTempDir dir;
    TStakeFile file;
    file.Open(dir.File("s.lsk"), false);
    file.Append(bytes);
    std::vector<int64_t> expected;
    const std::string literal = LiteralCheck(bytes, archive, Prices(), &expected);
    std::vector<int64_t> fed;
    TRecordingHooks hooks;
    CheckStakes(file, archive, Prices(), hooks,
                [&](const TStakeRec& r) { fed.push_back(r.DrawNumber); });
    EXPECT_EQ(file.Bytes(), literal);
    ASSERT_EQ(fed.size(), expected.size());
  }
}

TEST(StakeCheck, ProgressAndAFailedWriteThatFeedsNothing) {
  TTempDir dir;
  const TDrawArchive archive = MakeArchive({{5, 1, 2, 3, 4, 1, "01/01/2020"}});
  TStakeBook book;
  book.Prices = Prices();
  book.RatingsPath = dir.File("Vetrilo_4d47.lrt");
  book.File.Open(dir.File("Vetrilo_4d47.lsk"), true);
  std::vector<TStakeRec> records(3, MakeStake(5, {1, 2, 3, 4}, "r"));
  records.insert(records.begin(), TStakeRec::Separator());
  book.File.Append(Records(records));
  const std::string before(book.File.Bytes());
  std::filesystem::create_directory(book.File.TempPath());
  TRecordingHooks hooks;
  try {
    book.Check(archive, hooks);
    ADD_FAILURE() << "no error";
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message().rfind("Ошибка проверки ставок!\r\r", 0), 0u);
  }
  EXPECT_EQ(ReadFile(book.File.Path()), before);
  EXPECT_EQ(book.Ratings.Count(), 0);
  EXPECT_EQ(hooks.Statuses.back(), "");
  const std::vector<std::string> progress(hooks.Statuses.begin() + 1, hooks.Statuses.end() - 1);
  EXPECT_EQ(progress,
            (std::vector<std::string>{"Проверка результатов ставок ( завершено 0 % )...",
                                      "Проверка результатов ставок ( завершено 33 % )...",
                                      "Проверка результатов ставок ( завершено 67 % )..."}));

  std::filesystem::remove(book.File.TempPath());
  EXPECT_EQ(book.Check(archive, hooks), 3);
  ASSERT_EQ(book.Ratings.Count(), 1);
  EXPECT_EQ(book.Ratings.Item(0).Stakes, 3);
  EXPECT_EQ(book.Ratings.Item(0).Hits[4], 3);
  EXPECT_EQ(ReadFile(book.RatingsPath), book.Ratings.Bytes());
  // Checked stakes are never fed twice.
  EXPECT_EQ(book.Check(archive, hooks), 0);
  EXPECT_EQ(book.Ratings.Item(0).Stakes, 3);
}

}  // namespace vetrilo

namespace vetrilo {

TEST(StakeCheck, ARatingBeyondItsLimitIsNamedOncePerCheck) {
  TTempDir dir;
  const TDrawArchive archive = MakeArchive({{5, 1, 2, 3, 4, 1, "01/01/2020"}});
  TStakeBook book;
  book.Prices = {0, {{4, INT64_MAX}}};
  book.RatingsPath = dir.File("Vetrilo_4d47.lrt");
  book.File.Open(dir.File("Vetrilo_4d47.lsk"), true);
  book.File.Append(Records({MakeStake(5, {1, 2, 3, 4}, "r"), MakeStake(5, {1, 2, 3, 4}, "s"),
                            MakeStake(5, {1, 2, 3, 4}, "R"), MakeStake(5, {1, 2, 3, 4}, "r"),
                            MakeStake(5, {1, 2, 3, 4}, "s")}));
  const auto warning = [](const std::string& label) {
    return "Профит рейтинга \"" + label +
           "\" не помещается в запись рейтинга и сохранен равным 922337203685477.58.";
  };
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass);
    TRecordingHooks hooks;
    if (pass == 0) {
      EXPECT_EQ(book.Check(archive, hooks), 5);
    } else {
      EXPECT_TRUE(book.RebuildRatings(hooks));
    }
    ASSERT_EQ(hooks.Messages.size(), 2u);
    EXPECT_EQ(hooks.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(hooks.Messages[0].Text, warning("r"));
    EXPECT_EQ(hooks.Messages[1].Text, warning("s"));
    ASSERT_EQ(book.Ratings.Count(), 2);
    for (const TRatingRec& r : book.Ratings.Items()) EXPECT_EQ(r.Profit, INT64_MAX);
  }
}

}  // namespace vetrilo
