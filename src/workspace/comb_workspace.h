#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"
#include "core/game.h"
#include "core/ui_hooks.h"
#include "stats/stat_values.h"

namespace vetrilo {

class TCustomStat;
class TStatList;
class TGridValues;

// Kinds of the applied-filter list rows; each has its own icon.
enum class TJournalKind { Include, Exclude, Undo };

struct TJournalRow {
  std::string Caption;
  std::string Values;
  int Count = 0;  // combinations after the step
  TJournalKind Kind = TJournalKind::Include;
};

// Rows First..Last (inclusive) of the list; a selection is any number of them.
struct TRowRange {
  int First = 0;
  int Last = -1;
  bool operator==(const TRowRange&) const = default;
};
using TRowRanges = std::vector<TRowRange>;
// Sorted, merged and clipped to 0..count-1.
TRowRanges NormalizeRanges(TRowRanges ranges, int count);
int RangesRowCount(const TRowRanges& ranges);

// Combinations of `combs` equal to none of `draws` (4 matching numbers, counted pair by pair
// as the game's match count does). The literal form compares every pair; the default one
// compares number masks and keeps the pairwise count for the odd cases (repeated numbers,
// numbers outside 0..63).
void KeepUndrawn(std::span<const TComb> combs, std::span<const TComb> draws, TCombsArray& out);
void KeepUndrawnLiteral(std::span<const TComb> combs, std::span<const TComb> draws,
                        TCombsArray& out);

// The combination workspace: the working list of candidate combinations, its one-step undo
// copy, the buffer scripts reuse and the journal of the narrowing steps. Operations report
// status texts through the hooks and throw EVetrilo with the system's message when they fail;
// the caller shows it. The listener hears of every change of list or journal.
class TCombWorkspace {
 public:
  TCombWorkspace(const TDrawArchive& archive, TUiHooks& hooks);

  void SetHooks(TUiHooks& hooks) { hooks_ = &hooks; }
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

  const TCombsArray& Combs() const { return combs_; }
  int Count() const { return static_cast<int>(combs_.size()); }
  TComb Comb(int row) const { return combs_[static_cast<size_t>(row)]; }
  const TCombsArray& UndoCombs() const { return undo_; }
  bool HasUndo() const { return !undo_.empty(); }
  const TCombsArray& BufferCombs() const { return buffer_; }
  int BufferOffset() const { return bufferOffset_; }
  int BufferDraws() const { return bufferDraws_; }
  const std::vector<TJournalRow>& Journal() const { return journal_; }
  bool Contains(TComb comb) const;

  // Operations other parts of the program drive.
  void GenerateCombs(int mode, std::string_view parameter, bool withStatus);
  void TakeUndo(bool withStatus);
  void RestoreUndo(bool withStatus);
  void DropUndo();
  // Rebuilds the list from the undo copy without the combinations of the n newest visible
  // draws (archive indices lastIndex - n + 1 .. lastIndex). Stopped (EStopped), the list is
  // the undo copy again and no journal row is written.
  void ExcludeLastDraws(int n, int lastIndex);
  void SaveBuffer(int offset, int n);
  bool LoadBuffer(int offset, int n);
  void InvalidateBuffer();
  void AddJournalRow(TJournalKind kind, std::string_view caption, std::string_view values);
  void AddUndoMarker();
  void ClearJournal();

  // One filter application (undo copy taken by the caller): the list becomes the
  // combinations of the undo copy that the method keeps. Nothing happens without selected
  // values; with an empty undo copy the list ends empty and no row is written. Stopped
  // (EStopped), the list is the undo copy again and no row is written.
  void ApplyFilter(TCustomStat& stat, const TStatDrawArray& selected, std::string_view caption,
                   std::string_view valuesText, bool exclude, int lastIndex, bool sorted);
  // The user's filter step: nothing at all without values, else the undo copy and the filter.
  // Stopped (EStopped), list, undo copy and journal are as before the step; so for
  // ExcludeDraws.
  void FilterStep(TCustomStat& stat, const TStatDrawArray& selected, std::string_view caption,
                  std::string_view valuesText, bool exclude, int lastIndex, bool sorted);
  // A step with the numbers picked in a grid; fails before touching anything without one.
  void GridFilterStep(const TStatList& list, const TGridValues& values, std::string_view caption,
                      bool exclude, int lastIndex, bool sorted);

  // The user's commands on the list.
  void OpenFile(const std::string& path);
  void SaveFile(const std::string& path) const;
  std::string CopyText(const TRowRanges& selection) const;
  void Paste(std::string_view text);
  void DeleteRows(const TRowRanges& selection);
  void ExcludeDraws(int n, int lastIndex);
  void Undo();
  int DistinctNumbers() const { return CountDistinctNumbers(combs_, combs_.size()); }
  void ShowDistinctNumbers();
  // Draws of the whole archive (hidden ones too), newest first, equal to the combination;
  // at most kFindLimit.
  std::vector<int> FindInArchive(TComb comb) const;
  void ShowFindInArchive(TComb comb);

  static constexpr int kFindLimit = 26;
  // The journal keeps its newest rows only: a script run adds rows for every filter
  // variant, and a run of many variants must not keep them all. When it is full, the
  // oldest kJournalDropRows rows give way at once.
  static constexpr size_t kMaxJournalRows = 10000;
  static constexpr size_t kJournalDropRows = kMaxJournalRows / 10;
  // Filters look at the stop request once per this many combinations.
  static constexpr size_t kStopPollCombs = 4096;

 private:
  void Changed();

  const TDrawArchive& archive_;
  TUiHooks* hooks_;
  std::function<void()> listener_;
  TCombsArray combs_;
  TCombsArray undo_;
  TCombsArray buffer_;
  int bufferOffset_ = -1;
  int bufferDraws_ = -1;
  std::vector<TJournalRow> journal_;
};

}  // namespace vetrilo
