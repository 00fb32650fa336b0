#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/draw_archive.h"

namespace vetrilo {

// The draw list of the left pane, newest first: row r shows archive index High - r.
class TDrawListView {
 public:
  enum TColumn { kNumber, kBall1, kBall2, kBall3, kBall4, kExtra, kSum, kDate, kColumnCount };
  static const std::vector<std::string>& Captions();

  TDrawListView(const TDrawArchive& archive, int offset, bool sorted, bool colored, int channelSize)
      : archive_(archive),
        offset_(offset),
        sorted_(sorted),
        colored_(colored),
        channelSize_(channelSize) {}

  int RowCount() const { return archive_.Count(); }
  int ArchiveIndex(int row) const { return archive_.High() - row; }
  std::string Text(int row, int column) const;
  // Numeric value of a cell for sorting and alignment; none for the date.
  std::optional<int64_t> Number(int row, int column) const;
  // Background 0xRRGGBB, none for the default colour.
  std::optional<uint32_t> Background(int row, int column) const;

  static constexpr uint32_t kOffsetRowColor = 0xFFAAAA;

 private:
  TDrawRec Draw(int row) const;

  const TDrawArchive& archive_;
  int offset_;
  bool sorted_;
  bool colored_;
  int channelSize_;
};

}  // namespace vetrilo
