// Filtering the full combination set (literal per-combination test against the family's own
// loop) and generating it.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/draw_archive.h"
#include "stats/stat_list.h"
#include "stats/stat_protocols.h"
#include "workspace/comb_generate.h"
#include "workspace/comb_workspace.h"

namespace vetrilo {
namespace {

struct TBenchRegistry {
  TDrawArchive Archive;
  TStatList List;
  TBenchRegistry() {
    Archive.LoadFromFile(VETRILO_DEMO_ARCHIVE);
    List.Draws = &Archive;
    List.BuildMethods();
  }
};

const TBenchRegistry& Registry() {
  static const TBenchRegistry registry;
  return registry;
}

// A third of the method's values over the full set: every third value record.
TStatDrawArray ThirdOfTheValues(TCustomStat& stat) {
  const TStatDrawArray all = FullSetValues(stat);
  TStatDrawArray selected;
  for (size_t i = 1; i < all.size(); i += 3) selected.Append(all[i]);
  return selected;
}

// Args: exclude (0/1), literal (0/1). Families not built yet skip with a note.
// `one`: the single value 7 (NUMS); otherwise a third of the method's values.
void FilterFullSet(benchmark::State& state, const char* code, bool one) {
  const TBenchRegistry& r = Registry();
  const int index = r.List.FindByCode(code);
  if (index < 0) {
    state.SkipWithError("method not in the registry (family not built)");
    return;
  }
  auto probe = r.List.CreateStat(r.List.Item(index));
  TStatDrawArray selected;
  if (one) {
    TStatDrawRec seven;
    seven.SetWords(7);
    selected.Append(seven);
  } else {
    selected = ThirdOfTheValues(*probe);
  }
  const bool exclude = state.range(0) != 0;
  const bool literal = state.range(1) != 0;
  const int last = r.Archive.High();
  size_t kept = 0;
  for (auto _ : state) {
    auto stat = r.List.CreateStat(r.List.Item(index));
    const TCombsArray out =
        FilteredCombs(*stat, FullSet(), selected, last, false, exclude, literal);
    kept = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["kept"] = double(kept);
}
BENCHMARK_CAPTURE(FilterFullSet, NUMS_7, "NUMS", true)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclude", "literal"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterFullSet, NUMS_third, "NUMS", false)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclude", "literal"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterFullSet, EVNV_third, "EVNV", false)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclude", "literal"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterFullSet, SUMS_third, "SUMS", false)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclude", "literal"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FilterFullSet, DIFO_third, "DIFO", false)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"exclude", "literal"})
    ->Unit(benchmark::kMillisecond);

// One whole filter step of the workspace as the table runs it: undo copy, filter, journal row.
void FilterStepNums(benchmark::State& state) {
  const TBenchRegistry& r = Registry();
  TConsoleHooks hooks;
  TCombWorkspace combs(r.Archive, hooks);
  auto stat = r.List.CreateStat(r.List.Item(r.List.FindByCode("NUMS")));
  TStatDrawRec seven;
  seven.SetWords(7);
  TStatDrawArray selected;
  selected.Append(seven);
  for (auto _ : state) {
    combs.GenerateCombs(0, "", false);
    combs.FilterStep(*stat, selected, "NUMS", "7", false, r.Archive.High(), false);
    benchmark::DoNotOptimize(combs.Count());
  }
}
BENCHMARK(FilterStepNums)->Unit(benchmark::kMillisecond);

// Args: mode; literal (0/1).
void GenerateFullSet(benchmark::State& state) {
  const std::vector<uint8_t> numbers = ParseGenerateNumbers("1;2;3;4;5;6;7;8;9;10");
  const int mode = int(state.range(0));
  const bool literal = state.range(1) != 0;
  FullSet();  // built once per run, as the program does at start-up
  TCombsArray out;
  out.reserve(kAllCombinations);
  for (auto _ : state) {
    out.clear();
    if (literal) {
      GenerateFromFullSetLiteral(mode, numbers, out);
    } else {
      GenerateFromFullSet(mode, numbers, out);
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["combs"] = double(out.size());
}
BENCHMARK(GenerateFullSet)
    ->ArgsProduct({{0, 1, 3}, {0, 1}})
    ->ArgNames({"mode", "literal"})
    ->Unit(benchmark::kMicrosecond);

// Removing the combinations of the 100 newest draws from the full set.
void ExcludeLastDraws(benchmark::State& state) {
  const TBenchRegistry& r = Registry();
  std::vector<TComb> draws;
  for (int i = r.Archive.High() - 99; i <= r.Archive.High(); ++i) {
    draws.push_back(r.Archive.Draws[size_t(i)].Comb());
  }
  const bool literal = state.range(0) != 0;
  for (auto _ : state) {
    TCombsArray out;
    out.reserve(kAllCombinations);
    if (literal) {
      KeepUndrawnLiteral(FullSet(), draws, out);
    } else {
      KeepUndrawn(FullSet(), draws, out);
    }
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(ExcludeLastDraws)->Arg(0)->Arg(1)->ArgName("literal")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
