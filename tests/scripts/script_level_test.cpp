#include "scripts/script_level.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "scripts/script_line.h"

namespace vetrilo {
namespace {

using TCells = std::array<std::string, kDrawStatsColumns>;

// A row as the table shows it: count 12 (2.5 %), deviation -3 (-20.00000 %),
// depth 4 (40.00 %), weight 7.25, periods 3 / 8.3333 / 15.
TCells Row() {
  TCells c;
  c.fill("-");
  c[kDsValue] = "17";
  c[kDsCount] = "12";
  c[kDsCountPct] = "2.50000";
  c[kDsNorm] = "15";
  c[kDsDeviation] = "-3";
  c[kDsDeviationPct] = "-20.00000";
  c[kDsAgo] = "4";
  c[kDsAgoPct] = "40.00";
  c[kDsWeight] = "7.25";
  c[kDsMinGap] = "3";
  c[kDsPeriod] = "8.3333";
  c[kDsMaxGap] = "15";
  return c;
}

// The same row for a value never seen: every column from the depth on is "-".
TCells Unseen() {
  TCells c = Row();
  for (int col = kDsAgo; col < kDrawStatsColumns; ++col) c[size_t(col)] = "-";
  return c;
}

int Mode(std::string_view code) {
  for (int i = 0; i < kLevelModeCount; ++i) {
    if (LevelModeCode(i) == code) return i;
  }
  ADD_FAILURE() << code;
  return 0;
}

}  // namespace

TEST(ScriptLevel, EachModeTestsItsColumn) {
  struct TCase {
    const char* Code;
    const char* Value;
    bool Seen;    // on Row()
    bool Unseen;  // on Unseen()
  };
  const TCase cases[] = {
      {"LNO", "", true, true},      {"LMV", "4", true, false},    {"LMV", "5", false, false},
      {"LMP", "40", true, false},   {"LMP", "41", false, false},  {"LLV", "4", true, false},
      {"LLV", "3", false, false},  // "-" reads 65535
      {"LLP", "40", true, false},   {"LLP", "39", false, false},  {"LDV", "1,4", true, false},
      {"LDV", "5", false, false},   {"LDP", "40;2", true, false}, {"LDP", "4", false, false},
      {"DMV", "-3", true, true},    {"DMV", "-2", false, false},  {"DMP", "-20", true, true},
      {"DMP", "-19", false, false}, {"DLV", "-3", true, true},    {"DLV", "-4", false, false},
      {"DLP", "-20", true, true},   {"DLP", "-21", false, false}, {"DDV", "-3", true, true},
      {"DDP", "-20", true, true},   {"DDP", "20", false, false},  {"CMV", "12", true, true},
      {"CMV", "13", false, false},  {"CMP", "2", true, true},     {"CMP", "3", false, false},
      {"CLV", "12", true, true},    {"CLV", "11", false, false},  {"CLP", "3", true, true},
      {"CLP", "2", false, false},   {"CDV", "1,12", true, true},  {"CDP", "2", false, false},
      {"WMV", "7", true, false},    {"WMV", "8", false, false},   {"WLV", "7", false, true},
      {"WLV", "8", true, true},  // "-" reads 0 on the weight
      {"WDV", "7", false, false},   {"PIM", "3", true, false},    {"PIL", "2", false, false},
      {"PIL", "3", true, false},    {"PIR", "3", true, false},    {"PAM", "8", true, false},
      {"PAM", "9", false, false},   {"PAL", "9", true, true},     {"PAR", "8", false, false},
      {"PXM", "15", true, false},   {"PXL", "14", false, false},  {"PXR", "15", true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Code) + ":" + c.Value);
    const TLevelTest test(Mode(c.Code), c.Value);
    EXPECT_EQ(test.Passes(Row(), 17), c.Seen);
    EXPECT_EQ(test.Passes(Unseen(), 17), c.Unseen);
  }
}

TEST(ScriptLevel, ValueListTestsTheRowsNumericValue) {
  const TLevelTest test(Mode("LVA"), "3,17");
  EXPECT_TRUE(test.Passes(Row(), 17));
  EXPECT_FALSE(test.Passes(Row(), 4));
  EXPECT_EQ(TLevelTest::Column(Mode("LVA")), -1);
  EXPECT_EQ(TLevelTest::Column(Mode("PAR")), kDsPeriod);
}

TEST(ScriptLevel, AValueThatIsNotANumberIsAConversionError) {
  for (const char* text : {"LMV:x", "CDV:1,x", "LVA:2;-", "WLV:1.5"}) {
    SCOPED_TRACE(text);
    const std::string s(text);
    const auto colon = s.find(':');
    EXPECT_THROW(TLevelTest(Mode(s.substr(0, colon)), s.substr(colon + 1)), EVetrilo);
  }
  try {
    TLevelTest(Mode("CMV"), "abc");
  } catch (const EVetrilo& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_NO_THROW(TLevelTest(Mode("LNO"), "anything"));
}

}  // namespace vetrilo
