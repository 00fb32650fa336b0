#pragma once

#include <span>

#include "stats/custom_stat.h"

namespace vetrilo {

// One row of the fixed table of the 143 statistic classes, in registration
// order. Code, group and flags are fixed: cache names, scripts and method-list
// files refer to them (the tests check the classes against the table); Class is
// null while the family is not built, which keeps the class out of the method
// list.
struct TStatClassRow {
  int No;
  const char* ClassName;
  const char* Code;  // as GetCode returns it, "%d" where the parameter goes
  int Group;
  const char* Flags;  // GetAllFlags letters
  bool Enabled;
  const TStatClass& (*Class)();
};

std::span<const TStatClassRow> StatClassTable();

}  // namespace vetrilo
