#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/translate.h"
#include "stats/stat_values.h"

namespace vetrilo {

// Failure of a grid filter whose selection holds no number.
constexpr std::string_view kNoGridValuesMessage =
    "В выделенном диапазоне нет значений для фильтра!";

// Journal captions of the grid filters.
constexpr std::string_view kCardFilterCaption = "Карта";
constexpr std::string_view kLayoutFilterCaption = "Схема";
constexpr std::string_view kWeekFilterCaption = "Неделя";

// The numbers picked in a grid (draw card, layout scheme, weekday columns), as the values of
// the plain number statistic: one record per distinct number, Value[1] = the number, in the
// order they were first met.
class TGridValues {
 public:
  void AddNumber(int n);
  // A draw card cell: the whole text as an integer (0 when not numeric); empty cells add none.
  void AddCardCell(std::string_view text);
  // A layout scheme cell ("[17], 25"): each piece between commas, brackets removed.
  void AddLayoutCell(std::string_view text);

  bool Empty() const { return values_.empty(); }
  const TStatDrawArray& Values() const { return values_; }
  // The numbers' texts joined by "; ".
  std::string Text() const;

 private:
  TStatDrawArray values_;
};

// The journal's values text of selected table rows: their texts joined by "; ".
std::string JoinValueTexts(const std::vector<std::string>& texts);

class TCustomStat;

// The value records of the table rows whose "Значение" text is given, in the order given, each
// record once; every row showing the text is taken. A text no row shows is read with the
// method's own parsing into the first 32-bit half of a record when the method can parse
// values; otherwise the selection fails and `unknown` names the text. So does a text the
// method cannot read (ValueTextReads) or whose value `inDomain`, when given, refuses.
bool SelectRowsByText(const TCustomStat& stat, const TStatDrawArray& rows,
                      const std::vector<std::string>& texts, TStatDrawArray& selected,
                      std::string& unknown,
                      const std::function<bool(const TStatDrawRec&)>& inDomain = {});

// Whether the method's parsing really reads the text, rather than falling back to 0:
// a whole integer, the value's own text, or the letters before its " (code)".
bool ValueTextReads(const TCustomStat& stat, std::string_view text, TStatDrawRec& value);

}  // namespace vetrilo
