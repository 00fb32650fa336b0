// Script lines: options, filters and a comment between "|".
#include "core/cp1251.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "scripts/script_line.h"
#include "stats/stat_list.h"

namespace vetrilo::fuzz {

namespace {

const TStatList& Methods() {
  static const TStatList list = [] {
    TStatList l;
    l.BuildMethods();
    return l;
  }();
  return list;
}

}  // namespace

int FuzzScriptLine(const uint8_t* data, size_t size) {
  // A line as a script file gives it: CP1251 text without line breaks.
  std::string line = Cp1251ToUtf8(Bytes(data, size));
  line = line.substr(0, line.find_first_of("\r\n"));
  const TScriptLine parsed = ParseScriptLine(line, Methods());
  (void)parsed.AssignedFilters();
  // The editor's form of a line is its own normal form.
  const std::string normal = NormalizeScriptLine(line, Methods());
  Check(NormalizeScriptLine(normal, Methods()) == normal, "normal form stable");
  const TScriptOptions options = ParseScriptOptions(ScriptLineOptions(line));
  const std::string written = FormatScriptOptions(options);
  Check(FormatScriptOptions(ParseScriptOptions(written)) == written, "options round trip");
  return 0;
}

}  // namespace vetrilo::fuzz
