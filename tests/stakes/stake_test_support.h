#pragma once

#include <string>
#include <vector>

#include "stakes/stake_record.h"

namespace vetrilo::test {

// A stake as the tests write it: numbers ascending, unchecked unless given.
inline TStakeRec MakeStake(int draw, std::vector<uint8_t> numbers, std::string comment = "c",
                           uint8_t kind = kStakeManual) {
  TStakeRec r;
  r.Kind = kind;
  r.DrawNumber = draw;
  r.SampleSize = 178365;
  r.SetNumbers(numbers);
  r.Comment = std::move(comment);
  return r;
}

inline std::string Records(const std::vector<TStakeRec>& records) {
  std::string bytes;
  for (const TStakeRec& r : records) bytes += r.Bytes();
  return bytes;
}

}  // namespace vetrilo::test
