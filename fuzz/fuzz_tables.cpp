// Regular tables (".ltb"): fixed 276-byte records.
#include "fuzz_support.h"
#include "harnesses.h"
#include "stakes/stake_tables.h"

namespace vetrilo::fuzz {

int FuzzTables(const uint8_t* data, size_t size) {
  for (size_t at = 0; at + kTableRecordSize <= size; at += kTableRecordSize) {
    const TTableRec rec = TTableRec::FromBytes(data + at);
    const std::string once = rec.Bytes();
    Check(once.size() == kTableRecordSize, "a record writes its whole size");
    const TTableRec back = TTableRec::FromBytes(reinterpret_cast<const uint8_t*>(once.data()));
    Check(back.Bytes() == once, "a written record reads back the same");
    (void)TableRowTexts(rec);
  }
  return 0;
}

}  // namespace vetrilo::fuzz
