#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/combinatorics.h"
#include "core/draw_archive.h"
#include "core/game.h"
#include "stakes/stake_file.h"
#include "stakes/stake_record.h"

namespace vetrilo {

// Regular table stakes: a combination walked by a fixed step from draw to draw.
constexpr size_t kTableRecordSize = 276;
constexpr std::string_view kTablesFileExt = ".ltb";
constexpr int kTableStepMax = 47;
constexpr int kTableCommentMaxChars = 64;

// One record of "Vetrilo_4d47.ltb". Combinations are kept ascending.
struct TTableRec {
  std::string Name;  // UTF-8; the comment of its stakes, unique among the tables
  bool UseLastDraw = false;
  std::array<uint8_t, 4> StartComb{};
  std::array<uint8_t, 4> CurrentComb{};
  int32_t Step = 1;
  int32_t StakesMade = 0;

  static TTableRec FromBytes(const uint8_t* bytes);
  std::string Bytes() const;
  bool operator==(const TTableRec&) const = default;
};

// x moved by s within 1..47, wrapping round at either end.
uint8_t ShiftNumber(uint8_t x, int s);
// Every number shifted, the result ascending.
std::array<uint8_t, 4> ShiftComb(const std::array<uint8_t, 4>& comb, int s);
// The next stake of the table: the newest visible draw's numbers (drawing order)
// when it follows the draws, else its current combination, shifted by the step.
// A result that cannot be staked (a number outside 1..47 or repeated) throws
// EVetrilo and leaves the table as it was.
void AdvanceTable(TTableRec& table, const std::array<uint8_t, 4>& newestDraw);

// Four different numbers of 1..47.
bool IsTableComb(const std::array<uint8_t, 4>& comb);
// What the program can make of a table: a step the dialog accepts and
// combinations of four different numbers of 1..47 (all zero while a table
// that follows the draws has no combination of its own).
bool IsSoundTable(const TTableRec& table);

std::array<uint8_t, 4> CombNumbers(TComb comb);                 // ascending
std::string TableCombText(const std::array<uint8_t, 4>& comb);  // "1;2;3;47"

// The whole file; a missing file is no tables. Records that are not sound
// tables are left out: the file is then first kept as "<name>.bad" and
// `warning` (when given) says so. Throws EVetrilo with the system's text (or
// the reason a file is not whole records).
std::vector<TTableRec> ReadTablesFile(const std::string& path, std::string* warning = nullptr);
// Rewrites the whole file atomically; throws EVetrilo with the system's text.
void WriteTablesFile(const std::string& path, const std::vector<TTableRec>& tables);

// Captions of the tables list and the texts of one row.
std::vector<std::string> TableColumnCaptions();
std::vector<std::string> TableRowTexts(const TTableRec& table);

// What "Добавление регулярной ставки" gives back.
struct TTableDialogInput {
  std::string Comment;
  bool UseLastDraw = false;
  std::string StartText;  // edCombStart
  int Step = 1;
};

enum class TTableDialogField { None, StartComb, Comment };
struct TTableDialogError {
  TTableDialogField Field = TTableDialogField::None;
  std::string Message;
};
// OK's checks in their order; nullopt when the tables may be added.
std::optional<TTableDialogError> CheckTableDialog(const TTableDialogInput& input, int selectedCount,
                                                  const std::vector<std::string>& existingNames);
// What edCombStart shows for this selection.
std::string TableStartText(int selectedCount, TComb selected);
constexpr std::string_view kTableSelectedCombsText = "{...Выделенные комбинации...}";

// A selected combination with its 1-based position in the combination list.
struct TSelectedComb {
  TComb Comb = 0;
  int Position = 0;
};
// The tables OK of the dialog adds: one when it follows the draws or one
// combination is selected; else one per selected combination in list order,
// named Name + " (%d)" with its position (a number whose name is taken, by an
// existing table or an earlier new one, moves on to the next free number);
// none without a selection.
std::vector<TTableRec> NewTables(const TTableDialogInput& input,
                                 const std::vector<TSelectedComb>& selected,
                                 const std::vector<TTableRec>& existing);

// The stake of an advanced table for the draw after `newestDraw`: kind
// "Регуляр", the table's name as comment, its current combination.
TStakeRec TableStake(const TTableRec& advanced, int32_t newestDrawNumber, int32_t sampleSize,
                     TMoney profit);

// The table test: for v = draws, draws - 1, ..., 1 every selected table (list
// order) advanced at draw offset v and staked for one draw. The tables keep
// what they were advanced to, also when an append fails; the failure is
// rethrown. Returns the stakes appended.
int64_t RunTableTest(std::vector<TTableRec>& tables, const std::vector<int>& selected, int draws,
                     const TDrawArchive& archive, TStakeFile& stakes, int32_t sampleSize,
                     TMoney profit);

}  // namespace vetrilo
