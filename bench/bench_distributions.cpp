// Full-set distribution of every method that has a norm, with the default
// settings: the plain literal pass against the computation behind the
// cache files (one thread, so the figures are CPU time).
#include <benchmark/benchmark.h>

#include "bench_registry.h"
#include "stats/stat_list.h"
#include "views/distribution_cache.h"

namespace vetrilo {
namespace {

void Distribution(benchmark::State& state, const TStatMethod* method, bool literal) {
  size_t values = 0;
  for (auto _ : state) {
    const TDistribution dist = literal ? LiteralDistribution(Registry(), *method)
                                       : ComputeDistribution(Registry(), *method, 1);
    values = dist.Records.size();
    benchmark::DoNotOptimize(values);
  }
  state.counters["values"] = double(values);
}

// All of them in one go, as "prefetch --all" computes them.
void AllDistributions(benchmark::State& state) {
  std::vector<const TStatMethod*> methods;
  for (const TStatMethod& m : Registry().Methods) {
    if (m.Stat->HasNorm()) methods.push_back(&m);
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeDistributions(Registry(), methods, 1).size());
  }
  state.counters["methods"] = double(methods.size());
}
BENCHMARK(AllDistributions)->Unit(benchmark::kMillisecond);

const bool kRegistered = [] {
  for (const TStatMethod& m : Registry().Methods) {
    if (!m.Stat->HasNorm()) continue;
    for (bool literal : {true, false}) {
      benchmark::RegisterBenchmark(
          ("Distribution/" + m.Code() + (literal ? "/literal" : "/fast")).c_str(), Distribution, &m,
          literal)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace vetrilo
