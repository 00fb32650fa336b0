#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "stakes/stake_file.h"
#include "stakes/stake_record.h"

namespace vetrilo {

// The start-up rule of the stake file. A file whose size is not a whole number
// of records or whose records are not of the current version is first kept as
// "<name>.bad" (replacing an older copy of that name). A torn tail behind
// valid records is cut off; anything else empties the file. Returns the
// warning to show, empty when the file was fine. Throws EVetrilo with the
// system's text when the file cannot be opened, or when the copy cannot be
// kept (the file is then left untouched and blocked).
std::string OpenStakesAtStart(TStakeFile& file, const std::string& path, bool exclusive);
// The rule alone, on a file already open.
std::string ApplyStakesStartRule(TStakeFile& file);

// "Vetrilo_4d47.lsk.bad" beside the stake file.
std::string BadStakesPath(const std::string& path);

// A stake for `draws` consecutive draws from rec.DrawNumber on; two or more are
// each preceded by a separator unless the file is empty or ends with one.
// Throws EVetrilo: "Файл ставок не открыт!", "Добавление в конец файла уже
// проверенной ставки!", or the append error with the reason (nothing written).
void AppendStake(TStakeFile& file, const TStakeRec& rec, int draws);

// Some record is for this draw with the same set of numbers (any order).
bool FindStake(const TStakeFile& file, int32_t drawNumber, std::vector<uint8_t> numbers);

// Removes records first..last (1-based, inclusive). Throws the rewrite error.
void DeleteStakeRows(TStakeFile& file, int64_t first, int64_t last);

// Conditions of "Удаление по условию", in the order of its list.
enum class TStakeCondition { Equal, Greater, NotLess, Less, NotGreater };
// Deletes stakes whose match count (-1 unchecked) satisfies the condition with
// `value`; separators stay. Returns the number deleted. Throws the rewrite error.
int64_t DeleteStakesWhere(TStakeFile& file, TStakeCondition condition, int value);
// The condition's keep rule for a record.
bool KeepStake(const TStakeRec& rec, TStakeCondition condition, int value);

void EmptyStakes(TStakeFile& file);

}  // namespace vetrilo
