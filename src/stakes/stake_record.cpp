#include "stakes/stake_record.h"

#include <algorithm>
#include <cstring>

#include "core/byte_order.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

std::string JoinBytes(const uint8_t* p, int count, std::string_view separator) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += separator;
    text += std::to_string(p[i]);
  }
  return text;
}

// The last guard: whatever a caller let through, no stake holds such a number.
void CheckStakeNumber(uint8_t n) {
  if (n < 1 || n > kMaxNumber) {
    throw EVetrilo(Format(Tr("Число %d не может быть в ставке: числа ставки лежат в 1..%d."),
                          {int(n), kMaxNumber}));
  }
}

}  // namespace

TStakeRec TStakeRec::FromBytes(const uint8_t* b) {
  TStakeRec r;
  std::memcpy(r.Raw.data(), b, kStakeRecordSize);
  r.Version = b[0];
  r.Kind = b[1];
  r.DrawNumber = GetI32(b + 4);
  r.Checked = b[8];
  r.SampleSize = GetI32(b + 12);
  r.NumbersCount = GetI32(b + 16);
  std::memcpy(r.Numbers.data(), b + 20, 4);
  std::memcpy(r.DrawResult.data(), b + 24, 4);
  r.MatchesCount = GetI32(b + 28);
  std::memcpy(r.MatchedNumbers.data(), b + 32, 4);
  r.Profit = GetI64(b + 40);
  r.Comment = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(b + 49), b[48]));
  return r;
}

void TStakeRec::ToBytes(uint8_t* out) const {
  std::memcpy(out, Raw.data(), kStakeRecordSize);
  out[0] = Version;
  out[1] = Kind;
  PutI32(out + 4, DrawNumber);
  out[8] = Checked;
  PutI32(out + 12, SampleSize);
  PutI32(out + 16, NumbersCount);
  std::memcpy(out + 20, Numbers.data(), 4);
  std::memcpy(out + 24, DrawResult.data(), 4);
  PutI32(out + 28, MatchesCount);
  std::memcpy(out + 32, MatchedNumbers.data(), 4);
  PutI64(out + 40, Profit);
  std::string comment = Utf8ToCp1251(Comment);
  if (comment.size() > 255) comment.resize(255);
  out[48] = static_cast<uint8_t>(comment.size());
  std::memcpy(out + 49, comment.data(), comment.size());
}

std::string TStakeRec::Bytes() const {
  std::string bytes(kStakeRecordSize, '\0');
  ToBytes(reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

TStakeRec TStakeRec::Separator() {
  TStakeRec r;
  r.Kind = kStakeSeparator;
  r.DrawNumber = -1;
  r.MatchesCount = -1;
  return r;
}

int TStakeRec::StoredNumbers() const {
  return std::clamp(NumbersCount, 0, 4);
}

int TStakeRec::StoredMatches() const {
  return std::clamp(MatchesCount, 0, 4);
}

void TStakeRec::SetNumbers(TComb comb) {
  if (comb != 0) {
    for (int i = 1; i <= 4; ++i) CheckStakeNumber(CombByte(comb, i));
  }
  const TComb sorted = SortComb(comb);
  NumbersCount = comb == 0 ? 0 : 4;
  Numbers = {};
  if (comb != 0) {
    for (int i = 0; i < 4; ++i) Numbers[size_t(i)] = CombByte(sorted, i + 1);
  }
}

void TStakeRec::SetNumbers(const std::vector<uint8_t>& numbers) {
  for (const uint8_t n : numbers) CheckStakeNumber(n);
  std::vector<uint8_t> sorted = numbers;
  std::sort(sorted.begin(), sorted.end());
  NumbersCount = static_cast<int32_t>(sorted.size());
  Numbers = {};
  for (size_t i = 0; i < sorted.size() && i < 4; ++i) Numbers[i] = sorted[i];
}

std::string TStakeRec::NumbersText(std::string_view separator) const {
  return JoinBytes(Numbers.data(), StoredNumbers(), separator);
}

std::string TStakeRec::DrawResultText(std::string_view separator) const {
  return JoinBytes(DrawResult.data(), 4, separator);
}

std::string TStakeRec::MatchedText(std::string_view separator) const {
  return JoinBytes(MatchedNumbers.data(), StoredMatches(), separator);
}

bool TStakeRec::HasNumber(uint8_t n) const {
  for (int i = 0; i < StoredNumbers(); ++i) {
    if (Numbers[size_t(i)] == n) return true;
  }
  return false;
}

}  // namespace vetrilo
