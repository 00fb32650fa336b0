#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "stats/stat_list.h"

namespace vetrilo {

// The script page's list: "Комментарии", "Опции", "Фильтр 1" ... "Фильтр 7".
constexpr int kScriptListColumns = 9;
const std::array<std::string, kScriptListColumns>& ScriptListCaptions();
// The texts of one line as the list shows them: a separator is empty in every
// column; otherwise the comment, the options caption and each filter's normal form.
std::array<std::string, kScriptListColumns> ScriptListRow(std::string_view line,
                                                          const TStatList& list);
// "Строк: %d"
std::string ScriptLineCountText(int count);

// The commands of the script list.
enum class TScriptCommand {
  Add,    // "Добавить фильтры"
  Empty,  // "Добавить разделитель"
  Clone,  // "Клонировать"
  Edit,   // "Изменить"
  Del,    // "Удалить"
  Clr,    // "Удалить все"
  Up,     // "Переместить вверх"
  Down,   // "Переместить вниз"
  Open,   // "Открыть"
  Save,   // "Сохранить"
  Load,   // "Добавить сценарий"
};

// What the enable rules look at: the script, the focused line (-1: none), the
// number of selected lines, and whether work or a script run is in progress.
struct TScriptListState {
  const std::vector<std::string>* Lines = nullptr;
  int Focused = -1;
  int Selected = 0;
  bool Busy = false;
  bool Running = false;
};
bool ScriptCommandEnabled(TScriptCommand command, const TScriptListState& state);

// A rating label turned back into a script line. The comment is the text before
// the last "@" (a comment may hold one; the filter text never does), the rest
// has its " + " joints made field separators and is padded to the seven filter
// fields. Accepted when some filter field has a non-empty normal form.
struct TRatingLine {
  std::string Line;
  bool Accepted = false;
};
TRatingLine RatingLabelToScriptLine(std::string_view label, const TStatList& list);
// "Строку\r\r%s\r\rневозможно добавить в сценарий!"
std::string RatingRejectedMessage(std::string_view label);

}  // namespace vetrilo
