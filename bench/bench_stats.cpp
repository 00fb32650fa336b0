// Full-set distribution (the norm) of every method that has one in the number,
// sum and difference groups: the plain linear list against the indexed one.
#include <benchmark/benchmark.h>

#include "bench_registry.h"
#include "stats/stat_list.h"
#include "stats/stat_protocols.h"

namespace vetrilo {
namespace {

void FullSetDistribution(benchmark::State& state, const TStatMethod* method, bool literal) {
  auto stat = Registry().CreateStat(*method);
  size_t values = 0;
  for (auto _ : state) {
    TStatDrawArray list = FullSetValues(*stat, literal);
    values = list.size();
    benchmark::DoNotOptimize(list);
  }
  state.counters["values"] = double(values);
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(FullSet().size()));
}

const bool kRegistered = [] {
  for (const TStatMethod& m : Registry().Methods) {
    if (m.Stat->GetGroup() > 2 || !m.Stat->HasNorm()) continue;
    for (bool literal : {true, false}) {
      benchmark::RegisterBenchmark(
          ("FullSet/" + m.Code() + (literal ? "/literal" : "/indexed")).c_str(),
          FullSetDistribution, &m, literal)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace vetrilo
