#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// The numbers typed into "Ставка:": exactly 4 words separated by "," or ";",
// each 1..47, all different; nullopt otherwise. Ascending.
std::optional<std::vector<uint8_t>> ParseStakeNumbers(std::string_view text);
// "Сумма:" while typing: words that are not numbers count as 0.
long long StakeNumbersSum(std::string_view text);

// The checks of OK in "Добавление ставки", in their order: the first failing
// one's message, nullopt when the stake may be made.
std::optional<std::string> StakeDialogError(std::string_view numbers, std::string_view comment);
// "Добавление мультиставки" checks only the comment.
std::optional<std::string> MultiStakeDialogError(std::string_view comment);

constexpr int kStakeCommentMaxChars = 64;
constexpr int kStakeDrawsMax = 65535;
// The comment a new hand-made stake starts with.
constexpr std::string_view kManualStakeComment = "Ставка \"вручную\"";

}  // namespace vetrilo
