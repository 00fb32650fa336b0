// The channel, matrix and segment methods under settings other than the
// defaults: the indexed value lists give exactly what the plain linear
// search gives, over combinations of the full set and over draw ranges. (The
// default settings run the whole full set in literal_fast_test.cpp; here every
// 13th combination keeps the searched lists of up to 94 values affordable.)
#include <gtest/gtest.h>

#include "stats/families/grid_test_support.h"
#include "test_paths.h"

namespace vetrilo {
using test::SameRecords;

namespace {

struct TSettings {
  int ChannelSize;
  int MatrixCols;
  std::string Segments;
};

class GridLiteralVsFast : public ::testing::TestWithParam<TSettings> {};

TStatDrawArray SampledSetValues(TCustomStat& stat, bool literal) {
  TStatDrawArray list(literal);
  const TCombsArray& all = FullSet();
  for (size_t i = 0; i < all.size(); i += 13) stat.GetCombValues(all[i], list);
  return list;
}

}  // namespace

TEST_P(GridLiteralVsFast, FullSetAndDrawRanges) {
  const TSettings& s = GetParam();
  TDrawArchive archive;
  archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
  TStatList list;
  list.Draws = &archive;
  list.ChannelSize = s.ChannelSize;
  list.MatrixCols = s.MatrixCols;
  test::SetSegments(list, s.Segments);
  list.BuildMethods();
  ASSERT_GT(archive.Count(), 1000);
  const int last = archive.High() - 3;
  int methods = 0;
  int withValues = 0;
  for (const TStatMethod& m : list.Methods) {
    const int group = m.Stat->GetGroup();
    if (group < 3 || group > 5) continue;
    SCOPED_TRACE(m.Code());
    ++methods;
    auto fast = list.CreateStat(m);
    auto literal = list.CreateStat(m);
    if (m.Stat->HasNorm()) {
      const TStatDrawArray values = SampledSetValues(*fast, false);
      withValues += values.empty() ? 0 : 1;
      EXPECT_TRUE(SameRecords(values, SampledSetValues(*literal, true)));
    }
    for (bool sorted : {false, true}) {
      const int first = FirstIndexForDepth(last, 1000);
      EXPECT_TRUE(SameRecords(RangeValues(*fast, first, last, sorted),
                              RangeValues(*literal, first, last, sorted, true)));
    }
  }
  EXPECT_GT(methods, 34);
  EXPECT_GT(withValues, 15);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GridLiteralVsFast,
    ::testing::Values(TSettings{3, 1, "1122334455667788991122334455667788991122334455"},
                      TSettings{10, 10, "2211"},
                      TSettings{47, 47, "0123456789012345678901234567890123456789012345"}));

}  // namespace vetrilo
