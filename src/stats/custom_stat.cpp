#include "stats/custom_stat.h"

#include "core/cp1251.h"
#include "core/file_io.h"
#include "core/text.h"
#include "services/languages.h"
#include "stats/stat_list.h"

namespace vetrilo {

std::string FlagLetters(uint8_t flags) {
  std::string letters;
  if (flags & kFlagS) letters += 'S';
  if (flags & kFlagN) letters += 'N';
  if (flags & kFlagD) letters += 'D';
  if (flags & kFlagP) letters += 'P';
  if (flags & kFlagG) letters += 'G';
  return letters;
}

std::string TStatClass::GetHelpLink(int param, const std::string& helpFile) const {
  // One page per family, one anchor per help code on it.
  return HelpTopicPath(helpFile, Format("stats_%s.html#%s",
                                        {GroupCode(GetGroup()), Format(GetHelpCode(), {param})}));
}

TCustomStat::TCustomStat(const TStatList& list, int param)
    : Param(param), list_(list), draws_(list.Draws) {
  static const TDrawArchive kNoDraws;
  if (!draws_) draws_ = &kNoDraws;
}

std::string TCustomStat::GetName() const {
  return class_->GetCaptionFor(Param);
}

int32_t TCustomStat::TextToValue(std::string_view text) const {
  return StrToIntStrict(text).value_or(0);
}

int32_t TCustomStat::ParseValue(std::string_view text) const {
  return class_->CanParseValue() ? TextToValue(text) : 0;
}

void TCustomStat::GetAllValues(int, TStatDrawArray&) {
  Work = TStatDrawRec{};
}

void TCustomStat::LoadDraws(int index, int lastIndex, bool sorted) {
  Draw = GetDraw(index, sorted);
  if (class_->GetFlags() & kFlagD) RefDraw = GetDraw(lastIndex, sorted);
}

void TCustomStat::GetCombValues(TComb, TStatDrawArray&) {
  Work = TStatDrawRec{};
  Work.Count = 1;
}

void TCustomStat::CountCombValues(std::span<const TComb> combs, TStatDrawArray& list) {
  for (const TComb comb : combs) GetCombValues(comb, list);
}

void TCustomStat::GetDrawValues(int index, int lastIndex, bool sorted, TStatDrawArray&,
                                TSeriesState&, TLastValueArray&) {
  LoadDraws(index, lastIndex, sorted);
  Work = TStatDrawRec{};
  Work.LastDraw = Work.PrevDraw = Draw.Number;
  Work.Ago = lastIndex - index + 1;
  Work.Count = 1;
}

void TCustomStat::FilterCombs(std::span<const TComb> combs, const TStatDrawArray& selected,
                              int lastIndex, bool sorted, bool exclude, TCombsArray& out) {
  for (const TComb comb : combs) {
    if (CombMatches(comb, selected, lastIndex, sorted, exclude) != exclude) out.push_back(comb);
  }
}

int32_t TCustomStat::FindValueInDraws(const TStatDrawRec& value, int fromIndex, int lastIndex,
                                      bool sorted) {
  TSeriesState state{};
  TLastValueArray last;
  for (int i = fromIndex < 0 ? 0 : fromIndex; i <= Draws().High(); ++i) {
    TStatDrawArray list;
    GetDrawValues(i, lastIndex, sorted, list, state, last);
    const int found = list.Find(value.Key());
    if (found >= 0) return list[size_t(found)].LastDraw;
  }
  return -1;
}

TDrawRec TCustomStat::GetDraw(int index, bool sorted) const {
  return draws_->GetDraw(index, sorted);
}

std::string TCustomGraphStat::ValueToText(const TStatDrawRec& value) const {
  return std::to_string(value.Value[0]);
}

int32_t TCustomGraphStat::GetDrawGraphValue(int index, int lastIndex, bool sorted) {
  return GetGraphValue(GetDraw(index, sorted).Comb(), index, lastIndex, sorted);
}

std::string TCustomRatioStat::ValueToText(const TStatDrawRec& value) const {
  const int n = value.Value[0];
  return std::to_string(n) + ":" + std::to_string(4 - n);
}

int32_t TCustomRatioStat::TextToValue(std::string_view text) const {
  const size_t colon = text.find(':');
  return StrToIntStrict(text.substr(0, colon)).value_or(0);
}

std::string TCustomValuesStat::ValueToText(const TStatDrawRec& value) const {
  return NumberText(value.Value[0]);
}

std::string TCustomNumbersStat::ValueToText(const TStatDrawRec& value) const {
  return std::to_string(value.Value[0]);
}

std::string TCustomMaskStat::ValueToText(const TStatDrawRec& value) const {
  const int mask = value.Value[0];
  std::string letters;
  for (int bit = 3; bit >= 0; --bit) {
    letters += (mask >> bit) & 1 ? GetOnLetter() : GetOffLetter();
  }
  return Format("%s (%.3d)", {letters, mask});
}

int32_t TCustomMaskStat::TextToValue(std::string_view text) const {
  // Compare character by character; letters may be Cyrillic (two bytes in UTF-8).
  const std::string on(GetOnLetter());
  int32_t mask = 0;
  size_t pos = 0;
  for (int i = 0; i < 4; ++i) {
    bool isOn = false;
    if (pos < text.size()) {
      size_t len = 1;
      while (pos + len < text.size() &&
             (static_cast<unsigned char>(text[pos + len]) & 0xC0) == 0x80) {
        ++len;
      }
      isOn = text.substr(pos, len) == on;
      pos += len;
    }
    mask = mask << 1 | (isOn ? 1 : 0);
  }
  return mask;
}

void TCustomMaskStat::GetAllValues(int lastIndex, TStatDrawArray& list) {
  TCustomStat::GetAllValues(lastIndex, list);
  for (int mask = 0; mask <= 15; ++mask) AddWords(list, false, mask);
}

}  // namespace vetrilo
