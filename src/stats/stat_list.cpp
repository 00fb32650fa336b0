#include "stats/stat_list.h"

#include <algorithm>
#include <map>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/money_text.h"
#include "core/text.h"
#include "core/translate.h"
#include "stats/stat_registry.h"

namespace vetrilo {

namespace {

struct TGroupInfo {
  const char* Code;
  const char* Caption;
};
constexpr TGroupInfo kGroups[13] = {
    {"num", "Числа тиража"},
    {"sum", "Сумма чисел тиража"},
    {"dif", "Разности между числами тиража"},
    {"grp", "Каналы (группы чисел)"},
    {"mtx", "Матрица тиража"},
    {"sgm", "Сегменты матрицы тиража"},
    {"seq", "Последовательности чисел в одном тираже"},
    {"rep", "Повторяющиеся числа в нескольких тиражах"},
    {"ser", "Серии (цепочки) значений"},
    {"per", "Периоды повторения значений"},
    {"mov", "Переходы (изменения) значений между тиражами"},
    {"ogn", "Характеристическое число Огнева"},
    {"shr", "Методы шинковки"},
};

constexpr const char* kDefaultFormulas[3] = {"(n1+n2+n3)/(n4+n5)", "(n4+n5)/(n1+n2+n3)",
                                             "(n1+n2)/(n3+n4+n5)"};
constexpr int kMaxProfitLevels = 255;

}  // namespace

std::string GroupCode(int group) {
  return group >= 0 && group <= 12 ? kGroups[group].Code : "";
}

std::string GroupCaption(int group) {
  return group >= 0 && group <= 12 ? Tr(kGroups[group].Caption) : "";
}

std::string GroupTitle(int group) {
  if (group < 0 || group > 12) return "#ERROR#";
  return Format("{ %1:s } %0:s", {Tr(kGroups[group].Caption), kGroups[group].Code});
}

std::string LanguageAbbreviation(int languageId) {
  static const std::map<int, const char*> kNames = {
      {1025, "ARA"}, {1026, "BGR"}, {1028, "CHT"}, {1029, "CSY"}, {1030, "DAN"}, {1031, "DEU"},
      {1032, "ELL"}, {1033, "ENU"}, {1034, "ESP"}, {1035, "FIN"}, {1036, "FRA"}, {1037, "HEB"},
      {1038, "HUN"}, {1040, "ITA"}, {1041, "JPN"}, {1042, "KOR"}, {1043, "NLD"}, {1044, "NOR"},
      {1045, "PLK"}, {1046, "PTB"}, {1048, "ROM"}, {1049, "RUS"}, {1050, "HRV"}, {1051, "SKY"},
      {1053, "SVE"}, {1055, "TRK"}, {1058, "UKR"}, {1059, "BEL"}, {1060, "SLV"}, {1061, "ETI"},
      {1062, "LVI"}, {1063, "LTH"}, {1087, "KKZ"}, {2052, "CHS"}, {2057, "ENG"}, {2070, "PTG"},
      {3082, "ESN"},
  };
  auto it = kNames.find(languageId);
  return it == kNames.end() ? "ENU" : it->second;
}

TStatList::TStatList() {
  MatrixSegments.fill(1);
  for (int i = 0; i < 3; ++i) Formula[size_t(i)] = kDefaultFormulas[i];
}

void TStatList::BuildMethods() {
  Methods.clear();
  Ordered = false;
  ShowGroupName = true;
  ShowMethodFlags = true;
  AllFavorites = true;
  for (const TStatClassRow& row : StatClassTable()) {
    if (!row.Class) continue;  // family not built yet
    const TStatClass& cls = row.Class();
    if (!cls.IsEnabled()) continue;
    int low = 0, high = 0;
    if (cls.HasParamRange()) {
      cls.GetParamRange(*this, low, high);
    }
    for (int p = low; p <= high; ++p) {
      TStatMethod m;
      m.Stat = &cls;
      m.Param = p;
      if (cls.GetGroup() == 12 && p >= 1 && p <= 3) m.Formula = Formula[size_t(p - 1)];
      Methods.push_back(std::move(m));
    }
  }
}

std::string TStatList::MethodCaption(int i, bool withFlags) const {
  const TStatMethod& m = Item(i);
  std::string caption = m.UserCaption.empty() ? m.Stat->GetCaptionFor(m.Param) : m.UserCaption;
  const int group = m.Stat->GetGroup();
  if (group == 12) {
    try {
      caption = Format(caption, {m.Formula});
    } catch (const EVetrilo&) {
      // A user caption without a place for the formula stays as written.
    }
  }
  if (ShowGroupName) caption = Format("{ %1:s } %0:s", {caption, GroupCode(group)});
  if (withFlags && ShowMethodFlags) {
    const std::string letters = FlagLetters(m.Stat->GetAllFlags());
    if (!letters.empty()) caption = Format("%0:s [ %1:s ]", {caption, letters});
  }
  return caption;
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(const TStatMethod& entry) const {
  return entry.Stat->Create(*this, entry.Param);
}

int TStatList::FindByCode(std::string_view code) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameTextIgnoringCase(Item(i).Code(), code)) return i;
  }
  return -1;
}

std::string TStatList::FavoritesText() const {
  if (AllFavorites) return "";
  std::string text;
  for (const TStatMethod& m : Methods) {
    if (!m.Favorite) continue;
    if (!text.empty()) text += ',';
    text += m.Code();
  }
  return text;
}

void TStatList::ApplyFavoritesText(std::string_view text) {
  if (Trim(text).empty()) {
    SelectAllFavorites();
    return;
  }
  AllFavorites = false;
  const std::vector<std::string> words = SplitAll(text, ',');
  for (TStatMethod& m : Methods) {
    const std::string code = m.Code();
    m.Favorite = std::any_of(words.begin(), words.end(),
                             [&](const std::string& w) { return SameTextIgnoringCase(w, code); });
  }
}

void TStatList::SelectAllFavorites() {
  for (TStatMethod& m : Methods) m.Favorite = true;
  AllFavorites = true;
}

void TStatList::NormalizeFavorites() {
  AllFavorites = true;
  if (Methods.empty()) return;
  const bool first = Methods.front().Favorite;
  for (const TStatMethod& m : Methods) {
    if (m.Favorite != first) {
      AllFavorites = false;
      return;
    }
  }
  if (!first) {
    for (TStatMethod& m : Methods) m.Favorite = true;
  }
}

std::string TStatList::CaptionsSection() const {
  return "STRINGS_" + LanguageAbbreviation(Language);
}

bool TStatList::LoadMethodSettings(const std::string& path, bool withFavorites,
                                   std::string* error) {
  TIniData data = TIniData::Parse("");
  if (PathExists(path)) {
    try {
      data = TIniData::Parse(Cp1251ToUtf8(ReadFileBytes(path, kSettingsReadLimit)));
    } catch (const EVetrilo& e) {
      if (error) *error = e.what();
      return false;
    }
  }
  if (withFavorites) {
    ApplyFavoritesText(data.ReadString("FILTERS", "Favorites", FavoritesText()));
    Ordered = data.ReadBool("FILTERS", "Ordered", Ordered);
    ShowGroupName = data.ReadBool("FILTERS", "ShowGroupName", ShowGroupName);
    ShowMethodFlags = data.ReadBool("FILTERS", "ShowMethodFlags", ShowMethodFlags);
  }
  const std::string section = CaptionsSection();
  for (TStatMethod& m : Methods) m.UserCaption = Trim(data.ReadString(section, m.Code(), ""));
  return true;
}

bool TStatList::SaveMethodSettings(const std::string& path, bool withFavorites, bool allCaptions,
                                   std::string* error) const {
  try {
    TIniFile(path).Update([&](TIniData& data) {
      if (withFavorites) {
        data.WriteString("FILTERS", "Favorites", FavoritesText());
        data.WriteBool("FILTERS", "Ordered", Ordered);
        data.WriteBool("FILTERS", "ShowGroupName", ShowGroupName);
        data.WriteBool("FILTERS", "ShowMethodFlags", ShowMethodFlags);
      }
      const std::string section = CaptionsSection();
      data.EraseSection(section);
      for (const TStatMethod& m : Methods) {
        if (allCaptions) {
          data.WriteString(section, m.Code(),
                           m.UserCaption.empty() ? m.Stat->GetCaptionFor(m.Param) : m.UserCaption);
        } else if (!m.UserCaption.empty()) {
          data.WriteString(section, m.Code(), m.UserCaption);
        }
      }
    });
    return true;
  } catch (const EVetrilo& e) {
    if (error) *error = e.what();
    return false;
  }
}

void TStatList::LoadEngineSettings(const TIniFile& ini) {
  LoadEngineSettings(ini.Load());
}

void TStatList::LoadEngineSettings(const TIniData& d) {
  MatrixCols = static_cast<int32_t>(d.ReadInteger("GLOBAL", "MatrixCols", 8));
  const std::string segments = d.ReadString("GLOBAL", "MatrixSegments", "");
  for (size_t i = 0; i < MatrixSegments.size(); ++i) {
    const char c = i < segments.size() ? segments[i] : '\0';
    MatrixSegments[i] = c >= '0' && c <= '9' ? static_cast<uint8_t>(c - '0') : 1;
  }
  ChannelSize = static_cast<int32_t>(d.ReadInteger("GLOBAL", "ChannelSize", 8));
  // Amounts are read digit by digit, so "0.00015" is not at the mercy of binary fractions.
  auto money = [&d](const std::string& key) {
    if (auto exact = MoneyFromDecimalText(d.ReadString("STAKES", key, ""))) return *exact;
    return MoneyFromReal(d.ReadFloat("STAKES", key, 0));
  };
  Cost = money("Cost");
  MaxStake = static_cast<int32_t>(d.ReadInteger("STAKES", "MaxStake", 4));
  const int64_t levels =
      std::clamp<int64_t>(d.ReadInteger("STAKES", "Profits", 0), 0, kMaxProfitLevels);
  Profits.clear();
  for (int64_t i = 0; i < levels; ++i) {
    TProfitLevel level;
    level.Overlap =
        static_cast<uint8_t>(d.ReadInteger("STAKES", Format("Profit_%d_Overlap", {i}), 0));
    level.Profit = money(Format("Profit_%d_Profit", {i}));
    Profits.push_back(level);
  }
  Cdl.CountWeight = d.ReadFloat("CDL", "Count", 0.0L);
  Cdl.DeviationWeight = d.ReadFloat("CDL", "Deviation", -1.0L);
  Cdl.LevelWeight = d.ReadFloat("CDL", "Level", 1.0L);
  Cdl.UsePercents = d.ReadInteger("CDL", "UsePercents", 0) > 0;
  Cdl.UseAbsValues = d.ReadInteger("CDL", "UseAbsValues", 0) > 0;
}

std::string TStatList::MatrixSegmentsText() const {
  std::string text;
  for (uint8_t s : MatrixSegments) text += std::to_string(s);
  return text;
}

void TStatList::SaveEngineSettings(const TIniFile& ini) const {
  ini.Update([&](TIniData& d) { SaveEngineSettings(d); });
}

void TStatList::SaveEngineSettings(TIniData& d) const {
  d.WriteInteger("GLOBAL", "MatrixCols", MatrixCols);
  d.WriteString("GLOBAL", "MatrixSegments", MatrixSegmentsText());
  d.WriteInteger("GLOBAL", "ChannelSize", ChannelSize);
  d.WriteString("STAKES", "Cost", MoneyToDecimalText(Cost));
  d.WriteInteger("STAKES", "MaxStake", MaxStake);
  d.WriteInteger("STAKES", "Profits", static_cast<int64_t>(Profits.size()));
  for (size_t i = 0; i < Profits.size(); ++i) {
    d.WriteInteger("STAKES", Format("Profit_%d_Overlap", {i}), Profits[i].Overlap);
    d.WriteString("STAKES", Format("Profit_%d_Profit", {i}), MoneyToDecimalText(Profits[i].Profit));
  }
  d.WriteFloat("CDL", "Count", Cdl.CountWeight);
  d.WriteFloat("CDL", "Deviation", Cdl.DeviationWeight);
  d.WriteFloat("CDL", "Level", Cdl.LevelWeight);
  d.WriteInteger("CDL", "UsePercents", Cdl.UsePercents ? 1 : 0);
  d.WriteInteger("CDL", "UseAbsValues", Cdl.UseAbsValues ? 1 : 0);
}

void TStatList::LoadGenerateSettings(const TIniFile& ini) {
  LoadGenerateSettings(ini.Load());
}

void TStatList::LoadGenerateSettings(const TIniData& d) {
  CombsGenerateMode = static_cast<uint8_t>(d.ReadInteger("GLOBAL", "CombsGenerateMode", 0));
  std::string params = d.ReadString("GLOBAL", "CombsGenerateParameters", "");
  if (Utf8Length(params) > 255) params = Format("%.255s", {params});
  CombsGenerateParameters = params;
}

void TStatList::SaveGenerateSettings(const TIniFile& ini) const {
  ini.Update([&](TIniData& d) {
    d.WriteInteger("GLOBAL", "CombsGenerateMode", CombsGenerateMode);
    d.WriteString("GLOBAL", "CombsGenerateParameters", CombsGenerateParameters);
  });
}

void TStatList::LoadShredding(const TIniFile& ini) {
  LoadShredding(ini.Load());
}

void TStatList::LoadShredding(const TIniData& d) {
  for (int i = 0; i < 3; ++i) {
    Formula[size_t(i)] =
        d.ReadString("SHREDDING", Format("Formula%d", {i + 1}), kDefaultFormulas[i]);
    const int64_t digits = d.ReadInteger("SHREDDING", Format("Formula%dDigits", {i + 1}), 2);
    FormulaDigits[size_t(i)] = digits >= 1 && digits <= 5 ? static_cast<uint8_t>(digits) : 2;
  }
}

void TStatList::SaveShredding(const TIniFile& ini) const {
  ini.Update([&](TIniData& d) {
    for (int i = 0; i < 3; ++i) {
      d.WriteString("SHREDDING", Format("Formula%d", {i + 1}), Formula[size_t(i)]);
      d.WriteInteger("SHREDDING", Format("Formula%dDigits", {i + 1}), FormulaDigits[size_t(i)]);
    }
  });
}

TMoney TStatList::StakeOutcome(int n, int m) const {
  return vetrilo::StakeOutcome(n, m, Cost, Profits);
}

bool TStatList::RebuildMethods(const std::string& fltPath, std::string* error) {
  // What the file should carry across, kept in case it cannot.
  const std::string favorites = FavoritesText();
  const bool ordered = Ordered, showGroupName = ShowGroupName, showFlags = ShowMethodFlags;
  std::map<std::string, std::string> captions;
  for (const TStatMethod& m : Methods) {
    if (!m.UserCaption.empty()) captions[m.Code()] = m.UserCaption;
  }

  std::string failure;
  std::string message;
  const bool saved = SaveMethodSettings(fltPath, true, false, &failure);
  if (!saved) message = Format(Tr("Ошибка сохранения списка фильтров!\r\r%s"), {failure});
  BuildMethods();
  SelectAllFavorites();
  if (saved && LoadMethodSettings(fltPath, true, &failure)) return true;
  if (saved) message = Format(Tr("Ошибка загрузки списка фильтров!\r\r%s"), {failure});

  ApplyFavoritesText(favorites);
  Ordered = ordered;
  ShowGroupName = showGroupName;
  ShowMethodFlags = showFlags;
  for (TStatMethod& m : Methods) {
    const auto it = captions.find(m.Code());
    m.UserCaption = it == captions.end() ? "" : it->second;
  }
  if (error) *error = message;
  return false;
}

uint32_t ChangedSettingsMask(const TStatList& before, const TStatList& after) {
  uint32_t mask = 0;
  if (before.ChannelSize != after.ChannelSize) mask |= GroupMask(3);
  if (before.MatrixCols != after.MatrixCols) mask |= GroupMask(4);
  if (before.MatrixSegments != after.MatrixSegments) mask |= GroupMask(5);
  return mask;
}

}  // namespace vetrilo
