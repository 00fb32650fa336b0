// draws, make-demo: the draw archive as CSV, and the synthetic demo archive.
#include "cli/cli.h"
#include "core/csv.h"
#include "core/demo_archive.h"
#include "core/draw_archive.h"
#include "core/errors.h"
#include "core/file_io.h"

namespace vetrilo::cli {
namespace {

TDrawArchive LoadArchiveOf(const TAppPaths& paths) {
  TDrawArchive archive;
  const std::string path = paths.ArchiveFile();
  if (!PathExists(path)) return archive;
  try {
    archive.LoadFromFile(path);
  } catch (const EVetrilo& e) {
    throw ECliError(std::string("cannot read the draw archive: ") + e.what());
  }
  if (const std::string warning = OddDrawsWarning(archive.Draws); !warning.empty()) Warn(warning);
  return archive;
}

int Draws(const TCliContext& context) {
  const TCliArgs args(context.Words, {}, {"sorted"});
  if (!args.Positional().empty()) throw ECliError("draws takes no arguments");
  const TDrawArchive archive = LoadArchiveOf(context.Paths);
  std::string out = CsvRow({"Number", "1", "2", "3", "4", "E", "Date"});
  for (int i = 0; i < archive.Count(); ++i) {
    const TDrawRec d = archive.GetDraw(i, args.Flag("sorted"));
    out += CsvRow({std::to_string(d.Number), NumberText(d.Balls[0]), NumberText(d.Balls[1]),
                   NumberText(d.Balls[2]), NumberText(d.Balls[3]), ExtraText(d.Extra), d.Date});
  }
  Out(out);
  return 0;
}

int MakeDemo(const TCliContext& context) {
  const TCliArgs args(context.Words, {"draws", "seed"}, {});
  if (args.Positional().size() != 1) throw ECliError("make-demo needs one FILE");
  const int count = args.Int("draws", 1500, 0, 1000000);
  const int seed = args.Int("seed", 1, 0, 2147483647);
  const std::string path = args.Positional()[0];
  try {
    SaveFileAtomic(path, SerializeDrawRecords(MakeDemoDraws(count, static_cast<uint64_t>(seed))));
  } catch (const EVetrilo& e) {
    throw ECliError(std::string("cannot write ") + e.what());
  }
  return 0;
}

const TCliRegistration kDraws("draws", "draws [--sorted]   the draw archive as CSV, oldest first",
                              Draws);
const TCliRegistration kMakeDemo(
    "make-demo", "make-demo FILE [--draws N] [--seed S]   write a synthetic demo archive",
    MakeDemo);

}  // namespace
}  // namespace vetrilo::cli
