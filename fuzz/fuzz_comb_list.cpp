// Combination lists (".lcv"): a line of four numbers per combination.
#include "fuzz_support.h"
#include "harnesses.h"
#include "workspace/comb_file.h"

namespace vetrilo::fuzz {

int FuzzCombList(const uint8_t* data, size_t size) {
  TCombsArray combs;
  ParseCombFileText(Bytes(data, size), combs);
  Check(combs.size() <= size / 8 + 1, "no more combinations than lines can hold");
  // The written list reads back as the same combinations, in the same order.
  const std::string text = CombFileText(combs);
  TCombsArray again;
  ParseCombFileText(text, again);
  Check(again == combs, "round trip");
  Check(CombFileText(again) == text, "written form stable");
  (void)OddCombsWarning("fuzz.lcv", combs);
  return 0;
}

}  // namespace vetrilo::fuzz
