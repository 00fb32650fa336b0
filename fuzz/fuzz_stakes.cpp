// Stakes (".lsk"): fixed 304-byte records.
#include <array>

#include "fuzz_support.h"
#include "harnesses.h"
#include "stakes/stake_record.h"

namespace vetrilo::fuzz {

int FuzzStakes(const uint8_t* data, size_t size) {
  for (size_t at = 0; at + kStakeRecordSize <= size; at += kStakeRecordSize) {
    const TStakeRec rec = TStakeRec::FromBytes(data + at);
    std::array<uint8_t, kStakeRecordSize> once{}, twice{};
    rec.ToBytes(once.data());
    TStakeRec::FromBytes(once.data()).ToBytes(twice.data());
    Check(once == twice, "a written record reads back the same");
    (void)rec.NumbersText(";");
    (void)rec.DrawResultText(";");
  }
  return 0;
}

}  // namespace vetrilo::fuzz
