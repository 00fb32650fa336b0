#include "stats/families/matrix.h"

#include "stats/stat_list.h"

namespace vetrilo {

int TMatrixGrid::UsableCols(int32_t cols) {
  if (cols <= 0) return 0;
  return std::min<int32_t>(cols, kMaxNumber);
}

int TMatrixGrid::UsableCols(const TStatList& list) {
  return UsableCols(list.MatrixCols);
}

TMatrixGrid::TMatrixGrid(const TStatList& list) : MatrixCols(UsableCols(list)), MatrixRows(0) {
  if (!HasItems()) return;
  MatrixRows = CeilDiv(kMaxNumber, MatrixCols);
  for (int c = 1; c <= MatrixCols; ++c) columns_.push_back(c);
  for (int r = 1; r <= MatrixRows; ++r) rows_.push_back(r);
  for (int n = 0; n < 256; ++n) {
    columnOf_[size_t(n)] = uint8_t(MatrixColumn(n, MatrixCols));
    rowOf_[size_t(n)] = uint8_t(MatrixRow(n, MatrixCols));
  }
}

}  // namespace vetrilo
