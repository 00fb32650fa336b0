#include "views/distribution_cache.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"
#include "stats/stat_protocols.h"

namespace vetrilo {

bool TDistribution::operator==(const TDistribution& other) const {
  if (MinCount != other.MinCount || MaxCount != other.MaxCount || Reserved != other.Reserved ||
      Records.size() != other.Records.size()) {
    return false;
  }
  for (size_t i = 0; i < Records.size(); ++i) {
    if (Records[i].Count != other.Records[i].Count ||
        std::memcmp(Records[i].Value, other.Records[i].Value, sizeof Records[i].Value) != 0) {
      return false;
    }
  }
  return true;
}

static void PutLe16(std::string& out, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  out += static_cast<char>(u & 0xFF);
  out += static_cast<char>(u >> 8);
}

static void PutLe32(std::string& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((u >> shift) & 0xFF);
}

static int16_t GetLe16(const unsigned char* p) {
  return static_cast<int16_t>(p[0] | p[1] << 8);
}

static int32_t GetLe32(const unsigned char* p) {
  return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                              uint32_t(p[3]) << 24);
}

std::string SerializeDistribution(const TDistribution& dist) {
  std::string out;
  out.reserve((dist.Records.size() + 1) * kDfcRecordSize);
  for (const TDfcRecord& r : dist.Records) {
    for (int16_t w : r.Value) PutLe16(out, w);
    PutLe32(out, r.Count);
  }
  PutLe32(out, dist.MinCount);
  PutLe32(out, dist.MaxCount);
  PutLe32(out, dist.Reserved);
  return out;
}

bool ValidDistributionSize(uint64_t size) {
  return size >= kDfcRecordSize && size % kDfcRecordSize == 0;
}

std::optional<TDistribution> ParseDistribution(std::string_view bytes) {
  if (!ValidDistributionSize(bytes.size())) return std::nullopt;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t records = bytes.size() / kDfcRecordSize - 1;
  TDistribution dist;
  dist.Records.resize(records);
  for (size_t i = 0; i < records; ++i, p += kDfcRecordSize) {
    for (int w = 0; w < 4; ++w) dist.Records[i].Value[w] = GetLe16(p + 2 * w);
    dist.Records[i].Count = GetLe32(p + 8);
  }
  dist.MinCount = GetLe32(p);
  dist.MaxCount = GetLe32(p + 4);
  dist.Reserved = GetLe32(p + 8);
  return dist;
}

bool DistributionLooksWhole(const TDistribution& dist) {
  if (dist.Records.empty() || dist.Reserved != 0) return false;
  int64_t total = 0;
  int32_t minCount = 2147483647, maxCount = 0;
  for (size_t i = 0; i < dist.Records.size(); ++i) {
    const TDfcRecord& r = dist.Records[i];
    if (r.Count <= 0) return false;
    total += r.Count;
    minCount = std::min(minCount, r.Count);
    maxCount = std::max(maxCount, r.Count);
    if (i > 0) {
      // The sort order of value lists: each word compared as unsigned 16-bit.
      const TDfcRecord& p = dist.Records[i - 1];
      bool ascending = false;
      for (int w = 0; w < 4; ++w) {
        const auto a = uint16_t(p.Value[w]), b = uint16_t(r.Value[w]);
        if (a != b) {
          ascending = a < b;
          break;
        }
      }
      if (!ascending) return false;
    }
  }
  // Methods give several values or none to a combination, so the total is no
  // fixed multiple of the full set; it is bounded by every value of every one.
  return total <= int64_t{kAllCombinations} * 64 && minCount == dist.MinCount &&
         maxCount == dist.MaxCount;
}

TDistribution DistributionFromList(TStatDrawArray list) {
  SortStatValues(list);
  const TListTotals totals = ListTotals(list);
  TDistribution dist;
  dist.Records.reserve(list.size());
  for (const TStatDrawRec& e : list) {
    TDfcRecord r;
    std::memcpy(r.Value, e.Value, sizeof r.Value);
    r.Count = e.Count;
    dist.Records.push_back(r);
  }
  dist.MinCount = totals.MinCount;
  dist.MaxCount = totals.MaxCount;
  return dist;
}

TDistribution LiteralDistribution(const TStatList& list, const TStatMethod& method) {
  auto stat = list.CreateStat(method);
  return DistributionFromList(FullSetValues(*stat, true));
}

namespace {

// Slices of the full set spread over threads. Each slice runs on its own fresh
// instance, so instances never share scratch state; counts of the slices add up
// and the final sort makes the result independent of the slicing.
class TDistributionJobs {
 public:
  TDistributionJobs(const TStatList& list, const std::vector<const TStatMethod*>& methods,
                    int threads, const std::function<bool()>& stopRequested)
      : list_(list),
        methods_(methods),
        stopRequested_(stopRequested),
        caller_(std::this_thread::get_id()) {
    int t = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
    if (t < 1) t = 1;
    slices_ = methods.size() >= size_t(t) ? 1 : t;
    partial_.resize(methods.size() * size_t(slices_));
    errors_.resize(methods.size());
    remaining_.assign(methods.size(), slices_);
    for (int i = 1; i < t; ++i) {
      try {
        workers_.emplace_back([this] { WorkerLoop(); });
      } catch (const std::system_error&) {
        break;  // fewer helpers; the calling thread works too
      }
    }
  }

  ~TDistributionJobs() {
    stop_ = true;
    for (std::thread& w : workers_) w.join();
  }

  // The merged list of method m; helps with the remaining slices meanwhile.
  // Throws EStopped once the stop request was seen.
  TStatDrawArray Take(size_t m) {
    PollStop();
    for (;;) {
      {
        std::unique_lock lock(mutex_);
        if (remaining_[m] == 0) break;
      }
      if (!RunOne()) {
        // The helpers hold the last slices: keep asking for a stop meanwhile.
        std::unique_lock lock(mutex_);
        while (!ready_.wait_for(lock, std::chrono::milliseconds(20),
                                [&] { return remaining_[m] == 0; })) {
          lock.unlock();
          PollStop();
          lock.lock();
          if (stop_) break;
        }
        break;
      }
    }
    // The helpers may have done every slice while this thread waited: a stop
    // asked for meanwhile still ends the work.
    if (!stop_) PollStop();
    if (stop_) throw EStopped();
    if (errors_[m]) std::rethrow_exception(errors_[m]);
    const size_t first = m * size_t(slices_);
    TStatDrawArray merged = std::move(partial_[first]);
    for (int s = 1; s < slices_; ++s) {
      for (const TStatDrawRec& e : partial_[first + size_t(s)]) {
        const int found = merged.Find(e.Key());
        if (found >= 0) {
          merged[size_t(found)].Count += e.Count;
        } else {
          merged.Append(e);
        }
      }
      partial_[first + size_t(s)] = TStatDrawArray();
    }
    return merged;
  }

 private:
  // Only the calling thread asks: the hooks behind the request belong to it.
  void PollStop() {
    if (stopRequested_ && std::this_thread::get_id() == caller_ && stopRequested_()) {
      stop_ = true;
    }
  }

  void WorkerLoop() {
    while (!stop_ && RunOne()) {
    }
  }

  // Runs the next slice; false when none is left.
  bool RunOne() {
    const size_t item = next_.fetch_add(1);
    if (item >= partial_.size()) return false;
    const size_t m = item / size_t(slices_);
    const size_t s = item % size_t(slices_);
    std::exception_ptr error;
    try {
      const TCombsArray& full = FullSet();
      const size_t begin = full.size() * s / size_t(slices_);
      const size_t end = full.size() * (s + 1) / size_t(slices_);
      auto stat = list_.CreateStat(*methods_[m]);
      TStatDrawArray values;
      // In chunks, so the calling thread asks for a stop between them; large
      // enough that a family's counting loop keeps its speed.
      constexpr size_t kChunk = 8 * kStopPollCombs;
      const std::span<const TComb> slice = std::span<const TComb>(full).subspan(begin, end - begin);
      for (size_t at = 0; at < slice.size() && !stop_; at += kChunk) {
        PollStop();
        if (!stop_) {
          stat->CountCombValues(slice.subspan(at, std::min(kChunk, slice.size() - at)), values);
        }
      }
      partial_[item] = std::move(values);
    } catch (...) {
      error = std::current_exception();
    }
    {
      std::lock_guard lock(mutex_);
      if (error && !errors_[m]) errors_[m] = error;
      --remaining_[m];
    }
    ready_.notify_all();
    return true;
  }

  const TStatList& list_;
  const std::vector<const TStatMethod*>& methods_;
  const std::function<bool()>& stopRequested_;
  std::thread::id caller_;
  int slices_ = 1;
  std::vector<TStatDrawArray> partial_;
  std::vector<std::exception_ptr> errors_;
  std::vector<int> remaining_;
  std::atomic<size_t> next_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable ready_;
  std::vector<std::thread> workers_;
};

}  // namespace

std::vector<TDistribution> ComputeDistributions(
    const TStatList& list, const std::vector<const TStatMethod*>& methods, int threads,
    const std::function<void(size_t index, const TDistribution&)>& done,
    const std::function<bool()>& stopRequested) {
  std::vector<TDistribution> result;
  result.reserve(methods.size());
  TDistributionJobs jobs(list, methods, threads, stopRequested);
  for (size_t m = 0; m < methods.size(); ++m) {
    result.push_back(DistributionFromList(jobs.Take(m)));
    if (done) done(m, result.back());
  }
  return result;
}

TDistribution ComputeDistribution(const TStatList& list, const TStatMethod& method, int threads,
                                  const std::function<bool()>& stopRequested) {
  return ComputeDistributions(list, {&method}, threads, {}, stopRequested).front();
}

std::string TPrefetchPlace::FileName(const TStatMethod& method) const {
  return JoinPath(Dir, Format("%s_%s.dfc", {BaseName, method.Code()}));
}

namespace {

enum class TFileState { Missing, Unusable, Present };

// A regular file of a usable size is present; a regular file of any other size
// is unusable (rebuilt); anything else at the path is left to the open or create
// step, which reports it.
TFileState CacheFileState(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return TFileState::Missing;
  if (S_ISREG(st.st_mode) && !ValidDistributionSize(uint64_t(st.st_size))) {
    return TFileState::Unusable;
  }
  return TFileState::Present;
}

void RemoveCacheFile(const std::string& path) {
  // A stale or half-valid cache must not survive a failed rebuild.
  if (FileExists(path)) ::unlink(path.c_str());
}

void ShowCreateError(TUiHooks& hooks, const std::string& path, std::string_view error) {
  hooks.ShowMessage(
      TMessageKind::Error,
      Format(
          Tr("Ошибка создания файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s"),
          {path, error}));
}

void WriteCacheFile(const std::string& path, const TDistribution& dist) {
  if (DirectoryExists(path)) throw EVetrilo(OsErrorText(path, EISDIR));
  SaveFileAtomic(path, SerializeDistribution(dist));
}

}  // namespace

std::optional<TDistribution> CreateDistribution(const TStatList& list, const TStatMethod& method,
                                                const TPrefetchPlace& place, TUiHooks& hooks) {
  const std::string path = place.FileName(method);
  hooks.SetStatus(Format(Tr("Создание файла предварительной выборки %s..."), {path}));
  try {
    ForceDirectory(place.Dir);
    RemoveStaleTemporaries(place.Dir);
    TDistribution dist =
        ComputeDistribution(list, method, 0, [&] { return hooks.StopRequested(); });
    WriteCacheFile(path, dist);
    return dist;
  } catch (const EStopped&) {
    throw;  // nothing was written: the file is saved whole or not at all
  } catch (const std::exception& e) {
    RemoveCacheFile(path);
    ShowCreateError(hooks, path, e.what());
    return std::nullopt;
  }
}

std::optional<TDistribution> OpenDistribution(const TStatList& list, const TStatMethod& method,
                                              const TPrefetchPlace& place, bool enabled,
                                              TUiHooks& hooks) {
  if (!enabled || !method.Stat->HasNorm()) return std::nullopt;
  const std::string path = place.FileName(method);
  if (CacheFileState(path) != TFileState::Present) {
    return CreateDistribution(list, method, place, hooks);
  }
  std::string bytes;
  try {
    bytes = ReadFileBytes(path, kDfcReadLimit);
  } catch (const EVetrilo& e) {
    hooks.ShowMessage(
        TMessageKind::Error,
        Format(
            Tr("Ошибка открытия файла данных для полного набора вариантов!\r\rИмя файла: %s\r\r%s"),
            {path, e.what()}));
    return std::nullopt;
  }
  if (auto dist = ParseDistribution(bytes); dist && DistributionLooksWhole(*dist)) return dist;
  // A damaged file, or the size changed since it was checked: rebuild it.
  return CreateDistribution(list, method, place, hooks);
}

int RefreshDistributions(const TStatList& list, const TPrefetchPlace& place, bool forced,
                         bool enabled, uint32_t groupMask, TUiHooks& hooks) {
  if (!forced && !enabled) return 0;
  hooks.SetStatus(Tr("Создание файлов для полного набора комбинаций..."));
  std::vector<const TStatMethod*> jobs;
  for (const TStatMethod& m : list.Methods) {
    if (!m.Stat->HasNorm()) continue;
    const std::string path = place.FileName(m);
    TFileState state = CacheFileState(path);
    if (state == TFileState::Present && FileExists(path)) {
      // A file of the right size may still be damaged inside.
      try {
        const auto dist = ParseDistribution(ReadFileBytes(path, kDfcReadLimit));
        if (!dist || !DistributionLooksWhole(*dist)) state = TFileState::Unusable;
      } catch (const EVetrilo&) {
        state = TFileState::Unusable;
      }
    }
    if (state != TFileState::Present || (groupMask & GroupMask(m.Stat->GetGroup())) != 0) {
      jobs.push_back(&m);
    }
  }
  if (jobs.empty()) return 0;
  hooks.SetProgress(0);
  int written = 0;
  size_t current = 0;
  struct TStop {};
  try {
    try {
      ForceDirectory(place.Dir);
      RemoveStaleTemporaries(place.Dir);
    } catch (const EVetrilo& e) {
      RemoveCacheFile(place.FileName(*jobs[0]));
      ShowCreateError(hooks, place.FileName(*jobs[0]), e.what());
      throw TStop{};
    }
    ComputeDistributions(
        list, jobs, 0,
        [&](size_t index, const TDistribution& dist) {
          const std::string path = place.FileName(*jobs[index]);
          hooks.SetStatus(Format(Tr("Создание файла предварительной выборки %s..."), {path}));
          try {
            WriteCacheFile(path, dist);
          } catch (const EVetrilo& e) {
            // The previous file was never touched: a good cache stays usable.
            ShowCreateError(hooks, path, e.what());
            throw TStop{};
          }
          ++written;
          current = index + 1;
          hooks.SetProgress(static_cast<int>(current * 100 / jobs.size()));
        },
        [&] { return hooks.StopRequested(); });
  } catch (const TStop&) {
  } catch (const EStopped&) {
    // The files written so far are whole; the others keep what they were.
    hooks.SetProgress(-1);
    throw;
  } catch (const std::exception& e) {
    // A method failed while its values were computed.
    const std::string path = place.FileName(*jobs[current]);
    RemoveCacheFile(path);
    ShowCreateError(hooks, path, e.what());
  }
  hooks.SetProgress(-1);
  return written;
}

int DeleteDistributions(const TStatList& list, const TPrefetchPlace& place, uint32_t groupMask) {
  int removed = 0;
  for (const TStatMethod& m : list.Methods) {
    if (!m.Stat->HasNorm() || !(groupMask & GroupMask(m.Stat->GetGroup()))) continue;
    std::error_code ec;
    if (std::filesystem::is_regular_file(place.FileName(m), ec) &&
        std::filesystem::remove(place.FileName(m), ec)) {
      ++removed;
    }
  }
  return removed;
}

}  // namespace vetrilo
