#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "stats/families/item_stats.h"

namespace vetrilo {

// The 47 numbers written row by row into MatrixCols columns; the last row may
// be incomplete. The width is copied from the registry when a statistic object
// is created.
class TMatrixGrid {
 public:
  explicit TMatrixGrid(const TStatList& list);
  // The width the family works with: none (0) for a width <= 0, which would
  // divide by zero; a hand-edited width above 47 acts as 47 (a single row).
  static int UsableCols(int32_t cols);
  // The usable width of the registry's current settings.
  static int UsableCols(const TStatList& list);

  int MatrixCols;
  int MatrixRows;
  bool HasItems() const { return MatrixCols > 0; }
  int ColumnOf(int n) const {
    return n >= 0 && n < 256 ? columnOf_[size_t(n)] : MatrixColumn(n, MatrixCols);
  }
  int RowOf(int n) const {
    return n >= 0 && n < 256 ? rowOf_[size_t(n)] : MatrixRow(n, MatrixCols);
  }
  const std::vector<int>& Columns() const { return columns_; }
  const std::vector<int>& Rows() const { return rows_; }

 private:
  std::vector<int> columns_;  // 1..MatrixCols
  std::vector<int> rows_;     // 1..MatrixRows
  // Column and row of every number a draw record can hold (damaged ones included).
  std::array<uint8_t, 256> columnOf_{};
  std::array<uint8_t, 256> rowOf_{};
};

// The two axes; every column class has a row twin that differs only in these.
struct TColumnAxis {
  static int Item(const TMatrixGrid& grid, int n) { return grid.ColumnOf(n); }
  static int Across(const TMatrixGrid& grid, int n) { return grid.RowOf(n); }
  static const std::vector<int>& Items(const TMatrixGrid& grid) { return grid.Columns(); }
  static int Count(const TMatrixGrid& grid) { return grid.MatrixCols; }
  static int CrossCount(const TMatrixGrid& grid) { return grid.MatrixRows; }
  static int CountFor(int cols) { return cols; }
};

struct TRowAxis {
  static int Item(const TMatrixGrid& grid, int n) { return grid.RowOf(n); }
  static int Across(const TMatrixGrid& grid, int n) { return grid.ColumnOf(n); }
  static const std::vector<int>& Items(const TMatrixGrid& grid) { return grid.Rows(); }
  static int Count(const TMatrixGrid& grid) { return grid.MatrixRows; }
  static int CrossCount(const TMatrixGrid& grid) { return grid.MatrixCols; }
  static int CountFor(int cols) { return CeilDiv(kMaxNumber, cols); }
};

// Two numbers next to each other along the axis: the same column (row) and
// neighbouring rows (columns).
template <class TAxis>
bool AdjacentOn(const TMatrixGrid& grid, int a, int b) {
  if (TAxis::Item(grid, a) != TAxis::Item(grid, b)) return false;
  const int d = TAxis::Across(grid, a) - TAxis::Across(grid, b);
  return d == 1 || d == -1;
}

class TCustomMatrixStat : public TCustomNumbersStat, public TMatrixGrid {
 public:
  TCustomMatrixStat(const TStatList& list, int param)
      : TCustomNumbersStat(list, param), TMatrixGrid(list) {}
  static constexpr int kGroup = 4;
};

class TCustomMatrixGraphStat : public TCustomGraphStat, public TMatrixGrid {
 public:
  TCustomMatrixGraphStat(const TStatList& list, int param)
      : TCustomGraphStat(list, param), TMatrixGrid(list) {}
  static constexpr int kGroup = 4;
};

// COLS, ROWS: the occupied columns (rows).
template <class TAxis>
class TMatrixItemsStat : public TItemsStat<TCustomMatrixStat, TAxis> {
 public:
  using TItemsStat<TCustomMatrixStat, TAxis>::TItemsStat;
  static constexpr uint8_t kFlags = kFlagN;
};

// COLV, ROWV: (column, count) for every column, empty ones included.
template <class TAxis>
class TMatrixValuesStat : public TItemValuesStat<TCustomMatrixStat, TAxis> {
 public:
  using TItemValuesStat<TCustomMatrixStat, TAxis>::TItemValuesStat;
  static constexpr uint8_t kFlags = kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override {
    TCustomStat::GetAllValues(lastIndex, list);
    this->SeedCounts(list, std::min(TAxis::CrossCount(*this), 4));
  }
};

// COLN, ROWN: how many columns (rows) are occupied.
template <class TAxis>
class TMatrixCountStat : public TItemCountStat<TCustomMatrixGraphStat, TAxis> {
 public:
  using TItemCountStat<TCustomMatrixGraphStat, TAxis>::TItemCountStat;
  static constexpr uint8_t kFlags = kFlagN;
  void GetAllValues(int lastIndex, TStatDrawArray& list) override {
    TCustomStat::GetAllValues(lastIndex, list);
    this->SeedCounts(list, 1, std::min(TAxis::Count(*this), 4));
  }
};

// COLM, ROWM: the occupancy pattern, column 1 (row 1) the highest bit. The
// pattern keeps all its bits in the 8-byte value (47 rows need 47 bits); up to
// 32 columns (rows) it is the first 32-bit half with the second half 0.
template <class TAxis>
class TMatrixMaskStat : public TCustomMatrixStat {
 public:
  using TCustomMatrixStat::TCustomMatrixStat;
  static constexpr uint8_t kFlags = kFlagN;
  uint64_t PatternOf(const std::array<uint8_t, 4>& numbers) const {
    const int count = TAxis::Count(*this);
    uint64_t p = 0;
    for (uint8_t n : numbers) {
      const int item = TAxis::Item(*this, n);
      if (item >= 1 && item <= count) p |= uint64_t{1} << (count - item);
    }
    return p;
  }
  std::string ValueToText(const TStatDrawRec& value) const override {
    const int count = TAxis::Count(*this);
    const uint64_t p = value.Key();
    std::string letters;
    for (int item = 1; item <= count; ++item) letters += (p >> (count - item)) & 1 ? "1" : "0";
    return Format("%s (%.3d)", {letters, static_cast<unsigned long long>(p)});
  }
  // The first Count characters, "1" a set bit; missing characters read as "0".
  // The answer holds the low 32 bits of the pattern.
  int32_t TextToValue(std::string_view text) const override {
    uint64_t p = 0;
    size_t pos = 0;
    for (int item = 1; item <= TAxis::Count(*this); ++item) {
      bool on = false;
      if (pos < text.size()) {
        size_t len = 1;
        while (pos + len < text.size() &&
               (static_cast<unsigned char>(text[pos + len]) & 0xC0) == 0x80) {
          ++len;
        }
        on = text.substr(pos, len) == "1";
        pos += len;
      }
      p = p << 1 | (on ? 1 : 0);
    }
    return static_cast<int32_t>(static_cast<uint32_t>(p));
  }
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    if (HasItems()) AddPattern(list, PatternOf(CombNumbers(comb)), false);
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    if (HasItems()) AddPattern(list, PatternOf(Draw.Balls), true);
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    return HasItems() && selected.Find(PatternOf(CombNumbers(comb))) >= 0;
  }

 private:
  void AddPattern(TStatDrawArray& list, uint64_t p, bool trackGaps) {
    Work.SetKey(p);
    AddStatValue(list, Work, trackGaps);
  }
};

// COLA, ROWA: for every column (row) holding numbers next to each other in it,
// (column, 1 + the number of such pairs), in order of first occurrence. A
// combination has the values of a draw with its numbers.
template <class TAxis>
class TMatrixAdjacentStat : public TCustomMatrixStat {
 public:
  using TCustomMatrixStat::TCustomMatrixStat;
  static constexpr uint8_t kFlags = kFlagN;
  std::string ValueToText(const TStatDrawRec& value) const override {
    return Format("%0:d x %1:d", {int(value.Value[0]), int(value.Value[1])});
  }
  // Pairs per column (row), as AddSimpleValue counts them; at most 6 pairs.
  struct TPairs {
    std::array<TStatSimpleRec, 6> Entries{};
    size_t Size = 0;
    void Add(int key) {
      for (size_t i = 0; i < Size; ++i) {
        if (Entries[i].Key == key) {
          ++Entries[i].Count;
          return;
        }
      }
      Entries[Size++] = {key, 1};
    }
    auto begin() const { return Entries.begin(); }
    auto end() const { return Entries.begin() + std::ptrdiff_t(Size); }
  };
  TPairs PairsOf(const std::array<uint8_t, 4>& numbers) const {
    TPairs pairs;
    for (size_t i = 0; i < 4; ++i) {
      for (size_t j = i + 1; j < 4; ++j) {
        if (AdjacentOn<TAxis>(*this, numbers[i], numbers[j])) {
          pairs.Add(TAxis::Item(*this, numbers[i]));
        }
      }
    }
    return pairs;
  }
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    AddValues(list, CombNumbers(comb), false);
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    AddValues(list, Draw.Balls, true);
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    if (!HasItems()) return false;
    for (const TStatSimpleRec& e : PairsOf(CombNumbers(comb))) {
      if (e.Count > 0 && ListHasValue(selected, int16_t(e.Key), int16_t(e.Count + 1), 0, 0)) {
        return true;
      }
    }
    return false;
  }

 private:
  void AddValues(TStatDrawArray& list, const std::array<uint8_t, 4>& numbers, bool trackGaps) {
    if (!HasItems()) return;
    for (const TStatSimpleRec& e : PairsOf(numbers)) {
      if (e.Count > 0) AddWords(list, trackGaps, e.Key, e.Count + 1);
    }
  }
};

// COLC, ROWC: how many columns (rows) hold numbers next to each other in them.
template <class TAxis>
class TMatrixAdjacentCountStat : public TCustomMatrixGraphStat {
 public:
  using TCustomMatrixGraphStat::TCustomMatrixGraphStat;
  static constexpr uint8_t kFlags = kFlagN;
  int CountOf(const std::array<uint8_t, 4>& numbers) const {
    // The byte list of counted columns (rows); at most 6 pairs.
    std::array<uint8_t, 6> counted{};
    int size = 0;
    for (size_t i = 0; i < 4; ++i) {
      for (size_t j = i + 1; j < 4; ++j) {
        const auto item = static_cast<uint8_t>(TAxis::Item(*this, numbers[i]));
        const bool known =
            std::find(counted.begin(), counted.begin() + size, item) != counted.begin() + size;
        if (!known && AdjacentOn<TAxis>(*this, numbers[i], numbers[j])) {
          counted[size_t(size++)] = item;
        }
      }
    }
    return size;
  }
  void GetCombValues(TComb comb, TStatDrawArray& list) override {
    TCustomStat::GetCombValues(comb, list);
    if (HasItems()) AddWords(list, false, CountOf(CombNumbers(comb)));
  }
  void GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray& list,
                     TSeriesState& state, TLastValueArray& last) override {
    TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
    if (HasItems()) AddWords(list, true, CountOf(Draw.Balls));
  }
  bool CombMatches(TComb comb, const TStatDrawArray& selected, int, bool, bool) override {
    return HasItems() && ListHasWord(selected, 1, int16_t(CountOf(CombNumbers(comb))));
  }
  int32_t GetGraphValue(TComb comb, int, int, bool) override {
    return HasItems() ? CountOf(CombNumbers(comb)) : 0;
  }
};

// COL%d, ROW%d: how many numbers stand in column (row) Param.
template <class TAxis>
class TMatrixParamCountStat : public TItemParamCountStat<TCustomMatrixGraphStat, TAxis> {
 public:
  using TItemParamCountStat<TCustomMatrixGraphStat, TAxis>::TItemParamCountStat;
  static constexpr uint8_t kFlags = kFlagN;
  // 1..columns (rows) of the settings at the moment of asking; none without a matrix.
  static void GetParamRange(const TStatList& list, int& low, int& high) {
    const int cols = TMatrixGrid::UsableCols(list);
    low = cols > 0 ? 1 : 0;
    high = cols > 0 ? TAxis::CountFor(cols) : -1;
  }
  void GetAllValues(int lastIndex, TStatDrawArray& list) override {
    TCustomStat::GetAllValues(lastIndex, list);
    this->SeedCounts(list, 1, TAxis::CrossCount(*this));
  }
};

class TstColumns : public TMatrixItemsStat<TColumnAxis> {
 public:
  using TMatrixItemsStat::TMatrixItemsStat;
  static constexpr const char* kClassName = "TstColumns";
  static constexpr const char* kCode = "COLS";
  static constexpr const char* kCaption = "Столбцы матрицы (не пустые)";
};

class TstRows : public TMatrixItemsStat<TRowAxis> {
 public:
  using TMatrixItemsStat::TMatrixItemsStat;
  static constexpr const char* kClassName = "TstRows";
  static constexpr const char* kCode = "ROWS";
  static constexpr const char* kCaption = "Строки матрицы (не пустые)";
};

class TstColValues : public TMatrixValuesStat<TColumnAxis> {
 public:
  using TMatrixValuesStat::TMatrixValuesStat;
  static constexpr const char* kClassName = "TstColValues";
  static constexpr const char* kCode = "COLV";
  static constexpr const char* kCaption = "Количество чисел в столбце матрицы";
};

class TstRowValues : public TMatrixValuesStat<TRowAxis> {
 public:
  using TMatrixValuesStat::TMatrixValuesStat;
  static constexpr const char* kClassName = "TstRowValues";
  static constexpr const char* kCode = "ROWV";
  static constexpr const char* kCaption = "Количество чисел в строке матрицы";
};

class TstColCount : public TMatrixCountStat<TColumnAxis> {
 public:
  using TMatrixCountStat::TMatrixCountStat;
  static constexpr const char* kClassName = "TstColCount";
  static constexpr const char* kCode = "COLN";
  static constexpr const char* kCaption = "Количество не пустых столбцов в матрице";
};

class TstRowCount : public TMatrixCountStat<TRowAxis> {
 public:
  using TMatrixCountStat::TMatrixCountStat;
  static constexpr const char* kClassName = "TstRowCount";
  static constexpr const char* kCode = "ROWN";
  static constexpr const char* kCaption = "Количество не пустых строк в матрице";
};

class TstColMask : public TMatrixMaskStat<TColumnAxis> {
 public:
  using TMatrixMaskStat::TMatrixMaskStat;
  static constexpr const char* kClassName = "TstColMask";
  static constexpr const char* kCode = "COLM";
  static constexpr const char* kCaption = "Сочетания столбцов матрицы";
};

class TstRowMask : public TMatrixMaskStat<TRowAxis> {
 public:
  using TMatrixMaskStat::TMatrixMaskStat;
  static constexpr const char* kClassName = "TstRowMask";
  static constexpr const char* kCode = "ROWM";
  static constexpr const char* kCaption = "Сочетания строк матрицы";
};

class TstColAjacent : public TMatrixAdjacentStat<TColumnAxis> {
 public:
  using TMatrixAdjacentStat::TMatrixAdjacentStat;
  static constexpr const char* kClassName = "TstColAjacent";
  static constexpr const char* kCode = "COLA";
  static constexpr const char* kCaption = "Столбцы матрицы со смежными числами";
};

class TstRowAjacent : public TMatrixAdjacentStat<TRowAxis> {
 public:
  using TMatrixAdjacentStat::TMatrixAdjacentStat;
  static constexpr const char* kClassName = "TstRowAjacent";
  static constexpr const char* kCode = "ROWA";
  static constexpr const char* kCaption = "Строки матрицы со смежными числами";
};

class TstColAjacentCnt : public TMatrixAdjacentCountStat<TColumnAxis> {
 public:
  using TMatrixAdjacentCountStat::TMatrixAdjacentCountStat;
  static constexpr const char* kClassName = "TstColAjacentCnt";
  static constexpr const char* kCode = "COLC";
  static constexpr const char* kCaption = "Количество столбцов матрицы со смежными числами";
};

class TstRowAjacentCnt : public TMatrixAdjacentCountStat<TRowAxis> {
 public:
  using TMatrixAdjacentCountStat::TMatrixAdjacentCountStat;
  static constexpr const char* kClassName = "TstRowAjacentCnt";
  static constexpr const char* kCode = "ROWC";
  static constexpr const char* kCaption = "Количество строк матрицы со смежными числами";
};

class TstCombColMix2 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 2, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColMix2";
  static constexpr const char* kCode = "KFM2";
  static constexpr const char* kCaption = "Сочетания из 2 столбцов по всем числам тиража";
};

class TstCombColMix3 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 3, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColMix3";
  static constexpr const char* kCode = "KFM3";
  static constexpr const char* kCaption = "Сочетания из 3 столбцов по всем числам тиража";
};

class TstCombColMix4 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 4, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColMix4";
  static constexpr const char* kCode = "KFM4";
  static constexpr const char* kCaption = "Сочетания из 4 столбцов по всем числам тиража";
};

class TstCombColSeq2 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 2, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColSeq2";
  static constexpr const char* kCode = "KFS2";
  static constexpr const char* kCaption = "Сочетания из 2 столбцов по соседним числам";
};

class TstCombColSeq3 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 3, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColSeq3";
  static constexpr const char* kCode = "KFS3";
  static constexpr const char* kCaption = "Сочетания из 3 столбцов по соседним числам";
};

class TstCombColSeq4 : public TItemTupleStat<TCustomMatrixStat, TColumnAxis, 4, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombColSeq4";
  static constexpr const char* kCode = "KFS4";
  static constexpr const char* kCaption = "Сочетания из 4 столбцов по соседним числам";
};

class TstCombRowMix2 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 2, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowMix2";
  static constexpr const char* kCode = "KRM2";
  static constexpr const char* kCaption = "Сочетания из 2 строк по всем числам тиража";
};

class TstCombRowMix3 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 3, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowMix3";
  static constexpr const char* kCode = "KRM3";
  static constexpr const char* kCaption = "Сочетания из 3 строк по всем числам тиража";
};

class TstCombRowMix4 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 4, false> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowMix4";
  static constexpr const char* kCode = "KRM4";
  static constexpr const char* kCaption = "Сочетания из 4 строк по всем числам тиража";
};

class TstCombRowSeq2 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 2, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowSeq2";
  static constexpr const char* kCode = "KRS2";
  static constexpr const char* kCaption = "Сочетания из 2 строк по соседним числам";
};

class TstCombRowSeq3 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 3, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowSeq3";
  static constexpr const char* kCode = "KRS3";
  static constexpr const char* kCaption = "Сочетания из 3 строк по соседним числам";
};

class TstCombRowSeq4 : public TItemTupleStat<TCustomMatrixStat, TRowAxis, 4, true> {
 public:
  using TItemTupleStat::TItemTupleStat;
  static constexpr const char* kClassName = "TstCombRowSeq4";
  static constexpr const char* kCode = "KRS4";
  static constexpr const char* kCaption = "Сочетания из 4 строк по соседним числам";
};

class TstColValCnt : public TMatrixParamCountStat<TColumnAxis> {
 public:
  using TMatrixParamCountStat::TMatrixParamCountStat;
  static constexpr const char* kClassName = "TstColValCnt";
  static constexpr const char* kCode = "COL%d";
  static constexpr const char* kCaption = "Количество чисел в %0:d столбце матрицы";
  static constexpr const char* kHelpCode = "COLx";
};

class TstRowValCnt : public TMatrixParamCountStat<TRowAxis> {
 public:
  using TMatrixParamCountStat::TMatrixParamCountStat;
  static constexpr const char* kClassName = "TstRowValCnt";
  static constexpr const char* kCode = "ROW%d";
  static constexpr const char* kCaption = "Количество чисел в %0:d строке матрицы";
  static constexpr const char* kHelpCode = "ROWx";
};

}  // namespace vetrilo
