// Ratings (".lrt"): fixed 296-byte records.
#include <array>

#include "fuzz_support.h"
#include "harnesses.h"
#include "scripts/ratings.h"

namespace vetrilo::fuzz {

int FuzzRatings(const uint8_t* data, size_t size) {
  for (size_t at = 0; at + kRatingRecordSize <= size; at += kRatingRecordSize) {
    const TRatingRec rec = TRatingRec::FromBytes(data + at);
    std::array<uint8_t, kRatingRecordSize> once{}, twice{};
    rec.ToBytes(once.data());
    TRatingRec::FromBytes(once.data()).ToBytes(twice.data());
    Check(once == twice, "a written record reads back the same");
    for (int column = 0; column < kRatingColumns; ++column) (void)RatingCell(rec, column, 0);
  }
  return 0;
}

}  // namespace vetrilo::fuzz
