// Random and hostile script lines: the codec must neither crash nor loop nor grow
// without bound, the normal form must be a fixed point, and the variant count must
// be the product of the list sizes or a refusal above the limit.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/format.h"
#include "core/game.h"
#include "scripts/script_test_support.h"

namespace vetrilo {
using test::LiteralVariants;
using test::TScriptFixture;
using test::VariantDump;

namespace {

// splitmix64: the same sequence on every platform and library.
class TRandom {
 public:
  explicit TRandom(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[static_cast<size_t>(Below(static_cast<int>(items.size())))];
  }

 private:
  uint64_t state_;
};

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

const std::vector<std::string> kSeparators = {"|",
                                              "||",
                                              "|||",
                                              "#",
                                              "##",
                                              ":",
                                              "::",
                                              ";",
                                              ",",
                                              "-",
                                              " ",
                                              "  ",
                                              "\t",
                                              "\r",
                                              "\n",
                                              "\x01",
                                              "\x1f",
                                              "\x7f",
                                              std::string(1, '\0'),
                                              "| |",
                                              "# #"};
const std::vector<std::string> kWords = {
    "FULL",     "EXCL",    "CURR",        "excl",       "Full",        "RAND",       "FIRST",
    "LAST",     "ALL",     "SYSA",        "SYSC",       "STOP",        "SKIP",       "NONE",
    "none",     "CLR",     "NEX",         "nex",        "TSD1",        "BMF12",      "bmf",
    "TMD",      "XBF7",    "NUMS",        "nums",       "EVEN",        "POS1",       "POS10",
    "pos11",    "POS10X",  "POE1",        "SUMS",       "XYZ",         "LNO",        "LMV",
    "LDV",      "CDV",     "WDV",         "PXR",        "LVA",         "lmp",        "QQQ",
    "SF",       "SC",      "SZ",          "ST",         "SV",          "SP",         "Проба",
    "\xff\xfe", "\xd0",    "0",           "1",          "-1",          "7",          "+5",
    "$10",      "0x1F",    "99999999999", "2147483647", "-2147483648", "2147483648", "1.5",
    "1e300",    "1e99999", "nan",         "inf",        ".5"};

std::string Number(TRandom& r) {
  switch (r.Below(6)) {
    case 0:
      return std::to_string(r.Below(10));
    case 1:
      return std::to_string(r.Below(2000) - 1000);
    case 2:
      return r.Pick(std::vector<std::string>{"2147483647", "-2147483648", "2147483648", "0"});
    case 3:
      return std::to_string(static_cast<int64_t>(r.Next() >> 30) - (int64_t{1} << 33));
    case 4:
      return r.Pick(kWords);
    default:
      return std::to_string(r.Below(100) + 1);
  }
}

// A depth or level list: lists, ranges (some huge or reversed), or junk.
std::string ListText(TRandom& r) {
  switch (r.Below(7)) {
    case 0: {
      std::string t;
      const int n = 1 + r.Below(5);
      for (int i = 0; i < n; ++i)
        t += (i ? r.Pick(std::vector<std::string>{",", ";", ", ", " ;"}) : "") + Number(r);
      return t;
    }
    case 1: {
      const int first = r.Below(50);
      return std::to_string(first) + "-" + std::to_string(first + r.Below(40)) + ";" +
             std::to_string(1 + r.Below(5));
    }
    case 2:
      return Number(r) + "-" + Number(r) + r.Pick(std::vector<std::string>{";", ","}) + Number(r);
    case 3:
      return "-2147483648-2147483647;" + std::to_string(1 + r.Below(3));
    case 4:
      return "";
    case 5:
      return std::to_string(1 + r.Below(1000));
    default:
      return r.Pick(kWords) + r.Pick(kSeparators) + Number(r);
  }
}

std::string Filter(TRandom& r, const TStatList& list) {
  if (r.Chance(20)) return r.Pick(std::vector<std::string>{"", " ", "  "});
  std::string t;
  t += r.Pick(std::vector<std::string>{"T", "B", "b", "X", ""});
  t += r.Pick(std::vector<std::string>{"S", "M", "m", ""});
  t += r.Pick(std::vector<std::string>{"F", "D", "f", ""});
  if (r.Chance(70)) t += Number(r);
  t += "#";
  const std::string code = r.Chance(80) ? list.Item(r.Below(list.Count())).Code() : r.Pick(kWords);
  t += (r.Chance(20) ? Lower(code) : code) + (r.Chance(90) ? ":" : "") + ListText(r);
  if (r.Chance(85))
    t +=
        "#" + LevelModeCode(r.Below(kLevelModeCount + 1)) + (r.Chance(90) ? ":" : "") + ListText(r);
  if (r.Chance(80)) t += "#" + StopModeCode(r.Below(kStopModeCount + 1)) + ":" + Number(r);
  if (r.Chance(25)) {
    t += "#";
    for (int i = 0; i < 5; ++i) t += (i ? ":" : "") + Number(r);
  }
  return t;
}

std::string Structured(TRandom& r, const TStatList& list) {
  std::string line = r.Pick(kWords) + (r.Chance(70) ? ":" + Number(r) : "");
  for (int w = r.Below(4); w > 0; --w) line += "#" + r.Pick(kWords);
  for (int n = 0; n < 7; ++n) line += (r.Chance(90) ? "|" : r.Pick(kSeparators)) + Filter(r, list);
  if (r.Chance(80)) line += "|";
  if (r.Chance(60)) {
    for (int w = r.Below(6); w > 0; --w) line += r.Pick(kWords) + r.Pick(kSeparators);
  }
  return line;
}

std::string TokenSoup(TRandom& r) {
  std::string line;
  for (int n = r.Below(60); n > 0; --n) line += r.Chance(50) ? r.Pick(kWords) : r.Pick(kSeparators);
  return line;
}

std::string Bytes(TRandom& r) {
  std::string line(static_cast<size_t>(r.Below(200)), '\0');
  for (char& c : line) c = static_cast<char>(r.Below(256));
  return line;
}

// Seven filters of many choices each: products around and far beyond the limit.
std::string ManyChoices(TRandom& r) {
  std::string line = "FULL:0#RAND";
  const int filters = 1 + r.Below(7);
  for (int n = 0; n < 7; ++n) {
    line += "|";
    if (n >= filters) {
      line += " ";
      continue;
    }
    line += "TSD1#NUMS:1-" + std::to_string(1 + r.Below(12)) + ";1#" +
            r.Pick(std::vector<std::string>{"LMV", "WDV", "LDV", "LNO"}) + ":1-" +
            std::to_string(1 + r.Below(12)) + ";1#SF:1";
  }
  return line + "|many";
}

std::string LongTexts(TRandom& r) {
  std::string comment(static_cast<size_t>(1000 + r.Below(20000)), 'x');
  std::string values;
  for (int i = r.Below(1000); i > 0; --i) values += std::to_string(r.Below(100)) + ",";
  values += "1";
  return "EXCL:3#ALL|TSD1#NUMS:" + values + "#CDV:" + values + "#SF:1|TSD1#" +
         std::string(static_cast<size_t>(r.Below(5000)), 'N') + "|BMF1#EVEN:1#LNO:" + comment +
         "| | | | |" + comment + "|" + comment;
}

// What the plan must do with a line's filters, worked out from the list sizes.
struct TExpected {
  std::string Malformed;  // message of the first malformed filter
  bool TooLarge = false;
  int64_t Count = 0;
  bool SmallLists = true;  // every list short enough for the literal enumeration
};

TExpected Expect(const std::vector<TFilterItem>& items) {
  TExpected e;
  long double product = items.empty() ? 0 : 1;
  bool listTooLong = false;
  for (const TFilterItem& item : items) {
    const int64_t depths = ParseIntListEx(item.DrawsLen, 0).Count;
    const int64_t levels = item.LevelMode != 0 ? ParseIntListEx(item.LevelValues, 0).Count : 1;
    if ((depths <= 0 || levels <= 0) && e.Malformed.empty())
      e.Malformed = MalformedFilterMessage(item);
    product *= static_cast<long double>(depths) *
               static_cast<long double>(LevelModeExpands(item.LevelMode) ? levels : 1);
    if (item.LevelMode != 0 && !LevelModeExpands(item.LevelMode) && levels > kMaxIntListItems)
      listTooLong = true;
    e.SmallLists = e.SmallLists && depths <= 5000 && levels <= 5000;
  }
  e.TooLarge = product > static_cast<long double>(kMaxScriptVariants) || listTooLong;
  if (!e.TooLarge) e.Count = static_cast<int64_t>(product);
  return e;
}

enum class TOutcome { NoFilters, Counted, Enumerated, Malformed, TooLarge };

TOutcome CheckVariants(const TScriptLine& line, const std::string& text) {
  const std::vector<TFilterItem> items = line.AssignedFilters();
  const TExpected e = Expect(items);
  try {
    const TVariantPlan plan(items);
    EXPECT_TRUE(e.Malformed.empty()) << "accepted a malformed filter";
    EXPECT_FALSE(e.TooLarge) << "accepted too many variants, line of " << text.size() << " bytes";
    EXPECT_EQ(plan.Count(), e.Count);
    if (items.empty()) return TOutcome::NoFilters;
    if (plan.Count() > 100 || !e.SmallLists || ::testing::Test::HasFailure())
      return TOutcome::Counted;
    const std::vector<TFilterRec> literal = LiteralVariants(items);
    if (static_cast<int64_t>(literal.size()) != plan.Count()) {
      ADD_FAILURE() << "the literal enumeration makes " << literal.size() << " variants";
      return TOutcome::Counted;
    }
    int64_t seen = 0;
    plan.ForEach([&](int64_t number, const TFilterRec& v) {
      EXPECT_EQ(VariantDump(v), VariantDump(literal[static_cast<size_t>(seen)]));
      const std::string filterText = VariantFilterText(line.Options, &v);
      const std::string label = VariantLabel(7, static_cast<int>(number), line.Comment, filterText);
      EXPECT_EQ(label, Format("07.%.3d:", {number}) +
                           (line.Comment.empty() ? "" : " " + line.Comment) + " @ " + filterText);
      const std::string stored = StoredVariantLabel(label);
      size_t chars = 0;
      for (char c : stored) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      EXPECT_LE(chars, kMaxVariantLabelChars);
      EXPECT_EQ(label.rfind(stored, 0), 0u);
      ++seen;
      return !::testing::Test::HasFailure();
    });
    EXPECT_EQ(seen, plan.Count());
    return TOutcome::Enumerated;
  } catch (const EScriptFilterError& error) {
    // The whole message, a NUL of the line included.
    EXPECT_EQ(error.Message(), e.Malformed);
    return TOutcome::Malformed;
  } catch (const EScriptTooLarge&) {
    EXPECT_TRUE(e.Malformed.empty());
    EXPECT_TRUE(e.TooLarge);
    return TOutcome::TooLarge;
  }
}

}  // namespace

TEST(ScriptFuzz, RandomAndHostileLines) {
  TScriptFixture f;
  TRandom r(20240301);
  std::map<TOutcome, int> outcomes;
  for (int iteration = 0; iteration < 2000; ++iteration) {
    std::string line;
    switch (iteration % 6) {
      case 0:
      case 1:
        line = Structured(r, f.List);
        break;
      case 2:
        line = TokenSoup(r);
        break;
      case 3:
        line = Bytes(r);
        break;
      case 4:
        line = ManyChoices(r);
        break;
      default:
        line = iteration % 60 == 5 ? LongTexts(r) : Structured(r, f.List);
        break;
    }
    SCOPED_TRACE("iteration " + std::to_string(iteration));
    const std::string normal = NormalizeScriptLine(line, f.List);
    ASSERT_EQ(normal.empty(), line.empty());
    ASSERT_EQ(NormalizeScriptLine(normal, f.List), normal) << line;

    // The normal form means the same line.
    const TScriptLine parsed = ParseScriptLine(line, f.List);
    const TScriptLine again = ParseScriptLine(normal, f.List);
    EXPECT_EQ(FormatScriptOptions(again.Options), FormatScriptOptions(parsed.Options));
    EXPECT_EQ(again.Comment, parsed.Comment);
    for (size_t n = 0; n < kScriptFilterCount; ++n) {
      EXPECT_EQ(FormatScriptFilter(again.Filters[n]), FormatScriptFilter(parsed.Filters[n]));
      EXPECT_EQ(again.Filters[n].Method, parsed.Filters[n].Method);
    }
    ++outcomes[CheckVariants(parsed, line)];
    if (HasFailure()) break;
  }
  // The generator keeps reaching every outcome.
  for (TOutcome o : {TOutcome::NoFilters, TOutcome::Counted, TOutcome::Enumerated,
                     TOutcome::Malformed, TOutcome::TooLarge}) {
    EXPECT_GE(outcomes[o], 20) << static_cast<int>(o);
  }
}

}  // namespace vetrilo
