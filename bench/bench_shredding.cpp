// Shredding formulas: one evaluation, and the full-set distribution of one method.
#include <benchmark/benchmark.h>

#include "core/game.h"
#include "stats/expression.h"
#include "stats/families/shredding.h"
#include "stats/stat_list.h"
#include "stats/stat_protocols.h"

namespace vetrilo {
namespace {

void BM_EvaluateExpression(benchmark::State& state) {
  long double v = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TryEvaluateExpression("(3+15+27)/(41+SQRT(9))*PI", v));
  }
}
BENCHMARK(BM_EvaluateExpression);

void BM_ShredValue(benchmark::State& state) {
  const TShredNumbers n{3, 15, 27, 41}, p{1, 2, 3, 4}, t{5, 6, 7, 8};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ShredValue(n, p, t, 3, "(n1+n2+n3)/(n4+p1+t1)"));
  }
}
BENCHMARK(BM_ShredValue);

// The default formulas fail on n5: the failing path matters as much.
void BM_ShredValueFailing(benchmark::State& state) {
  const TShredNumbers n{3, 15, 27, 41};
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        ShredValue(n, kNoShredNumbers, kNoShredNumbers, 2, "(n1+n2+n3)/(n4+n5)"));
  }
}
BENCHMARK(BM_ShredValueFailing);

void BM_ShredFullSet(benchmark::State& state) {
  TStatList list;
  list.Formula[0] = "(n1+n2+n3)/(n4+7)";
  list.BuildMethods();
  const TStatMethod& method = list.Item(list.FindByCode("SHR1"));
  for (auto _ : state) {
    auto stat = list.CreateStat(method);
    benchmark::DoNotOptimize(FullSetValues(*stat).size());
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kAllCombinations);
}
BENCHMARK(BM_ShredFullSet)->Unit(benchmark::kMillisecond);

// The same values by substituting the numbers into the text and parsing it for
// every combination, as the formula is defined.
void BM_ShredFullSetLiteral(benchmark::State& state) {
  for (auto _ : state) {
    int64_t sum = 0;
    for (TComb comb : FullSet()) {
      sum += ShredEvaluateLiteral("(n1+n2+n3)/(n4+7)", 2, ShredNumbersOf(comb), kNoShredNumbers,
                                  kNoShredNumbers)
                 .Value;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kAllCombinations);
}
BENCHMARK(BM_ShredFullSetLiteral)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
