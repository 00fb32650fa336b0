#include "core/format.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace vetrilo {

TEST(Format, DelphiSpecifiers) {
  struct TCase {
    std::string Expected;
    std::string Actual;
  };
  const TCase cases[] = {
      {"Архив тиражей: 12", Format("Архив тиражей: %d", {12})},
      {"005", Format("%.3d", {5})},
      {"-005", Format("%.3d", {-5})},
      {"1234", Format("%.3d", {1234})},
      {"{ num } Числа тиража", Format("{ %1:s } %0:s", {"Числа тиража", "num"})},
      {"b a b", Format("%1:s %0:s %s", {"a", "b"})},
      {"2.50000", Format("%.5f", {2.5})},
      {"3.14", Format("%f", {3.14159})},
      {"0.12", Format("%.2f", {0.125})},  // printf: an exact tie rounds to even
      {"100%", Format("%d%%", {100})},
      {"   ab|ab   ", Format("%5s|%-5s", {"ab", "ab"})},
      {"Ти", Format("%.2s", {"Тираж"})},
      {"FF", Format("%x", {255})},
      {"1,234,567.50", Format("%n", {1234567.5})},
      {"+05 : 100 + 5 = 105", Format("+%0:.2d : %1:d + %0:d = %2:d", {5, 100, 105})},
      {"06 [41-48]", Format("%.2d [%s-%s]", {6, "41", "48"})},
      {"   7", Format("%*d", {4, 7})},
  };
  for (const TCase& c : cases) EXPECT_EQ(c.Actual, c.Expected);
}

TEST(Format, WrongArgumentsThrow) {
  EXPECT_THROW(Format("%d", {"x"}), EVetrilo);
  EXPECT_THROW(Format("%s", {5}), EVetrilo);
  EXPECT_THROW(Format("%d %d", {5}), EVetrilo);
  EXPECT_THROW(Format("%q", {5}), EVetrilo);
  EXPECT_THROW(Format("%", {5}), EVetrilo);
}

}  // namespace vetrilo
