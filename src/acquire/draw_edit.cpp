#include "acquire/draw_edit.h"

#include <algorithm>

#include "core/errors.h"
#include "core/format.h"
#include "core/game.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

std::optional<TDrawNumbers> ParseDrawNumbers(std::string_view text) {
  const std::vector<std::string> words = SplitWords(text, ",;");
  if (words.size() != 5) return std::nullopt;
  TDrawNumbers n;
  for (size_t i = 0; i < 5; ++i) {
    const auto v = StrToIntStrict(Trim(words[i]));
    const int hi = i < 4 ? kMaxNumber : 17;
    if (!v || *v < 1 || *v > hi) return std::nullopt;
    if (i < 4) {
      for (size_t k = 0; k < i; ++k) {
        if (n.Balls[k] == *v) return std::nullopt;
      }
      n.Balls[i] = static_cast<uint8_t>(*v);
    } else {
      n.Extra = static_cast<uint8_t>(*v);
    }
  }
  return n;
}

std::string DrawNumbersText(const TDrawRec& draw) {
  return Format("%d;%d;%d;%d;%d",
                {draw.Balls[0], draw.Balls[1], draw.Balls[2], draw.Balls[3], draw.Extra});
}

int32_t NextNewDrawNumber(const TDrawArchive& archive) {
  return archive.NextDrawNumber(0);
}

TDateKey DialogDate(std::string_view dateText, TDateKey today) {
  try {
    const TDateKey key = TextToDateKey(dateText);
    return key > 0 ? key : today;
  } catch (const EVetrilo&) {
    return today;
  }
}

TDrawRec MakeDrawRecord(int32_t number, const TDrawNumbers& numbers, TDateKey date) {
  TDrawRec d;
  d.Number = number;
  d.Balls = numbers.Balls;
  d.Extra = numbers.Extra;
  d.Date = DateKeyToText(date).substr(0, 10);
  return d;
}

int DeleteDrawRows(TDrawArchive& archive, std::vector<int> rows) {
  std::vector<int> indices;
  for (int row : rows) {
    const int index = archive.High() - row;
    if (row < 0 || index < 0) {
      throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
    }
    indices.push_back(index);
  }
  // Highest index first, so the indices still to go do not move.
  std::sort(indices.begin(), indices.end(), std::greater<int>());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (int index : indices) archive.DeleteDraw(index);
  return static_cast<int>(indices.size());
}

}  // namespace vetrilo
