#include "scripts/ratings.h"

#include <algorithm>
#include <cstring>

#include "core/byte_order.h"
#include "core/cp1251.h"
#include "core/damaged_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/money_text.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

std::string LabelKey(std::string_view label) {
  return Utf8UpperCase(label);
}

// Collation of labels: letters by their alphabet (Ё after Е), case only
// breaking ties (lower before upper), then the bytes.
std::u32string CollationKey(std::string_view text) {
  std::u32string key;
  for (unsigned char c : Utf8ToCp1251(Utf8UpperCase(text))) {
    if (c == 0xA8) {
      key.push_back(0xC5 * 2 + 1);  // Ё just after Е
    } else {
      key.push_back(c >= 0xC0 ? char32_t(c) * 2 : char32_t(c));
    }
  }
  return key;
}

int CompareLabels(const std::string& a, const std::string& b) {
  const std::u32string ka = CollationKey(a), kb = CollationKey(b);
  if (ka != kb) return ka < kb ? -1 : 1;
  // Same letters: the one with more lower-case letters first.
  const std::string la = Utf8UpperCase(a), lb = Utf8UpperCase(b);
  if (a != b) {
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
      if (a[i] != b[i]) {
        const bool aUpper = la[i] == a[i], bUpper = lb[i] == b[i];
        if (aUpper != bUpper) return aUpper ? 1 : -1;
        return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
      }
    }
    return a.size() < b.size() ? -1 : 1;
  }
  return 0;
}

int Sign(int64_t v) {
  return v < 0 ? -1 : v > 0 ? 1 : 0;
}

}  // namespace

TRatingRec TRatingRec::FromBytes(const uint8_t* b) {
  TRatingRec r;
  std::memcpy(r.Raw.data(), b, kRatingRecordSize);
  r.Label = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(b + 1), b[0]));
  r.Stakes = GetI32(b + 256);
  r.Matched = GetI32(b + 260);
  for (int k = 0; k < 5; ++k) r.Hits[size_t(k)] = GetI32(b + 264 + 4 * k);
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = u << 8 | b[288 + i];
  r.Profit = static_cast<int64_t>(u);
  return r;
}

void TRatingRec::ToBytes(uint8_t* out) const {
  std::memcpy(out, Raw.data(), kRatingRecordSize);
  std::string label = Utf8ToCp1251(Label);
  if (label.size() > 255) label.resize(255);
  out[0] = static_cast<uint8_t>(label.size());
  std::memcpy(out + 1, label.data(), label.size());
  PutI32(out + 256, Stakes);
  PutI32(out + 260, Matched);
  for (int k = 0; k < 5; ++k) PutI32(out + 264 + 4 * k, Hits[size_t(k)]);
  for (int i = 0; i < 8; ++i) {
    out[288 + i] = static_cast<uint8_t>(static_cast<uint64_t>(Profit) >> (8 * i));
  }
}

void TRatings::Clear() {
  items_.clear();
  byKey_.clear();
}

int TRatings::Find(std::string_view label) const {
  auto it = byKey_.find(LabelKey(label));
  return it == byKey_.end() ? -1 : it->second;
}

void TRatings::Reindex() {
  byKey_.clear();
  for (size_t i = 0; i < items_.size(); ++i) byKey_.emplace(LabelKey(items_[i].Label), int(i));
}

void TRatings::Append(TRatingRec rating) {
  byKey_.emplace(LabelKey(rating.Label), Count());
  items_.push_back(std::move(rating));
}

bool TRatings::AddToRatings(const TStakeRec& stake, std::string* warning) {
  const int32_t m = stake.MatchesCount;
  if (m < 0 || m > 4) return false;
  const int at = Find(stake.Comment);
  if (at < 0) {
    TRatingRec r;
    r.Label = stake.Comment;
    r.Stakes = 1;
    r.Matched = m;
    r.Profit = stake.Profit;
    r.Hits[size_t(m)] = 1;
    Append(std::move(r));
    return true;
  }
  TRatingRec& r = items_[size_t(at)];
  r.Stakes = WrapAdd32(r.Stakes, 1);
  r.Matched = WrapAdd32(r.Matched, m);
  const TMoneySum profit = TMoneySum{r.Profit} + stake.Profit;
  r.Profit = ClampMoney(profit);
  if (r.Profit != profit && warning) {
    *warning = Format(Tr("Профит рейтинга \"%s\" не помещается в запись рейтинга и сохранен "
                         "равным %s."),
                      {r.Label, MoneyText(r.Profit)});
  }
  r.Hits[size_t(m)] = WrapAdd32(r.Hits[size_t(m)], 1);
  return true;
}

bool IsSoundRating(const TRatingRec& r) {
  if (r.Stakes < 0 || r.Matched < 0) return false;
  int64_t byMatches = 0;
  for (const int32_t h : r.Hits) {
    if (h < 0) return false;
    byMatches += h;
  }
  return byMatches <= r.Stakes;
}

int CompareRatings(const TRatingRec& a, const TRatingRec& b, int column) {
  if ((column == 3 || column == 5) && (a.Stakes == 0 || b.Stakes == 0)) return 0;
  switch (column) {
    case 0:
      return CompareLabels(a.Label, b.Label);
    case 1:
      return Sign(int64_t{a.Stakes} - b.Stakes);
    case 2:
      return Sign(int64_t{a.Matched} - b.Matched);
    case 3:
      return Sign(RoundDivAway(int64_t{a.Matched} * 1000, a.Stakes) -
                  RoundDivAway(int64_t{b.Matched} * 1000, b.Stakes));
    case 4:
      return Sign(RoundDivAway(a.Profit, 100) - RoundDivAway(b.Profit, 100));
    case 5:
      return Sign(RoundDivAway(RoundDivAway(a.Profit, a.Stakes), 100) -
                  RoundDivAway(RoundDivAway(b.Profit, b.Stakes), 100));
    default:
      if (column >= 6 && column <= 10) {
        return Sign(int64_t{a.Hits[size_t(column - 6)]} - b.Hits[size_t(column - 6)]);
      }
      return 0;
  }
}

bool RatingColumnSorts(int column) {
  return column >= 0 && column <= 10;
}

TRatingsSort StoredRatingsSort(const std::optional<std::pair<int, int>>& stored) {
  if (!stored || !RatingColumnSorts(stored->first)) return {};
  return {stored->first, stored->second != 0};
}

void TRatings::Sort(int column, bool descending) {
  if (!RatingColumnSorts(column) || items_.size() < 2) return;
  std::stable_sort(items_.begin(), items_.end(), [&](const TRatingRec& a, const TRatingRec& b) {
    const bool emptyA = a.Stakes == 0, emptyB = b.Stakes == 0;
    if (emptyA || emptyB) return !emptyA && emptyB;
    const int c = CompareRatings(a, b, column);
    return descending ? c > 0 : c < 0;
  });
  Reindex();
}

std::string TRatings::Load(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  std::vector<TRatingRec> items;
  const size_t count = bytes.size() / kRatingRecordSize;
  items.reserve(count);
  bool sound = true;
  for (size_t i = 0; i < count; ++i) {
    items.push_back(TRatingRec::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()) +
                                          i * kRatingRecordSize));
    sound = sound && IsSoundRating(items.back());
  }
  std::string warning;
  if (!sound || bytes.size() % kRatingRecordSize != 0) {
    // The sort after loading rewrites the file: its bytes go aside first.
    const std::string bad = KeepDamagedCopy(path, bytes);
    if (sound) {
      warning = Format(Tr("Последняя запись файла рейтинга \"%s\" была записана не полностью и "
                          "удалена; остальные записи сохранены.\r\rПрежний файл сохранен как "
                          "\"%s\"."),
                       {path, bad});
    } else {
      items.clear();
      warning = Format(Tr("Файл рейтинга \"%s\" поврежден - рейтинг будет пуст. Его можно "
                          "пересчитать по ставкам (\"Обновить рейтинг\").\r\rПрежний файл "
                          "сохранен как \"%s\"."),
                       {path, bad});
    }
  }
  items_ = std::move(items);
  Reindex();
  return warning;
}

std::string TRatings::Bytes() const {
  std::string bytes(items_.size() * kRatingRecordSize, '\0');
  for (size_t i = 0; i < items_.size(); ++i) {
    items_[i].ToBytes(reinterpret_cast<uint8_t*>(bytes.data()) + i * kRatingRecordSize);
  }
  return bytes;
}

void TRatings::Save(const std::string& path) const {
  SaveFileAtomic(path, Bytes());
}

const std::array<std::string, kRatingColumns>& RatingColumnCaptions() {
  static const std::array<std::string, kRatingColumns> captions = {Tr("Комментарий"),
                                                                   Tr("Ставок"),
                                                                   Tr("Угадано"),
                                                                   Tr("Среднее"),
                                                                   Tr("Профит"),
                                                                   Tr("Ср. профит"),
                                                                   "0",
                                                                   "1",
                                                                   "2",
                                                                   "3",
                                                                   "4",
                                                                   "E0",
                                                                   "E1",
                                                                   "E2",
                                                                   "E3",
                                                                   "E4"};
  return captions;
}

long double ExpectedHits(int64_t n, int k) {
  return static_cast<long double>(n) * MatchDistribution()[size_t(k)].Probability;
}

std::string EfficiencyText(const TRatingRec& r, int k, int effMode) {
  if (r.Stakes == 0 || k < 0 || k > 4) return {};
  const long double n = r.Stakes;
  const long double p = MatchDistribution()[size_t(k)].Probability;
  const long double hits = r.Hits[size_t(k)];
  switch (effMode) {
    case kEffExpected:
      return std::to_string(RoundHalfEven(ExpectedHits(r.Stakes, k)));
    case kEffAbsolute:
      return Format("%.3f%%", {hits * 100 / n - p * 100});
    case kEffRelative:
      return Format("%.3f%%", {hits * 100 / (n * p)});
    default:
      return {};
  }
}

std::string RatingCell(const TRatingRec& r, int column, int effMode) {
  switch (column) {
    case 0:
      return r.Label;
    case 1:
      return std::to_string(r.Stakes);
    case 2:
      return std::to_string(r.Matched);
    case 3:
      return r.Stakes == 0 ? std::string() : RatioText(r.Matched, r.Stakes, 3);
    case 4:
      return MoneyText(r.Profit);
    case 5:
      return r.Stakes == 0 ? std::string() : MoneyText(RoundDivAway(r.Profit, r.Stakes));
    default:
      if (column >= 6 && column <= 10) return std::to_string(r.Hits[size_t(column - 6)]);
      if (column >= 11 && column <= 15) return EfficiencyText(r, column - 11, effMode);
      return {};
  }
}

namespace {

std::string Quoted(std::string_view text) {
  std::string q = "\"";
  for (char c : text) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

}  // namespace

std::string RatingsCsv(const TRatings& ratings, char point) {
  std::string out;
  const auto& captions = RatingColumnCaptions();
  for (size_t i = 0; i < captions.size(); ++i) {
    if (i > 0) out += ';';
    out += Quoted(captions[i]);
  }
  out += "\r\n";
  for (const TRatingRec& r : ratings.Items()) {
    std::string line = Quoted(r.Label);
    line += ';' + std::to_string(r.Stakes);
    line += ';' + std::to_string(r.Matched);
    line += ';' + (r.Stakes == 0 ? std::string() : RatioText(r.Matched, r.Stakes, 3, point));
    line += ';' + MoneyText(r.Profit, 2, point);
    line += ';' +
            (r.Stakes == 0 ? std::string() : MoneyText(RoundDivAway(r.Profit, r.Stakes), 2, point));
    for (int k = 0; k < 5; ++k) line += ';' + std::to_string(r.Hits[size_t(k)]);
    out += line + "\r\n";
  }
  return Utf8ToCp1251(out);
}

}  // namespace vetrilo
