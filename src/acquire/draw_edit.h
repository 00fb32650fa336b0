#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dates.h"
#include "core/draw_archive.h"

namespace vetrilo {

constexpr std::string_view kBadDrawCombination = "Введена некорректная комбинация!";

// The numbers of the draw dialog: four distinct main numbers and the bonus ball.
struct TDrawNumbers {
  std::array<uint8_t, 4> Balls{};
  uint8_t Extra = 0;
};

// "5;17;23;40;9": exactly 5 words separated by "," or ";", the first four
// distinct integers 1..47, the fifth 1..17. None when the text is refused.
std::optional<TDrawNumbers> ParseDrawNumbers(std::string_view text);
// The text the dialog shows: the four numbers and the bonus ball joined by ";".
std::string DrawNumbersText(const TDrawRec& draw);

// What the dialog starts from for a new draw: the number after the newest one.
int32_t NextNewDrawNumber(const TDrawArchive& archive);
// The date the dialog shows for a stored date text; `today` when it is empty
// or not a date.
TDateKey DialogDate(std::string_view dateText, TDateKey today);
// The record the dialog gives back.
TDrawRec MakeDrawRecord(int32_t number, const TDrawNumbers& numbers, TDateKey date);

// Removes the draws shown in these rows of the draw list (0 = newest); each
// record itself goes, whatever numbers the others carry. A row outside the
// list throws "Запись со индексом %d в файле данных не найдена!" and nothing
// is removed. Returns how many went.
int DeleteDrawRows(TDrawArchive& archive, std::vector<int> rows);

}  // namespace vetrilo
