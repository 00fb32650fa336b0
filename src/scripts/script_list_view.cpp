#include "scripts/script_list_view.h"

#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"
#include "scripts/script_line.h"

namespace vetrilo {

const std::array<std::string, kScriptListColumns>& ScriptListCaptions() {
  static const std::array<std::string, kScriptListColumns> captions = {
      Tr("Комментарии"), Tr("Опции"),    Tr("Фильтр 1"), Tr("Фильтр 2"), Tr("Фильтр 3"),
      Tr("Фильтр 4"),    Tr("Фильтр 5"), Tr("Фильтр 6"), Tr("Фильтр 7")};
  return captions;
}

std::array<std::string, kScriptListColumns> ScriptListRow(std::string_view line,
                                                          const TStatList& list) {
  std::array<std::string, kScriptListColumns> row;
  if (line.empty()) return row;
  row[0] = ScriptLineComment(line);
  row[1] = ScriptOptionsCaption(ParseScriptOptions(ScriptLineOptions(line)));
  for (int n = 1; n <= kScriptFilterCount; ++n) {
    row[size_t(n) + 1] = FormatScriptFilter(ParseScriptFilter(ScriptLineFilter(line, n), list));
  }
  return row;
}

std::string ScriptLineCountText(int count) {
  return Format(Tr("Строк: %d"), {count});
}

bool ScriptCommandEnabled(TScriptCommand command, const TScriptListState& state) {
  if (state.Busy || state.Running) return false;
  static const std::vector<std::string> kNone;
  const std::vector<std::string>& lines = state.Lines ? *state.Lines : kNone;
  const int count = static_cast<int>(lines.size());
  const bool focused = state.Focused >= 0 && state.Focused < count;
  switch (command) {
    case TScriptCommand::Add:
    case TScriptCommand::Open:
    case TScriptCommand::Load:
      return true;
    case TScriptCommand::Empty:
    case TScriptCommand::Clr:
    case TScriptCommand::Save:
      return count > 0;
    case TScriptCommand::Clone:
    case TScriptCommand::Edit:
      return focused && !lines[size_t(state.Focused)].empty();
    case TScriptCommand::Del:
      return state.Selected > 0 && count > 0;
    case TScriptCommand::Up:
      return focused && state.Focused > 0;
    case TScriptCommand::Down:
      return focused && state.Focused < count - 1;
  }
  return false;
}

TRatingLine RatingLabelToScriptLine(std::string_view label, const TStatList& list) {
  std::string comment;
  std::string rest;
  const size_t at = label.rfind('@');
  if (at != std::string_view::npos) {
    comment = Trim(label.substr(0, at));
    rest = Trim(label.substr(at + 1));
  } else {
    rest = std::string(label);
  }
  // The joints of a variant text become field separators (" + " has no letters,
  // so ignoring case changes nothing).
  std::string text;
  for (size_t i = 0; i < rest.size();) {
    if (rest.compare(i, 3, " + ") == 0) {
      text += '|';
      i += 3;
    } else {
      text += rest[i++];
    }
  }
  while (SplitWords(text, "|").size() <= size_t(kScriptFilterCount)) text += "| ";
  text += "|";
  text += comment;

  TRatingLine result;
  result.Line = std::move(text);
  for (int n = 1; n <= kScriptFilterCount && !result.Accepted; ++n) {
    result.Accepted =
        !FormatScriptFilter(ParseScriptFilter(ScriptLineFilter(result.Line, n), list)).empty();
  }
  return result;
}

std::string RatingRejectedMessage(std::string_view label) {
  return Format(Tr("Строку\r\r%s\r\rневозможно добавить в сценарий!"), {std::string(label)});
}

}  // namespace vetrilo
