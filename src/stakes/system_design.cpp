#include "stakes/system_design.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <random>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "stakes/system_store.h"

namespace vetrilo {
namespace {

struct TBinomials {
  std::array<std::array<int64_t, 5>, kSystemMaxNums + 1> B{};
  TBinomials() {
    for (int n = 0; n <= kSystemMaxNums; ++n) {
      B[n][0] = 1;
      for (int k = 1; k <= 4; ++k) B[n][k] = n == 0 ? 0 : B[n - 1][k - 1] + B[n - 1][k];
    }
  }
};

const TBinomials& Binomials() {
  static const TBinomials table;
  return table;
}

int64_t Choose(int n, int k) {
  return Binomials().B[n][k];
}

// Colex rank of an ascending 4-subset of 0-based positions: the subsets of
// 0..n-1 take exactly the ranks 0..C(n,4)-1 whatever n is.
int32_t Rank4(const std::array<int, 4>& s) {
  const auto& b = Binomials().B;
  return int32_t(b[s[0]][1] + b[s[1]][2] + b[s[2]][3] + b[s[3]][4]);
}

int32_t Rank3(int a, int b, int c) {
  const auto& t = Binomials().B;
  return int32_t(t[a][1] + t[b][2] + t[c][3]);
}

using TLine0 = std::array<int, 4>;  // 0-based, ascending

uint64_t MaskOf(const TLine0& line) {
  uint64_t mask = 0;
  for (const int p : line) mask |= uint64_t(1) << p;
  return mask;
}

// Calls fn(rank) for every 4-subset of 0..n-1 that shares at least t positions with the line.
template <typename Fn>
void ForEachHeld(const TLine0& line, int n, int t, Fn&& fn) {
  const uint64_t lineMask = MaskOf(line);
  std::array<int, kSystemMaxNums> rest{};
  int restCount = 0;
  for (int p = 0; p < n; ++p) {
    if (!(lineMask >> p & 1)) rest[restCount++] = p;
  }
  for (int inLine = std::max(t, 0); inLine <= 4; ++inLine) {
    const int outside = 4 - inLine;
    if (outside > restCount) continue;
    for (unsigned pick = 0; pick < 16; ++pick) {
      if (std::popcount(pick) != inLine) continue;
      std::array<int, 4> s{};
      int k = 0;
      for (int i = 0; i < 4; ++i) {
        if (pick >> i & 1) s[k++] = line[i];
      }
      // The outside positions as an ascending index tuple over `rest`.
      std::array<int, 4> idx{0, 1, 2, 3};
      while (true) {
        std::array<int, 4> d = s;
        for (int j = 0; j < outside; ++j) d[inLine + j] = rest[idx[j]];
        std::sort(d.begin(), d.end());
        fn(Rank4(d));
        int j = outside - 1;
        while (j >= 0 && idx[j] == restCount - outside + j) --j;
        if (j < 0) break;
        ++idx[j];
        for (int m = j + 1; m < outside; ++m) idx[m] = idx[m - 1] + 1;
      }
    }
  }
}

TLine0 ToLine0(const TSystemLine& line) {
  TLine0 l{line[0] - 1, line[1] - 1, line[2] - 1, line[3] - 1};
  std::sort(l.begin(), l.end());
  return l;
}

void CheckNumsAndBlock(int n, int block) {
  if (n < kSystemMinNums || n > kSystemMaxNums) {
    throw EVetrilo(Format(Tr("Количество чисел системы должно быть от %d до %d"),
                          {kSystemMinNums, kSystemMaxNums}));
  }
  if (block < 0 || block > kSystemMaxBlock) {
    throw EVetrilo(Format(Tr("Размер блока должен быть от 0 до %d"), {kSystemMaxBlock}));
  }
}

void CheckLinesWithin(const TSystemLines& lines, int n) {
  for (const TSystemLine& line : lines) {
    for (const uint8_t p : line) {
      if (p < 1 || p > n) {
        throw EVetrilo(Format(Tr("Позиция %d вне диапазона 1..%d"), {int(p), n}));
      }
    }
  }
}

bool TriplesCovered(const TSystemLines& lines, int n) {
  std::vector<bool> seen(size_t(Choose(n, 3)), false);
  int64_t left = int64_t(seen.size());
  for (const TSystemLine& line : lines) {
    const TLine0 l = ToLine0(line);
    for (int skip = 0; skip < 4; ++skip) {
      std::array<int, 3> t{};
      for (int i = 0, k = 0; i < 4; ++i) {
        if (i != skip) t[k++] = l[i];
      }
      const auto r = size_t(Rank3(t[0], t[1], t[2]));
      if (!seen[r]) {
        seen[r] = true;
        --left;
      }
    }
  }
  return left == 0;
}

// The working state of the search: how many lines hold each draw, and the
// draws no line holds in a list that allows picking one at random.
class TCoverState {
 public:
  TCoverState(int n, int t) : N(n), T(t), Count(size_t(Choose(n, 4)), 0), Where(Count.size()) {
    Open.reserve(Count.size());
    for (size_t r = 0; r < Count.size(); ++r) {
      Where[r] = int32_t(r);
      Open.push_back(int32_t(r));
    }
    Subsets.reserve(Count.size());
    for (int d = 3; d < n; ++d)
      for (int c = 2; c < d; ++c)
        for (int b = 1; b < c; ++b)
          for (int a = 0; a < b; ++a) Subsets.push_back({a, b, c, d});
  }

  void Add(const TLine0& line) {
    ForEachHeld(line, N, T, [&](int32_t r) {
      if (Count[r]++ == 0) Close(r);
    });
  }
  void Remove(const TLine0& line) {
    ForEachHeld(line, N, T, [&](int32_t r) {
      if (--Count[r] == 0) Reopen(r);
    });
  }
  // Draws held by this line only.
  int64_t Unique(const TLine0& line) const {
    int64_t unique = 0;
    ForEachHeld(line, N, T, [&](int32_t r) { unique += Count[r] == 1; });
    return unique;
  }
  int64_t Gain(const TLine0& line) const {
    int64_t gain = 0;
    ForEachHeld(line, N, T, [&](int32_t r) { gain += Count[r] == 0; });
    return gain;
  }

  int64_t OpenCount() const { return int64_t(Open.size()); }
  int32_t OpenAt(size_t i) const { return Open[i]; }
  bool IsOpen(int32_t r) const { return Count[r] == 0; }
  const std::array<int, 4>& Subset(int32_t r) const { return Subsets[r]; }

 private:
  void Close(int32_t r) {
    const int32_t at = Where[r];
    const int32_t last = Open.back();
    Open[at] = last;
    Where[last] = at;
    Open.pop_back();
    Where[r] = -1;
  }
  void Reopen(int32_t r) {
    Where[r] = int32_t(Open.size());
    Open.push_back(r);
  }

  int N;
  int T;
  std::vector<int32_t> Count;
  std::vector<int32_t> Where;
  std::vector<int32_t> Open;
  std::vector<std::array<int, 4>> Subsets;
};

class TDesigner {
 public:
  explicit TDesigner(const TDesignOptions& options)
      : Options(options), N(options.Nums), T(options.Block), State(N, T), Random(options.Seed) {}

  TSystemLines Run() {
    Start = std::chrono::steady_clock::now();
    Greedy();
    Best = Lines;
    if (T > 0) Search();
    TSystemLines result;
    for (const TLine0& l : Best) {
      result.push_back(
          {uint8_t(l[0] + 1), uint8_t(l[1] + 1), uint8_t(l[2] + 1), uint8_t(l[3] + 1)});
    }
    std::sort(result.begin(), result.end());
    return result;
  }

 private:
  int RandomBelow(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(Random); }

  // A line holding draw d: t of its positions and the rest at random.
  TLine0 RandomLineHolding(const std::array<int, 4>& d) {
    std::array<int, 4> order = d;
    std::shuffle(order.begin(), order.end(), Random);
    uint64_t used = 0;
    TLine0 line{};
    const int keep = std::max(T, 1);
    for (int i = 0; i < keep; ++i) {
      line[i] = order[i];
      used |= uint64_t(1) << order[i];
    }
    for (int i = keep; i < 4; ++i) {
      int p = RandomBelow(N);
      while (used >> p & 1) p = RandomBelow(N);
      line[i] = p;
      used |= uint64_t(1) << p;
    }
    std::sort(line.begin(), line.end());
    return line;
  }

  void Greedy() {
    const int64_t total = Choose(N, 4);
    for (int32_t r = 0; r < total; ++r) {
      if (!State.IsOpen(r)) continue;
      TLine0 best = RandomLineHolding(State.Subset(r));
      int64_t bestGain = State.Gain(best);
      for (int tries = 0; tries < 24; ++tries) {
        const TLine0 candidate = RandomLineHolding(State.Subset(r));
        const int64_t gain = State.Gain(candidate);
        if (gain > bestGain) {
          best = candidate;
          bestGain = gain;
        }
      }
      State.Add(best);
      Lines.push_back(best);
      Masks.push_back(MaskOf(best));
    }
  }

  // One move of the repair: a line is changed so that it holds an open draw.
  // Prefer a line one position short of it (a single swap); else move a
  // random line onto the draw, keeping what of it fits.
  void Move(double temperature) {
    const int32_t r = State.OpenAt(size_t(RandomBelow(int(State.OpenCount()))));
    const std::array<int, 4>& d = State.Subset(r);
    uint64_t dMask = 0;
    for (const int p : d) dMask |= uint64_t(1) << p;
    int chosen = -1;
    int seen = 0;
    for (size_t i = 0; i < Masks.size(); ++i) {
      if (std::popcount(Masks[i] & dMask) == T - 1 && RandomBelow(++seen) == 0) chosen = int(i);
    }
    TLine0 next{};
    if (chosen >= 0) {
      const uint64_t mask = Masks[size_t(chosen)];
      std::array<int, 4> out{}, in{};
      int outCount = 0, inCount = 0;
      for (const int p : Lines[size_t(chosen)]) {
        if (!(dMask >> p & 1)) out[outCount++] = p;
      }
      for (const int p : d) {
        if (!(mask >> p & 1)) in[inCount++] = p;
      }
      const uint64_t nextMask = (mask & ~(uint64_t(1) << out[RandomBelow(outCount)])) |
                                uint64_t(1) << in[RandomBelow(inCount)];
      for (int p = 0, k = 0; p < N; ++p) {
        if (nextMask >> p & 1) next[k++] = p;
      }
    } else {
      chosen = RandomBelow(int(Lines.size()));
      std::array<int, 4> order = d;
      std::shuffle(order.begin(), order.end(), Random);
      uint64_t nextMask = 0;
      for (int i = 0; i < T; ++i) nextMask |= uint64_t(1) << order[i];
      std::array<int, 4> keep{};
      int keepCount = 0;
      for (const int p : Lines[size_t(chosen)]) {
        if (!(nextMask >> p & 1)) keep[keepCount++] = p;
      }
      std::shuffle(keep.begin(), keep.begin() + keepCount, Random);
      for (int i = 0; std::popcount(nextMask) < 4; ++i) nextMask |= uint64_t(1) << keep[i];
      for (int p = 0, k = 0; p < N; ++p) {
        if (nextMask >> p & 1) next[k++] = p;
      }
    }
    const size_t i = size_t(chosen);
    const int64_t before = State.OpenCount();
    const TLine0 previous = Lines[i];
    State.Remove(previous);
    State.Add(next);
    const int64_t delta = State.OpenCount() - before;
    if (delta <= 0 || std::uniform_real_distribution<double>(0, 1)(Random) <
                          std::exp(-double(delta) / temperature)) {
      Lines[i] = next;
      Masks[i] = MaskOf(next);
      return;
    }
    State.Remove(next);
    State.Add(previous);
  }

  void DropWeakestLine() {
    size_t weakest = 0;
    int64_t least = -1;
    for (size_t i = 0; i < Lines.size(); ++i) {
      const int64_t unique = State.Unique(Lines[i]);
      if (least < 0 || unique < least || (unique == least && RandomBelow(2) == 0)) {
        least = unique;
        weakest = i;
      }
    }
    State.Remove(Lines[weakest]);
    Lines[weakest] = Lines.back();
    Masks[weakest] = Masks.back();
    Lines.pop_back();
    Masks.pop_back();
  }

  double Elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  }

  bool Report() {
    if (Options.Stop != nullptr && Options.Stop->load()) return false;
    if (!Options.Progress) return true;
    TDesignProgress progress;
    progress.Lines = int(Lines.size());
    progress.Best = int(Best.size());
    progress.Uncovered = State.OpenCount();
    progress.Elapsed = Elapsed();
    progress.TimeLimit = Options.TimeLimit;
    return Options.Progress(progress);
  }

  void Search() {
    double temperature = 0.6;
    auto lastReport = std::chrono::steady_clock::now();
    for (uint64_t step = 0;; ++step) {
      if (State.OpenCount() == 0) {
        if (Lines.size() < Best.size()) Best = Lines;
        if (Lines.size() <= 1) return;
        DropWeakestLine();
        temperature = 0.6;
        continue;
      }
      Move(temperature);
      temperature = std::max(0.08, temperature * 0.99995);
      if ((step & 255) == 0) {
        const auto now = std::chrono::steady_clock::now();
        if (Elapsed() >= Options.TimeLimit) return;
        if (now - lastReport >= std::chrono::milliseconds(100)) {
          lastReport = now;
          if (!Report()) return;
        }
      }
    }
  }

  const TDesignOptions& Options;
  int N;
  int T;
  TCoverState State;
  std::mt19937_64 Random;
  std::vector<TLine0> Lines;
  std::vector<uint64_t> Masks;
  std::vector<TLine0> Best;
  std::chrono::steady_clock::time_point Start;
};

}  // namespace

TSystemCheck VerifySystem(const TSystemLines& lines, int n, int block) {
  CheckNumsAndBlock(n, block);
  CheckLinesWithin(lines, n);
  TSystemCheck check;
  check.Subsets = Choose(n, 4);
  std::vector<uint64_t> held(size_t((check.Subsets + 63) / 64), 0);
  int64_t heldCount = 0;
  for (const TSystemLine& line : lines) {
    if (heldCount == check.Subsets) break;
    ForEachHeld(ToLine0(line), n, block, [&](int32_t r) {
      uint64_t& word = held[size_t(r) >> 6];
      const uint64_t bit = uint64_t(1) << (r & 63);
      if (!(word & bit)) {
        word |= bit;
        ++heldCount;
      }
    });
  }
  check.Uncovered = check.Subsets - heldCount;
  check.Covering = TriplesCovered(lines, n);
  return check;
}

TSystemCheck VerifySystemLiteral(const TSystemLines& lines, int n, int block) {
  CheckNumsAndBlock(n, block);
  CheckLinesWithin(lines, n);
  TSystemCheck check;
  for (int a = 1; a <= n; ++a)
    for (int b = a + 1; b <= n; ++b)
      for (int c = b + 1; c <= n; ++c) {
        for (int d = c + 1; d <= n; ++d) {
          ++check.Subsets;
          bool held = false;
          for (const TSystemLine& line : lines) {
            int common = 0;
            for (const uint8_t p : line) common += p == a || p == b || p == c || p == d;
            if (common >= block) {
              held = true;
              break;
            }
          }
          if (!held) ++check.Uncovered;
        }
      }
  check.Covering = true;
  for (int a = 1; a <= n && check.Covering; ++a)
    for (int b = a + 1; b <= n && check.Covering; ++b)
      for (int c = b + 1; c <= n && check.Covering; ++c) {
        bool found = false;
        for (const TSystemLine& line : lines) {
          const auto has = [&](int x) {
            return std::find(line.begin(), line.end(), x) != line.end();
          };
          found = found || (has(a) && has(b) && has(c));
        }
        check.Covering = found;
      }
  return check;
}

TSystemLines ParseSystemText(std::string_view text, int maxPosition) {
  TSystemLines lines;
  for (const std::string& raw : SplitLines(text)) {
    std::array<int, 4> p{};
    if (ParseSystemLine(raw, maxPosition, p) == 0) continue;
    std::sort(p.begin(), p.end());
    lines.push_back({uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2]), uint8_t(p[3])});
  }
  return lines;
}

int SystemNumsFromFileName(std::string_view fileName) {
  // "4-NN-B_....dat": the store's pattern, extension in any case.
  if (fileName.size() < 12 || fileName.substr(0, 2) != "4-" || fileName[4] != '-' ||
      fileName[6] != '_')
    return 0;
  if (!SameTextIgnoringCase(fileName.substr(fileName.size() - 4), ".dat")) return 0;
  const char hi = fileName[2], lo = fileName[3], block = fileName[5];
  if (hi < '0' || hi > '9' || lo < '0' || lo > '9' || block < '0' || block > '9') return 0;
  const int n = (hi - '0') * 10 + (lo - '0');
  return n >= kSystemMinNums && n <= kSystemMaxNums ? n : 0;
}

int SystemLargestPosition(const TSystemLines& lines) {
  int largest = 0;
  for (const TSystemLine& line : lines)
    largest = std::max(largest, int(*std::max_element(line.begin(), line.end())));
  return largest;
}

std::string SystemFileText(const TSystemLines& lines) {
  std::string text;
  for (const TSystemLine& line : lines) {
    text +=
        Format("%.2d %.2d %.2d %.2d\r\n", {int(line[0]), int(line[1]), int(line[2]), int(line[3])});
  }
  return text;
}

TSystemLines MakeSystem(const TDesignOptions& options) {
  CheckNumsAndBlock(options.Nums, options.Block);
  TDesigner designer(options);
  TSystemLines lines = designer.Run();
  if (!VerifySystem(lines, options.Nums, options.Block).Holds()) {
    throw EVetrilo(Tr("Построенная система не выполняет своё условие"));
  }
  return lines;
}

}  // namespace vetrilo
