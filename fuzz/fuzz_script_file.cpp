// Script files (".lsc", ".lss"): CP1251 lines.
#include "core/errors.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "scripts/script_file.h"

namespace vetrilo::fuzz {

int FuzzScriptFile(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  try {
    lines = ParseScriptFileBytes(Bytes(data, size));
  } catch (const EVetrilo&) {
    return 0;  // refused as a whole: nothing was read
  }
  // The lines saved read back as the same lines.
  const std::string saved = ScriptFileBytes(lines);
  Check(ParseScriptFileBytes(saved) == lines, "round trip");
  return 0;
}

}  // namespace vetrilo::fuzz
