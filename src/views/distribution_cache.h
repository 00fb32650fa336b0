#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ui_hooks.h"
#include "stats/stat_list.h"

namespace vetrilo {

// One 12-byte record of a ".dfc" file: a value and the number of combinations of
// the full set that have it.
struct TDfcRecord {
  int16_t Value[4] = {0, 0, 0, 0};
  int32_t Count = 0;

  uint64_t Key() const {
    TStatDrawRec r;
    std::memcpy(r.Value, Value, sizeof Value);
    return r.Key();
  }
};

// The full-set distribution of one method: records in ascending value order
// followed by the trailer (smallest Count, largest Count, 0).
struct TDistribution {
  std::vector<TDfcRecord> Records;
  int32_t MinCount = 2147483647;
  int32_t MaxCount = 0;
  int32_t Reserved = 0;

  bool operator==(const TDistribution& other) const;
};

constexpr size_t kDfcRecordSize = 12;

// The file bytes, little-endian, no header.
std::string SerializeDistribution(const TDistribution& dist);
// A file is usable when its size is 12 x k with k >= 1 (the last 12 bytes are the
// trailer); anything else is none.
std::optional<TDistribution> ParseDistribution(std::string_view bytes);
bool ValidDistributionSize(uint64_t size);
// The largest file a distribution can make: one record per combination and the trailer.
constexpr uint64_t kDfcReadLimit = (uint64_t(kAllCombinations) + 1) * kDfcRecordSize;
// What a cache read back can be checked for without computing it again: values
// strictly ascending, every count positive, a total no method's values can pass,
// and a trailer that agrees with the records.
bool DistributionLooksWhole(const TDistribution& dist);

// A value list of the full set (any order) as a distribution: sorted, with its totals.
TDistribution DistributionFromList(TStatDrawArray list);

// The plain way: one literal value list over the full set in canonical
// order, then sorted. Slow; the tests compare everything else with it.
TDistribution LiteralDistribution(const TStatList& list, const TStatMethod& method);

// Combinations between two looks at the stop request while a distribution is computed.
constexpr size_t kStopPollCombs = 4096;

// The same distribution, computed over slices of the full set in parallel
// (threads 0 = as many as the machine has) and merged. `stopRequested` is asked
// on the calling thread only, before each method and every kStopPollCombs
// combinations of the slices that thread computes; once it answers true the
// computation ends with EStopped.
TDistribution ComputeDistribution(const TStatList& list, const TStatMethod& method, int threads = 0,
                                  const std::function<bool()>& stopRequested = {});

// Several methods at once, methods and slices spread over the threads; `done`
// is called on the calling thread as each method's result is ready, in order.
std::vector<TDistribution> ComputeDistributions(
    const TStatList& list, const std::vector<const TStatMethod*>& methods, int threads = 0,
    const std::function<void(size_t index, const TDistribution&)>& done = {},
    const std::function<bool()>& stopRequested = {});

// Where the cache files lie: "<Dir>/<BaseName>_<code>.dfc".
struct TPrefetchPlace {
  std::string Dir;       // the program folder's "Prefetchs"
  std::string BaseName;  // the program file name without extension

  std::string FileName(const TStatMethod& method) const;
};

// Creates the cache file of a method (status "Создание файла предварительной
// выборки %s..."). Any failure shows "Ошибка создания файла данных для полного
// набора вариантов!..." and leaves no file at that path: none is returned. A stop
// request throws EStopped before anything is written.
std::optional<TDistribution> CreateDistribution(const TStatList& list, const TStatMethod& method,
                                                const TPrefetchPlace& place, TUiHooks& hooks);

// The distribution of a method for the statistics table: none unless the
// comparison is enabled and the method has a norm. A missing file, or one whose
// size is not 12 x k (k >= 1), is (re)created first; a file that cannot be read
// shows "Ошибка открытия файла данных для полного набора вариантов!..." and
// gives none.
std::optional<TDistribution> OpenDistribution(const TStatList& list, const TStatMethod& method,
                                              const TPrefetchPlace& place, bool enabled,
                                              TUiHooks& hooks);

// Creates the missing (or unusable) cache files of every method with a norm, and
// recreates the existing ones whose group bit is set in groupMask. Does nothing
// unless forced or enabled. Stops at the first file that cannot be created
// (its message shown): the others would fail the same way. Returns the number
// of files written. A stop request throws EStopped: the files written before it
// stay, no other file is touched.
int RefreshDistributions(const TStatList& list, const TPrefetchPlace& place, bool forced,
                         bool enabled, uint32_t groupMask, TUiHooks& hooks);

// Removes the cache files of the methods whose group bit is set, so they are
// made afresh when next needed (settings of those groups changed while the
// comparison was off). Returns the number of files removed.
int DeleteDistributions(const TStatList& list, const TPrefetchPlace& place, uint32_t groupMask);

}  // namespace vetrilo
