#pragma once

#include "stats/stat_list.h"

namespace vetrilo {

// The method list with the default settings, built once for all benchmarks.
inline const TStatList& Registry() {
  static const TStatList list = [] {
    TStatList l;
    l.BuildMethods();
    return l;
  }();
  return list;
}

}  // namespace vetrilo
