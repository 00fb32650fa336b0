// The draw archive: 20-byte records, anything after the last whole one ignored.
#include "core/draw_archive.h"
#include "fuzz_support.h"
#include "harnesses.h"

namespace vetrilo::fuzz {

int FuzzDrawArchive(const uint8_t* data, size_t size) {
  const std::string_view bytes = Bytes(data, size);
  const TDrawsArray draws = ParseDrawRecords(bytes);
  Check(draws.size() == size / kDrawRecordSize, "one draw per whole record");
  // What was read writes back to bytes that read the same again.
  const std::string saved = SerializeDrawRecords(draws);
  Check(saved.size() == draws.size() * kDrawRecordSize, "record size kept");
  Check(SerializeDrawRecords(ParseDrawRecords(saved)) == saved, "round trip");
  (void)CountOddDraws(draws);
  return 0;
}

}  // namespace vetrilo::fuzz
