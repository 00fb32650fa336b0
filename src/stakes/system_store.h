#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"
#include "core/game.h"

namespace vetrilo {

// Downloaded covering systems: text files in the folder "Systems", one line per
// combination of 4 positions 1..n, named "4-NN-B_IIII.dat" (n, block, catalogue id).
constexpr std::string_view kSystemsFolder = "Systems";

// "4-12-2_0317.dat"
std::string SystemFileName(int nums, int olap, int id);

// The names of the files kept for n numbers ("4-NN-*_*.dat"), in code-point order.
std::vector<std::string> StoredSystemFiles(const std::string& systemsDir, int n);
// A system built on this computer is stored under the catalogue id 0000; it
// exists nowhere else.
bool IsBuiltSystemFile(std::string_view name);

// The distinct numbers of a combination list in order of first appearance, each
// combination read in ascending order; at most 47.
std::vector<uint8_t> CollectNumbers(std::span<const TComb> combs);

// No system file for that count of numbers; the screen adds the hint how to get one.
class ESystemNotFound : public EVetrilo {
 public:
  explicit ESystemNotFound(int count);
  // The message with the hint, as a message box shows it.
  std::string ShownText() const;
};

struct TFoundSystem {
  std::string Name;   // the file name without folder and extension
  TCombsArray Combs;  // the system in the collected numbers, each ascending, file order
};

// The stored system for as many numbers as given (the first matching file by
// name in code-point order), its positions replaced by those numbers.
// Throws ESystemNotFound, or EVetrilo "Ошибка загрузки комбинаций системы!..."
// when the file cannot be read or a line is not 4 distinct positions 1..n.
TFoundSystem FindSystem(const std::string& systemsDir, std::span<const uint8_t> numbers);

// The positions of one system line (0 when the line is blank); throws EVetrilo
// with the reason when it is not 4 distinct positions 1..n.
int ParseSystemLine(std::string_view line, int n, std::array<int, 4>& positions);

}  // namespace vetrilo
