// Checking a system's guarantee: the bit sets over the colex ranks of the draws
// against the literal walk of every draw and line; the construction for a
// few sizes with a fixed time budget (the size it reaches is reported).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "stakes/system_design.h"

namespace vetrilo {
namespace {

TDesignOptions Design(int n, double seconds, uint64_t seed) {
  TDesignOptions options;
  options.Nums = n;
  options.Block = 3;
  options.TimeLimit = seconds;
  options.Seed = seed;
  return options;
}

// A system for 47 numbers of a few thousand lines, made once.
const TSystemLines& BigSystem() {
  static const TSystemLines lines = MakeSystem(Design(47, 3, 1));
  return lines;
}

TSystemLines RandomLines(int n, int count) {
  std::mt19937 random(11);
  TSystemLines lines;
  for (int i = 0; i < count; ++i) {
    std::vector<uint8_t> all;
    for (int p = 1; p <= n; ++p) all.push_back(uint8_t(p));
    std::shuffle(all.begin(), all.end(), random);
    TSystemLine line{all[0], all[1], all[2], all[3]};
    std::sort(line.begin(), line.end());
    lines.push_back(line);
  }
  return lines;
}

void BM_VerifyFast47(benchmark::State& state) {
  const TSystemLines& lines = BigSystem();
  for (auto _ : state) benchmark::DoNotOptimize(VerifySystem(lines, 47, 3).Uncovered);
  state.counters["lines"] = double(lines.size());
}
BENCHMARK(BM_VerifyFast47)->Unit(benchmark::kMillisecond);

void BM_VerifyFast(benchmark::State& state) {
  const int n = int(state.range(0));
  const TSystemLines lines = RandomLines(n, 120);
  for (auto _ : state) benchmark::DoNotOptimize(VerifySystem(lines, n, 3).Uncovered);
}
BENCHMARK(BM_VerifyFast)->Arg(16)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_VerifyLiteral(benchmark::State& state) {
  const int n = int(state.range(0));
  const TSystemLines lines = RandomLines(n, 120);
  for (auto _ : state) benchmark::DoNotOptimize(VerifySystemLiteral(lines, n, 3).Uncovered);
}
BENCHMARK(BM_VerifyLiteral)->Arg(16)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_Make(benchmark::State& state) {
  const int n = int(state.range(0));
  size_t size = 0;
  for (auto _ : state) {
    size = MakeSystem(Design(n, 2, 2)).size();
  }
  state.counters["lines"] = double(size);
}
BENCHMARK(BM_Make)->Arg(12)->Arg(16)->Arg(30)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
