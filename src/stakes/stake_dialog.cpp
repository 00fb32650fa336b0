#include "stakes/stake_dialog.h"

#include <algorithm>

#include "core/game.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

std::optional<std::vector<uint8_t>> ParseStakeNumbers(std::string_view text) {
  const std::vector<std::string> words = SplitWords(text, ",;");
  if (words.size() != 4) return std::nullopt;
  std::vector<uint8_t> numbers;
  for (const std::string& w : words) {
    const auto n = StrToIntStrict(Trim(w));
    if (!n || *n < 1 || *n > kMaxNumber) return std::nullopt;
    if (std::find(numbers.begin(), numbers.end(), *n) != numbers.end()) return std::nullopt;
    numbers.push_back(static_cast<uint8_t>(*n));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

long long StakeNumbersSum(std::string_view text) {
  long long sum = 0;
  for (const std::string& w : SplitWords(text, ",;")) sum += StrToIntDef(w, 0);
  return sum;
}

std::optional<std::string> StakeDialogError(std::string_view numbers, std::string_view comment) {
  if (!ParseStakeNumbers(numbers)) return std::string(Tr("Введена некорректная комбинация!"));
  return MultiStakeDialogError(comment);
}

std::optional<std::string> MultiStakeDialogError(std::string_view comment) {
  if (Trim(comment).empty()) return std::string(Tr("Необходимо ввести комментарий!"));
  return std::nullopt;
}

}  // namespace vetrilo
