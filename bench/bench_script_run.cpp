// A script test as the program runs it: a line of seven filters tested over the
// newest draws of the demo archive, its stakes kept in memory. The filter steps
// and tables it goes through have their literal oracles in bench_filter and
// bench_draw_stats.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "app/app_session.h"
#include "core/file_io.h"
#include "workspace/comb_generate.h"

namespace vetrilo {
namespace {

constexpr const char* kSevenFilters =
    "FULL:0#RAND|TMD1#NUMS:100#LLV:1#SF:1|TMD1#SUMS:500#CLV:2#SF:1|TMD1#DIFA:300#CLV:3#SF:1"
    "|TMF1#EVEN:200#CMV:20#SF:1|TMD1#POS1:100#CLV:1#SF:1|TMD1#SUME:1000#CLV:5#SF:1"
    "|TMD1#DIFM:100#CLV:1#SF:1|seven";

struct TCountedStakes : TRunStakeStore {
  int64_t Count = 0;
  bool LastIsStake() override { return false; }
  void AppendSeparator() override {}
  bool Has(int32_t, TComb) override { return false; }
  void Append(const TRunStake&, bool) override { ++Count; }
  void Empty() override {}
  void Check() override {}
};

void BM_ScriptTestSevenFilters(benchmark::State& state) {
  const std::string dir =
      std::filesystem::temp_directory_path() / ("vetrilo-bench-run-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(VETRILO_DEMO_ARCHIVE, dir + "/Vetrilo_4d47.ldr",
                             std::filesystem::copy_options::overwrite_existing);
  TConsoleHooks hooks;
  TAppSession session(TAppPaths::ForFolder(dir), hooks);
  session.LoadOptions();
  session.LoadArchive();
  session.AddScriptLine(kSevenFilters);
  TCountedStakes stakes;
  for (auto _ : state) {
    session.Combs().GenerateCombs(kGenerateFull, "", true);
    session.RunScript(int(state.range(0)), 1, &stakes);
  }
  state.counters["stakes"] = double(stakes.Count);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ScriptTestSevenFilters)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
