// system lookup: the stored covering system for a count of numbers, in those numbers.
#include <algorithm>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/text.h"
#include "stakes/system_store.h"
#include "workspace/comb_file.h"

namespace vetrilo::cli {
namespace {

std::vector<uint8_t> NumbersArg(const std::string& text) {
  std::vector<uint8_t> numbers;
  for (const std::string& word : SplitWords(text, ",;")) {
    const int n = ParseIntArg(Trim(word), "--numbers");
    if (n < 1 || n > kMaxNumber) throw ECliError("--numbers: " + word + " is not a number 1..47");
    if (std::find(numbers.begin(), numbers.end(), n) != numbers.end()) {
      throw ECliError("--numbers: " + word + " is given twice");
    }
    numbers.push_back(uint8_t(n));
  }
  return numbers;
}

int SystemLookup(const TCliContext& context, const TCliArgs& args) {
  if (args.Positional().size() != 2) throw ECliError("system lookup needs the count N");
  const int count = ParseIntArg(args.Positional()[1], "N");
  if (args.Has("numbers") == args.Has("combs")) {
    throw ECliError("system lookup needs either --numbers LIST or --combs FILE.lcv");
  }
  std::vector<uint8_t> numbers;
  if (args.Has("numbers")) {
    numbers = NumbersArg(args.Value("numbers"));
  } else {
    TCombsArray combs;
    try {
      ReadCombFile(args.Value("combs"), combs);
    } catch (const EVetrilo& e) {
      throw ECliError("cannot read " + args.Value("combs") + ": " + e.Message());
    }
    numbers = CollectNumbers(combs);
  }
  if (int(numbers.size()) != count) {
    throw ECliError("N is " + std::to_string(count) + " but there are " +
                    std::to_string(numbers.size()) + " numbers");
  }
  const TFoundSystem system = FindSystem(context.Paths.SystemsDir(), numbers);
  std::string out = system.Name + "\n";
  for (const TComb comb : system.Combs) out += CombListText(comb) + "\n";
  Out(out);
  return 0;
}

int System(const TCliContext& context) {
  const TCliArgs args(context.Words, {"numbers", "combs"}, {});
  if (args.Positional().empty() || args.Positional()[0] != "lookup") {
    throw ECliError("system needs a subcommand: lookup");
  }
  return SystemLookup(context, args);
}

const TCliRegistration kSystem(
    "system",
    "system lookup N --numbers a,b,c,... | --combs LIST.lcv   the stored system for N numbers "
    "in those numbers (the numbers of the list in order of first appearance)",
    System);

}  // namespace
}  // namespace vetrilo::cli
