#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/game.h"

namespace vetrilo {

// How a new combination list is made: 0 the full set; 1-3 the full set cut by the user's
// numbers; 4 a combination file named by the parameter.
enum TGenerateMode : int {
  kGenerateFull = 0,
  kGenerateAnyOf = 1,
  kGenerateOnlyOf = 2,
  kGenerateNoneOf = 3,
  kGenerateFile = 4,
};
constexpr int kGenerateModeCount = 5;

std::string GenerateModeCaption(int mode);
// The parameter field is used by every mode but the full set; the file button only by mode 4.
inline bool GenerateParameterEnabled(int mode) {
  return mode != kGenerateFull;
}
inline bool GenerateFileButtonEnabled(int mode) {
  return mode == kGenerateFile;
}

// The user's numbers of modes 1-3: words at "," and ";", trimmed, 0 when not numeric;
// values 0..255 are kept, others ignored.
std::vector<uint8_t> ParseGenerateNumbers(std::string_view text);

// Modes 1-3: a parameter that holds words but not one number of the game (1..47)
// is refused (EVetrilo); an empty one means no numbers, as always.
void CheckGenerateNumbers(int mode, std::string_view text);

// Appends the combinations of the full set, in canonical order, that mode 0-3 keeps (any
// other mode keeps them all). The literal form walks the four nested levels and searches the
// numbers for each combination; the default one masks the precomputed full set.
void GenerateFromFullSet(int mode, const std::vector<uint8_t>& numbers, TCombsArray& out);
void GenerateFromFullSetLiteral(int mode, const std::vector<uint8_t>& numbers, TCombsArray& out);

}  // namespace vetrilo
