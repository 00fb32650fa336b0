// Distribution caches (".dfc"): 12-byte records and a 12-byte trailer.
#include "fuzz_support.h"
#include "harnesses.h"
#include "views/distribution_cache.h"

namespace vetrilo::fuzz {

int FuzzDistribution(const uint8_t* data, size_t size) {
  const std::string_view bytes = Bytes(data, size);
  const auto dist = ParseDistribution(bytes);
  Check(dist.has_value() == ValidDistributionSize(size), "refused exactly for a bad size");
  if (!dist) return 0;
  // Every byte is a field: the file writes back as it was read.
  Check(SerializeDistribution(*dist) == bytes, "round trip");
  (void)DistributionLooksWhole(*dist);
  return 0;
}

}  // namespace vetrilo::fuzz
