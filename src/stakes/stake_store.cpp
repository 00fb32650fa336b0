#include "stakes/stake_store.h"

#include <algorithm>
#include <climits>
#include <functional>

#include "core/damaged_file.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/translate.h"

namespace vetrilo {

std::string BadStakesPath(const std::string& path) {
  return DamagedCopyPath(path);
}

std::string OpenStakesAtStart(TStakeFile& file, const std::string& path, bool exclusive) {
  file.Open(path, exclusive);
  return ApplyStakesStartRule(file);
}

std::string ApplyStakesStartRule(TStakeFile& file) {
  const std::string& path = file.Path();
  const std::string_view bytes = file.Bytes();
  if (bytes.empty()) return {};
  const size_t whole = bytes.size() / kStakeRecordSize;
  bool versionsOk = whole > 0;
  for (size_t i = 0; i < whole && versionsOk; ++i) {
    versionsOk = static_cast<uint8_t>(bytes[i * kStakeRecordSize]) == kStakeVersion;
  }
  const bool torn = bytes.size() % kStakeRecordSize != 0;
  const bool firstOk = static_cast<uint8_t>(bytes[0]) == kStakeVersion;
  if (!torn && firstOk) return {};
  std::string bad;
  try {
    bad = KeepDamagedCopy(path, bytes);
  } catch (const EVetrilo&) {
    file.Block();
    throw;
  }
  if (torn && versionsOk) {
    file.Truncate(whole * kStakeRecordSize);
    return Format(
        Tr("Последняя запись файла ставок была записана не полностью и удалена; остальные ставки "
           "сохранены.\r\rПрежний файл сохранен как \"%s\"."),
        {bad});
  }
  file.Truncate(0);
  return Format(
      Tr("Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!\r\r"
         "Прежний файл сохранен как \"%s\"."),
      {bad});
}

void AppendStake(TStakeFile& file, const TStakeRec& rec, int draws) {
  if (!file.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  if (rec.IsChecked()) throw EVetrilo(Tr("Добавление в конец файла уже проверенной ставки!"));
  try {
    if (draws >= 2 && int64_t{rec.DrawNumber} + draws - 1 > INT32_MAX) {
      throw EVetrilo(Format(Tr("Номер последнего тиража (%d + %d) больше 2147483647."),
                            {rec.DrawNumber, draws - 1}));
    }
    std::string batch;
    if (draws < 2) {
      batch = rec.Bytes();
    } else {
      batch.reserve(size_t(draws) * 2 * kStakeRecordSize);
      const std::string separator = TStakeRec::Separator().Bytes();
      bool empty = file.Count() == 0;
      int32_t lastDraw = empty ? 0 : file.Read(2, -1).DrawNumber;
      TStakeRec copy = rec;
      for (int i = 0; i < draws; ++i) {
        if (!empty && lastDraw > 0) batch += separator;
        copy.DrawNumber = rec.DrawNumber + i;
        batch += copy.Bytes();
        empty = false;
        lastDraw = copy.DrawNumber;
      }
    }
    file.Append(batch);
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format(Tr("Ошибка добавления записи в файл ставок!\r\r%s"), {e.Message()}));
  }
}

bool FindStake(const TStakeFile& file, int32_t drawNumber, std::vector<uint8_t> numbers) {
  if (!file.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  std::sort(numbers.begin(), numbers.end());
  for (int64_t i = 0; i < file.Count(); ++i) {
    const TStakeRec r = TStakeRec::FromBytes(file.RecordBytes(i));
    if (r.DrawNumber != drawNumber || r.NumbersCount != static_cast<int32_t>(numbers.size())) {
      continue;
    }
    std::vector<uint8_t> own(r.Numbers.begin(), r.Numbers.begin() + r.StoredNumbers());
    std::sort(own.begin(), own.end());
    // A wider stake keeps only its four smallest numbers.
    const std::vector<uint8_t> theirs(numbers.begin(),
                                      numbers.begin() + std::min<size_t>(numbers.size(), 4));
    if (own == theirs) return true;
  }
  return false;
}

namespace {

void RewriteKeeping(TStakeFile& file, const std::function<bool(int64_t, const uint8_t*)>& keep) {
  try {
    if (!file.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
    std::string kept;
    kept.reserve(file.Size());
    for (int64_t i = 0; i < file.Count(); ++i) {
      const uint8_t* r = file.RecordBytes(i);
      if (keep(i, r)) kept.append(reinterpret_cast<const char*>(r), kStakeRecordSize);
    }
    file.Rewrite(kept);
  } catch (const EVetrilo& e) {
    throw EVetrilo(Format(Tr("Ошибка удаления записи из файла ставок!\r\r%s"), {e.Message()}));
  }
}

}  // namespace

void DeleteStakeRows(TStakeFile& file, int64_t first, int64_t last) {
  RewriteKeeping(file, [&](int64_t i, const uint8_t*) { return i + 1 < first || i + 1 > last; });
}

bool KeepStake(const TStakeRec& rec, TStakeCondition condition, int value) {
  if (rec.Kind == kStakeSeparator) return true;
  const int64_t m = rec.MatchesCount;
  switch (condition) {
    case TStakeCondition::Equal:
      return m != value;
    case TStakeCondition::Greater:
      return m <= value;
    case TStakeCondition::NotLess:
      return m < value;
    case TStakeCondition::Less:
      return m >= value;
    case TStakeCondition::NotGreater:
      return m > value;
  }
  return true;
}

int64_t DeleteStakesWhere(TStakeFile& file, TStakeCondition condition, int value) {
  const int64_t before = file.Count();
  RewriteKeeping(file, [&](int64_t, const uint8_t* r) {
    return KeepStake(TStakeRec::FromBytes(r), condition, value);
  });
  return before - file.Count();
}

void EmptyStakes(TStakeFile& file) {
  if (!file.IsOpen()) throw EVetrilo(Tr("Файл ставок не открыт!"));
  file.Truncate(0);
}

}  // namespace vetrilo
