#include "stats/families/comb_values.h"

#include <algorithm>

namespace vetrilo {

namespace {

void AddTuple(TNumberTuples& tuples, const std::array<uint8_t, 4>& n,
              std::initializer_list<int> positions) {
  std::array<int16_t, 4>& item = tuples.Items[size_t(tuples.Count++)];
  size_t w = 0;
  for (int p : positions) item[w++] = n[size_t(p)];
}

// The neighbouring positions start..start+size-1 (zero-based); none past the end.
void AddRun(TNumberTuples& tuples, const std::array<uint8_t, 4>& n, int start, int size) {
  if (start < 0 || start + size > 4) return;
  std::array<int16_t, 4>& item = tuples.Items[size_t(tuples.Count++)];
  for (int i = 0; i < size; ++i) item[size_t(i)] = n[size_t(start + i)];
}

}  // namespace

TNumberTuples TCustomCombValuesStat::TuplesOf(TComb numbers, TCombTupleKind kind, int size,
                                              int start) {
  std::array<uint8_t, 4> n{CombByte(numbers, 1), CombByte(numbers, 2), CombByte(numbers, 3),
                           CombByte(numbers, 4)};
  TNumberTuples tuples;
  switch (kind) {
    case TCombTupleKind::Mix:
      if (size == 2) {
        for (int i = 0; i < 4; ++i) {
          for (int j = i + 1; j < 4; ++j) AddTuple(tuples, n, {i, j});
        }
      } else if (size == 3) {
        for (int i = 0; i < 4; ++i) {
          for (int j = i + 1; j < 4; ++j) {
            for (int k = j + 1; k < 4; ++k) AddTuple(tuples, n, {i, j, k});
          }
        }
      } else if (size == 4) {
        AddTuple(tuples, n, {0, 1, 2, 3});
      }
      break;
    case TCombTupleKind::Sort:
      // Insertion sort of a copy, as the draw order must not change.
      for (size_t i = 1; i < 4; ++i) {
        for (size_t j = i; j > 0 && n[j - 1] > n[j]; --j) std::swap(n[j - 1], n[j]);
      }
      [[fallthrough]];
    case TCombTupleKind::Seq:
      for (int s = 0; s + size <= 4; ++s) AddRun(tuples, n, s, size);
      break;
    case TCombTupleKind::Pos:
      AddRun(tuples, n, start - 1, size);
      break;
  }
  return tuples;
}

std::string TCustomCombValuesStat::ValueToText(const TStatDrawRec& value) const {
  std::string text;
  for (int i = 0; i < TupleSize(); ++i) {
    if (i > 0) text += ':';
    text += NumberText(value.Value[i]);
  }
  return text;
}

void TCustomCombValuesStat::GetDrawValues(int index, int lastIndex, bool sorted,
                                          TStatDrawArray& list, TSeriesState& state,
                                          TLastValueArray& last) {
  TCustomStat::GetDrawValues(index, lastIndex, sorted, list, state, last);
  const TNumberTuples tuples = TuplesOf(Draw.Comb(), Kind(), TupleSize(), Param);
  for (int t = 0; t < tuples.Count; ++t) {
    const auto& w = tuples.Items[size_t(t)];
    AddWords(list, true, w[0], w[1], w[2], w[3]);
  }
}

bool TCustomCombValuesStat::CombMatches(TComb comb, const TStatDrawArray& selected, int, bool,
                                        bool) {
  const TNumberTuples tuples = TuplesOf(comb, Kind(), TupleSize(), Param);
  for (int t = 0; t < tuples.Count; ++t) {
    const auto& w = tuples.Items[size_t(t)];
    if (ListHasValue(selected, w[0], w[1], w[2], w[3])) return true;
  }
  return false;
}

}  // namespace vetrilo
