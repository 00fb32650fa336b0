#pragma once

#include <string>
#include <vector>

#include "stats/stat_test_support.h"

namespace vetrilo::test {

// Segment map from its settings text: character n is the segment of number n,
// anything but a digit (or nothing) segment 1.
inline void SetSegments(TStatList& list, const std::string& text) {
  for (size_t i = 0; i < list.MatrixSegments.size(); ++i) {
    const char c = i < text.size() ? text[i] : '1';
    list.MatrixSegments[i] = c >= '0' && c <= '9' ? uint8_t(c - '0') : 1;
  }
}

// A registry over a small archive with the given channel size, matrix width and
// segment map, its method list built for them.
struct TGridFixture : TStatFixture {
  TGridFixture(int channelSize, int matrixCols, const std::string& segments = "",
               const std::vector<TDrawSpec>& draws = {})
      : TStatFixture(draws) {
    List.ChannelSize = channelSize;
    List.MatrixCols = matrixCols;
    SetSegments(List, segments);
    List.BuildMethods();
  }
  // Codes of the listed methods that are the prefix followed by a parameter.
  std::vector<std::string> Codes(const std::string& prefix) const {
    std::vector<std::string> codes;
    for (const TStatMethod& m : List.Methods) {
      const std::string code = m.Code();
      if (code.size() > prefix.size() && code.rfind(prefix, 0) == 0 &&
          code.find_first_not_of("0123456789", prefix.size()) == std::string::npos) {
        codes.push_back(code);
      }
    }
    return codes;
  }
};

inline std::vector<std::string> Numbered(const std::string& prefix, int low, int high) {
  std::vector<std::string> codes;
  for (int i = low; i <= high; ++i) codes.push_back(prefix + std::to_string(i));
  return codes;
}

}  // namespace vetrilo::test
