#include "core/draw_archive.h"

#include <algorithm>
#include <cstring>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

bool TDrawRec::HasNumber(int x) const {
  return Balls[0] == x || Balls[1] == x || Balls[2] == x || Balls[3] == x;
}

TDrawRec TDrawRec::Sorted() const {
  TDrawRec copy = *this;
  std::sort(copy.Balls.begin(), copy.Balls.end());
  return copy;
}

bool IsOddDraw(const TDrawRec& draw) {
  for (size_t i = 0; i < draw.Balls.size(); ++i) {
    const int b = draw.Balls[i];
    if (b < 1 || b > kMaxNumber) return true;
    for (size_t j = 0; j < i; ++j) {
      if (draw.Balls[j] == b) return true;
    }
  }
  return draw.Extra < 1 || draw.Extra > kMaxExtra;
}

int CountOddDraws(const TDrawsArray& draws) {
  return static_cast<int>(std::count_if(draws.begin(), draws.end(), IsOddDraw));
}

std::string OddDrawsWarning(const TDrawsArray& draws) {
  const int odd = CountOddDraws(draws);
  if (odd == 0) return "";
  return Format(Tr("В архиве тиражей записей с недопустимыми номерами (вне 1..%d, повторы, "
                   "бонус вне 1..%d): %d. Они учитываются как есть."),
                {kMaxNumber, kMaxExtra, odd});
}

TDrawsArray ParseDrawRecords(std::string_view bytes) {
  const size_t count = bytes.size() / kDrawRecordSize;
  TDrawsArray draws(count);
  for (size_t i = 0; i < count; ++i) {
    const auto* r = reinterpret_cast<const unsigned char*>(bytes.data() + i * kDrawRecordSize);
    TDrawRec& d = draws[i];
    d.Number = static_cast<int32_t>(uint32_t(r[0]) | uint32_t(r[1]) << 8 | uint32_t(r[2]) << 16 |
                                    uint32_t(r[3]) << 24);
    for (int b = 0; b < 4; ++b) d.Balls[b] = r[4 + b];
    d.Extra = r[8];
    const size_t len = std::min<size_t>(r[9], 10);
    d.Date = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(r + 10), len));
  }
  return draws;
}

std::string SerializeDrawRecords(const TDrawsArray& draws) {
  std::string bytes(draws.size() * kDrawRecordSize, '\0');
  for (size_t i = 0; i < draws.size(); ++i) {
    auto* r = reinterpret_cast<unsigned char*>(bytes.data() + i * kDrawRecordSize);
    const TDrawRec& d = draws[i];
    const auto n = static_cast<uint32_t>(d.Number);
    r[0] = n & 0xFF;
    r[1] = (n >> 8) & 0xFF;
    r[2] = (n >> 16) & 0xFF;
    r[3] = (n >> 24) & 0xFF;
    for (int b = 0; b < 4; ++b) r[4 + b] = d.Balls[b];
    r[8] = d.Extra;
    const std::string date = Utf8ToCp1251(d.Date);
    const size_t len = std::min<size_t>(date.size(), 10);
    r[9] = static_cast<unsigned char>(len);
    std::memcpy(r + 10, date.data(), len);
  }
  return bytes;
}

std::string DrawText(const TDrawRec& draw) {
  std::string values;
  for (int b = 0; b < 4; ++b) {
    if (b > 0) values += ';';
    values += NumberText(draw.Balls[b]);
  }
  values += " e:" + ExtraText(draw.Extra);
  return Format(Tr("Тираж № %d от %s, значения: %s"), {draw.Number, draw.Date, values});
}

int DrawMatchCount(const TDrawRec& a, const TDrawRec& b) {
  int n = 0;
  for (uint8_t x : a.Balls) {
    for (uint8_t y : b.Balls) {
      if (x == y) ++n;
    }
  }
  return n;
}

int TDrawArchive::LastIndex(int k) const {
  const int last = High() - k;
  return last < 0 ? 0 : last;
}

void TDrawArchive::LoadFromFile(const std::string& path) {
  Draws = ParseDrawRecords(ReadFileBytes(path, kDrawArchiveReadLimit));
}

void TDrawArchive::SaveToFile(const std::string& path) const {
  SaveFileAtomic(path, SerializeDrawRecords(Draws));
}

TDrawRec TDrawArchive::GetDraw(int index, bool sorted) const {
  if (index < 0 || index > High()) return TDrawRec{};
  return sorted ? Draws[static_cast<size_t>(index)].Sorted() : Draws[static_cast<size_t>(index)];
}

void TDrawArchive::DeleteDraw(int index) {
  if (index < 0 || index > High()) {
    throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
  }
  Draws.erase(Draws.begin() + index);
}

int TDrawArchive::NextDrawNumber(int k) const {
  if (Draws.empty()) return 1;
  if (k < 0 || k > High()) return -1;
  return Draws[static_cast<size_t>(High() - k)].Number + 1;
}

std::string TDrawArchive::TargetDrawText(int k) const {
  if (k <= 0 || k >= Count()) return "";
  return CombListText(Draws[static_cast<size_t>(High() - k + 1)].Comb());
}

TNumSet TDrawArchive::TargetNumbers(int k) const {
  if (k <= 0 || k >= Count()) return {};
  return CombToNumSet(Draws[static_cast<size_t>(High() - k + 1)].Comb());
}

TDateKey TDrawArchive::DrawDateKey(int a, int days) const {
  if (Draws.empty() || a < 0 || a > High()) return 20140704;
  return DateKeyAddDays(TextToDateKey(Draws[static_cast<size_t>(High() - a)].Date), days);
}

int TDrawArchive::FindDrawIndex(int number) const {
  if (Draws.empty()) return -1;
  const int64_t first = Draws.front().Number;
  const int64_t last = Draws.back().Number;
  if (number == first) return 0;
  if (number == last) return High();
  // The guess only makes sense inside an ascending numbering; anything else
  // (a number below the first, a span that is not positive) goes to the full scan.
  const int64_t span = last - first + 1;
  if (span > 0 && number > first) {
    int64_t guess = int64_t{Count()} * (number - first) / span;
    if (guess > High()) guess = High();
    int i = static_cast<int>(guess);
    if (Draws[static_cast<size_t>(i)].Number == number) return i;
    const int step = Draws[static_cast<size_t>(i)].Number < number ? 1 : -1;
    for (i += step; i >= 0 && i <= High(); i += step) {
      if (Draws[static_cast<size_t>(i)].Number == number) return i;
    }
  }
  for (int i = High(); i >= 0; --i) {
    if (Draws[static_cast<size_t>(i)].Number == number) return i;
  }
  return -1;
}

}  // namespace vetrilo
