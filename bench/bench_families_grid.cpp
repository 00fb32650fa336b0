// Full-set distributions of the channel, matrix and segment methods: the
// indexed value list against the plain linear search, per method, under
// the default settings and under the widest ones (3 numbers per channel, one
// matrix row of 47 columns or one column of 47 rows, ten segments).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "stats/stat_list.h"
#include "stats/stat_protocols.h"

namespace vetrilo {
namespace {

struct TSetting {
  const char* Name;
  int ChannelSize;
  int MatrixCols;
  const char* Segments;
};

constexpr TSetting kSettings[] = {
    {"default", 8, 8, ""},
    {"wide47", 3, 47, "0123456789012345678901234567890123456789012345"},
    {"tall47", 3, 1, "0123456789012345678901234567890123456789012345"},
};

std::unique_ptr<TStatList> MakeList(const TSetting& s) {
  auto list = std::make_unique<TStatList>();
  list->ChannelSize = s.ChannelSize;
  list->MatrixCols = s.MatrixCols;
  const std::string map = s.Segments;
  for (size_t i = 0; i < list->MatrixSegments.size(); ++i) {
    list->MatrixSegments[i] = i < map.size() ? uint8_t(map[i] - '0') : 1;
  }
  list->BuildMethods();
  return list;
}

bool IsGridMethod(const TStatMethod& m) {
  const int group = m.Stat->GetGroup();
  return group >= 3 && group <= 5 && m.Stat->HasNorm();
}

void FullSetOfOne(benchmark::State& state, const TStatList* list, TStatMethod method,
                  bool literal) {
  size_t values = 0;
  for (auto _ : state) {
    auto stat = list->CreateStat(method);
    const TStatDrawArray dist = FullSetValues(*stat, literal);
    values = dist.size();
    benchmark::DoNotOptimize(dist.Items().data());
  }
  state.counters["values"] = double(values);
  state.counters["combs/s"] =
      benchmark::Counter(double(kAllCombinations), benchmark::Counter::kIsIterationInvariantRate);
}

// Every grid method with a norm of one setting, as a distribution refresh of
// the three groups would compute them.
void FullSetOfAll(benchmark::State& state, const TStatList* list, bool literal) {
  int methods = 0;
  for (auto _ : state) {
    methods = 0;
    for (const TStatMethod& m : list->Methods) {
      if (!IsGridMethod(m)) continue;
      auto stat = list->CreateStat(m);
      const TStatDrawArray dist = FullSetValues(*stat, literal);
      benchmark::DoNotOptimize(dist.Items().data());
      ++methods;
    }
  }
  state.counters["methods"] = methods;
}

[[maybe_unused]] const bool kRegistered = [] {
  static std::vector<std::unique_ptr<TStatList>> lists;
  for (const TSetting& s : kSettings) {
    lists.push_back(MakeList(s));
    const TStatList* list = lists.back().get();
    const std::string setting = s.Name;
    for (bool literal : {false, true}) {
      const std::string mode = literal ? "literal" : "indexed";
      benchmark::RegisterBenchmark(("GridAll/" + setting + "/" + mode).c_str(), FullSetOfAll, list,
                                   literal)
          ->Unit(benchmark::kMillisecond)
          ->Iterations(1);
    }
    for (const TStatMethod& m : list->Methods) {
      if (!IsGridMethod(m)) continue;
      // Under the wide settings only the methods whose value lists grow with them.
      const std::string code = m.Code();
      if (setting != "default" && code != "CHNV" && code != "COLV" && code != "ROWV" &&
          code != "COLM" && code != "ROWM" && code != "SGMV" && code != "CHAN") {
        continue;
      }
      for (bool literal : {false, true}) {
        const std::string name =
            "GridFullSet/" + setting + "/" + code + "/" + (literal ? "literal" : "indexed");
        benchmark::RegisterBenchmark(name.c_str(), FullSetOfOne, list, m, literal)
            ->Unit(benchmark::kMillisecond);
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace vetrilo
