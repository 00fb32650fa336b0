#include "views/number_tally.h"

#include <algorithm>
#include <array>

namespace vetrilo {

TDrawWindow ViewWindow(const TDrawArchive& archive, int offset, int depth) {
  if (archive.Count() == 0) return {};
  const int last = archive.LastIndex(offset);
  const int first = depth < 1 ? last + 1 : std::max(0, last - (depth - 1));
  return {first, last};
}

std::vector<TTallyItem> TallyNumbers(const TDrawArchive& archive, const TDrawWindow& window) {
  std::vector<TTallyItem> items;
  std::array<int, kMaxNumber + 1> slot;
  slot.fill(-1);
  for (int i = window.Last; i >= window.First; --i) {
    const TDrawRec& d = archive.Draws[size_t(i)];
    for (uint8_t n : d.Balls) {
      if (n < 1 || n > kMaxNumber) continue;
      if (slot[n] < 0) {
        slot[n] = static_cast<int>(items.size());
        items.push_back({n, 0, d.Number});
      }
      ++items[size_t(slot[n])].Count;
    }
  }
  return items;
}

std::set<int> NextDrawMarks(const TDrawArchive& archive, int offset) {
  std::set<int> marks;
  if (offset <= 0 || offset >= archive.Count()) return marks;
  const TDrawRec& d = archive.Draws[size_t(archive.High() - offset + 1)];
  for (uint8_t n : d.Balls) marks.insert(n);
  return marks;
}

}  // namespace vetrilo
