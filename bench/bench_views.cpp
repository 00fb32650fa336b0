// One build of each analysis view on the demo archive at the default depths.
#include <benchmark/benchmark.h>

#include "core/draw_archive.h"
#include "stats/stat_list.h"
#include "views/analysis_views.h"
#include "views/repeats_analysis.h"
#include "views/sum_distribution.h"

namespace {

using namespace vetrilo;

struct TViewsDemo {
  TDrawArchive Archive;
  TStatList List;
  TViewsDemo() {
    Archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
    List.Draws = &Archive;
    List.BuildMethods();
  }
};

const TViewsDemo& Demo() {
  static const TViewsDemo demo;
  return demo;
}

void BM_ViewCard(benchmark::State& state) {
  TDrawCard card;
  for (auto _ : state) {
    card.Build(Demo().Archive);
    benchmark::DoNotOptimize(card.Color(1, 1, TCardOptions()));
  }
}
BENCHMARK(BM_ViewCard)->Unit(benchmark::kMillisecond);

void BM_ViewLayout(benchmark::State& state) {
  TLayoutScheme scheme;
  for (auto _ : state) {
    scheme.Build(Demo().Archive, 1, 100);
    for (int depth : {50, 100, 200, 300, 400}) {
      benchmark::DoNotOptimize(BuildLayoutCompare(Demo().Archive, 1, depth));
    }
  }
}
BENCHMARK(BM_ViewLayout)->Unit(benchmark::kMillisecond);

void BM_ViewWeekday(benchmark::State& state) {
  TWeekdayStats week;
  for (auto _ : state) {
    week.Build(Demo().Archive, 0, 1000);
    benchmark::DoNotOptimize(week.MaxCount());
  }
}
BENCHMARK(BM_ViewWeekday)->Unit(benchmark::kMillisecond);

void BM_ViewGraph(benchmark::State& state) {
  const TStatList& list = Demo().List;
  const TStatMethod& m = list.Item(list.FindByCode("SUMS"));
  for (auto _ : state) {
    auto stat = list.CreateStat(m);
    benchmark::DoNotOptimize(BuildDrawGraph(*stat, "", Demo().Archive, 0, 100, false));
  }
}
BENCHMARK(BM_ViewGraph)->Unit(benchmark::kMillisecond);

void BM_ViewRepeats(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(AnalyzeRepeats(Demo().Archive, 100, 100));
}
BENCHMARK(BM_ViewRepeats)->Unit(benchmark::kMillisecond);

void BM_ViewSums(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(BuildSumDistribution(Demo().Archive));
}
BENCHMARK(BM_ViewSums)->Unit(benchmark::kMillisecond);

}  // namespace
