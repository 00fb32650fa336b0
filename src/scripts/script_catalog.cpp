#include "scripts/script_catalog.h"

#include <cstdlib>

#include "core/errors.h"
#include "core/format.h"
#include "core/text.h"
#include "core/translate.h"

namespace vetrilo {
namespace {

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  }
  return out;
}

std::string Base64Text(const TCatalogRow& row, std::string_view name) {
  const auto decoded = Base64Decode(row.Value(name));
  if (!decoded) throw EVetrilo(Tr("Неверный формат ответа сервера"));
  return *decoded;
}

double DecimalOr(const std::string& text, double def) {
  const std::string t = Trim(text);
  if (t.empty()) return def;
  char* end = nullptr;
  const double v = std::strtod(t.c_str(), &end);
  return end == t.c_str() + t.size() ? v : def;
}

}  // namespace

std::vector<std::string> ScriptFilterItems() {
  return {Tr("Скрытые"),
          Tr("Все, включая скрытые"),
          Tr("Все, кроме скрытых (по умолчанию)"),
          Tr("Только мои"),
          Tr("Только публичные"),
          Tr("С моими оценками"),
          Tr("Без моих оценок"),
          Tr("Новые (24 часа с момента публикации)")};
}

std::vector<tScriptInfo> ParseScriptList(const std::vector<TCatalogRow>& rows,
                                         const std::string& userMail, int32_t interfaceLcid) {
  std::vector<tScriptInfo> list;
  for (const TCatalogRow& row : rows) {
    tScriptInfo s;
    s.Id = StrToIntDef(row.Value("id"), 0);
    s.AppName = row.Text("app_name");
    s.AppVer = row.Text("app_ver");
    s.Author = row.Text("key_cl_name");
    s.AuthorMail = row.Text("key_cl_mail");
    const auto lcid = StrToIntStrict(Trim(row.Value("key_cl_lcid")));
    s.Lcid = lcid ? *lcid : interfaceLcid;
    s.Universal = StrToIntDef(row.Value("uniapps"), 0) > 0;
    s.Public = StrToIntDef(row.Value("publics"), 0) > 0;
    s.Created = ParseCatalogTime(row.Value("created"));
    s.LastDownload = ParseCatalogTime(row.Value("last_download"));
    s.RatingAvg = DecimalOr(row.Value("rating_avg"), 0);
    s.RatingCnt = StrToIntDef(row.Value("rating_cnt"), 0);
    s.RatingYou = StrToIntDef(row.Value("rating_you"), 0);
    s.Downloads = StrToIntDef(row.Value("downloads"), 0);
    s.Title = Base64Text(row, "title");
    s.Descr = Base64Text(row, "descr");
    s.Own = !Trim(userMail).empty() && LowerAscii(Trim(s.AuthorMail)) == LowerAscii(Trim(userMail));
    s.Applicable = s.Universal || Trim(row.Value("app_guid")) == kEditionGuid;
    s.Editable = s.Own && s.Applicable;
    list.push_back(std::move(s));
  }
  return list;
}

std::vector<TScriptRate> ParseScriptRates(const std::vector<TCatalogRow>& rows) {
  std::vector<TScriptRate> rates;
  for (const TCatalogRow& row : rows) {
    TScriptRate r;
    r.Name = row.Text("key_cl_name");
    r.Rate = StrToIntDef(row.Value("rate"), 0);
    r.Created = ParseCatalogTime(row.Value("created"));
    r.AppName = row.Text("app_name");
    r.AppVer = row.Text("app_ver");
    r.Notes = row.Text("notes");
    rates.push_back(std::move(r));
  }
  return rates;
}

TFormFields TScriptsCatalog::AppFields() const {
  return {{"cl_lcid", std::to_string(lcid_)},
          {"app_name", std::string(kEditionName)},
          {"app_ver", VETRILO_VERSION},
          {"app_guid", std::string(kEditionGuid)}};
}

std::vector<tScriptInfo> TScriptsCatalog::List(int filterIndex) const {
  TFormFields fields = {{"fltid", std::to_string(filterIndex - 1)}};
  const auto rows = client_.Request("/scripts/scr_getlist.php", std::move(fields));
  return ParseScriptList(rows, client_.User().Mail, lcid_);
}

std::vector<std::string> TScriptsCatalog::Lines(int32_t id) const {
  for (const TCatalogRow& row :
       client_.Request("/scripts/scr_getdata.php", {{"scr_id", std::to_string(id)}})) {
    if (row.Fields.empty() || row.Fields[0].first != "script") continue;
    const std::string text = Base64Text(row, "script");
    if (!text.empty()) return SplitLines(text);
  }
  throw EVetrilo(Tr("Сервер не прислал текст сценария"));
}

bool TScriptsCatalog::TitleFree(int32_t id, const std::string& title) const {
  const auto rows =
      client_.Request("/scripts/scr_chktitle.php",
                      {{"scr_id", std::to_string(id)}, {"scr_title", EscapeText(title)}});
  if (rows.empty() || !rows[0].Has("ret_code"))
    throw EVetrilo(Tr("Неверный формат ответа сервера"));
  return StrToIntDef(rows[0].Value("ret_code"), -1) == 0;
}

int32_t TScriptsCatalog::Publish(const tScriptData& data,
                                 const std::vector<std::string>& lines) const {
  std::string script;
  for (size_t i = 0; i < lines.size(); ++i) script += (i ? "\r\n" : "") + lines[i];
  TFormFields fields = {{"del_mode", "0"},
                        {"scr_id", std::to_string(data.Id)},
                        {"scr_uniapps", data.Universal ? "1" : "0"},
                        {"scr_publics", data.Public ? "1" : "0"},
                        {"scr_title", EscapeText(data.Title)},
                        {"scr_descr", EscapeText(data.Descr)},
                        {"scr_script", EscapeText(script)},
                        {"cl_name", EscapeText(data.Author)}};
  for (auto& f : AppFields()) fields.push_back(f);
  fields[8].second = std::to_string(data.Lcid);  // the script's language, not the interface's
  for (const TCatalogRow& row : client_.Request("/scripts/scr_putscript.php", std::move(fields))) {
    const int32_t id = StrToIntDef(row.Value("id_scripts"), 0);
    if (id > 0) return id;
  }
  throw EVetrilo(Tr("Сервер не сохранил сценарий"));
}

void TScriptsCatalog::Delete(const tScriptInfo& info) const {
  TFormFields fields = {{"del_mode", "1"},
                        {"scr_id", std::to_string(info.Id)},
                        {"scr_uniapps", info.Universal ? "1" : "0"},
                        {"scr_publics", info.Public ? "1" : "0"},
                        {"scr_title", EscapeText(info.Title)},
                        {"scr_descr", EscapeText(info.Descr)},
                        {"cl_name", EscapeText(info.Author)},
                        {"cl_lcid", std::to_string(info.Lcid)}};
  const auto rows = client_.Request("/scripts/scr_putscript.php", std::move(fields));
  if (rows.empty() || StrToIntDef(rows[0].Value("id_scripts"), -1) != 0) {
    throw EVetrilo(Tr("Сервер не удалил сценарий"));
  }
}

void TScriptsCatalog::Rate(int32_t id, int value, const std::string& notes) const {
  TFormFields fields = {{"scr_id", std::to_string(id)},
                        {"rate_value", std::to_string(value)},
                        {"rate_notes", EscapeText(notes)}};
  for (auto& f : AppFields()) fields.push_back(f);
  const auto rows = client_.Request("/scripts/scr_setrate.php", std::move(fields));
  if (rows.empty() || !rows[0].Has("res_code"))
    throw EVetrilo(Tr("Неверный формат ответа сервера"));
  const int code = StrToIntDef(rows[0].Value("res_code"), -1);
  if (code < 0) throw EVetrilo(Format(Tr("Код возврата: %d"), {code}));
}

std::vector<TScriptRate> TScriptsCatalog::Rates(int32_t id) const {
  return ParseScriptRates(
      client_.Request("/scripts/scr_getrates.php", {{"scr_id", std::to_string(id)}}));
}

std::string LanguageName(int32_t lcid) {
  switch (lcid) {
    case 1049:
      return Tr("Русский");
    case 1033:
      return Tr("Английский");
    case 1058:
      return Tr("Украинский");
    default:
      return std::to_string(lcid);
  }
}

std::array<std::string, kScriptColumns> ScriptColumnCaptions() {
  return {Tr("Тип"),      Tr("Название"),  Tr("Автор"),      Tr("Программа"), Tr("Версия"),
          Tr("Язык"),     Tr("Создан"),    Tr("Рейтинг"),    Tr("Оценок"),    Tr("Ваша оценка"),
          Tr("Загрузок"), Tr("Последняя"), Tr("Комментарии")};
}

std::array<std::string, kScriptColumns> ScriptRowTexts(const tScriptInfo& s) {
  std::string you;
  if (s.RatingYou == -1) {
    you = Tr("Скрытый");
  } else if (s.RatingYou != 0) {
    you = std::to_string(s.RatingYou);
  }
  return {s.Own ? Tr("Мой") : Tr("Общий"),
          s.Title,
          s.Author,
          s.Universal ? Tr("Универсальный") : s.AppName,
          s.AppVer,
          LanguageName(s.Lcid),
          CatalogTimeText(s.Created),
          Format("%.3n", {s.RatingAvg}),
          std::to_string(s.RatingCnt),
          you,
          std::to_string(s.Downloads),
          CatalogTimeText(s.LastDownload),
          s.Descr};
}

std::array<std::string, 6> ScriptRateCaptions() {
  return {Tr("Имя"), Tr("Оценка"), Tr("Дата"), Tr("Программа"), Tr("Версия"), Tr("Комментарии")};
}

std::array<std::string, 6> ScriptRateTexts(const TScriptRate& r) {
  return {r.Name, std::to_string(r.Rate), CatalogTimeText(r.Created), r.AppName, r.AppVer, r.Notes};
}

}  // namespace vetrilo
