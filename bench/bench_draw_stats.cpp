// The full-set distribution of a method (plain single pass against the
// sliced parallel one) and the statistics table at depth 1000 on the demo archive.
#include <benchmark/benchmark.h>

#include "core/draw_archive.h"
#include "stats/stat_list.h"
#include "views/distribution_cache.h"
#include "views/draw_stats.h"

namespace {

using namespace vetrilo;

struct TDemo {
  TDrawArchive Archive;
  TStatList List;
  TDemo() {
    Archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
    List.Draws = &Archive;
    List.BuildMethods();
  }
  const TStatMethod* Method(const char* code) const {
    const int i = List.FindByCode(code);
    return i < 0 ? nullptr : &List.Item(i);
  }
};

const TDemo& Demo() {
  static const TDemo demo;
  return demo;
}

// Codes by index so the families that are not built yet are skipped, not failed.
constexpr const char* kCodes[] = {"NUMS", "SUMS", "DIFO"};

void BM_DistributionLiteral(benchmark::State& state) {
  const TStatMethod* m = Demo().Method(kCodes[state.range(0)]);
  if (!m) return state.SkipWithError("method not built");
  state.SetLabel(m->Code());
  for (auto _ : state) benchmark::DoNotOptimize(LiteralDistribution(Demo().List, *m));
}
BENCHMARK(BM_DistributionLiteral)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_DistributionFast(benchmark::State& state) {
  const TStatMethod* m = Demo().Method(kCodes[state.range(0)]);
  if (!m) return state.SkipWithError("method not built");
  state.SetLabel(m->Code() + " threads " + std::to_string(state.range(1)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeDistribution(Demo().List, *m, int(state.range(1))));
  }
}
BENCHMARK(BM_DistributionFast)->ArgsProduct({{0, 1, 2}, {1, 2}})->Unit(benchmark::kMillisecond);

void BM_AllDistributions(benchmark::State& state) {
  std::vector<const TStatMethod*> methods;
  for (const TStatMethod& m : Demo().List.Methods) {
    if (m.Stat->HasNorm()) methods.push_back(&m);
  }
  state.SetLabel(std::to_string(methods.size()) + " methods");
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeDistributions(Demo().List, methods, int(state.range(0))));
  }
}
BENCHMARK(BM_AllDistributions)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TableDepth1000(benchmark::State& state) {
  const TStatMethod* m = Demo().Method(kCodes[state.range(0)]);
  if (!m) return state.SkipWithError("method not built");
  const TDistribution dist = ComputeDistribution(Demo().List, *m);
  TDrawStatsInput in;
  in.Archive = &Demo().Archive;
  in.LastIndex = Demo().Archive.LastIndex(state.range(1));
  in.Depth = 1000;
  state.SetLabel(m->Code() + " offset " + std::to_string(state.range(1)));
  TDrawStatsTable table;
  for (auto _ : state) {
    auto stat = Demo().List.CreateStat(*m);
    BuildDrawStats(*stat, in, &dist, table);
    benchmark::DoNotOptimize(table.Rows.data());
  }
}
BENCHMARK(BM_TableDepth1000)->ArgsProduct({{0, 1, 2}, {0, 100}})->Unit(benchmark::kMicrosecond);

}  // namespace
