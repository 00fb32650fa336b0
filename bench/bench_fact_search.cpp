// The "Факт" column of a statistics table over 1,000 draws: one FindValueInDraws
// per row against the shared search, for the slowest methods and a few others.
#include <benchmark/benchmark.h>

#include "stats/fact_search.h"
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

const char* const kCodes[] = {"PRDV", "PRDC", "PRDG", "GRPV", "GRPP",
                              "GRCP", "NUMS", "SDV2", "SDA2", "SC3C3"};

void BM_FactColumn(benchmark::State& state, bool shared, int offset) {
  TDemo& demo = Demo();
  const std::string code = kCodes[state.range(0)];
  const int method = demo.List.FindByCode(code);
  if (method < 0) {
    state.SkipWithError("no such method");
    return;
  }
  auto stat = demo.List.CreateStat(demo.List.Item(method));
  const int lastIndex = demo.Archive.High() - offset;
  const TStatDrawArray values =
      RangeValues(*stat, FirstIndexForDepth(lastIndex, 1000), lastIndex, false);
  for (auto _ : state) {
    auto fact = shared ? FactValues(*stat, values, lastIndex, false)
                       : FactValuesLiteral(*stat, values, lastIndex, false);
    benchmark::DoNotOptimize(fact);
  }
  state.SetLabel(code + " rows " + std::to_string(values.size()));
}

void Codes(benchmark::internal::Benchmark* b) {
  for (int i = 0; i < int(std::size(kCodes)); ++i) b->Arg(i);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_FactColumn, literal_offset0, false, 0)->Apply(Codes);
BENCHMARK_CAPTURE(BM_FactColumn, shared_offset0, true, 0)->Apply(Codes);
BENCHMARK_CAPTURE(BM_FactColumn, literal_offset100, false, 100)->Apply(Codes);
BENCHMARK_CAPTURE(BM_FactColumn, shared_offset100, true, 100)->Apply(Codes);

// The whole table work for PRDV: the value list over 1,000 draws and its "Факт" column.
void BM_Prdv1000Table(benchmark::State& state) {
  TDemo& demo = Demo();
  const int lastIndex = demo.Archive.High();
  for (auto _ : state) {
    auto stat = demo.List.CreateStat(demo.List.Item(demo.List.FindByCode("PRDV")));
    const TStatDrawArray values =
        RangeValues(*stat, FirstIndexForDepth(lastIndex, 1000), lastIndex, false);
    auto fact = FactValues(*stat, values, lastIndex, false);
    benchmark::DoNotOptimize(fact);
  }
  state.SetLabel("values and Факт");
}
BENCHMARK(BM_Prdv1000Table)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
