// The indexed value lists must give exactly what the plain linear search
// gives: same records, same order, same counts and gaps, for every method.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "stats/stat_test_support.h"
#include "test_paths.h"

namespace vetrilo {
using test::SameRecords;

namespace {

struct TDemoRegistry {
  TDrawArchive Archive;
  TStatList List;
  TDemoRegistry() {
    Archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
    List.Draws = &Archive;
    List.BuildMethods();
  }
};

}  // namespace

TEST(LiteralVsFast, FullSetAndDrawRangesOfEveryMethod) {
  TDemoRegistry r;
  ASSERT_GT(r.Archive.Count(), 1000);
  const int last = r.Archive.High() - 7;  // a few hidden draws
  for (const TStatMethod& m : r.List.Methods) {
    SCOPED_TRACE(m.Code());
    auto fast = r.List.CreateStat(m);
    auto literal = r.List.CreateStat(m);
    EXPECT_TRUE(SameRecords(FullSetValues(*fast), FullSetValues(*literal, true)));
    for (bool sorted : {false, true}) {
      EXPECT_TRUE(
          SameRecords(RangeValues(*fast, FirstIndexForDepth(last, 1000), last, sorted),
                      RangeValues(*literal, FirstIndexForDepth(last, 1000), last, sorted, true)));
    }
  }
}

}  // namespace vetrilo
