#pragma once

#include <string>
#include <vector>

#include "scripts/filter_variants.h"
#include "scripts/script_line.h"
#include "stats/stat_list.h"

namespace vetrilo::test {

// A method list as the registry builds it, plus POS10 and POS11 after POS1..POS4
// so that one code is a prefix of later ones (as CHN1 and CHN10 are with ten channels).
struct TScriptFixture {
  TStatList List;

  TScriptFixture() {
    List.BuildMethods();
    const int pos1 = List.FindByCode("POS1");
    TStatMethod extra = List.Item(pos1);
    for (int param : {10, 11}) {
      extra.Param = param;
      List.Methods.push_back(extra);
    }
  }
  const TStatMethod* Method(const std::string& code) const {
    const int i = List.FindByCode(code);
    return i < 0 ? nullptr : &List.Item(i);
  }
};

// The enumeration written out the plain way, as the oracle: recursion over the
// filters, each depth in list order, then each level value for the expanding modes.
inline void LiteralVariants(const std::vector<TFilterItem>& items, size_t i, TFilterRec& rec,
                            std::vector<TFilterRec>& out) {
  if (i == items.size()) {
    out.push_back(rec);
    return;
  }
  const TFilterItem& item = items[i];
  const std::vector<int32_t> depths = ParseIntList(item.DrawsLen);
  const std::vector<int32_t> levels =
      item.LevelMode != 0 ? ParseIntList(item.LevelValues) : std::vector<int32_t>{};
  TFilterPart p;
  p.Assigned = true;
  p.Method = item.Method;
  if (!item.Method) {
    // The first ":"-sub-word: leading separators skipped, up to the next one.
    const std::string& w = item.MethodText;
    size_t b = 0;
    while (b < w.size() && w[b] == ':') ++b;
    size_t e = b;
    while (e < w.size() && w[e] != ':') ++e;
    p.MethodText = w.substr(b, e - b);
  }
  p.SortColumn = item.SortColumn;
  p.BottomUp = item.BottomUp;
  p.MultiSelect = item.MultiSelect;
  p.Keep = item.Keep;
  p.LevelMode = item.LevelMode;
  p.CDLOverride = item.CDLOverride;
  p.CoefCount = item.CoefCount;
  p.CoefDeviation = item.CoefDeviation;
  p.CoefLevel = item.CoefLevel;
  p.UsePercents = item.UsePercents;
  p.UseAbsValues = item.UseAbsValues;
  p.StopMode = item.StopMode;
  p.StopValue = item.StopValue;
  for (int32_t d : depths) {
    p.DrawsLen = d;
    if (LevelModeExpands(item.LevelMode)) {
      for (int32_t v : levels) {
        p.Value = p.ValueText = std::to_string(v);
        rec[i] = p;
        LiteralVariants(items, i + 1, rec, out);
      }
    } else {
      p.Value = item.LevelMode == 0 ? item.LevelValues : JoinIntList(levels, ",");
      p.ValueText = item.LevelValues;
      rec[i] = p;
      LiteralVariants(items, i + 1, rec, out);
    }
  }
}

inline std::vector<TFilterRec> LiteralVariants(const std::vector<TFilterItem>& items) {
  std::vector<TFilterRec> out;
  TFilterRec rec;
  if (!items.empty()) LiteralVariants(items, 0, rec, out);
  return out;
}

// Every field of two variants, compared as texts plus the fields the texts leave out.
inline std::string VariantDump(const TFilterRec& rec) {
  std::string text;
  for (const TFilterPart& p : rec) {
    text += (p.Assigned ? "A" : "-") + std::to_string(p.SortColumn) + "|" + p.Value + "|" +
            (p.Method ? p.Method->Code() : "null") + "|" + FormatFilterPart(p) + "\n";
  }
  return text;
}

}  // namespace vetrilo::test
