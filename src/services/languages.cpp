#include "services/languages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

struct TLocale {
  uint32_t Id;
  const char* Abbreviation;
  const char* Name;
};

// Ascending by identifier.
constexpr TLocale kLocales[] = {
    {1025, "ARA", "العربية"},
    {1026, "BGR", "Български"},
    {1028, "CHT", "中文(繁體)"},
    {1029, "CSY", "Čeština"},
    {1030, "DAN", "Dansk"},
    {1031, "DEU", "Deutsch"},
    {1032, "ELL", "Ελληνικά"},
    {1033, "ENU", "English"},
    {1034, "ESP", "Español"},
    {1035, "FIN", "Suomi"},
    {1036, "FRA", "Français"},
    {1037, "HEB", "עברית"},
    {1038, "HUN", "Magyar"},
    {1040, "ITA", "Italiano"},
    {1041, "JPN", "日本語"},
    {1042, "KOR", "한국어"},
    {1043, "NLD", "Nederlands"},
    {1044, "NOR", "Norsk"},
    {1045, "PLK", "Polski"},
    {1046, "PTB", "Português (Brasil)"},
    {1048, "ROM", "Română"},
    {1049, "RUS", "Русский"},
    {1050, "HRV", "Hrvatski"},
    {1051, "SKY", "Slovenčina"},
    {1053, "SVE", "Svenska"},
    {1055, "TRK", "Türkçe"},
    {1058, "UKR", "Українська"},
    {1059, "BEL", "Беларуская"},
    {1060, "SLV", "Slovenščina"},
    {1061, "ETI", "Eesti"},
    {1062, "LVI", "Latviešu"},
    {1063, "LTH", "Lietuvių"},
    {1087, "KKZ", "Қазақ"},
    {2052, "CHS", "中文(简体)"},
    {2057, "ENG", "English (United Kingdom)"},
    {2070, "PTG", "Português"},
    {3082, "ESN", "Español (alfabetización internacional)"},
};

const TLocale* FindLocale(uint32_t language) {
  for (const TLocale& l : kLocales) {
    if (l.Id == language) return &l;
  }
  return nullptr;
}

std::string NotFoundMessage(const std::string& file) {
  return Format(Tr("Языковый модуль \"%s\" не найден!"), {file});
}

}  // namespace

const TLCIDs& KnownLocales() {
  static const TLCIDs ids = [] {
    TLCIDs v;
    for (const TLocale& l : kLocales) v.push_back(l.Id);
    return v;
  }();
  return ids;
}

std::string LocaleAbbreviation(uint32_t language) {
  const TLocale* l = FindLocale(language);
  return l ? l->Abbreviation : "";
}

std::string LocaleName(uint32_t language) {
  const TLocale* l = FindLocale(language);
  return l ? l->Name : Format("%d", {int64_t(language)});
}

void TLanguages::InitLanguages(uint32_t base, uint32_t start) {
  if (current_ != base_ && loader_) loader_->Unload();
  base_ = current_ = base;
  BuildAvailableLanguages();
  SetLanguage(start, false);
}

std::string TLanguages::ModuleFileName(uint32_t language) const {
  if (language == base_) return programFile_;
  return Format("%s_%s.lng", {programFile_, LocaleAbbreviation(language)});
}

void TLanguages::BuildAvailableLanguages() {
  available_.clear();
  for (uint32_t id : KnownLocales()) {
    if (id == base_ || FileExists(ModuleFileName(id))) available_.push_back(id);
  }
  if (std::find(available_.begin(), available_.end(), base_) == available_.end()) {
    available_.insert(std::upper_bound(available_.begin(), available_.end(), base_), base_);
  }
}

std::vector<std::string> TLanguages::LanguageNames() {
  if (available_.empty()) InitLanguages(kBaseLanguage, kBaseLanguage);
  std::vector<std::string> names;
  for (uint32_t id : available_) names.push_back(LocaleName(id));
  return names;
}

void TLanguages::CheckLanguage(uint32_t language) const {
  if (language == current_ || language == base_) return;
  const std::string file = ModuleFileName(language);
  if (LocaleAbbreviation(language).empty() || !FileExists(file)) {
    throw EVetrilo(NotFoundMessage(file));
  }
}

bool TLanguages::Activate(uint32_t language, bool loud) {
  if (language == base_) {
    if (loader_) loader_->Unload();
    return true;
  }
  const std::string file = ModuleFileName(language);
  if (LocaleAbbreviation(language).empty() || !FileExists(file)) {
    if (loud) hooks_.ShowMessage(TMessageKind::Error, NotFoundMessage(file));
    return false;
  }
  if (!loader_) return false;
  int code = 0;
  std::string text;
  if (!loader_->Load(file, code, text)) {
    // An unreadable module is a fault of the installation: always said.
    hooks_.ShowMessage(TMessageKind::Error,
                       Format(Tr("Не удалось загрузить языковый модуль \"%s\"!\r\r%s"),
                              {file, Format("SysError #%d: \"%s\"!", {int64_t(code), text})}));
    return false;
  }
  return true;
}

uint32_t TLanguages::SetLanguage(uint32_t language, bool loud) {
  if (language == current_) return current_;
  if (Activate(language, loud)) {
    current_ = language;
    return current_;
  }
  if (current_ != base_) {
    if (loader_) loader_->Unload();
    current_ = base_;
  }
  return current_;
}

std::string FindHelpFile(const std::string& programDir, uint32_t language) {
  namespace fs = std::filesystem;
  const std::string abb = LocaleAbbreviation(language);
  const fs::path dir(programDir);
  const fs::path candidates[] = {
      dir / "help" / abb / "index.html",
      dir.parent_path() / "help" / abb / "index.html",
  };
  for (const fs::path& p : candidates) {
    if (FileExists(p.string())) return p.string();
  }
  return candidates[1].string();
}

std::string HelpTopicPath(const std::string& helpFile, const std::string& topic) {
  if (helpFile.empty() || topic.empty() || !FileExists(helpFile)) return "";
  const std::filesystem::path dir = std::filesystem::path(helpFile).parent_path();
  return (dir / topic).string();
}

namespace {

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::string WebLinkAddress(const std::string& address) {
  for (std::string_view scheme : {"http://", "https://", "ftp://", "ftps://"}) {
    if (StartsWithNoCase(address, scheme)) return address;
  }
  return "http://" + address;
}

std::string MailLinkAddress(const std::string& address) {
  return StartsWithNoCase(address, "mailto:") ? address : "mailto:" + address;
}

}  // namespace vetrilo
