#include "views/sum_distribution.h"

#include <algorithm>
#include <map>

#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

std::vector<TSumCount> Sorted(const std::map<int, int>& counts) {
  std::vector<TSumCount> list;
  for (const auto& [sum, count] : counts) list.push_back({sum, count});
  return list;
}

}  // namespace

double TSumDistribution::Scaled(int count) const {
  return MaxTheory == 0 ? 0.0 : double(count) * MaxActual / MaxTheory;
}

int TSumDistribution::ActualCount(int sum) const {
  for (const TSumCount& a : Actual) {
    if (a.Sum == sum) return a.Count;
  }
  return 0;
}

TSumDistribution BuildSumDistribution(const TDrawArchive& archive) {
  TSumDistribution d;
  std::map<int, int> theory;
  for (const TComb comb : FullSet()) {
    ++theory[CombByte(comb, 1) + CombByte(comb, 2) + CombByte(comb, 3) + CombByte(comb, 4)];
  }
  std::map<int, int> actual;
  for (const TDrawRec& draw : archive.Draws) ++actual[draw.Sum()];
  d.Theory = Sorted(theory);
  d.Actual = Sorted(actual);
  d.MaxTheory = d.MinTheory = d.Theory.front().Count;
  for (const TSumCount& t : d.Theory) {
    d.MaxTheory = std::max(d.MaxTheory, t.Count);
    d.MinTheory = std::min(d.MinTheory, t.Count);
  }
  for (const TSumCount& a : d.Actual) d.MaxActual = std::max(d.MaxActual, a.Count);

  const double w = d.MaxTheory - d.MinTheory + 1;
  const std::array<double, 3> shares{w / 3, w / 2, 2 * w / 3};
  const std::array<const char*, 3> names{"1/3", "1/2", "2/3"};
  const size_t middle = d.Theory.size() / 2;
  for (size_t k = 0; k < 3; ++k) {
    TSumLevel& level = d.Levels[k];
    level.Threshold = static_cast<int>(d.MinTheory + shares[k]);
    for (size_t i = 0; i <= middle; ++i) {
      if (d.Theory[i].Count >= level.Threshold) {
        level.Low = d.Theory[i].Sum;
        break;
      }
    }
    for (size_t i = d.Theory.size(); i-- > middle;) {
      if (d.Theory[i].Count >= level.Threshold) {
        level.High = d.Theory[i].Sum;
        break;
      }
    }
    level.Title = Format(Tr("Диапазон %d (от %s и выше по оси Y) - суммы %d-%d"),
                         {int(k + 1), names[k], level.Low, level.High});
  }
  return d;
}

}  // namespace vetrilo
