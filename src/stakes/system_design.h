#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// A system as positions: each line 4 distinct positions 1..n, ascending.
using TSystemLine = std::array<uint8_t, 4>;
using TSystemLines = std::vector<TSystemLine>;

constexpr int kSystemMinNums = 5;
constexpr int kSystemMaxNums = 47;
constexpr int kSystemMaxBlock = 3;

// What a system over n positions with block t guarantees: whenever the 4 drawn
// numbers are all among the n, some line holds at least t of them.
struct TSystemCheck {
  int64_t Subsets = 0;    // C(n,4), the draws inside the n positions
  int64_t Uncovered = 0;  // of those, the draws no line holds t of
  bool Covering = false;  // every 3 of the n positions lie in one line
  bool Holds() const { return Uncovered == 0; }
};

// The check over every 4-subset of 1..n with bit sets over their colex ranks.
TSystemCheck VerifySystem(const TSystemLines& lines, int n, int block);
// The same by walking every 4-subset against every line; slow, the reference.
TSystemCheck VerifySystemLiteral(const TSystemLines& lines, int n, int block);

// Lines of a system text (the store's separators; blank lines skipped); every
// position must lie in 1..maxPosition. Throws EVetrilo naming the bad line.
TSystemLines ParseSystemText(std::string_view text, int maxPosition = kSystemMaxNums);
// n from a store file name "4-NN-B_....dat", or 0 when the name does not follow it.
int SystemNumsFromFileName(std::string_view fileName);
// The largest position used (0 for no lines).
int SystemLargestPosition(const TSystemLines& lines);
// The store's file text: "01 02 07 12" lines ended by CR LF.
std::string SystemFileText(const TSystemLines& lines);

struct TDesignProgress {
  int Lines = 0;          // lines of the system being improved
  int Best = 0;           // size of the smallest system found so far (0: none yet)
  int64_t Uncovered = 0;  // draws the current lines leave without the guarantee
  double Elapsed = 0;     // seconds
  double TimeLimit = 0;
};

struct TDesignOptions {
  int Nums = 0;
  int Block = 3;
  uint64_t Seed = 1;
  double TimeLimit = 60;  // seconds
  // Called a few times a second; answering false stops the search.
  std::function<bool(const TDesignProgress&)> Progress;
  const std::atomic<bool>* Stop = nullptr;
};

// A small system with the guarantee: a greedy start, then a local search that
// drops a line whenever the guarantee holds and repairs the rest by moving
// lines. Stopped or timed out, it answers the smallest system found, which
// always holds the guarantee (the greedy start does). Throws EVetrilo for
// n outside 5..47 or a block outside 0..3.
TSystemLines MakeSystem(const TDesignOptions& options);

}  // namespace vetrilo
