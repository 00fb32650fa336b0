#include "app/system_settings.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/format.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

TSystemSettings TSystemSettings::FromList(const TStatList& list) {
  TSystemSettings s;
  s.MatrixCols = std::clamp(list.MatrixCols, kMinMatrixCols, kMaxMatrixCols);
  s.Segments = list.MatrixSegments;
  s.ChannelSize = std::clamp(list.ChannelSize, kMinChannelSize, kMaxChannelSize);
  s.Cost = list.Cost;
  for (int row = 0; row < kPrizeRows; ++row) {
    for (const TProfitLevel& level : list.Profits) {
      if (level.Overlap == row) {
        s.Prizes[size_t(row)] = level.Profit;
        break;
      }
    }
  }
  s.Cdl = list.Cdl;
  return s;
}

int TSystemSettings::MatrixRows() const {
  return CeilDiv(kMaxNumber, MatrixCols);
}

int TSystemSettings::CellNumber(int row, int column) const {
  if (row < 0 || column < 0 || column >= MatrixCols) return 0;
  const int n = row * MatrixCols + column + 1;
  return n <= kMaxNumber ? n : 0;
}

std::optional<std::string> TSystemSettings::SegmentCellError(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  const auto v = StrToIntStrict(t);
  if (v && *v >= 1 && *v <= 9 && t.size() == 1) return std::nullopt;
  return Format(Tr("Некорректное значение: %s!\r\rУкажите любое число от 1 до 9"), {t});
}

uint8_t TSystemSettings::SegmentOfCellText(std::string_view text) {
  if (SegmentCellError(text) || Trim(text).empty()) return 1;
  return static_cast<uint8_t>(Trim(text)[0] - '0');
}

std::string TSystemSettings::PrizeRowText(int row) const {
  return Format("%d=%.2f", {row, static_cast<double>(Prizes[size_t(row)]) / kMoneyScale});
}

TMoney TSystemSettings::ParseAmount(std::string_view text) {
  const auto v = ParseIniFloat(text);
  return v ? MoneyFromReal(*v) : 0;
}

namespace {

bool IsWebAddress(std::string_view address) {
  const std::string text = Trim(address);
  auto startsWith = [&](std::string_view scheme) {
    return text.size() > scheme.size() &&
           SameTextIgnoringCase(text.substr(0, scheme.size()), scheme);
  };
  const bool web = startsWith("http://") || startsWith("https://");
  const bool blank = text.find_first_of(" \t\r\n") != std::string::npos;
  return web && !blank;
}

}  // namespace

std::optional<std::string> TSystemSettings::LotterySiteError(std::string_view address) {
  if (Trim(address).empty() || IsWebAddress(address)) return std::nullopt;
  return Tr(
      "Адрес сайта лотереи должен начинаться с http:// или https:// и не содержать пробелов!");
}

std::optional<std::string> TSystemSettings::ResultsSiteError(std::string_view address) {
  if (Trim(address).empty() || IsWebAddress(address)) return std::nullopt;
  return Tr(
      "Адрес страницы результатов должен начинаться с http:// или https:// и не содержать "
      "пробелов!");
}

void TSystemSettings::ApplyTo(TStatList& list) const {
  list.MatrixCols = MatrixCols;
  list.MatrixSegments = Segments;
  list.ChannelSize = ChannelSize;
  list.Cost = Cost;
  list.Profits.clear();
  for (int row = 0; row < kPrizeRows; ++row) {
    list.Profits.push_back({static_cast<uint8_t>(row), Prizes[size_t(row)]});
  }
  list.Cdl = Cdl;
}

}  // namespace vetrilo
