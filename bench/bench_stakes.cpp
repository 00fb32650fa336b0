// The stake check of 20,000 records against 1,500 draws with the ratings fed, sorted and
// saved: through the draw index, and with the literal per-stake search of the archive; the
// time of reading and rewriting the file alone for comparison; the stake grid's cells.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "core/demo_archive.h"
#include "core/ui_hooks.h"
#include "stakes/stake_book.h"
#include "stakes/stake_check.h"
#include "stakes/stake_grid.h"

namespace vetrilo {
namespace {

class TQuietHooks : public TUiHooks {
 public:
  void SetStatus(std::string_view) override {}
  void ShowMessage(TMessageKind, std::string_view) override {}
  bool Ask(std::string_view) override { return false; }
};

const TDrawArchive& Archive() {
  static const TDrawArchive archive = [] {
    TDrawArchive a;
    a.Draws = MakeDemoDraws(1500, 5);
    return a;
  }();
  return archive;
}

// Unchecked stakes for the archive's draws, 200 labels, a separator now and then.
std::string StakeFile(int records) {
  std::mt19937 random(3);
  std::string bytes;
  const TDrawArchive& archive = Archive();
  for (int i = 0; i < records; ++i) {
    TStakeRec r;
    if (i % 50 == 49) {
      r = TStakeRec::Separator();
    } else {
      r.DrawNumber = archive.Draws[random() % archive.Draws.size()].Number;
      r.SetNumbers(FullSet()[random() % FullSet().size()]);
      r.SampleSize = 178365;
      r.Comment = "Сценарий 1.1 вариант " + std::to_string(random() % 200);
      r.Profit = -10000;
    }
    bytes += r.Bytes();
  }
  return bytes;
}

std::string Folder() {
  const std::string dir = std::filesystem::temp_directory_path() / "vetrilo_bench_stakes";
  std::filesystem::create_directories(dir);
  return dir;
}

void CheckLiterally(TStakeFile& file, const TDrawArchive& archive, const TStakePrices& prices,
                    TRatings& ratings) {
  std::string data(file.Bytes());
  std::vector<int64_t> checked;
  for (int64_t i = 0; i < file.Count(); ++i) {
    uint8_t* r = reinterpret_cast<uint8_t*>(data.data()) + i * int64_t(kStakeRecordSize);
    if (!IsCheckCandidate(r)) continue;
    const int32_t number = TStakeRec::FromBytes(r).DrawNumber;
    for (const TDrawRec& d : archive.Draws) {
      if (d.Number == number) {
        ApplyCheck(r, d, prices);
        checked.push_back(i);
        break;
      }
    }
  }
  file.Rewrite(data);
  for (int64_t i : checked) ratings.AddToRatings(TStakeRec::FromBytes(file.RecordBytes(i)));
}

// Arg: 0 through the index (the program's check), 1 the literal search.
void BM_CheckStakes(benchmark::State& state) {
  const std::string bytes = StakeFile(20000);
  const std::string dir = Folder();
  TQuietHooks hooks;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir + "/Vetrilo_4d47.lsk");
    std::filesystem::remove(dir + "/Vetrilo_4d47.lrt");
    TStakeBook book;
    book.Prices = {10000, {{2, 30000}, {3, 500000}, {4, 50000000}}};
    book.RatingsPath = dir + "/Vetrilo_4d47.lrt";
    book.File.Open(dir + "/Vetrilo_4d47.lsk", true);
    book.File.Append(bytes);
    state.ResumeTiming();
    if (state.range(0) == 0) {
      benchmark::DoNotOptimize(book.Check(Archive(), hooks));
    } else {
      CheckLiterally(book.File, Archive(), book.Prices, book.Ratings);
      book.SortAndSaveRatings(hooks);
    }
  }
  state.SetItemsProcessed(state.iterations() * 20000);
}
BENCHMARK(BM_CheckStakes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Reading the 6 MB file and rewriting it, the floor of any check.
void BM_ReadAndRewriteStakeFile(benchmark::State& state) {
  const std::string bytes = StakeFile(20000);
  const std::string dir = Folder();
  TStakeFile seed;
  std::filesystem::remove(dir + "/copy.lsk");
  seed.Open(dir + "/copy.lsk", false);
  seed.Append(bytes);
  seed.Close();
  for (auto _ : state) {
    TStakeFile file;
    file.Open(dir + "/copy.lsk", true);
    file.Rewrite(std::string(file.Bytes()));
  }
}
BENCHMARK(BM_ReadAndRewriteStakeFile)->Unit(benchmark::kMillisecond);

// The cells of 100,000 grid rows, as a full scroll through the grid reads them.
void BM_StakeGridCells(benchmark::State& state) {
  const std::string dir = Folder();
  std::filesystem::remove(dir + "/grid.lsk");
  TStakeFile file;
  file.Open(dir + "/grid.lsk", false);
  file.Append(StakeFile(100000));
  for (auto _ : state) {
    size_t chars = 0;
    for (int64_t i = 0; i < file.Count(); ++i) {
      const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
      for (int c = 0; c < kStakeColumns; ++c) chars += StakeCell(r, c).size();
    }
    benchmark::DoNotOptimize(chars);
  }
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_StakeGridCells)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vetrilo
