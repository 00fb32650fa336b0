// shred: the value of one shredding formula for given numbers.
#include "cli/cli.h"
#include "core/game.h"
#include "core/text.h"
#include "stats/families/shredding.h"

namespace vetrilo::cli {
namespace {

// "a,b,c,d": four distinct numbers 1..47, kept in the given order.
TShredNumbers ParseNumbersArg(const TCliArgs& args, const std::string& name) {
  if (!args.Has(name)) return kNoShredNumbers;
  const std::string text = args.Value(name);
  const auto parts = SplitAll(text, ',');
  if (parts.size() != 4)
    throw ECliError("--" + name + " needs four numbers a,b,c,d: \"" + text + "\"");
  TShredNumbers numbers{};
  for (size_t i = 0; i < 4; ++i) {
    const int n = ParseIntArg(parts[i], "--" + name);
    if (n < 1 || n > kMaxNumber) {
      throw ECliError("--" + name + " numbers must lie in 1..47: \"" + text + "\"");
    }
    for (size_t k = 0; k < i; ++k) {
      if (numbers[k] == n)
        throw ECliError("--" + name + " numbers must be distinct: \"" + text + "\"");
    }
    numbers[i] = static_cast<uint8_t>(n);
  }
  return numbers;
}

int Shred(const TCliContext& context) {
  const TCliArgs args(context.Words, {"comb", "prev", "prev2", "digits"}, {});
  if (args.Positional().size() != 1) throw ECliError("shred needs one FORMULA");
  if (!args.Has("comb")) throw ECliError("shred needs --comb a,b,c,d");
  const TShredNumbers n = ParseNumbersArg(args, "comb");
  const TShredNumbers p = ParseNumbersArg(args, "prev");
  const TShredNumbers t = ParseNumbersArg(args, "prev2");
  const int digits = args.Int("digits", 2, 1, 5);
  const TShredResult r = ShredEvaluate(args.Positional()[0], digits, n, p, t);
  Out((r.Error == TExprError::None ? std::to_string(r.Value) : ExprErrorText(r.Error)) + "\n");
  return 0;
}

const TCliRegistration kShred(
    "shred",
    "shred FORMULA --comb a,b,c,d [--prev a,b,c,d] [--prev2 a,b,c,d] [--digits D]   the value "
    "of a shredding formula (n = comb, p = prev, t = prev2, numbers in the given order; "
    "D = 1..5, default 2), or the evaluator's message",
    Shred);

}  // namespace
}  // namespace vetrilo::cli
