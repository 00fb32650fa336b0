#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "stats/stat_list.h"
#include "stats/stat_protocols.h"
#include "test_support.h"

namespace vetrilo::test {

// A registry over a small archive, with the method list built.
struct TStatFixture {
  TDrawArchive Archive;
  TStatList List;

  explicit TStatFixture(const std::vector<TDrawSpec>& draws = {}) {
    Archive.Draws = MakeDraws(draws);
    List.Draws = &Archive;
    List.BuildMethods();
  }
  // A fresh instance of the method with this code (fails the test when absent).
  std::unique_ptr<TCustomStat> Stat(const std::string& code) {
    const int i = List.FindByCode(code);
    EXPECT_GE(i, 0) << code;
    if (i < 0) return nullptr;
    return List.CreateStat(List.Item(i));
  }
};

// "text xCount" of every record, in list order: compact and readable in failures.
inline std::vector<std::string> Texts(const TCustomStat& stat, const TStatDrawArray& list) {
  std::vector<std::string> out;
  for (const TStatDrawRec& r : list)
    out.push_back(stat.ValueToText(r) + " x" + std::to_string(r.Count));
  return out;
}

inline TStatDrawArray Selected(std::initializer_list<std::array<int, 4>> values) {
  TStatDrawArray list;
  for (const auto& v : values) {
    TStatDrawRec r;
    r.SetWords(v[0], v[1], v[2], v[3]);
    list.Append(r);
  }
  return list;
}

inline bool SameRecords(const TStatDrawArray& a, const TStatDrawArray& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::memcmp(&a[i], &b[i], sizeof(TStatDrawRec)) != 0) return false;
  }
  return true;
}

}  // namespace vetrilo::test
