#include "stats/families/segments.h"

#include "stats/stat_list.h"

namespace vetrilo {

TSegmentGrid::TSegmentGrid(const TStatList& list) : SegmentMap(list.MatrixSegments) {
  std::array<bool, 256> seen{};
  for (uint8_t segment : SegmentMap) {
    if (!seen[segment]) segments_.push_back(segment);
    seen[segment] = true;
  }
}

void TstSgmValCnt::GetParamRange(const TStatList& list, int& low, int& high) {
  low = 9;
  high = 1;
  for (uint8_t segment : list.MatrixSegments) {
    if (segment < low) low = segment;
    if (segment > high) high = segment;
  }
}

}  // namespace vetrilo
