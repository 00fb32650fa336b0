#include "net/catalog_client.h"

#include <cstdio>
#include <ctime>
#include <random>

#include "core/dates.h"
#include "core/errors.h"
#include "core/text.h"
#include "core/translate.h"
#include "net/http_client.h"

namespace vetrilo {
namespace {

constexpr std::string_view kGlobal = "GLOBAL";
constexpr std::string_view kCatalog = "CATALOG";

}  // namespace

std::string NewCatalogKey() {
  std::random_device random;
  static constexpr char kHex[] = "0123456789abcdef";
  std::string key;
  for (int i = 0; i < 32; ++i) key += kHex[random() & 15];
  return key;
}

TCatalogSettings ReadCatalogSettings(const TIniFile& ini) {
  const TIniData data = ini.Load();
  TCatalogSettings s;
  s.Site = Trim(data.ReadString(kGlobal, "CatalogSite", kDefaultCatalogSite));
  s.User.Name = data.ReadString(kCatalog, "UserName", "");
  s.User.Mail = Trim(data.ReadString(kCatalog, "UserMail", ""));
  s.User.Key = Trim(data.ReadString(kCatalog, "Key", ""));
  return s;
}

TCatalogSettings LoadCatalogSettings(const TIniFile& ini) {
  TCatalogSettings s = ReadCatalogSettings(ini);
  if (s.User.Key.empty()) {
    const std::string key = NewCatalogKey();
    ini.Update([&](TIniData& d) { d.WriteString(kCatalog, "Key", key); });
    s.User.Key = key;
  }
  return s;
}

void SaveCatalogUser(const TIniFile& ini, const std::string& name, const std::string& mail) {
  ini.Update([&](TIniData& d) {
    d.WriteString(kCatalog, "UserName", name);
    d.WriteString(kCatalog, "UserMail", Trim(mail));
  });
}

int64_t ParseCatalogTime(std::string_view text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
  const std::string t = Trim(text);
  char extra = 0;
  if (t.empty() ||
      std::sscanf(t.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &sec, &extra) !=
          6 ||
      mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || sec > 60 || y < 1970) {
    return 0;
  }
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = sec;
  return int64_t(timegm(&tm));
}

std::string CatalogTimeText(int64_t time) {
  if (time == 0) return {};
  const std::time_t t = static_cast<std::time_t>(time);
  std::tm tm{};
  localtime_r(&t, &tm);
  return DateTimeText(tm);
}

TCatalogClient::TCatalogClient(std::string site, TCatalogUser user)
    : site_(std::move(site)), user_(std::move(user)) {
  while (!site_.empty() && site_.back() == '/') site_.pop_back();
}

std::vector<TCatalogRow> TCatalogClient::Request(std::string_view path, TFormFields fields,
                                                 bool* hasResult) const {
  if (site_.empty()) throw EVetrilo(Tr("Не указан адрес сервера каталога (CatalogSite)"));
  // A request may name the author itself (a system's Author and AuthorMail).
  auto add = [&](const char* name, std::string value) {
    for (const auto& f : fields) {
      if (f.first == name) return;
    }
    fields.emplace_back(name, std::move(value));
  };
  add("cl_name", EscapeText(user_.Name));
  add("cl_mail", EscapeText(user_.Mail));
  add("cl_key", user_.Key);
  THttpClient http;
  http.ConnectTimeoutMs = ConnectTimeoutMs;
  http.ReadTimeoutMs = ReadTimeoutMs;
  http.DeadlineMs = DeadlineMs;
  http.MaxBodyBytes = size_t{32} << 20;
  const std::string reply = http.PostForm(site_ + std::string(path), EncodeForm(fields));
  return ParseCatalogReply(reply, hasResult);
}

}  // namespace vetrilo
