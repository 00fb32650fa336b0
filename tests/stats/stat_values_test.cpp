#include "stats/stat_values.h"

#include <gtest/gtest.h>

namespace vetrilo {

namespace {
TStatDrawRec Occurrence(int value, int draw, int ago) {
  TStatDrawRec r;
  r.SetWords(value);
  r.LastDraw = r.PrevDraw = draw;
  r.Ago = ago;
  r.Count = 1;
  return r;
}
}  // namespace

TEST(StatValues, MergeRulesCountLastOccurrenceAndGaps) {
  for (bool literal : {true, false}) {
    TStatDrawArray list(literal);
    AddStatValue(list, Occurrence(5, 10, 11), true);
    AddStatValue(list, Occurrence(5, 13, 8), true);
    AddStatValue(list, Occurrence(5, 20, 1), true);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Count, 3);
    EXPECT_EQ(list[0].MinGap, 3);
    EXPECT_EQ(list[0].MaxGap, 7);
    EXPECT_EQ(list[0].PrevDraw, 20);
    EXPECT_EQ(list[0].LastDraw, 20);
    EXPECT_EQ(list[0].Ago, 1);
  }
}

TEST(StatValues, SeededValueTakesTheFirstRealOccurrence) {
  TStatDrawArray list;
  TStatDrawRec seed;
  seed.SetWords(7);
  AddStatValue(list, seed, false);  // Count 0, Ago 0
  AddStatValue(list, Occurrence(7, 42, 5), true);
  EXPECT_EQ(list[0].Count, 1);
  EXPECT_EQ(list[0].LastDraw, 42);
  EXPECT_EQ(list[0].Ago, 5);
  EXPECT_EQ(list[0].MinGap, 0);  // no earlier occurrence to measure from
  // An older occurrence (larger Ago) never replaces the newest one.
  AddStatValue(list, Occurrence(7, 30, 17), true);
  EXPECT_EQ(list[0].LastDraw, 42);
  EXPECT_EQ(list[0].PrevDraw, 30);
}

TEST(StatValues, RepeatInTheSameDrawResetsMinGap) {
  TStatDrawArray list;
  AddStatValue(list, Occurrence(0, 10, 3), true);
  AddStatValue(list, Occurrence(0, 15, 2), true);
  EXPECT_EQ(list[0].MinGap, 5);
  AddStatValue(list, Occurrence(0, 15, 2), true);  // gap 0 to the same draw
  EXPECT_EQ(list[0].MinGap, 0);
  EXPECT_EQ(list[0].MaxGap, 5);
}

TEST(StatValues, FirstInsertionOrderAndIndexSurviveGrowthAndSort) {
  TStatDrawArray fast, literal(true);
  for (int i = 0; i < 500; ++i) {
    const int v = (i * 37) % 211 - 100;
    AddStatValue(fast, Occurrence(v, i + 1, 500 - i), true);
    AddStatValue(literal, Occurrence(v, i + 1, 500 - i), true);
  }
  ASSERT_EQ(fast.size(), literal.size());
  for (size_t i = 0; i < fast.size(); ++i) {
    EXPECT_EQ(std::memcmp(&fast[i], &literal[i], sizeof(TStatDrawRec)), 0);
  }
  SortStatValues(fast);
  // Sorted as unsigned words: 0..100 first, then the negatives.
  EXPECT_EQ(fast[0].Value[0], 0);
  EXPECT_EQ(fast[fast.size() - 1].Value[0], -1);
  for (size_t i = 0; i < fast.size(); ++i) EXPECT_EQ(fast.Find(fast[i].Key()), int(i));
}

TEST(StatValues, IndexedLookupAgreesWithTheLinearSearch) {
  // Small single-word keys, large ones, negative halves, and a repeated key
  // (a selection may hold one twice): the first entry is found either way.
  TStatDrawArray fast, literal(true);
  std::vector<TStatDrawRec> records(6);
  records[0].SetWords(7);
  records[1].SetWords(4095);
  records[2].SetWords(4096);
  records[3].SetHalves(-5);
  records[4].SetWords(7, 1);
  records[5].SetWords(7);
  for (const TStatDrawRec& r : records) {
    fast.Append(r);
    literal.Append(r);
  }
  TStatDrawRec absent;
  absent.SetWords(8);
  for (const TStatDrawRec& r : records) EXPECT_EQ(fast.Find(r.Key()), literal.Find(r.Key()));
  EXPECT_EQ(fast.Find(records[5].Key()), 0);
  EXPECT_EQ(fast.Find(absent.Key()), -1);
  absent.SetWords(5000);
  EXPECT_EQ(fast.Find(absent.Key()), -1);
  fast.Assign(std::vector<TStatDrawRec>(records.rbegin(), records.rend()));
  EXPECT_EQ(fast.Find(records[0].Key()), 0);  // now the former last entry comes first
  EXPECT_EQ(fast.Find(records[3].Key()), 2);
  fast.Clear();
  EXPECT_EQ(fast.Find(records[0].Key()), -1);
}

TEST(StatValues, TotalsAndLookups) {
  const TListTotals empty = ListTotals(TStatDrawArray());
  EXPECT_EQ(empty.MinCount, 2147483647);
  EXPECT_EQ(empty.MaxCount, 0);
  EXPECT_EQ(empty.MaxAgo, 0);
  EXPECT_EQ(empty.Total, 0);

  TStatDrawArray list;
  TStatDrawRec a, b;
  a.SetWords(3, 1);
  a.Count = 4;
  a.Ago = 0;
  b.SetHalves(-7, 100);
  b.Count = 2;
  b.Ago = 9;
  list.Append(a);
  list.Append(b);
  const TListTotals t = ListTotals(list);
  EXPECT_EQ(t.MinCount, 2);
  EXPECT_EQ(t.MaxCount, 4);
  EXPECT_EQ(t.MaxAgo, 9);
  EXPECT_EQ(t.Total, 6);
  EXPECT_TRUE(ListHasValue(list, 3, 1, 0, 0));
  EXPECT_FALSE(ListHasValue(list, 3, 0, 0, 0));
  EXPECT_TRUE(ListHasWord(list, 2, 1));
  EXPECT_TRUE(ListHasByte(list, 1, 3));
  EXPECT_TRUE(ListHasLong(list, 1, -7));
  EXPECT_TRUE(ListHasLong(list, 2, 100));
  TStatDrawRec c;
  c.SetHalves(5, 1);
  list.Append(c);
  EXPECT_TRUE(ListHasPair(list, 0x10005, 0x20001));  // both halves cut to 16 bits
  EXPECT_FALSE(ListHasPair(list, 3, 1));
  EXPECT_FALSE(ListHasPair(list, -7, 100));  // -7 reads as 65529
}

TEST(StatValues, SimpleTalliesAndLastValues) {
  TStatSimpleArray s;
  AddSimpleValue(s, 3, 1);
  AddSimpleValue(s, 2, 1);
  AddSimpleValue(s, 3, 1);
  AddSimpleValue(s, 3, 0);
  AddSimpleValue(s, 9, 0);
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].Count, 2);
  SortSimpleValues(s);
  EXPECT_EQ(s[0].Key, 2);

  TLastValueArray last;
  TLastValueRec v{100, {17, 0, 0, 0}};
  EXPECT_EQ(TrackLastValue(v, last), -1);
  v.Draw = 103;
  EXPECT_EQ(TrackLastValue(v, last), 3);
  EXPECT_EQ(last[0].Draw, 103);
}

}  // namespace vetrilo
