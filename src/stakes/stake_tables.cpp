#include "stakes/stake_tables.h"

#include <algorithm>
#include <cstring>

#include "core/cp1251.h"
#include "core/damaged_file.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "stakes/stake_dialog.h"
#include "stakes/stake_store.h"

namespace vetrilo {
namespace {

int32_t ReadInt32(const uint8_t* p) {
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                 uint32_t(p[3]) << 24);
}

void WriteInt32(std::string& out, size_t at, int32_t value) {
  for (int i = 0; i < 4; ++i) out[at + size_t(i)] = char(uint32_t(value) >> (8 * i) & 0xFF);
}

std::array<uint8_t, 4> Sorted(std::array<uint8_t, 4> comb) {
  std::sort(comb.begin(), comb.end());
  return comb;
}

bool NameTaken(std::string_view name, const std::vector<TTableRec>& existing,
               const std::vector<TTableRec>& added) {
  const auto same = [&](const TTableRec& t) { return SameTextIgnoringCase(t.Name, name); };
  return std::any_of(existing.begin(), existing.end(), same) ||
         std::any_of(added.begin(), added.end(), same);
}

}  // namespace

TTableRec TTableRec::FromBytes(const uint8_t* bytes) {
  TTableRec t;
  t.Name = Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes) + 1, bytes[0]));
  t.UseLastDraw = bytes[256] != 0;
  std::memcpy(t.StartComb.data(), bytes + 257, 4);
  std::memcpy(t.CurrentComb.data(), bytes + 261, 4);
  t.Step = ReadInt32(bytes + 268);
  t.StakesMade = ReadInt32(bytes + 272);
  return t;
}

std::string TTableRec::Bytes() const {
  std::string out(kTableRecordSize, '\0');
  std::string name = Utf8ToCp1251(Name);
  if (name.size() > 255) name.resize(255);
  out[0] = char(name.size());
  std::memcpy(out.data() + 1, name.data(), name.size());
  out[256] = UseLastDraw ? 1 : 0;
  const std::array<uint8_t, 4> start = Sorted(StartComb), current = Sorted(CurrentComb);
  std::memcpy(out.data() + 257, start.data(), 4);
  std::memcpy(out.data() + 261, current.data(), 4);
  WriteInt32(out, 268, Step);
  WriteInt32(out, 272, StakesMade);
  return out;
}

uint8_t ShiftNumber(uint8_t x, int s) {
  if (s == 0) return x;
  int y = int(x) + s;
  if (s > 0 && y >= kMaxNumber + 1) y -= kMaxNumber;
  if (s < 0 && y <= 0) y += kMaxNumber;
  return uint8_t(y);
}

std::array<uint8_t, 4> ShiftComb(const std::array<uint8_t, 4>& comb, int s) {
  std::array<uint8_t, 4> shifted{};
  for (size_t i = 0; i < 4; ++i) shifted[i] = ShiftNumber(comb[i], s);
  return Sorted(shifted);
}

void AdvanceTable(TTableRec& table, const std::array<uint8_t, 4>& newestDraw) {
  const std::array<uint8_t, 4> next =
      ShiftComb(table.UseLastDraw ? newestDraw : table.CurrentComb, table.Step);
  if (!IsTableComb(next)) {
    throw EVetrilo(
        Format(Tr("Регулярная ставка \"%s\" дает комбинацию %s: числа ставки должны быть "
                  "разными и лежать в 1..%d."),
               {table.Name, TableCombText(next), kMaxNumber}));
  }
  table.CurrentComb = next;
  ++table.StakesMade;
}

bool IsTableComb(const std::array<uint8_t, 4>& comb) {
  for (size_t i = 0; i < 4; ++i) {
    if (comb[i] < 1 || comb[i] > kMaxNumber) return false;
    for (size_t j = 0; j < i; ++j) {
      if (comb[i] == comb[j]) return false;
    }
  }
  return true;
}

bool IsSoundTable(const TTableRec& table) {
  if (table.Step < -kTableStepMax || table.Step > kTableStepMax) return false;
  const auto fits = [&](const std::array<uint8_t, 4>& comb) {
    return IsTableComb(comb) || (table.UseLastDraw && comb == std::array<uint8_t, 4>{});
  };
  return fits(table.StartComb) && fits(table.CurrentComb);
}

std::array<uint8_t, 4> CombNumbers(TComb comb) {
  const TComb sorted = SortComb(comb);
  return {CombByte(sorted, 1), CombByte(sorted, 2), CombByte(sorted, 3), CombByte(sorted, 4)};
}

std::string TableCombText(const std::array<uint8_t, 4>& comb) {
  return Format("%d;%d;%d;%d", {int(comb[0]), int(comb[1]), int(comb[2]), int(comb[3])});
}

std::vector<TTableRec> ReadTablesFile(const std::string& path, std::string* warning) {
  std::vector<TTableRec> tables;
  // Only a missing path is no tables: a folder in its place is a read failure.
  if (!PathExists(path)) return tables;
  const std::string bytes = ReadFileBytes(path);
  if (bytes.size() % kTableRecordSize != 0) {
    throw EVetrilo(Format(Tr("Размер файла %d байт не кратен размеру записи (%d байт)"),
                          {int64_t(bytes.size()), int64_t(kTableRecordSize)}));
  }
  int64_t refused = 0;
  for (size_t at = 0; at < bytes.size(); at += kTableRecordSize) {
    TTableRec t = TTableRec::FromBytes(reinterpret_cast<const uint8_t*>(bytes.data()) + at);
    if (IsSoundTable(t)) {
      tables.push_back(std::move(t));
    } else {
      ++refused;
    }
  }
  if (refused > 0) {
    // The next save leaves them out: their bytes go aside first.
    const std::string bad = KeepDamagedCopy(path, bytes);
    if (warning) {
      *warning = Format(Tr("В файле регулярных ставок \"%s\" записей, которые не могут быть "
                           "регулярной ставкой (числа вне 1..%d или повторы, шаг вне -%d..%d): "
                           "%d. Они не загружены.\r\rПрежний файл сохранен как \"%s\"."),
                        {path, kMaxNumber, kTableStepMax, kTableStepMax, refused, bad});
    }
  }
  return tables;
}

void WriteTablesFile(const std::string& path, const std::vector<TTableRec>& tables) {
  std::string bytes;
  bytes.reserve(tables.size() * kTableRecordSize);
  for (const TTableRec& t : tables) bytes += t.Bytes();
  SaveFileAtomic(path, bytes);
}

std::vector<std::string> TableColumnCaptions() {
  return {Tr("Комментарий"), Tr("Стартовая комбинация"), Tr("Шаг"), Tr("Текущая комбинация"),
          Tr("Ставок")};
}

std::vector<std::string> TableRowTexts(const TTableRec& table) {
  return {table.Name, TableCombText(table.StartComb), std::to_string(table.Step),
          TableCombText(table.CurrentComb), std::to_string(table.StakesMade)};
}

std::optional<TTableDialogError> CheckTableDialog(const TTableDialogInput& input, int selectedCount,
                                                  const std::vector<std::string>& existingNames) {
  if (!input.UseLastDraw && selectedCount == 1 && !ParseStakeNumbers(input.StartText)) {
    return TTableDialogError{TTableDialogField::StartComb, Tr("Введена некорректная комбинация!")};
  }
  if (Trim(input.Comment).empty()) {
    return TTableDialogError{TTableDialogField::Comment, Tr("Необходимо ввести комментарий!")};
  }
  for (const std::string& name : existingNames) {
    if (SameTextIgnoringCase(name, input.Comment)) {
      return TTableDialogError{TTableDialogField::Comment,
                               Tr("Запись с таким комментарией уже присутствует в списке!\r"
                                  "Выберите другой комментарий.")};
    }
  }
  return std::nullopt;
}

std::string TableStartText(int selectedCount, TComb selected) {
  if (selectedCount == 1) return TableCombText(CombNumbers(selected));
  return Tr(kTableSelectedCombsText);
}

std::vector<TTableRec> NewTables(const TTableDialogInput& input,
                                 const std::vector<TSelectedComb>& selected,
                                 const std::vector<TTableRec>& existing) {
  std::vector<TTableRec> added;
  TTableRec base;
  base.Name = input.Comment;
  base.UseLastDraw = input.UseLastDraw;
  base.Step = input.Step;
  if (input.UseLastDraw || selected.size() == 1) {
    if (!input.UseLastDraw) {
      const auto numbers = ParseStakeNumbers(input.StartText);
      if (numbers) std::copy(numbers->begin(), numbers->end(), base.StartComb.begin());
    } else if (selected.size() == 1) {
      base.StartComb = CombNumbers(selected[0].Comb);
    }
    base.CurrentComb = base.StartComb;
    added.push_back(base);
    return added;
  }
  for (const TSelectedComb& s : selected) {
    TTableRec t = base;
    int number = s.Position;
    t.Name = Format("%s (%d)", {input.Comment, number});
    while (NameTaken(t.Name, existing, added))
      t.Name = Format("%s (%d)", {input.Comment, ++number});
    t.StartComb = t.CurrentComb = CombNumbers(s.Comb);
    added.push_back(t);
  }
  return added;
}

TStakeRec TableStake(const TTableRec& advanced, int32_t newestDrawNumber, int32_t sampleSize,
                     TMoney profit) {
  TStakeRec rec;
  rec.Kind = kStakeRegular;
  rec.DrawNumber = newestDrawNumber + 1;
  rec.Comment = advanced.Name;
  rec.Checked = 0;
  rec.SampleSize = sampleSize;
  rec.SetNumbers(std::vector<uint8_t>(advanced.CurrentComb.begin(), advanced.CurrentComb.end()));
  rec.MatchesCount = -1;
  rec.Profit = profit;
  return rec;
}

int64_t RunTableTest(std::vector<TTableRec>& tables, const std::vector<int>& selected, int draws,
                     const TDrawArchive& archive, TStakeFile& stakes, int32_t sampleSize,
                     TMoney profit) {
  int64_t appended = 0;
  for (int v = draws; v >= 1; --v) {
    const int newest = archive.LastIndex(v);
    if (newest < 0) continue;
    const TDrawRec& draw = archive.Draws[size_t(newest)];
    for (const int index : selected) {
      if (index < 0 || size_t(index) >= tables.size()) {
        throw EVetrilo(Format(Tr("Запись со индексом %d в файле данных не найдена!"), {index}));
      }
      TTableRec& table = tables[size_t(index)];
      AdvanceTable(table, draw.Balls);
      AppendStake(stakes, TableStake(table, draw.Number, sampleSize, profit), 1);
      ++appended;
    }
  }
  return appended;
}

}  // namespace vetrilo
