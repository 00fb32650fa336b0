// system lookup: the stored covering system for a count of numbers, in those numbers.
// system verify / make: check a system's guarantee, construct a small one.
#include <algorithm>
#include <cstdlib>

#include "cli/cli.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/text.h"
#include "stakes/system_design.h"
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
  std::string out = OutField(system.Name) + "\n";
  for (const TComb comb : system.Combs) out += CombListText(comb) + "\n";
  Out(out);
  return 0;
}

// verify: "uncovered: K" and, for block 3, "covering: yes|no"; exit 1 when the claim fails.
int SystemVerify(const TCliArgs& args) {
  if (args.Positional().size() != 2) throw ECliError("system verify needs FILE.dat");
  if (!args.Has("block")) throw ECliError("system verify needs --block T");
  const std::string& path = args.Positional()[1];
  const int block = args.Int("block", 3, 0, kSystemMaxBlock);
  TSystemLines lines;
  int n = 0;
  try {
    const std::string bytes = ReadFileBytes(path);
    if (args.Has("nums")) {
      n = args.Int("nums", 0, kSystemMinNums, kSystemMaxNums);
      lines = ParseSystemText(bytes, n);
    } else {
      lines = ParseSystemText(bytes, kSystemMaxNums);
      n = SystemNumsFromFileName(ExtractFileName(path));
      if (n == 0)
        n = SystemLargestPosition(lines);
      else if (SystemLargestPosition(lines) > n) {
        throw ECliError("position " + std::to_string(SystemLargestPosition(lines)) +
                        " is above n = " + std::to_string(n) + " of the file name");
      }
    }
  } catch (const EVetrilo& e) {
    throw ECliError("cannot read " + path + ": " + e.Message());
  }
  if (n < kSystemMinNums) {
    throw ECliError("n = " + std::to_string(n) + " is below " + std::to_string(kSystemMinNums) +
                    " (give --nums N)");
  }
  const TSystemCheck check = VerifySystem(lines, n, block);
  std::string out = "nums: " + std::to_string(n) + "\nlines: " + std::to_string(lines.size()) +
                    "\nuncovered: " + std::to_string(check.Uncovered) + "\n";
  if (block == 3) out += std::string("covering: ") + (check.Covering ? "yes" : "no") + "\n";
  Out(out);
  return check.Holds() ? 0 : 1;
}

int SystemMake(const TCliArgs& args) {
  if (args.Positional().size() != 1) throw ECliError("system make takes no positional words");
  if (!args.Has("nums") || !args.Has("block") || !args.Has("out")) {
    throw ECliError("system make needs --nums N --block T --out FILE.dat");
  }
  TDesignOptions options;
  options.Nums = args.Int("nums", 0, kSystemMinNums, kSystemMaxNums);
  options.Block = args.Int("block", 3, 0, kSystemMaxBlock);
  options.Seed = uint64_t(args.Int("seed", 1, 0, 2147483647));
  if (args.Has("time-limit")) {
    const std::string text = args.Value("time-limit");
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != 0 || !(seconds > 0) || seconds > 86400) {
      throw ECliError("--time-limit: " + text + " is not a number of seconds above 0");
    }
    options.TimeLimit = seconds;
  }
  const TSystemLines lines = MakeSystem(options);
  const TSystemCheck check = VerifySystem(lines, options.Nums, options.Block);
  if (!check.Holds()) throw ECliError("the constructed system fails its claim", 1);
  try {
    SaveFileAtomic(args.Value("out"), SystemFileText(lines));
  } catch (const EVetrilo& e) {
    throw ECliError("cannot write " + args.Value("out") + ": " + e.Message());
  }
  std::string out = "nums: " + std::to_string(options.Nums) +
                    "\nblock: " + std::to_string(options.Block) +
                    "\nlines: " + std::to_string(lines.size()) +
                    "\nuncovered: " + std::to_string(check.Uncovered) + "\n";
  if (options.Block == 3) out += std::string("covering: ") + (check.Covering ? "yes" : "no") + "\n";
  Out(out);
  return 0;
}

int System(const TCliContext& context) {
  const TCliArgs args(context.Words,
                      {"numbers", "combs", "block", "nums", "seed", "time-limit", "out"}, {});
  const std::string sub = args.Positional().empty() ? "" : args.Positional()[0];
  if (sub == "lookup") return SystemLookup(context, args);
  if (sub == "verify") return SystemVerify(args);
  if (sub == "make") return SystemMake(args);
  throw ECliError("system needs a subcommand: lookup, verify or make");
}

const TCliRegistration kSystem(
    "system",
    "system lookup N --numbers a,b,c,... | --combs LIST.lcv   the stored system for N numbers "
    "in those numbers (the numbers of the list in order of first appearance)\n"
    "system verify FILE.dat --block T [--nums N]   check that every draw inside the n positions "
    "has T numbers in some line (exit 1 when not)\n"
    "system make --nums N --block T [--seed S] [--time-limit SEC] --out FILE.dat   construct a "
    "small system with that guarantee (default 60 s)",
    System);

}  // namespace
}  // namespace vetrilo::cli
