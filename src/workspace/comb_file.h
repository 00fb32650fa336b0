#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/game.h"

namespace vetrilo {

// Combination files: one combination per line in list form ("3;15;27;41"), CR LF.
constexpr std::string_view kCombFileExt = ".lcv";
constexpr std::string_view kCombFileFilter = "Файлы комбинаций (*.lcv)|*.lcv";

// Appends the combinations of a file's text: lines broken at any line ending, words at "," or
// ";" (runs count once), trimmed and read as integers (0 when not numeric) kept in one byte;
// lines without exactly 4 words are skipped. No sorting, no range check.
void ParseCombFileText(std::string_view text, TCombsArray& out);
std::string CombFileText(std::span<const TComb> combs);

// A file none of whose lines is a combination (random bytes, an empty file): it is
// refused rather than read as an empty list.
class ENotCombFile : public EVetrilo {
 public:
  using EVetrilo::EVetrilo;
};

// A list above this size is not a list: every combination with room for spaces.
constexpr uint64_t kCombFileReadLimit = uint64_t(kAllCombinations) * 32;

// Combinations a list may hold and the program keeps as they are: a number outside
// 1..47 (256 reads as 0, -1 as 255) or one number twice.
int CountOddCombs(std::span<const TComb> combs);
// The warning shown once after such a list was read; empty when there is none.
std::string OddCombsWarning(const std::string& path, std::span<const TComb> combs);

// Whole-file operations; throw EVetrilo with the system's error text for the path,
// reading throws ENotCombFile for a file without a single combination line.
void ReadCombFile(const std::string& path, TCombsArray& out);
// Atomic: a failure leaves the previous file as it was.
void WriteCombFile(const std::string& path, std::span<const TComb> combs);

}  // namespace vetrilo
