// CSV import of draws: a refused file changes nothing, an accepted one only adds.
#include "acquire/draws_csv.h"
#include "core/errors.h"
#include "fuzz_support.h"
#include "harnesses.h"

namespace vetrilo::fuzz {

int FuzzDrawsCsv(const uint8_t* data, size_t size) {
  TDrawArchive archive;
  archive.Draws = {{10, {3, 15, 27, 41}, 9, "07/04/2014"}, {11, {1, 2, 3, 4}, 5, "07/11/2014"}};
  const std::string before = SerializeDrawRecords(archive.Draws);
  int added = 0;
  try {
    added = ImportDrawsCsv(Bytes(data, size), archive);
  } catch (const EVetrilo&) {
    Check(SerializeDrawRecords(archive.Draws) == before, "a refused file leaves the archive");
    return 0;
  }
  Check(added >= 0 && archive.Draws.size() == 2 + size_t(added), "count of added draws");
  Check(SerializeDrawRecords(archive.Draws).compare(0, before.size(), before) == 0,
        "stored draws untouched");
  // The archive exported and imported again gives the same draws.
  TDrawArchive copy;
  ImportDrawsCsv(DrawsCsvText(archive.Draws), copy);
  Check(copy.Draws.size() == archive.Draws.size(), "export round trip count");
  for (size_t i = 0; i < copy.Draws.size(); ++i) {
    Check(copy.Draws[i].Number == archive.Draws[i].Number &&
              copy.Draws[i].Balls == archive.Draws[i].Balls &&
              copy.Draws[i].Extra == archive.Draws[i].Extra,
          "export round trip draws");
  }
  return 0;
}

}  // namespace vetrilo::fuzz
