#include "workspace/comb_filter.h"

#include <algorithm>
#include <span>

#include "core/errors.h"
#include "core/game.h"
#include "core/text.h"
#include "core/translate.h"
#include "stats/families/numbers.h"
#include "stats/stat_list.h"
#include "workspace/comb_workspace.h"
#include "workspace/status_scope.h"

namespace vetrilo {

void TGridValues::AddNumber(int n) {
  TStatDrawRec rec;
  rec.SetWords(n);
  if (values_.Find(rec.Key()) < 0) values_.Append(rec);
}

void TGridValues::AddCardCell(std::string_view text) {
  if (Trim(text).empty()) return;
  AddNumber(StrToIntDef(text, 0));
}

void TGridValues::AddLayoutCell(std::string_view text) {
  for (const std::string& piece : SplitWords(text, ",")) {
    std::string bare;
    for (char c : piece) {
      if (c != '[' && c != ']') bare += c;
    }
    bare = Trim(bare);
    if (!bare.empty()) AddNumber(StrToIntDef(bare, 0));
  }
}

std::string TGridValues::Text() const {
  std::string text;
  for (const TStatDrawRec& rec : values_) {
    if (!text.empty()) text += "; ";
    text += NumberText(rec.Value[0]);
  }
  return text;
}

std::string JoinValueTexts(const std::vector<std::string>& texts) {
  std::string text;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) text += "; ";
    text += texts[i];
  }
  return text;
}

bool ValueTextReads(const TCustomStat& stat, std::string_view text, TStatDrawRec& value) {
  if (!stat.Class().CanParseValue() || text.empty()) return false;
  value = TStatDrawRec{};
  value.SetHalves(stat.ParseValue(text));
  if (const auto n = StrToIntStrict(text); n && *n == value.Half(0)) return true;
  const std::string shown = stat.ValueToText(value);
  return shown == text || (shown.size() > text.size() + 2 && shown.starts_with(text) &&
                           std::string_view(shown).substr(text.size(), 2) == " (");
}

bool SelectRowsByText(const TCustomStat& stat, const TStatDrawArray& rows,
                      const std::vector<std::string>& texts, TStatDrawArray& selected,
                      std::string& unknown,
                      const std::function<bool(const TStatDrawRec&)>& inDomain) {
  for (const std::string& text : texts) {
    bool found = false;
    for (const TStatDrawRec& r : rows) {
      if (stat.ValueToText(r) != text) continue;
      found = true;
      if (selected.Find(r.Key()) < 0) selected.Append(r);
    }
    if (found) continue;
    TStatDrawRec r;
    if (!ValueTextReads(stat, text, r) || (inDomain && !inDomain(r))) {
      unknown = text;
      return false;
    }
    if (selected.Find(r.Key()) < 0) selected.Append(r);
  }
  return true;
}

void TCombWorkspace::ApplyFilter(TCustomStat& stat, const TStatDrawArray& selected,
                                 std::string_view caption, std::string_view valuesText,
                                 bool exclude, int lastIndex, bool sorted) {
  TStatusScope status(*hooks_, Tr("Фильтрация комбинаций..."));
  if (selected.empty()) return;
  combs_.clear();
  if (undo_.empty()) {
    Changed();
    return;
  }
  stat.LoadDraws(-1, lastIndex, sorted);
  try {
    const std::span<const TComb> all(undo_);
    for (size_t done = 0; done < all.size(); done += kStopPollCombs) {
      CheckStop(*hooks_);
      stat.FilterCombs(all.subspan(done, std::min(kStopPollCombs, all.size() - done)), selected,
                       lastIndex, sorted, exclude, combs_);
    }
  } catch (const EStopped&) {
    combs_ = undo_;
    Changed();
    throw;
  }
  AddJournalRow(exclude ? TJournalKind::Exclude : TJournalKind::Include, caption, valuesText);
}

void TCombWorkspace::FilterStep(TCustomStat& stat, const TStatDrawArray& selected,
                                std::string_view caption, std::string_view valuesText, bool exclude,
                                int lastIndex, bool sorted) {
  if (selected.empty()) return;
  TCombsArray previousUndo = undo_;
  TakeUndo(true);
  try {
    ApplyFilter(stat, selected, caption, valuesText, exclude, lastIndex, sorted);
  } catch (const EStopped&) {
    undo_ = std::move(previousUndo);
    throw;
  }
}

void TCombWorkspace::GridFilterStep(const TStatList& list, const TGridValues& values,
                                    std::string_view caption, bool exclude, int lastIndex,
                                    bool sorted) {
  if (values.Empty()) throw EVetrilo(Tr(kNoGridValuesMessage));
  auto stat = ClassOf<TstValues>().Create(list, 0);
  FilterStep(*stat, values.Values(), caption, values.Text(), exclude, lastIndex, sorted);
}

}  // namespace vetrilo
