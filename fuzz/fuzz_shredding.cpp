// Shredding formulas: the compiled form answers as the literal text does.
#include "fuzz_support.h"
#include "harnesses.h"
#include "stats/families/shredding.h"

namespace vetrilo::fuzz {

int FuzzShredding(const uint8_t* data, size_t size) {
  std::string_view input = Bytes(data, size);
  const int digits = 1 + TakeByte(input) % 9;
  if (input.size() > 400) return 0;  // formulas are one edit field long
  const TShredFormula formula(input, digits);
  const TShredNumbers sets[][3] = {
      {{3, 15, 27, 41}, {1, 2, 3, 4}, {44, 45, 46, 47}},
      {{47, 1, 9, 10}, kNoShredNumbers, kNoShredNumbers},
  };
  for (const auto& s : sets) {
    const TShredResult compiled = formula.Evaluate(s[0], s[1], s[2]);
    const TShredResult literal = ShredEvaluateLiteral(input, digits, s[0], s[1], s[2]);
    Check(compiled.Error == literal.Error, "same error as the literal text");
    Check(compiled.Value == literal.Value, "same value as the literal text");
    if (compiled.Error == TExprError::None) {
      int32_t limit = 1;
      for (int i = 0; i < digits; ++i) limit *= 10;
      Check(compiled.Value >= 0 && compiled.Value < limit, "value within its digits");
    }
  }
  return 0;
}

}  // namespace vetrilo::fuzz
