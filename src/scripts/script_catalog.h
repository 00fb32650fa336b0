#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "net/catalog_client.h"

namespace vetrilo {

// This edition of the program as the script catalogue knows it: scripts
// published from another edition are usable here only when universal.
constexpr std::string_view kEditionGuid = "vetrilo-4-47-17";
constexpr std::string_view kEditionName = "Vetrilo_4d47";

// One entry of the script catalogue; times are seconds since 1970 (0: unknown).
struct tScriptInfo {
  int32_t Id = 0;
  std::string Author;
  std::string AuthorMail;
  int32_t Lcid = 0;
  std::string AppName;
  std::string AppVer;
  bool Universal = false;
  bool Public = false;
  int64_t Created = 0;
  double RatingAvg = 0;
  int32_t RatingCnt = 0;
  int32_t RatingYou = 0;  // 0 none, 1..5, -1 hidden
  int32_t Downloads = 0;
  int64_t LastDownload = 0;
  std::string Title;
  std::string Descr;
  bool Own = false;
  bool Editable = false;
  bool Applicable = false;
};

// What the publish dialog edits.
struct tScriptData {
  int32_t Id = -1;
  std::string Author;
  int32_t Lcid = 0;
  bool Universal = false;
  bool Public = true;
  std::string Title;
  std::string Descr;
};

// One rating of the ratings window.
struct TScriptRate {
  std::string Name;
  int32_t Rate = 0;
  int64_t Created = 0;
  std::string AppName;
  std::string AppVer;
  std::string Notes;
};

// The filter items; the item index minus 1 is the request's "fltid".
std::vector<std::string> ScriptFilterItems();
constexpr int kDefaultScriptFilter = 2;

// The list reply's rows; `interfaceLcid` stands in for a language that is not a number.
std::vector<tScriptInfo> ParseScriptList(const std::vector<TCatalogRow>& rows,
                                         const std::string& userMail, int32_t interfaceLcid);
std::vector<TScriptRate> ParseScriptRates(const std::vector<TCatalogRow>& rows);

// The requests of the script catalogue.
class TScriptsCatalog {
 public:
  TScriptsCatalog(const TCatalogClient& client, int32_t interfaceLcid)
      : client_(client), lcid_(interfaceLcid) {}
  std::vector<tScriptInfo> List(int filterIndex) const;
  // The script's lines: the first "<script>" row whose text is not empty.
  std::vector<std::string> Lines(int32_t id) const;
  // True when the title is free for this script (-1: a new one).
  bool TitleFree(int32_t id, const std::string& title) const;
  // Publishes (Id -1) or replaces; the id the server gave (> 0), else throws.
  int32_t Publish(const tScriptData& data, const std::vector<std::string>& lines) const;
  void Delete(const tScriptInfo& info) const;
  // 0 removes the user's rating, 1..5 rates, -1 hides.
  void Rate(int32_t id, int value, const std::string& notes) const;
  std::vector<TScriptRate> Rates(int32_t id) const;

 private:
  TFormFields AppFields() const;
  const TCatalogClient& client_;
  int32_t lcid_;
};

// The language name of a Windows language identifier (the interface languages).
std::string LanguageName(int32_t lcid);

// Column texts: "Тип", "Название", "Автор", "Программа", "Версия", "Язык",
// "Создан", "Рейтинг", "Оценок", "Ваша оценка", "Загрузок", "Последняя", "Комментарии".
constexpr int kScriptColumns = 13;
std::array<std::string, kScriptColumns> ScriptColumnCaptions();
std::array<std::string, kScriptColumns> ScriptRowTexts(const tScriptInfo& info);
// "Имя", "Оценка", "Дата", "Программа", "Версия", "Комментарии".
std::array<std::string, 6> ScriptRateCaptions();
std::array<std::string, 6> ScriptRateTexts(const TScriptRate& rate);

}  // namespace vetrilo
