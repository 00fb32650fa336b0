// The shared next-occurrence search must give exactly what one FindValueInDraws
// per record gives, for every method.
#include "stats/fact_search.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "stats/stat_test_support.h"
#include "test_paths.h"

namespace vetrilo {
using test::TStatFixture;

namespace {

// A deterministic archive of `count` draws with distinct numbers.
std::vector<test::TDrawSpec> PseudoDraws(int count, uint32_t seed) {
  std::vector<test::TDrawSpec> draws;
  for (int d = 0; d < count; ++d) {
    int balls[4];
    for (int i = 0; i < 4; ++i) {
      bool again = true;
      while (again) {
        seed = seed * 1103515245u + 12345u;
        balls[i] = int((seed >> 16) % 47) + 1;
        again = false;
        for (int j = 0; j < i; ++j) again = again || balls[j] == balls[i];
      }
    }
    draws.push_back({100 + d, balls[0], balls[1], balls[2], balls[3], 1, ""});
  }
  return draws;
}

}  // namespace

TEST(FactSearch, EveryStartOfEveryValueOnASmallArchive) {
  struct TCase {
    int ChannelSize;
    std::vector<std::string> Codes;
  };
  // Channel size 47 keeps one channel present in every draw: its runs never
  // end, so later searches never meet the shared state.
  const TCase cases[] = {
      {8,
       {"NUMS", "GRPV", "GRPP", "GRCV", "GRCP", "GRSV", "PRDV", "PRDC", "PRDG", "SDV2", "SCP3",
        "SC3C2", "SDA2"}},
      {47, {"GRCV", "PRDC"}},
      {3, {"GRCV", "GRCP", "PRDC"}},
  };
  TStatFixture f(PseudoDraws(32, 7));
  const int high = f.Archive.High();
  for (const TCase& c : cases) {
    f.List.ChannelSize = c.ChannelSize;
    f.List.BuildMethods();
    for (const std::string& code : c.Codes) {
      for (int lastIndex : {high, high - 6}) {
        for (bool sorted : {false, true}) {
          SCOPED_TRACE(code + " channel size " + std::to_string(c.ChannelSize) + " last " +
                       std::to_string(lastIndex) + (sorted ? " sorted" : ""));
          auto stat = f.Stat(code);
          const TStatDrawArray values = RangeValues(*stat, 0, lastIndex, sorted);
          std::vector<TFactQuery> queries;
          std::vector<int32_t> expected;
          for (const TStatDrawRec& v : values) {
            for (int from = -2; from <= high + 1; ++from) {
              queries.push_back({v, from});
              expected.push_back(stat->FindValueInDraws(v, from, lastIndex, sorted));
            }
          }
          ASSERT_FALSE(queries.empty());
          EXPECT_EQ(FindValuesInDraws(*stat, queries, lastIndex, sorted), expected);
        }
      }
    }
  }
}

TEST(FactSearch, QueriesOutsideTheArchive) {
  TStatFixture f({{1, 1, 2, 3, 4, 1, ""}, {2, 1, 5, 6, 7, 1, ""}, {3, 8, 9, 10, 11, 1, ""}});
  auto stat = f.Stat("PRDV");
  TStatDrawRec one;
  one.SetWords(1, 1);
  const std::vector<TFactQuery> queries = {{one, 3}, {one, -4}, {one, 1}, {one, 0}};
  EXPECT_EQ(FindValuesInDraws(*stat, queries, 2, false), (std::vector<int32_t>{-1, 2, -1, 2}));
  EXPECT_TRUE(FindValuesInDraws(*stat, {}, 2, false).empty());
  TStatFixture empty;
  auto none = empty.Stat("NUMS");
  EXPECT_EQ(FindValuesInDraws(*none, queries, -1, false), (std::vector<int32_t>(4, -1)));
}

TEST(FactSearch, AStopRequestEndsTheSearchAtAnyDraw) {
  TStatFixture f(PseudoDraws(40, 11));
  const int lastIndex = f.Archive.High() - 10;
  for (const std::string code : {"NUMS", "GRCV"}) {
    SCOPED_TRACE(code);
    auto stat = f.Stat(code);
    std::vector<TFactQuery> queries;
    for (const TStatDrawRec& v : RangeValues(*stat, 0, lastIndex, false)) {
      queries.push_back({v, f.Archive.FindDrawIndex(v.LastDraw) + 1});
    }
    const std::vector<int32_t> expected = FindValuesInDraws(*stat, queries, lastIndex, false);
    // One look per draw searched; a request at any of them ends the search.
    test::TStopHooks counting;
    EXPECT_EQ(FindValuesInDraws(*stat, queries, lastIndex, false, &counting), expected);
    const int polls = counting.Polls;
    ASSERT_GT(polls, 10);
    for (int after : {0, 1, polls / 2, polls - 1}) {
      SCOPED_TRACE(after);
      test::TStopHooks hooks;
      hooks.AfterPolls = after;
      EXPECT_THROW(FindValuesInDraws(*stat, queries, lastIndex, false, &hooks), EStopped);
      EXPECT_EQ(hooks.Polls, after + 1);
    }
  }
}

TEST(FactSearch, WholeFactColumnsOfEveryMethodOnTheDemoArchive) {
  TDrawArchive archive;
  archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
  TStatList list;
  list.Draws = &archive;
  list.BuildMethods();
  ASSERT_GT(archive.Count(), 1000);
  for (int offset : {0, 40}) {
    const int lastIndex = archive.High() - offset;
    for (const TStatMethod& m : list.Methods) {
      for (bool sorted : {false, true}) {
        SCOPED_TRACE(m.Code() + " offset " + std::to_string(offset) + (sorted ? " sorted" : ""));
        auto stat = list.CreateStat(m);
        const TStatDrawArray values =
            RangeValues(*stat, FirstIndexForDepth(lastIndex, 120), lastIndex, sorted);
        EXPECT_EQ(FactValues(*stat, values, lastIndex, sorted),
                  FactValuesLiteral(*stat, values, lastIndex, sorted));
      }
    }
  }
}

}  // namespace vetrilo
