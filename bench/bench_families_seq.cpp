// Sequence, repeat and Ognev methods: full-set distributions of the methods with
// a norm, draw ranges of 1000 draws for the repeat classes, and one filter pass
// over the full set; each with the indexed and the literal value list.
#include <benchmark/benchmark.h>

#include "stats/stat_list.h"
#include "stats/stat_protocols.h"

namespace vetrilo {
namespace {

struct TDemo {
  TDrawArchive Archive;
  TStatList List;
  TDemo() {
    Archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
    List.Draws = &Archive;
    List.BuildMethods();
  }
};

TDemo& Demo() {
  static TDemo demo;
  return demo;
}

std::unique_ptr<TCustomStat> Stat(const char* code) {
  TDemo& d = Demo();
  return d.List.CreateStat(d.List.Item(d.List.FindByCode(code)));
}

void SeqFullSet(benchmark::State& state, const char* code, bool literal) {
  auto stat = Stat(code);
  for (auto _ : state) benchmark::DoNotOptimize(FullSetValues(*stat, literal));
}

void SeqRange1000(benchmark::State& state, const char* code, bool literal) {
  auto stat = Stat(code);
  const int last = Demo().Archive.High();
  const int first = FirstIndexForDepth(last, 1000);
  for (auto _ : state) benchmark::DoNotOptimize(RangeValues(*stat, first, last, false, literal));
}

// Keep every candidate that repeats exactly one number of the newest draw.
void SeqFilterFullSet(benchmark::State& state, const char* code) {
  auto stat = Stat(code);
  const int last = Demo().Archive.High();
  TStatDrawArray selected;
  TStatDrawRec one;
  one.SetWords(1);
  selected.Append(one);
  for (auto _ : state) {
    stat->LoadDraws(-1, last, false);
    int kept = 0;
    for (TComb comb : FullSet()) kept += stat->CombMatches(comb, selected, last, false, false);
    benchmark::DoNotOptimize(kept);
  }
}

#define FULL_SET(code)                                                                     \
  BENCHMARK_CAPTURE(SeqFullSet, code##_fast, #code, false)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(SeqFullSet, code##_literal, #code, true)->Unit(benchmark::kMillisecond)

FULL_SET(SEQL);
FULL_SET(SEQS);
FULL_SET(LENS);
FULL_SET(HCO1);
FULL_SET(HCO2);

#define RANGE(name, code)                                                                   \
  BENCHMARK_CAPTURE(SeqRange1000, name##_fast, code, false)->Unit(benchmark::kMicrosecond); \
  BENCHMARK_CAPTURE(SeqRange1000, name##_literal, code, true)->Unit(benchmark::kMicrosecond)

RANGE(RPV2, "RPV2");
RANGE(RPV3, "RPV3");
RANGE(PRL2, "PRL2");
RANGE(PRV2O1, "PRV2O1");
RANGE(PRV2O2, "PRV2O2");
RANGE(PRV2O3, "PRV2O3");
RANGE(PRVp1, "PRV+1");
RANGE(PRVm1, "PRV-1");
RANGE(PRVp2, "PRV+2");
RANGE(PRVm2, "PRV-2");
RANGE(RPC2, "RPC2");
RANGE(RPC3, "RPC3");
RANGE(PRB2, "PRB2");
RANGE(RPO1, "RPO1");
RANGE(PRC2O2, "PRC2O2");
RANGE(PRC2O3, "PRC2O3");
RANGE(PRCp1, "PRC+1");
RANGE(PRCm1, "PRC-1");
RANGE(PRCp2, "PRC+2");
RANGE(PRCm2, "PRC-2");
RANGE(HCO3, "HCO3");

BENCHMARK_CAPTURE(SeqFilterFullSet, RPC2, "RPC2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SeqFilterFullSet, RPC3, "RPC3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SeqFilterFullSet, PRCp1, "PRC+1")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
