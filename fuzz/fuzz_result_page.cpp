// Result pages of the draw download.
#include "acquire/page_parser.h"
#include "core/errors.h"
#include "fuzz_support.h"
#include "harnesses.h"

namespace vetrilo::fuzz {

int FuzzResultPage(const uint8_t* data, size_t size) {
  TDrawArchive archive;
  archive.Draws = {{500, {3, 15, 27, 41}, 9, "07/04/2014"}};
  const std::string stored = SerializeDrawRecords(archive.Draws);
  TDrawsArray draws;
  try {
    draws = ParseResultsPage(Bytes(data, size), archive);
  } catch (const EVetrilo&) {
    return 0;
  }
  Check(SerializeDrawRecords(archive.Draws) == stored, "the archive is only read");
  // New draws are numbered on from the newest stored one.
  for (size_t i = 0; i < draws.size(); ++i) {
    Check(draws[i].Number == 501 + int(i), "numbered after the archive");
  }
  return 0;
}

}  // namespace vetrilo::fuzz
