#pragma once

#include <set>
#include <vector>

#include "core/draw_archive.h"

namespace vetrilo {

// The newest visible draw and the oldest of a window of `depth` draws ending at
// it; First > Last when the archive is empty.
struct TDrawWindow {
  int First = 0;
  int Last = -1;
  bool Empty() const { return Last < First; }
  int Size() const { return Empty() ? 0 : Last - First + 1; }
};
TDrawWindow ViewWindow(const TDrawArchive& archive, int offset, int depth);

// How often each number came out in a window and in which draw last, in the
// order the numbers are first met walking from the newest draw to the oldest.
struct TTallyItem {
  int Number = 0;
  int Count = 0;
  int LastDraw = 0;  // draw number of the newest occurrence
};
std::vector<TTallyItem> TallyNumbers(const TDrawArchive& archive, const TDrawWindow& window);

// The numbers of the first draw the offset hides; empty with offset 0 or an
// offset that hides the whole archive.
std::set<int> NextDrawMarks(const TDrawArchive& archive, int offset);

}  // namespace vetrilo
