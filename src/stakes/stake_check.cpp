#include "stakes/stake_check.h"

#include <algorithm>
#include <cstring>

#include "core/byte_order.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"
#include "stakes/stake_record.h"

namespace vetrilo {

TDrawIndex::TDrawIndex(const TDrawArchive& archive) {
  if (archive.Draws.empty()) return;
  int64_t lo = INT64_MAX, hi = INT64_MIN;
  for (const TDrawRec& d : archive.Draws) {
    lo = std::min<int64_t>(lo, d.Number);
    hi = std::max<int64_t>(hi, d.Number);
  }
  const int count = archive.Count();
  if (hi - lo < int64_t{count} * 4 + 1024) {
    base_ = lo;
    direct_.assign(size_t(hi - lo + 1), -1);
    // From the newest down, so the first draw of a repeated number wins.
    for (int i = count - 1; i >= 0; --i) {
      direct_[size_t(archive.Draws[size_t(i)].Number - lo)] = i;
    }
  } else {
    sorted_.reserve(size_t(count));
    for (int i = 0; i < count; ++i) sorted_.emplace_back(archive.Draws[size_t(i)].Number, i);
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  }
}

int TDrawIndex::Find(int32_t number) const {
  if (!direct_.empty()) {
    const int64_t at = int64_t{number} - base_;
    return at < 0 || at >= static_cast<int64_t>(direct_.size()) ? -1 : direct_[size_t(at)];
  }
  auto it = std::lower_bound(sorted_.begin(), sorted_.end(), number,
                             [](const auto& e, int32_t n) { return e.first < n; });
  return it != sorted_.end() && it->first == number ? it->second : -1;
}

bool IsCheckCandidate(const uint8_t* r) {
  return r[kStakeCheckedOffset] == 0 && GetI32(r + 4) > 0 && GetI32(r + 16) >= 4;
}

void ApplyCheck(uint8_t* r, const TDrawRec& draw, const TStakePrices& prices) {
  const int32_t count = GetI32(r + 16);
  const uint8_t* numbers = r + 20;  // only four are stored, whatever the count says
  std::array<uint8_t, 4> matched{};
  int m = 0;
  for (uint8_t ball : draw.Balls) {
    if (std::find(numbers, numbers + 4, ball) != numbers + 4) matched[size_t(m++)] = ball;
  }
  for (int i = 1; i < m; ++i) {
    for (int j = i; j > 0 && matched[size_t(j - 1)] > matched[size_t(j)]; --j) {
      std::swap(matched[size_t(j - 1)], matched[size_t(j)]);
    }
  }
  r[kStakeCheckedOffset] = 1;
  std::memcpy(r + kStakeDrawResultOffset, draw.Balls.data(), 4);
  PutI32(r + kStakeMatchesOffset, m);
  std::memcpy(r + kStakeMatchesOffset + 4, matched.data(), 4);
  PutI64(r + kStakeProfitOffset, StakeOutcome(count, m, prices.Cost, prices.Profits));
}

int64_t CheckStakes(TStakeFile& file, const TDrawArchive& archive, const TStakePrices& prices,
                    TUiHooks& hooks, const std::function<void(const TStakeRec&)>& onChecked) {
  std::vector<int64_t> checked;
  std::string data;
  try {
    if (!file.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
    const TDrawIndex index(archive);
    const int64_t count = file.Count();
    int64_t first = -1, step = 1;
    for (int64_t i = 0; i < count; ++i) {
      const uint8_t* r = file.RecordBytes(i);
      if (!IsCheckCandidate(r)) continue;
      if (first < 0) {
        first = i;
        step = std::max<int64_t>(1, (count - first) / 100);
      }
      if ((i - first) % step == 0) {
        hooks.SetStatus(
            Format(Tr("Проверка результатов ставок ( завершено %.0f %% )..."),
                   {static_cast<double>(i - first) * 100.0 / static_cast<double>(count - first)}));
      }
      const int at = index.Find(GetI32(r + 4));
      if (at < 0) continue;
      if (data.empty()) data.assign(file.Bytes());
      ApplyCheck(reinterpret_cast<uint8_t*>(data.data()) + i * int64_t(kStakeRecordSize),
                 archive.Draws[size_t(at)], prices);
      checked.push_back(i);
    }
    if (checked.empty()) return 0;
    file.Rewrite(data);
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format(Tr("Ошибка проверки ставок!\r\r%s"), {e.Message()}));
  }
  if (onChecked) {
    for (int64_t i : checked) onChecked(TStakeRec::FromBytes(file.RecordBytes(i)));
  }
  return static_cast<int64_t>(checked.size());
}

}  // namespace vetrilo
